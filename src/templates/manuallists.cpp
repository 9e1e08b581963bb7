// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/manuallists.h"

#include "templates/templatefiles.h"

#include <limits>

namespace manuallists {

std::array<MtsList*, kFileCount> listsInFileOrder(ManualSelectorState& state)
{
    return {&state.mtsWeaponIds,   &state.mtsBodyIds,   &state.mtsPropIds,
            &state.mtsWeaponNames, &state.mtsBodyNames, &state.mtsPropNames};
}

void fill(MtsList& list, const QStringList& lines)
{
    list.count = 0;
    for (const QString& line : lines) {
        if (list.count < MtsList::kCapacity)
            list.entries[list.count] = line;
        // The count is 16 bits wide; a list of more lines than it can count stays at its top.
        if (list.count < std::numeric_limits<qint16>::max())
            ++list.count;
    }
}

QList<FileFailure> load(ManualSelectorState& state, const QString& workDir)
{
    QList<FileFailure> problems;
    std::array<bool, kFileCount> read{};
    std::array<QString, kFileCount> paths;
    const auto lists = listsInFileOrder(state);
    for (int i = 0; i < kFileCount; ++i) {
        paths[i] = templatefiles::mtsPath(workDir, kFileNames[i]);
        const templatefiles::ListText file = templatefiles::readList(paths[i]);
        read[i] = file.text.has_value();
        if (file.failure)
            problems.append(*file.failure);
        fill(*lists[i], file.text ? templatefiles::splitLines(*file.text) : QStringList());
    }
    // A name without an identifier would give an empty (or stale) identifier in the lines.
    constexpr int kNamesOffset = kFileCount / 2;
    for (int id = 0; id < kNamesOffset; ++id) {
        const int nm = id + kNamesOffset;
        const int names = lists[nm]->used();
        const int identifiers = lists[id]->used();
        if (read[id] && read[nm] && names > identifiers) {
            problems.append({paths[nm], QStringLiteral("more names (%1) than %2 has identifiers (%3)")
                                            .arg(names)
                                            .arg(kFileNames[id])
                                            .arg(identifiers)});
        }
    }
    state.mtsNextNumber = QStringLiteral("0");
    return problems;
}

} // namespace manuallists
