// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class Dialogs;
class MainWindow;
class NotesText;
struct ProgramState;

// What the backup console and its preview reach in the program around them. The workbench
// that opens the console outlives both windows.
struct ConsoleContext {
    ProgramState& state;
    Dialogs& dialogs;
    NotesText& notes;
    QString backupFolder;
    // The 800 layout window, and the 1024 layout window, which is created (hidden) when it
    // does not exist yet.
    std::function<MainWindow*()> form800;
    std::function<MainWindow*()> form1024;
};
