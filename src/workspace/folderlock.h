// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <chrono>
#include <memory>

// One copy of the program writes into a working folder at a time. The lock is the file
// ".qrb2.lock" beside the project files, holding the holder's process id, host and program;
// it goes away when its holder ends normally. A lock left by a process that is gone (killed,
// crashed, or on a machine that restarted since), or by a copy on another host that has not
// renewed it for ten minutes, is stale and taken over.
class FolderLock {
public:
    inline static const QString kFileName = QStringLiteral(".qrb2.lock");
    static constexpr std::chrono::minutes kForeignStaleAfter{10};
    static constexpr std::chrono::minutes kRenewEvery{1};

    struct Holder {
        qint64 pid = 0;
        QString host;
        QString program;
    };
    enum class Outcome {
        Locked,
        TookOver, // a stale lock was taken over; holder() names the copy that left it
        Held,     // another copy holds it; holder() names it
        Failed,   // the lock file could not be made (a read-only folder); failure() says why
    };

    explicit FolderLock(const QString& workDir);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock, waiting up to `wait` for the holder to let go.
    Outcome acquire(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    bool isLocked() const { return m_lock->isLocked(); }
    const Holder& holder() const { return m_holder; }
    // Why the lock taken over was stale: "is no longer running" ...
    const QString& staleReason() const { return m_staleReason; }
    const QString& failure() const { return m_failure; }
    QString path() const { return m_lock->fileName(); }

    // Renews the lock's time for other hosts. False when the lock file no longer names this
    // process: it was removed or taken over, and this copy must not write any more.
    bool renew();
    // Removes the lock file, unless it names another copy by now.
    void release();

    // Test seam: a lock held by another copy is reported as taken (without holding it), so
    // that two writers run side by side.
    static void letEveryoneInForTesting(bool on);

private:
    bool namesThisProcess() const;

    std::unique_ptr<QLockFile> m_lock;
    Holder m_holder;
    QString m_staleReason;
    QString m_failure;
};

// "qrb2, process 1234 on host box".
QString describeHolder(const FolderLock::Holder& holder);
// "the folder /home/ai is held by another copy of QRB2 (qrb2, process 1234 on host box)".
QString describeHeld(const FolderLock& lock, const QString& folder);
// "took over the lock of /home/ai from qrb2, process 1234 on host box, which is no longer running".
QString describeTakeover(const FolderLock& lock, const QString& folder);
