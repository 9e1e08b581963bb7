// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "workspace/programstate.h"

#include <QString>

// Where the workbench keeps the project, the settings, the backup folder, the view settings
// and the component lists. An installed program (its shipped data in share/qrb2 beside its
// bin/ folder) uses the user's data folder, unless its own folder already holds a settings
// file; any other copy works beside itself as it always has; --folder chooses any folder.
namespace datafolder {

struct Place {
    Folders folders;
    // The installed program's shipped data (Help.qrb, mts/, RTS/), to copy into the folder
    // where it is missing; empty when the folder needs nothing copied.
    QString shippedData;
};

struct Choice {
    Place place;
    // Non-empty when no folder could be chosen.
    QString error;
    bool ok() const { return error.isEmpty(); }
};

struct Inputs {
    QString programDir;
    QString currentDir;
    // QStandardPaths' writable AppDataLocation.
    QString userDataDir;
    // --folder, or a null string.
    QString folderOption;
    // The shipped data relative to the program's folder when installed ("../share/qrb2").
    QString sharedDataFromProgram = defaultSharedDataFromProgram();

    static QString defaultSharedDataFromProgram();
};

// Decides the folder without creating anything.
Choice choose(const Inputs& inputs);

// Creates the folder when it is missing and copies each shipped file that it lacks (names
// compared without regard to case). Existing files are never replaced.
FileOutcome prepare(const Place& place);

} // namespace datafolder
