// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Snapshots of an unchanged project file share their space: when the file to be snapshotted
// holds the same bytes as the newest snapshot of that file, the new snapshot is a hard link
// to it. A snapshot is never written to or replaced after it was made, so nothing can change
// the bytes the linked names share.
namespace snapshotlink {

enum class Linked {
    Yes,
    NameTaken, // a file of that name exists already; it was left alone
    No,        // not the same bytes, no snapshot yet, or the file system refused: copy instead
};

// Makes the new name `target` a hard link to the newest snapshot of `source`'s file in
// `target`'s folder when that snapshot holds the same bytes as `source`.
Linked linkToNewestIfSame(const QString& source, const QString& target);

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
