// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/folderlock.h"

#include "platform/processinfo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/time.h>
#endif

namespace {

bool g_letEveryoneIn = false;

// A lock file is written right after it is made; one that still names nobody after this long
// was left unwritten by a writer that died or a full disk.
constexpr std::chrono::seconds kUnwrittenStaleAfter{5};

std::optional<FolderLock::Holder> readHolder(const QLockFile& lock)
{
    FolderLock::Holder holder;
    if (!lock.getLockInfo(&holder.pid, &holder.host, &holder.program))
        return std::nullopt;
    return holder;
}

bool isOwnHost(const QString& host)
{
    return host.isEmpty() || host == QSysInfo::machineHostName();
}

// How long ago the lock file was last written or renewed; a time in the future counts as now.
std::chrono::milliseconds age(const QString& path)
{
    const QDateTime modified = QFileInfo(path).lastModified();
    return std::chrono::milliseconds(qMax<qint64>(0, modified.msecsTo(QDateTime::currentDateTime())));
}

// Why a lock that QLockFile keeps is stale all the same, or nothing when it is not.
QString staleBeyondProcess(const std::optional<FolderLock::Holder>& holder, const QString& path)
{
    if (!holder) {
        if (QFileInfo::exists(path) && age(path) > kUnwrittenStaleAfter)
            return QStringLiteral("left a lock file that names nobody");
        return QString();
    }
    if (!isOwnHost(holder->host) && age(path) > FolderLock::kForeignStaleAfter)
        return QStringLiteral("has not renewed its lock for %1 minutes")
            .arg(std::chrono::duration_cast<std::chrono::minutes>(age(path)).count());
    return QString();
}

} // namespace

FolderLock::FolderLock(const QString& workDir)
    : m_lock(std::make_unique<QLockFile>(QDir(workDir).filePath(kFileName)))
{
    // A copy working for hours is no reason to think its lock stale: only a holder that is
    // gone is (QLockFile then checks its process), or one on another host that stopped renewing.
    m_lock->setStaleLockTime(0);
}

FolderLock::Outcome FolderLock::acquire(std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    m_staleReason.clear();
    for (;;) {
        const std::optional<Holder> before = readHolder(*m_lock);
        if (m_lock->tryLock(0)) {
            // A lock found just before was removed by QLockFile because its process is gone,
            // unless its holder let go of it in the meantime.
            if (m_staleReason.isEmpty() && before && isOwnHost(before->host) &&
                !processinfo::isRunning(before->pid, 0)) {
                m_holder = *before;
                m_staleReason = QStringLiteral("is no longer running");
            }
            return m_staleReason.isEmpty() ? Outcome::Locked : Outcome::TookOver;
        }
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_failure = m_lock->error() == QLockFile::PermissionError
                            ? QStringLiteral("the folder does not let the lock file be made")
                            : QStringLiteral("the lock file could not be written");
            return Outcome::Failed;
        }
        const std::optional<Holder> holder = readHolder(*m_lock);
        const QString stale = staleBeyondProcess(holder, path());
        if (!stale.isEmpty() && m_lock->removeStaleLockFile()) {
            m_holder = holder.value_or(Holder{});
            m_staleReason = stale;
            continue;
        }
        if (holder)
            m_holder = *holder;
        if (g_letEveryoneIn)
            return Outcome::Locked;
        if (deadline.hasExpired())
            return Outcome::Held;
        QThread::msleep(100);
    }
}

FolderLock::~FolderLock()
{
    release();
}

void FolderLock::release()
{
    if (!m_lock->isLocked())
        return;
    // QLockFile removes the file by its name, whoever it names now: a lock taken over by
    // another copy must stay, so the object that would remove it is let go unclosed instead.
    if (!namesThisProcess()) {
        const QString path = m_lock->fileName();
        (void)m_lock.release();
        m_lock = std::make_unique<QLockFile>(path);
        m_lock->setStaleLockTime(0);
        return;
    }
    m_lock->unlock();
}

bool FolderLock::namesThisProcess() const
{
    const std::optional<Holder> holder = readHolder(*m_lock);
    return holder && holder->pid == QCoreApplication::applicationPid() && isOwnHost(holder->host);
}

bool FolderLock::renew()
{
    if (!m_lock->isLocked() || !namesThisProcess())
        return false;
#ifdef Q_OS_UNIX
    ::utimes(QFile::encodeName(path()).constData(), nullptr);
#endif
    return true;
}

void FolderLock::letEveryoneInForTesting(bool on)
{
    g_letEveryoneIn = on;
}

QString describeHolder(const FolderLock::Holder& holder)
{
    const QString program = holder.program.isEmpty() ? QStringLiteral("a program") : holder.program;
    const QString host = holder.host.isEmpty() ? QSysInfo::machineHostName() : holder.host;
    return QStringLiteral("%1, process %2 on host %3").arg(program).arg(holder.pid).arg(host);
}

QString describeHeld(const FolderLock& lock, const QString& folder)
{
    return QStringLiteral("the folder %1 is held by another copy of QRB2 (%2)")
        .arg(QDir::toNativeSeparators(folder), describeHolder(lock.holder()));
}

QString describeTakeover(const FolderLock& lock, const QString& folder)
{
    if (lock.holder().pid <= 0)
        return QStringLiteral("took over the lock of %1, whose lock file named nobody")
            .arg(QDir::toNativeSeparators(folder));
    return QStringLiteral("took over the lock of %1 from %2, which %3")
        .arg(QDir::toNativeSeparators(folder), describeHolder(lock.holder()), lock.staleReason());
}
