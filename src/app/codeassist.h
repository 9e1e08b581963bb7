// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class CodeCompletion;
class CodeNavigation;
class Dialogs;
class MainWindow;
class NameIndexer;
class QListWidget;
class ScriptEditor;

// What the editors of a main window know of the script's names: the keys Ctrl+Space,
// F12, Ctrl+click (a name under the pointer with Ctrl held shows as a link), Alt+F12,
// Shift+F12, F2 and Ctrl+Shift+O, the pointer's tips, and one row
// per command in the editors' right-click menus, each naming its key.
class CodeAssist : public QObject {
    Q_OBJECT
public:
    CodeAssist(MainWindow& window, Dialogs& dialogs);

    NameIndexer& indexer() const { return *m_indexer; }
    CodeNavigation& navigation() const { return *m_navigation; }
    CodeCompletion& completion(const ScriptEditor& editor) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Command { Complete, Definition, Binding, References, Rename, Outline };
    void run(Command command, ScriptEditor& editor);
    // The command of a key, if it is one of these.
    static std::optional<Command> commandOf(int key, Qt::KeyboardModifiers modifiers);
    void addMenuRows(ScriptEditor& editor, QListWidget& list);
    ScriptEditor* editorOfViewport(QObject* viewport) const;

    MainWindow& m_window;
    NameIndexer* m_indexer;
    CodeNavigation* m_navigation;
    CodeCompletion* m_sloCompletion;
    CodeCompletion* m_vloCompletion;
};
