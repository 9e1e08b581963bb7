// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/atomicfile.h"
#include "platform/fileresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

// The program's text files are 8-bit ISO 8859-1: every byte 0..255 reads and writes back
// unchanged. This is the one reader and the one writer for all of them.
namespace textfile {

inline const QString kCrLf = QStringLiteral("\r\n");

struct ReadResult {
    QString text;
    std::optional<FileFailure> failure;
    bool ok() const { return !failure.has_value(); }
};

ReadResult read(const QString& path);

// Like read(), for a file named by someone else (a command line): only a regular file of at most
// `maxBytes` is read. A folder, a FIFO, a device or a larger file is refused at once with the
// reason; nothing blocks or reads without end.
ReadResult readRegularFile(const QString& path, qint64 maxBytes);

// Latin-1 bytes of the text. Characters above U+00FF become '?' and are collected in
// `replaced` (each once), so the caller can tell the author.
QByteArray encode(const QString& text, QString* replaced);

// Replaces the file as a whole: written to a temporary file beside it, synced and renamed over
// it, so a failure (a full disk, a read-only folder) leaves the old file as it was.
std::optional<FileFailure> replaceAtomically(const QString& path, const QByteArray& bytes);

// Writes the text followed by the one CR LF that every whole-text write appends.
FileOutcome writeWithLineEnd(const QString& path, const QString& text);

// Creates an empty file; an existing file is left as it is.
std::optional<FileFailure> createEmpty(const QString& path);

// Writes a file line by line, for the generators that keep several files open and add lines
// to each as they go. Lines are Latin-1 ('?' for what it cannot hold), end with CR LF and go out
// in blocks, so a failing disk shows at the block that did not fit or at close(). The lines go
// to a temporary beside the file; the file is replaced only by close() or by a commit of the
// finished writers, and a writer dropped without either leaves the old file as it was.
class LineWriter {
public:
    LineWriter() = default;
    ~LineWriter() = default;
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    std::optional<FileFailure> open(const QString& path);
    bool isOpen() const { return m_file && m_file->isOpen(); }
    const QString& path() const { return m_path; }

    std::optional<FileFailure> writeLine(QStringView line);
    // Lines that are Latin-1 bytes already, each ended with CR LF; written at once.
    std::optional<FileFailure> writeLines(QByteArrayView latin1);

    // Writes what is pending and replaces the file; nothing happens when it is not open.
    std::optional<FileFailure> close();
    // Writes what is pending and syncs the temporary, for atomicfile::commit() of a group.
    std::optional<FileFailure> writeOut();
    atomicfile::PendingFile* pendingFile() const { return m_file.get(); }
    void discard();

private:
    std::optional<FileFailure> writePending();

    QString m_path;
    std::unique_ptr<atomicfile::PendingFile> m_file;
    QByteArray m_pending;
};

} // namespace textfile
