// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandlinelock.h"

#include "workspace/folderlock.h"
#include "workspace/settingsfile.h"
#include "workspace/stalefiles.h"

#include <QDir>

namespace commandline {

int runLocked(const Folders& folders, QTextStream& err, const std::function<int()>& work,
              std::chrono::milliseconds wait)
{
    FolderLock lock(folders.workDir);
    FolderLock::Outcome outcome = lock.acquire();
    if (outcome == FolderLock::Outcome::Held) {
        err << QStringLiteral("qrb2: %1; waiting up to %2 seconds\n")
                   .arg(describeHeld(lock, folders.workDir))
                   .arg(std::chrono::duration_cast<std::chrono::seconds>(wait).count());
        err.flush();
        outcome = lock.acquire(wait);
    }
    switch (outcome) {
    case FolderLock::Outcome::Held:
        err << QStringLiteral("qrb2: nothing was written: %1; its lock file is %2\n")
                   .arg(describeHeld(lock, folders.workDir), QDir::toNativeSeparators(lock.path()));
        err.flush();
        return 1;
    case FolderLock::Outcome::TookOver:
        err << QStringLiteral("qrb2: ") << describeTakeover(lock, folders.workDir) << QLatin1Char('\n');
        break;
    case FolderLock::Outcome::Failed:
        // A folder that cannot hold the lock file cannot hold the project's files either: the
        // command goes on and names what it could not write.
        err << QStringLiteral("qrb2: the folder %1 could not be locked: %2\n")
                   .arg(QDir::toNativeSeparators(folders.workDir), lock.failure());
        break;
    case FolderLock::Outcome::Locked:
        break;
    }
    err.flush();
    stalefiles::sweep(folders, settingsfile::read(folders.workDir).record.gameDirectory);
    return work();
}

} // namespace commandline
