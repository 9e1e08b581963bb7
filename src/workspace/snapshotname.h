// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// What a snapshot's name tells: its project file, when the save ran and which save it was.
// SLO.qrb5.12.2026_9-5-7_MANUAL, or with a number when one second saw more than one snapshot
// of the same kind: SLO.qrb5.12.2026_9-5-7_MANUAL_2.
namespace snapshotname {

enum class SaveKind { Manual, Exit, BeforeCompile, BeforeSeek, Other };

struct Parts {
    QString projectFile; // "SLO.qrb" as the name spells it
    QDateTime when;
    SaveKind kind = SaveKind::Other;
    QString suffix; // "_MANUAL"
    int number = 1; // 2 for "_MANUAL_2"
};

// Nothing for a name the saves do not make (no stamp, an impossible date).
std::optional<Parts> parse(const QString& name);

// "Manual save", "Exit save", "Save before export", "Save before search or go to line, or when
// the system closed the window".
QString kindWords(const Parts& parts);

// The time in words: "Saturday, 5 December 2026 at 9:05:07".
QString timeWords(const QDateTime& when);

// The tooltip of a snapshot in the console: time, save kind and size, one a line. `size` is
// empty when the file could not be read; `linkCount` above 1 tells that identical snapshots
// share the space.
QString describe(const QString& name, std::optional<qint64> size, int linkCount);

// Oldest first by the time in the name (SLO.qrb5.12.2026_15-6-1_MANUAL before
// SLO.qrb5.12.2026_15-6-11_MANUAL), then by the number within one second; names without a stamp
// follow, by name without regard to case.
void sortByTime(QStringList& names);

} // namespace snapshotname
