// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "platform/fileresult.h"
#include "workspace/programstate.h"
#include "workspace/projectfiles.h"

#include <QStringList>

// The one save procedure behind every save: copy VLO.qrb and SLO.qrb as they lie on disk into
// the backup folder under a stamped name, then rewrite the project files from the texts.
namespace savewithsnapshot {

struct Result {
    QString stamp;
    // Full paths of the snapshots made.
    QStringList snapshots;
    // Backup folder or snapshot copies that failed.
    QList<FileFailure> backupFailures;
    // Project files left as they were because their snapshot could not be made: the text on
    // disk is then the only copy of the previous save, so it is not overwritten.
    QStringList keptUnwritten;
    // Project files that could not be written.
    FileOutcome writeOutcome;

    bool ok() const { return backupFailures.isEmpty() && writeOutcome.ok(); }
};

Result run(const Folders& folders, const Clock& clock, const projectfiles::Texts& texts,
           const QString& suffix, bool withNotes);

// The box text telling the author what went wrong, naming each file and the reason.
QString describeProblems(const Result& result);

} // namespace savewithsnapshot
