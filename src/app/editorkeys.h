// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/command.h"

#include <QObject>
#include <QPointer>
#include <functional>

class MainWindow;
class QWidget;
class ReplaceBar;
class ScriptEditor;
class SeekCommands;

// The keys of a main window: Ctrl+S saves as SAVE does; Ctrl+F goes to TEXT_SEEKER with the
// selected word; F3 and Shift+F3 search on and back in the editor last used (through its find
// and replace bar while that is open); Ctrl+G goes to
// LINEINT1; Enter in TEXT_SEEKER searches on and Enter in LINEINT1 goes to the line; Escape
// returns to the editor. The search buttons join the Tab order, and every tooltip names its key.
class EditorKeys : public QObject {
    Q_OBJECT
public:
    using RunCommand = std::function<void(Command command)>;

    EditorKeys(MainWindow& window, SeekCommands& seek, RunCommand run);

    // SLO until VLO has had the focus.
    ScriptEditor* lastEditor() const;
    // The find and replace bar of the editor last used, while it is open.
    ReplaceBar* openReplaceBar() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findSelectedWord();
    void searchOn();
    void searchBack();
    void goToLine();
    void backToEditor();
    void bringIntoSight(QWidget* control);
    void addKeyToTooltips();

    MainWindow& m_window;
    SeekCommands& m_seek;
    RunCommand m_run;
    bool m_vloLast = false;
};
