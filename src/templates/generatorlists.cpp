// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/generatorlists.h"

#include "templates/templatefiles.h"

#include <algorithm>

namespace generatorlists {

int fill(QString* entries, int capacity, const QStringList& lines)
{
    const int stored = static_cast<int>(std::min<qsizetype>(capacity, lines.size()));
    std::copy_n(lines.cbegin(), stored, entries);
    return static_cast<int>(lines.size()) - stored;
}

void fillSecondPropulsions(GeneratorState& state, const QStringList& lines)
{
    fill(state.propulsionNames2.data(), GeneratorState::kPropulsionCount, lines);
    if (!lines.isEmpty())
        state.propulsionAlt = lines.last();
}

QList<FileFailure> load(GeneratorState& state, const QString& workDir)
{
    state.templateLimit = 32;
    QList<FileFailure> problems;
    struct Target {
        QString* entries;
        int capacity;
    };
    const std::array<Target, 3> lists = {
        Target{state.weaponNames.data(), GeneratorState::kWeaponCount},
        Target{state.bodyNames.data(), GeneratorState::kBodyCount},
        Target{state.propulsionNames.data(), GeneratorState::kPropulsionCount}};
    for (int i = 0; i < kFileCount; ++i) {
        const QString path = templatefiles::rtsPath(workDir, kFileNames[i]);
        const templatefiles::ListText file = templatefiles::readList(path);
        if (file.failure) {
            problems.append(*file.failure);
            continue;
        }
        const QStringList lines = templatefiles::splitLines(*file.text);
        if (i == kFileCount - 1) {
            fillSecondPropulsions(state, lines);
            continue;
        }
        const int dropped = fill(lists[i].entries, lists[i].capacity, lines);
        if (dropped > 0) {
            problems.append({path, QStringLiteral("%1 lines; only the first %2 are used")
                                       .arg(lines.size())
                                       .arg(lists[i].capacity)});
        }
    }
    return problems;
}

} // namespace generatorlists
