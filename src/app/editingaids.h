// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/seekcommands.h"

#include <QObject>
#include <QPointer>
#include <memory>

class Dialogs;
class MainWindow;
class NotesText;
class NotesWindow;
class ScriptEditor;
class ViewControl;

// The editing aids of the main window: the editors' menus and undo, search and go to line,
// and the Runtime Notes window with the commands that send a selection into the notes.
class EditingAids : public QObject {
    Q_OBJECT
public:
    EditingAids(ProjectSaver& saver, ProgramState& state, NotesText& notes, Dialogs& dialogs,
                const QString& programDir, QObject* parent = nullptr);
    ~EditingAids() override;

    // Gives a layout window's editors their menus, snapshot keys, F10 and F11, the code editor's
    // line numbers, colours and keys, and makes a press on its LINEINT1 empty the box.
    void attach(MainWindow& window);

    SeekCommands& seek() { return m_seek; }
    ViewControl& view() { return *m_view; }

    // The notes window while it exists (created, shown or not), else null.
    NotesWindow* notesWindow() const { return m_notesWindow; }
    // Creates the notes window from the notes text if it does not exist; does not show it.
    NotesWindow* ensureNotesWindow();
    // "NOTES": shows the notes window in front at its normal size; the main window stays usable.
    void showNotes(const MainWindow& from);
    // The editor's selection, and a line break, go to the top of the notes. The notes window
    // is created if needed but not shown, and the editor's selection stays as it is.
    void selectionToNotes(const ScriptEditor& from);

private:
    SeekCommands m_seek;
    std::unique_ptr<ViewControl> m_view;
    NotesText& m_notes;
    QPointer<NotesWindow> m_notesWindow;
    bool m_notesPlaced = false;
};
