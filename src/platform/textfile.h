#pragma once

#include "platform/fileresult.h"

#include <QByteArray>
#include <QString>
#include <QByteArrayView>
#include <initializer_list>
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

// Latin-1 bytes of the text. Characters above U+00FF become '?' and are collected in
// `replaced` (each once), so the caller can tell the author.
QByteArray encode(const QString& text, QString* replaced);

// Replaces the file as a whole: written to a temporary file beside it and renamed over it, so
// a failure (a full disk, a read-only folder) leaves the old file as it was.
std::optional<FileFailure> replaceAtomically(const QString& path, const QByteArray& bytes);

// Creates or truncates the file and writes the bytes; for files the program regenerates.
std::optional<FileFailure> write(const QString& path, const QByteArray& bytes);
std::optional<FileFailure> writeParts(const QString& path, std::initializer_list<QByteArrayView> parts);

// Writes the text followed by the one CR LF that every whole-text write appends.
FileOutcome writeWithLineEnd(const QString& path, const QString& text, bool atomically);

// Creates an empty file; an existing file is left as it is.
std::optional<FileFailure> createEmpty(const QString& path);

} // namespace textfile
