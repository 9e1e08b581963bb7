// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class EditorMenu;
class HiddenTextBuffer;
class NotesText;
class QListWidget;
class ScriptEditor;

// "Runtime Notes" (CORE): the author's notes pad. Its editor Text1 shows the notes text when
// the window is created and stays equal to it both ways: every edit goes into the notes text,
// and a change made to the notes text elsewhere shows in the editor. Creating the window does
// not show it. Closing the window deletes it; the text lives on in the notes text.
class NotesWindow : public QWidget {
    Q_OBJECT
public:
    explicit NotesWindow(NotesText& notes, QWidget* parent = nullptr);

    ScriptEditor* editor() const { return m_editor; }
    HiddenTextBuffer* undoBox() const { return m_undo; }
    QListWidget* menuList() const { return m_menu; }
    EditorMenu* editorMenu() const { return m_editorMenu; }

    // Shows the window at its normal size in front of the others, even when it was minimised,
    // maximised or behind the main window.
    void bringForward();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillWindow();
    void editorChanged();
    void notesChanged(const QString& text);

    NotesText& m_notes;
    ScriptEditor* m_editor = nullptr;
    HiddenTextBuffer* m_undo = nullptr;
    QListWidget* m_menu = nullptr;
    EditorMenu* m_editorMenu = nullptr;
    bool m_writingNotes = false;
};
