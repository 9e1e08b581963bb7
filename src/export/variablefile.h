#pragma once

#include <QString>

// The variable file the game reads for one skirmish computer player: a banner, the script it
// runs, the run block binding `player` to the player's number, then the author's VLO text.
namespace variablefile {

// Lines 1 to 11 of the file for the player, each with its CR LF.
QString head(const QString& playerText);

// The text assembled in the EXPORT buffer: head, VLO text, CR LF and "}". The file writer
// appends the final CR LF.
QString generate(const QString& playerText, const QString& vloText);

} // namespace variablefile
