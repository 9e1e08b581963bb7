// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"
#include "platform/gamestarter.h"

#include <QStringList>

// Starts the game from its folder so the author can try the exported AI at once. The game gets
// the game folder as its working directory; the program's own stays where it is, so the
// project files are read and written where they always were.
namespace gamelaunch {

// The executable: warzone.exe in the game folder, or warzone2100 (the name of the game's
// Linux builds) where there is no warzone.exe; when the game folder holds neither, warzone2100
// in one of `programFolders` (the PATH, /usr/games). `tried` receives what was looked at.
QString executable(const QString& gameDirectory, const QStringList& programFolders, QStringList* tried);

// Starts the game in its folder; tells the author what was tried and the reason when it cannot.
bool launch(GameStarter& starter, Dialogs& dialogs, const QString& gameDirectory,
            const QStringList& programFolders);

inline const QString kNotStartedTitle = QStringLiteral("GAME NOT STARTED");

} // namespace gamelaunch
