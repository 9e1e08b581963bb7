// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class MainWindow;
class ProjectSaver;
class ReplaceBar;
class ScriptEditor;

// Find and replace in the editors of a main window: Ctrl+H, Ctrl+R and the editors' "Find and
// replace" row open the bar of the editor last used, with its selection or the word at the caret
// to find. Every search and replace of the bar first saves with a "_BEFORESEEK" snapshot.
class FindReplace : public QObject {
    Q_OBJECT
public:
    FindReplace(MainWindow& window, ProjectSaver& saver);

    ReplaceBar* barOf(const ScriptEditor& editor) const;
    void openIn(ScriptEditor& editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addMenuRow(ScriptEditor& editor);

    MainWindow& m_window;
    ProjectSaver& m_saver;
    bool m_vloLast = false;
};
