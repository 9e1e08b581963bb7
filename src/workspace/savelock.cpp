// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/savelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

SaveLock::SaveLock(const QString& folder, std::chrono::milliseconds wait)
{
#ifdef Q_OS_UNIX
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return; // the save itself will name what is wrong with the folder
    const QDeadlineTimer deadline(wait);
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK || deadline.hasExpired()) {
            m_held = errno != EWOULDBLOCK;
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        QThread::msleep(5);
    }
#else
    Q_UNUSED(folder);
    Q_UNUSED(wait);
#endif
}

SaveLock::~SaveLock()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd); // closing drops the lock
#endif
}
