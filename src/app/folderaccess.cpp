// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/folderaccess.h"

#include "platform/dialogs.h"
#include "workspace/writeguard.h"

#include <QDir>
#include <QTimer>

namespace {

QString lostReason(const QString& workDir)
{
    return QStringLiteral("its lock of the folder %1 was removed or taken over by another copy of QRB2")
        .arg(QDir::toNativeSeparators(workDir));
}

QString inUseQuestion(const FolderLock& lock, const QString& workDir)
{
    return QStringLiteral("Another copy of QRB2 is working in this folder:\n%1\n\n"
                          "It is %2 (lock file %3).\n\n"
                          "Two copies saving into one folder would overwrite each other's work. "
                          "\"Open read-only\" lets you read and copy the project here, while every "
                          "command that writes is refused; \"Quit\" leaves the folder to the other copy.")
        .arg(QDir::toNativeSeparators(workDir), describeHolder(lock.holder()),
             QDir::toNativeSeparators(lock.path()));
}

} // namespace

FolderAccess::FolderAccess(const QString& workDir, Dialogs& dialogs, WriteGuard& guard, QObject* parent)
    : QObject(parent), m_workDir(workDir), m_dialogs(dialogs), m_guard(guard), m_lock(workDir)
{
    m_renewal.setInterval(FolderLock::kRenewEvery);
    connect(&m_renewal, &QTimer::timeout, this, &FolderAccess::renew);
}

bool FolderAccess::claim()
{
    switch (m_lock.acquire()) {
    case FolderLock::Outcome::Held:
        if (m_dialogs.askChoice(kFolderInUseTitle, inUseQuestion(m_lock, m_workDir), Dialogs::Icon::Warning,
                                {kOpenReadOnly, kQuit}) != 0)
            return false;
        m_guard.setReadOnly(describeHeld(m_lock, m_workDir));
        m_mark = QStringLiteral("READ-ONLY \u00b7 another copy of QRB2 works in this folder");
        return true;
    case FolderLock::Outcome::TookOver:
        m_dialogs.tell(kFolderLockTitle, QStringLiteral("QRB2 ") + describeTakeover(m_lock, m_workDir) + '.',
                       Dialogs::Icon::Information);
        break;
    case FolderLock::Outcome::Failed:
        // A folder that cannot hold the lock file cannot hold the project either; each save
        // names what it could not write.
        return true;
    case FolderLock::Outcome::Locked:
        break;
    }
    if (m_lock.isLocked()) {
        m_guard.setLockCheck(
            [this] {
                const bool held = m_lock.renew();
                if (!held) // found before a write, which tells the author itself
                    QTimer::singleShot(0, this, [this] { lose(false); });
                return held;
            },
            lostReason(m_workDir));
        m_renewal.start();
    }
    return true;
}

QString FolderAccess::mark() const
{
    return m_mark;
}

void FolderAccess::renew()
{
    if (m_guard.readOnly())
        lose(true);
}

void FolderAccess::lose(bool tell)
{
    if (!m_mark.isEmpty())
        return;
    m_renewal.stop();
    m_mark = QStringLiteral("READ-ONLY \u00b7 this copy lost the lock of its folder");
    Q_EMIT becameReadOnly();
    if (tell)
        m_dialogs.tell(kReadOnlyTitle,
                       QStringLiteral("This copy of QRB2 is READ-ONLY from now on: %1.\n\n"
                                      "Nothing you typed is lost: copy what you need into the other "
                                      "copy, or close this one.")
                           .arg(m_guard.reason()),
                       Dialogs::Icon::Warning);
}
