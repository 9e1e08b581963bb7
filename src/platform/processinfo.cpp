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

namespace {

// The fields of /proc/PID/stat after the command name, starting with the state (the 3rd field).
QList<QByteArray> statFields(qint64 pid)
{
    if (pid <= 0)
        return {};
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks and parentheses.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    return line.mid(close + 2).split(' ');
}

} // namespace

quint64 startTime(qint64 pid)
{
    const QList<QByteArray> fields = statFields(pid);
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
    const QList<QByteArray> fields = statFields(pid);
    // A process that was killed but not yet reaped by its parent runs no more.
    if (!fields.isEmpty() && (fields.first() == "Z" || fields.first() == "X"))
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
