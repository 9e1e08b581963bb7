// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/savewithsnapshot.h"

#include "platform/filelookup.h"
#include "workspace/backupstore.h"
#include "workspace/savelock.h"

#include <QDir>
#include <QFileInfo>

namespace savewithsnapshot {

Result run(const Folders& folders, const Clock& clock, const projectfiles::Texts& texts,
           const QString& suffix, bool withNotes)
{
    Result result;
    const SaveLock lock(folders.workDir);
    if (!lock.held()) {
        result.writeOutcome.add(
            {folders.workDir, QStringLiteral("another save was writing into this folder for 10 seconds")});
        return result;
    }
    const std::optional<FileFailure> folderFailure = backupstore::ensureFolder(folders.programDir);

    // The time is read before the date, and both snapshots carry the one stamp.
    const QTime time = clock.timeOfDay();
    const QDate date = clock.date();
    result.stamp = backupstore::stamp(time, date);

    const QDir backupDir(backupstore::folder(folders.programDir));
    const QStringList names{projectfiles::kVlo, projectfiles::kSlo};
    const int number = backupstore::freeNumber(backupDir.path(), names, result.stamp, suffix);
    for (const QString& name : names) {
        const QString source = filelookup::resolve(folders.workDir, name);
        if (!QFileInfo(source).isFile())
            continue; // nothing saved before: nothing to keep
        const backupstore::Placed placed =
            folderFailure
                ? backupstore::Placed{QString(), folderFailure}
                : backupstore::placeSnapshot(source, backupDir.path(), name, result.stamp, suffix, number);
        if (placed.failure) {
            if (!result.backupFailures.contains(*placed.failure))
                result.backupFailures.append(*placed.failure);
            result.keptUnwritten.append(name);
        } else {
            result.snapshots.append(placed.path);
        }
    }

    result.writeOutcome = projectfiles::write(folders.workDir, texts, withNotes, result.keptUnwritten);
    return result;
}

QString describeProblems(const Result& result)
{
    QString text =
        QStringLiteral("THE PROJECT WAS NOT SAVED COMPLETELY. Your texts are still in the editors.");
    if (!result.backupFailures.isEmpty()) {
        text +=
            QStringLiteral("\n\nNo backup copy could be made:\n") + describeFailures(result.backupFailures);
        text += QStringLiteral(
                    "\nSo that the last saved text is not lost, these files were left as they were: ") +
                result.keptUnwritten.join(QStringLiteral(", ")) + QLatin1Char('.');
    }
    if (!result.writeOutcome.ok())
        text +=
            QStringLiteral("\n\nCould not be written:\n") + describeFailures(result.writeOutcome.failures);
    return text;
}

} // namespace savewithsnapshot
