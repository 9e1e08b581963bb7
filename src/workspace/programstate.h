// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The state that lives for the whole run and crosses windows. One instance is owned by the
// workbench and handed by reference to whoever needs it.
struct ProgramState {
    // Loop counter of the per-player exports; holds 8 after an export.
    qint16 playerIndex = 0;
    // Decimal text of playerIndex during an export: "0" to "7".
    QString playerText;
    // Second field of the settings file; when true, switching back to the 800 layout hides
    // its "Internal Help" command.
    bool hideInternalHelp = false;
    // Set on the first timer tick after start-up.
    bool startupDone = false;
    // Set once the author has answered the exit question with Yes or No.
    bool exitConfirmed = false;
    // Work value of search and go to line.
    qint32 seekPosition = 0;
    // Which layout opened the backup console, and which list the preview came from.
    bool consoleFrom800 = false;
    bool previewIsSlo = false;
};

// Where the program lives and where it works. The project files and the settings are opened
// relative to the working directory, the backup folder lies under the program directory.
struct Folders {
    QString programDir;
    QString workDir;
};
