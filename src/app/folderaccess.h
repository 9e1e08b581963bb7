// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/folderlock.h"

#include <QObject>
#include <QTimer>
#include <memory>

class Dialogs;
class WriteGuard;

inline const QString kFolderInUseTitle = QStringLiteral("FOLDER IN USE");
inline const QString kFolderLockTitle = QStringLiteral("FOLDER LOCK");
inline const QString kOpenReadOnly = QStringLiteral("Open read-only");
inline const QString kQuit = QStringLiteral("Quit");

// This copy's claim on its working folder: it takes the folder's lock at start and asks what
// to do when another copy holds it, renews the lock while it runs, and turns the copy
// read-only when the lock is lost.
class FolderAccess : public QObject {
    Q_OBJECT
public:
    FolderAccess(const QString& workDir, Dialogs& dialogs, WriteGuard& guard, QObject* parent = nullptr);

    // False when another copy holds the folder and the author chose "Quit".
    bool claim();
    // What the title strip says while the copy is read-only; empty while it may write.
    QString mark() const;

Q_SIGNALS:
    // The copy may no longer write; its windows show mark().
    void becameReadOnly();

private:
    void renew();
    // The lock is gone: read-only from now on; `tell` says so in a box.
    void lose(bool tell);

    QString m_workDir;
    Dialogs& m_dialogs;
    WriteGuard& m_guard;
    FolderLock m_lock;
    QTimer m_renewal;
    QString m_mark;
};
