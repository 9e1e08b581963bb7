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

Made copySnapshot(const QString& source, const QString& target)
{
    Made made;
    // An unchanged file shares the newest snapshot's bytes instead of taking new space.
    switch (snapshotlink::linkToNewestIfSame(source, target)) {
    case snapshotlink::Linked::Yes:
        snapshotlink::remember(source, target);
        return made;
    case snapshotlink::Linked::NameTaken:
        made.nameTaken = true;
        return made;
    case snapshotlink::Linked::No:
        break;
    }
    // Copied under a temporary name that then becomes the new name, so that a failed copy (a
    // full disk) never leaves a cut snapshot.
    made.failure = atomicfile::copyNew(source, target, made.nameTaken);
    if (!made.failure && !made.nameTaken)
        snapshotlink::remember(source, target);
    return made;
}

QString numberedSuffix(const QString& suffix, int number)
{
    return number <= 1 ? suffix : suffix + QLatin1Char('_') + QString::number(number);
}

int freeNumber(const QString& backupFolder, const QStringList& projectFileNames, const QString& stamp,
               const QString& suffix)
{
    const QDir dir(backupFolder);
    const auto taken = [&](int number) {
        for (const QString& name : projectFileNames) {
            if (QFileInfo::exists(dir.filePath(snapshotName(name, stamp, numberedSuffix(suffix, number)))))
                return true;
        }
        return false;
    };
    int number = 1;
    while (taken(number))
        ++number;
    return number;
}

Placed placeSnapshot(const QString& source, const QString& backupFolder, const QString& projectFileName,
                     const QString& stamp, const QString& suffix, int number)
{
    constexpr int kMostInOneSecond = 100000;
    const QDir dir(backupFolder);
    for (; number < kMostInOneSecond; ++number) {
        const QString target =
            dir.filePath(snapshotName(projectFileName, stamp, numberedSuffix(suffix, number)));
        const Made made = copySnapshot(source, target);
        if (made.failure)
            return {QString(), made.failure};
        if (!made.nameTaken)
            return {target, std::nullopt};
    }
    return {QString(), FileFailure{dir.filePath(snapshotName(projectFileName, stamp, suffix)),
                                   QStringLiteral("no free snapshot name in this second")}};
}

} // namespace backupstore
