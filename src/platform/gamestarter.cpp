// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gamestarter.h"

#include <QFileInfo>
#include <QProcess>

bool DetachedProcessStarter::start(const QString& program, const QString& workingDirectory, QString* reason)
{
    const QFileInfo info(program);
    if (!info.exists()) {
        if (reason)
            *reason = QStringLiteral("the file does not exist");
        return false;
    }
    if (!info.isFile() || !info.isExecutable()) {
        if (reason)
            *reason = QStringLiteral("the file is not an executable program");
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(workingDirectory);
    if (!process.startDetached()) {
        if (reason)
            *reason = process.errorString();
        return false;
    }
    return true;
}
