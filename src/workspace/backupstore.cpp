#include "workspace/backupstore.h"

#include "platform/textfile.h"

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
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return FileFailure{source, in.errorString()};
    return textfile::replaceAtomically(target, bytes);
}

} // namespace backupstore
