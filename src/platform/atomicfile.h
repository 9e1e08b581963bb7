// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <optional>

// Replacing files so that a kill or a full disk never leaves one cut: each new content goes
// to a temporary file in the target's folder, is flushed and synced, and only when every file
// of a group is written are the temporaries renamed over the targets. On any failure the
// temporaries are removed and every old file stays as it was.
namespace atomicfile {

// Our temporaries start with a dot and this name, so they never match "SLO.*", "VLO.*" or a
// player's file, and a start-up sweep can tell them from everything else.
inline const QString kTemporaryPrefix = QStringLiteral(".qrb2-writing-");

bool isTemporaryName(const QString& fileName);

// The file at the end of a chain of symbolic links (the path itself when it is no link), or
// nothing with `reason` set when the chain loops. A replace writes that file and leaves every
// link of the chain a link.
std::optional<QString> finalTarget(const QString& path, QString* reason = nullptr);

// What a replace does when the target is a symbolic link.
enum class Links {
    Follow,  // the file at the end of the chain is replaced
    Replace, // the link itself is replaced by the new file; its target is never touched
};

// One file being written under a temporary name.
class PendingFile {
public:
    explicit PendingFile(QString target, Links links = Links::Follow);
    ~PendingFile(); // removes the temporary unless it was renamed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const QString& target() const { return m_target; }
    bool isOpen() const { return m_file.isOpen(); }

    std::optional<FileFailure> open();
    std::optional<FileFailure> write(QByteArrayView bytes);
    // Syncs and closes the temporary; the target is still untouched.
    std::optional<FileFailure> finish();
    // Renames the finished temporary over the target.
    std::optional<FileFailure> rename();
    // Gives the finished temporary the target's name only when no file of that name exists;
    // an existing one is never replaced: `nameTaken` is then set and the temporary stays.
    std::optional<FileFailure> renameNew(bool& nameTaken);
    // The file the rename replaces: the end of the target's link chain, or the target.
    const QString& finalPath() const { return m_final; }
    void discard();

private:
    FileFailure failure(const QString& reason) const { return {m_target, reason}; }

    QString m_target;
    Links m_links;
    QString m_final;
    QString m_temporary;
    QFile m_file;
    qint64 m_written = 0;
    bool m_finished = false;
    std::optional<qint64> m_faultAt;
    int m_faultError = 0;
};

struct Replacement {
    QString path;
    QList<QByteArray> parts;
};

// Writes every file, then renames them all; when any write fails nothing is renamed and the
// failures name the targets.
QList<FileFailure> replaceAll(const QList<Replacement>& files);
std::optional<FileFailure> replace(const QString& path, const QByteArray& bytes);
std::optional<FileFailure> replace(const QString& path, const QByteArray& bytes, Links links);

// Copies the file's bytes to `target` the same way: the target is whole old or whole new.
std::optional<FileFailure> copy(const QString& source, const QString& target);
// Copies the file's bytes to a new file `target`, whole or not at all; when a file of that
// name exists (made by another writer, even a moment before) it is left alone and `nameTaken`
// is set.
std::optional<FileFailure> copyNew(const QString& source, const QString& target, bool& nameTaken);

// Finishes the open files and renames them over their targets when all were finished.
QList<FileFailure> commit(const QList<PendingFile*>& files);

// Puts the folder's entries (after renames) on disk. A folder that cannot be synced still holds
// whole files, so this is not a failure.
void syncFolder(const QString& folder);

// Removes our temporaries left in the folder by a run that was killed, not those of a copy of
// the program still running; returns their paths. A temporary's name holds its writer's
// process id and start time, so a process that got the number of a finished writer later
// does not keep its temporaries alive.
QStringList sweepStale(const QString& folder);

// Test seam: the k-th file opened from now on (1-based) fails with `error` once `atByte`
// bytes of it have been written; a full disk without filling one.
struct WriteFault {
    int file = 1;
    qint64 atByte = 0;
    int error = ENOSPC;
};
void injectWriteFault(std::optional<WriteFault> fault);

} // namespace atomicfile
