// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "templates/manualselectorstate.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The component lists of the manual template selector: six files in the folder mts, for each
// kind of component one file of game identifiers (.id) and one of display names (.nm), line k
// of the one belonging to line k of the other.
namespace manuallists {

inline constexpr int kFileCount = 6;
// In the order they are read.
inline const std::array<QString, kFileCount> kFileNames = {
    QStringLiteral("weapon.id"), QStringLiteral("body.id"), QStringLiteral("prop.id"),
    QStringLiteral("weapon.nm"), QStringLiteral("body.nm"), QStringLiteral("prop.nm")};

// The lists of the state in the order of kFileNames.
std::array<MtsList*, kFileCount> listsInFileOrder(ManualSelectorState& state);

// Reads the lines of a file into its list: each line goes to the entry of the list's count,
// as long as that is below 100, and counts whether or not it was stored. The count starts
// again at 0; entries beyond the new lines keep what they held.
void fill(MtsList& list, const QStringList& lines);

// The load of the selector window: reads the six files (a file that cannot be read gives an
// empty list) and sets the next number to "0". Gives the files that could not be read, and
// the name files that hold more names than their identifier files hold identifiers.
QList<FileFailure> load(ManualSelectorState& state, const QString& workDir);

} // namespace manuallists
