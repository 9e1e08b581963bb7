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
// Linux builds) where there is no warzone.exe. `tried` receives the paths looked at.
QString executable(const QString& gameDirectory, QStringList* tried);

// Starts the game; tells the author the paths tried and the reason when it cannot.
bool launch(GameStarter& starter, Dialogs& dialogs, const QString& gameDirectory);

inline const QString kNotStartedTitle = QStringLiteral("GAME NOT STARTED");

} // namespace gamelaunch
