// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The variable file the game reads for one skirmish computer player: a banner, the script it
// runs, the run block binding the player's number (to `player`, or to `me` for scripts that
// keep it there), then the author's VLO text.
namespace variablefile {

inline const QString kPlayerVariable = QStringLiteral("player");

// The variable the head binds for this script: `me` when the script declares a public `me`
// and no public `player` (the game's 2.1 and 2.3 AIs), else `player`.
QString boundVariable(const QString& sloText);

// Lines 1 to 11 of the file for the player, each with its CR LF.
QString head(const QString& playerText, const QString& variable = kPlayerVariable);

// The text assembled in the EXPORT buffer: head, VLO text, CR LF and "}". The file writer
// appends the final CR LF.
QString generate(const QString& playerText, const QString& vloText,
                 const QString& variable = kPlayerVariable);

} // namespace variablefile
