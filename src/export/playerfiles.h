// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-player files of the game's skirmish folder: the game directory followed by
// "/multiplay/skirmish/playerN.slo" (or ".vlo"), the "/" written as it is.
namespace playerfiles {

inline constexpr int kPlayerCount = 8;

QString path(const QString& gameDirectory, const QString& playerText, const QString& extension);

} // namespace playerfiles
