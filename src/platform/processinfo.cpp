// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processinfo.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

namespace processinfo {

quint64 startTime(qint64 pid)
{
    if (pid <= 0)
        return 0;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks and parentheses; the fields after the
    // last ')' start with the state, the third field of the line. The start time is the 22nd.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    constexpr int kStartTimeAfterName = 22 - 3;
    if (fields.size() <= kStartTimeAfterName)
        return 0;
    bool ok = false;
    const quint64 ticks = fields.at(kStartTimeAfterName).toULongLong(&ok);
    return ok ? ticks : 0;
}

quint64 ownStartTime()
{
    static const quint64 own = startTime(QCoreApplication::applicationPid());
    return own;
}

bool isRunning(qint64 pid, quint64 startTime)
{
    if (pid <= 0)
        return false;
#ifdef Q_OS_UNIX
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return false;
    if (startTime == 0)
        return true;
    const quint64 now = processinfo::startTime(pid);
    return now == 0 || now == startTime;
#else
    Q_UNUSED(startTime);
    return pid == QCoreApplication::applicationPid();
#endif
}

} // namespace processinfo
