// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/stalefiles.h"

#include "platform/atomicfile.h"
#include "platform/filelookup.h"
#include "workspace/backupstore.h"

#include <QDir>
#include <QFileInfo>

namespace stalefiles {

QStringList foldersWrittenTo(const Folders& folders, const QString& gameDirectory)
{
    QStringList list{folders.workDir, backupstore::folder(folders.programDir),
                     filelookup::resolvePath(folders.workDir, QStringLiteral("RTS"))};
    if (!gameDirectory.isEmpty())
        list << QFileInfo(gameDirectory + QStringLiteral("/multiplay/skirmish/")).absolutePath();
    return list;
}

QStringList sweep(const Folders& folders, const QString& gameDirectory)
{
    QStringList removed;
    for (const QString& folder : foldersWrittenTo(folders, gameDirectory))
        removed += atomicfile::sweepStale(folder);
    return removed;
}

} // namespace stalefiles
