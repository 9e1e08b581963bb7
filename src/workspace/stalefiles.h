// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/programstate.h"

#include <QStringList>

// A run that was killed while writing leaves our temporaries behind; the next start removes
// them (and nothing else) from every folder the program writes into.
namespace stalefiles {

// The working folder, the backup folder, the game's skirmish folder and RTS/.
QStringList foldersWrittenTo(const Folders& folders, const QString& gameDirectory);

// Returns the paths removed.
QStringList sweep(const Folders& folders, const QString& gameDirectory);

} // namespace stalefiles
