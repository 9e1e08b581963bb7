// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "workspace/savewithsnapshot.h"

// A program folder and a working folder side by side, at 9:05:07 on 5 December 2026.
struct ProjectFolders {
    TempFolder root;
    Folders folders{root.file(QStringLiteral("prog")), root.file(QStringLiteral("work"))};
    FixedClock clock{QTime(9, 5, 7), QDate(2026, 12, 5)};

    ProjectFolders()
    {
        root.mkdir(QStringLiteral("prog"));
        root.mkdir(QStringLiteral("work"));
    }
    QStringList backups() const { return root.entries(QStringLiteral("prog/backup")); }
    QByteArray backup(const QString& name) const { return root.read(QStringLiteral("prog/backup/") + name); }
    QByteArray work(const QString& name) const { return root.read(QStringLiteral("work/") + name); }
    // SLO.qrb, VLO.qrb and Notes.qrb, each followed by '|'.
    QByteArray project() const
    {
        return work(QStringLiteral("SLO.qrb")) + '|' + work(QStringLiteral("VLO.qrb")) + '|' +
               work(QStringLiteral("Notes.qrb")) + '|';
    }
};
