// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

// The folder "backup" in the program directory. Before every save the project files VLO.qrb
// and SLO.qrb are copied into it, each under its own name followed by a date-time stamp and
// the suffix of the save: VLO.qrb5.12.2026_9-5-7_MANUAL. Nothing in it is ever deleted.
namespace backupstore {

inline const QString kFolderName = QStringLiteral("backup");

inline const QString kSuffixBeforeCompile = QStringLiteral("_BEFORECOMPILE");
inline const QString kSuffixBeforeSeek = QStringLiteral("_BEFORESEEK");
inline const QString kSuffixManual = QStringLiteral("_MANUAL");
inline const QString kSuffixExit = QStringLiteral("_EXIT");

QString folder(const QString& programDir);

// day.month.year, "_", hour-minute-second, none with leading zeros: "5.12.2026_9-5-7".
// The date form is fixed, whatever the locale, so a name never holds a "/".
QString stamp(const QTime& time, const QDate& date);

QString snapshotName(const QString& projectFileName, const QString& stamp, const QString& suffix);

// Creates the folder when it is missing.
std::optional<FileFailure> ensureFolder(const QString& programDir);

// The outcome of making one snapshot under one name.
struct Made {
    // A file of that name exists (another save made it, even a moment before): it was left
    // alone and nothing was made.
    bool nameTaken = false;
    std::optional<FileFailure> failure;
};

// Makes `target` hold `source`'s bytes, whole or not at all, only when no file of that name
// exists: a snapshot is never replaced. When `source` holds the same bytes as the newest
// snapshot of its file, `target` becomes a hard link to that snapshot (see snapshotlink.h).
Made copySnapshot(const QString& source, const QString& target);

// The suffix itself for 1, else the suffix followed by "_2", "_3" ...
QString numberedSuffix(const QString& suffix, int number);

// The first number whose suffix none of the project files has a snapshot with yet, so that
// the snapshots of one save carry one name.
int freeNumber(const QString& backupFolder, const QStringList& projectFileNames, const QString& stamp,
               const QString& suffix);

struct Placed {
    QString path;
    std::optional<FileFailure> failure;
};

// Makes the snapshot of `source` under the first name from `number` on that nobody has taken,
// so two saves within one second, even by two copies of the program, keep both states.
Placed placeSnapshot(const QString& source, const QString& backupFolder, const QString& projectFileName,
                     const QString& stamp, const QString& suffix, int number);

} // namespace backupstore
