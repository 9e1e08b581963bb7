#include "workspace/backupstore.h"

#include "platform/textfile.h"
#include "workspace/snapshotlink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

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
        return FileFailure{path, QStringLiteral("a file of that name stands where the backup folder belongs")};
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
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return FileFailure{source, in.errorString()};
    in.close();
    // An unchanged file shares the newest snapshot's bytes instead of taking new space.
    if (snapshotlink::linkToNewestIfSame(source, target)) {
        snapshotlink::remember(source, target);
        return std::nullopt;
    }
    // Copied under a temporary name and renamed over the target, so that a failed copy (a full
    // disk) never leaves a cut snapshot or destroys an earlier one of the same name. The system
    // copies the bytes itself, without passing them through the program.
    const QString temporary = target + QStringLiteral(".partial");
    QFile::remove(temporary);
    if (!in.copy(temporary)) {
        const QString reason = in.errorString();
        QFile::remove(temporary);
        return FileFailure{target, reason};
    }
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(temporary).toStdString()),
                            std::filesystem::path(QFile::encodeName(target).toStdString()), error);
    if (error) {
        QFile::remove(temporary);
        return FileFailure{target, QString::fromStdString(error.message())};
    }
    snapshotlink::remember(source, target);
    return std::nullopt;
}

} // namespace backupstore
