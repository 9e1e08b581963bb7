// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// A file operation that went wrong: which file and the system's reason.
struct FileFailure {
    QString path;
    QString reason;
    bool operator==(const FileFailure&) const = default;
};

// What an operation on several files gives back to the window that decides what to show.
struct FileOutcome {
    QList<FileFailure> failures;
    // Characters the 8-bit files cannot hold; they were written as '?'.
    QString replacedCharacters;

    bool ok() const { return failures.isEmpty(); }
    void add(const FileFailure& failure) { failures.append(failure); }
    void merge(const FileOutcome& other);
    void noteReplaced(const QString& characters);
};

// The system says "No such file or directory" for a missing folder or file; say which. A file
// that is missing matters only to a read: a write creates it, so its failure has other reasons.
enum class FileAccess { Read, Write };
FileFailure explainMissing(const FileFailure& failure, FileAccess access);

// "path: reason" lines; a reason shared by several files comes once, followed by their paths.
QString describeFailures(const QList<FileFailure>& failures);
