// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gamefolder.h"

#include <QDir>
#include <QFileInfo>

namespace gamefolder {

QStringList folderCandidates()
{
    return {QStringLiteral("/usr/share/games/warzone2100"), QStringLiteral("/usr/share/warzone2100"),
            QStringLiteral("/usr/local/share/games/warzone2100"),
            QStringLiteral("/usr/local/share/warzone2100"), QStringLiteral("/opt/warzone2100")};
}

QString firstStartGuess(const QStringList& candidates)
{
#ifdef Q_OS_WIN
    Q_UNUSED(candidates)
    return QStringLiteral("C:\\WZ2100");
#else
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return QString();
#endif
}

QStringList programFolders()
{
    QStringList folders = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString& games : {QStringLiteral("/usr/games"), QStringLiteral("/usr/local/games")}) {
        if (!folders.contains(games))
            folders.append(games);
    }
    return folders;
}

QString programIn(const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo program(QDir(folder).filePath(QStringLiteral("warzone2100")));
        if (program.isFile() && program.isExecutable())
            return program.filePath();
    }
    return QString();
}

} // namespace gamefolder
