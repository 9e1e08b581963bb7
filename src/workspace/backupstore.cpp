// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/backupstore.h"

#include "platform/atomicfile.h"
#include "workspace/snapshotlink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace backupstore {

QString folder(const QString& programDir)
{
    return QDir(programDir).filePath(kFolderName);
}

QString stamp(const QTime& time, const QDate& date)
{
    return QStringLiteral("%1.%2.%3_%4-%5-%6")
        .arg(date.day())
        .arg(date.month())
        .arg(date.year())
        .arg(time.hour())
        .arg(time.minute())
        .arg(time.second());
}

QString snapshotName(const QString& projectFileName, const QString& stamp, const QString& suffix)
{
    return projectFileName + stamp + suffix;
}

std::optional<FileFailure> ensureFolder(const QString& programDir)
{
    const QString path = folder(programDir);
    const QFileInfo info(path);
    if (info.isDir())
        return std::nullopt;
    if (info.exists())
        return FileFailure{path,
                           QStringLiteral("a file of that name stands where the backup folder belongs")};
    if (!QDir().mkpath(path)) {
        const QFileInfo parent(programDir);
        const QString reason = parent.isDir() && !parent.isWritable()
                                   ? QStringLiteral("Permission denied")
                                   : QStringLiteral("the folder could not be created");
        return FileFailure{path, reason};
    }
    return std::nullopt;
}

std::optional<FileFailure> copySnapshot(const QString& source, const QString& target)
{
    // An unchanged file shares the newest snapshot's bytes instead of taking new space.
    if (snapshotlink::linkToNewestIfSame(source, target)) {
        snapshotlink::remember(source, target);
        return std::nullopt;
    }
    // Copied under a temporary name and renamed over the target, so that a failed copy (a full
    // disk) never leaves a cut snapshot or destroys an earlier one of the same name.
    std::optional<FileFailure> failure = atomicfile::copy(source, target);
    if (!failure)
        snapshotlink::remember(source, target);
    return failure;
}

QString freeSuffix(const QString& backupFolder, const QStringList& projectFileNames, const QString& stamp,
                   const QString& suffix)
{
    const QDir dir(backupFolder);
    const auto taken = [&](const QString& candidate) {
        for (const QString& name : projectFileNames) {
            if (QFileInfo::exists(dir.filePath(snapshotName(name, stamp, candidate))))
                return true;
        }
        return false;
    };
    QString candidate = suffix;
    for (int n = 2; taken(candidate); ++n)
        candidate = suffix + QLatin1Char('_') + QString::number(n);
    return candidate;
}

} // namespace backupstore
