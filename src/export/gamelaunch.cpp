// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/gamelaunch.h"

#include "platform/filelookup.h"
#include "platform/gamefolder.h"

#include <QDir>
#include <QFileInfo>

namespace gamelaunch {

QString executable(const QString& gameDirectory, const QStringList& programFolders, QStringList* tried)
{
    QString first;
    for (const QString& name : {QStringLiteral("warzone.exe"), QStringLiteral("warzone2100")}) {
        const QString path = filelookup::resolve(gameDirectory, name);
        if (tried)
            tried->append(path);
        if (first.isEmpty())
            first = path;
        if (QFileInfo(path).isFile())
            return path;
    }
    if (!programFolders.isEmpty()) {
        const QString installed = gamefolder::programIn(programFolders);
        if (!installed.isEmpty())
            return installed;
        if (tried)
            tried->append(QStringLiteral("warzone2100 in ") + programFolders.join(QStringLiteral(", ")));
    }
    return first;
}

bool launch(GameStarter& starter, Dialogs& dialogs, const QString& gameDirectory,
            const QStringList& programFolders)
{
    if (!QFileInfo(gameDirectory).isDir()) {
        dialogs.tell(
            kNotStartedTitle,
            QStringLiteral("The game folder \"%1\" does not exist. Put the game's folder into the GAME "
                           "DIRECTORY box.")
                .arg(gameDirectory),
            Dialogs::Icon::Critical);
        return false;
    }
    QStringList tried;
    const QString program = executable(gameDirectory, programFolders, &tried);
    if (!QFileInfo(program).isFile()) {
        dialogs.tell(kNotStartedTitle,
                     QStringLiteral("The game could not be started: there is no game program at\n") +
                         tried.join(QLatin1Char('\n')),
                     Dialogs::Icon::Critical);
        return false;
    }
    QString reason;
    if (!starter.start(program, gameDirectory, &reason)) {
        dialogs.tell(kNotStartedTitle,
                     QStringLiteral("The game could not be started:\n%1: %2").arg(program, reason),
                     Dialogs::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace gamelaunch
