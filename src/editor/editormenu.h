// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class HiddenTextBuffer;
class QKeyEvent;
class QListWidget;
class QMouseEvent;
class ScriptEditor;

// The pop-up editing menu and the one-level undo of an editor. The snapshot keys copy the
// editor's whole text into its hidden undo box before the editor acts on the key; the right
// button shows the menu list at the pointer, any other button hides it; "Undo" brings back the
// snapshot. The editor's own keys (arrows, Ctrl+C/X/V, Ctrl+Z/Y) keep working untouched.
class EditorMenu : public QObject {
    Q_OBJECT
public:
    enum Item { Undo = 0, Separator = 1, Copy = 2, Cut = 3, Paste = 4 };

    enum class ClipboardUse {
        // The main editors: the clipboard holds only the copied text afterwards.
        ReplaceAll,
        // The notes editor: pictures and other data already on the clipboard stay there.
        KeepOtherData,
    };

    // The keys (Qt key codes) that take a snapshot in each editor.
    static QList<int> mainEditorKeys(bool withBackspace);
    static QList<int> notesKeys();

    // Lives as long as the editor; the list and the undo box belong to the editor's window.
    EditorMenu(ScriptEditor& editor, HiddenTextBuffer& snapshot, QListWidget& list, QList<int> snapshotKeys,
               ClipboardUse clipboardUse);

    // The menu item at `index` chosen, as by a click on it.
    void choose(int index);

Q_SIGNALS:
    // A row below "Paste" was chosen; the list closes afterwards.
    void otherItemChosen(int index);

private:
    void onKey(QKeyEvent* event);
    void onMousePress(QMouseEvent* event);
    void showAt(const QPoint& viewportPosition);
    void undo();
    void copySelection();
    void finish();

    ScriptEditor& m_editor;
    HiddenTextBuffer& m_snapshot;
    QListWidget& m_list;
    QList<int> m_snapshotKeys;
    ClipboardUse m_clipboardUse;
};
