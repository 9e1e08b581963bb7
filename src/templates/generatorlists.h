// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "templates/generatorstate.h"

#include <QString>
#include <QStringList>
#include <array>

// The component lists of the template generator: four files in the folder RTS, one game
// identifier per line.
namespace generatorlists {

inline constexpr int kFileCount = 4;
inline const std::array<QString, kFileCount> kFileNames = {
    QStringLiteral("weapons.txt"), QStringLiteral("bodies.txt"), QStringLiteral("propulsions.txt"),
    QStringLiteral("propulsions_2.txt")};

// Fills one list from index 0 with as many lines as it holds. Entries beyond the lines, and
// all of them for an empty file, keep what they held. Gives the number of lines that did not
// fit.
int fill(QString* entries, int capacity, const QStringList& lines);

// propulsions_2.txt: its first four lines into propulsionNames2, its last line into
// propulsionAlt (an empty file changes neither).
void fillSecondPropulsions(GeneratorState& state, const QStringList& lines);

// The load of the generator window: sets the template limit to 32 and reads the four files.
// Gives the files that could not be read (their lists keep what they held) and the lists
// that hold more lines than the generator uses.
QList<FileFailure> load(GeneratorState& state, const QString& workDir);

} // namespace generatorlists
