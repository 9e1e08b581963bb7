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

// Copies `source` byte for byte to `target`, replacing a file of that name; the old target
// stays whole if the copy fails. When `source` holds the same bytes as the newest snapshot of
// its file, `target` becomes a hard link to that snapshot instead (see snapshotlink.h).
std::optional<FileFailure> copySnapshot(const QString& source, const QString& target);

// The suffix under which none of the project files has a snapshot with this stamp yet: the
// suffix itself, else the suffix followed by "_2", "_3" ... so that two saves within one
// second keep both states.
QString freeSuffix(const QString& backupFolder, const QStringList& projectFileNames, const QString& stamp,
                   const QString& suffix);

} // namespace backupstore
