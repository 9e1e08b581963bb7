// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/snapshotfolder.h"

#include "platform/textfile.h"
#include "workspace/projectfiles.h"
#include "workspace/snapshotname.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace snapshotfolder {

namespace {

const QString kSloPrefix = QStringLiteral("SLO.");
const QString kVloPrefix = QStringLiteral("VLO.");

std::optional<FileFailure> unlistable(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return std::nullopt;
    if (!info.isDir())
        return FileFailure{folder,
                           QStringLiteral("a file of that name stands where the backup folder belongs")};
    if (!info.isReadable() || !info.isExecutable())
        return FileFailure{folder, QStringLiteral("Permission denied")};
    return std::nullopt;
}

} // namespace

QString prefix(Kind kind)
{
    return kind == Kind::Slo ? kSloPrefix : kVloPrefix;
}

Listing list(const QString& folder)
{
    Listing listing;
    listing.failure = unlistable(folder);
    if (listing.failure)
        return listing;
    // The iterator gives names and file types straight from the directory, without a stat
    // per entry, so a folder of many thousand snapshots lists quickly.
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.startsWith(kSloPrefix, Qt::CaseInsensitive))
            listing.slo.append(name);
        else if (name.startsWith(kVloPrefix, Qt::CaseInsensitive))
            listing.vlo.append(name);
    }
    snapshotname::sortByTime(listing.slo);
    snapshotname::sortByTime(listing.vlo);
    return listing;
}

Loaded load(const QString& folder, const QString& name)
{
    Loaded loaded;
    const QString path = QDir(folder).filePath(name);
    if (QFileInfo(path).isDir()) {
        loaded.failure = FileFailure{path, QStringLiteral("it is a folder, not a snapshot file")};
        return loaded;
    }
    const textfile::ReadResult read = textfile::read(path);
    loaded.failure = read.failure;
    if (!loaded.failure)
        loaded.text = projectfiles::withoutWriterLineEnd(read.text);
    return loaded;
}

} // namespace snapshotfolder
