// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Snapshots of an unchanged project file share their space: when the file to be snapshotted
// holds the same bytes as the newest snapshot of that file, the new snapshot is a hard link
// to it. A snapshot is never written to after it was made (a new one replaces the name by a
// rename), so nothing can change the bytes the linked names share.
namespace snapshotlink {

// Makes `target` a hard link to the newest snapshot of `source`'s file in `target`'s folder
// when that snapshot holds the same bytes as `source`. False when it does not, when there is
// none, or when the file system refuses the link: the caller copies then.
bool linkToNewestIfSame(const QString& source, const QString& target);

// Records `target` as the newest snapshot of `source`'s file. The newest snapshot of each file
// is kept in memory; the folder is looked through only once per run, for a file not yet known.
void remember(const QString& source, const QString& target);

// While one exists, every link is refused, as on a file system without hard links.
class RefusingLinks {
public:
    RefusingLinks();
    ~RefusingLinks();
    RefusingLinks(const RefusingLinks&) = delete;
    RefusingLinks& operator=(const RefusingLinks&) = delete;
};

} // namespace snapshotlink
