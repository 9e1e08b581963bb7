// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// QRB_DATA.DAT in the working directory: one record, the game directory in double quotes and
// the flag that hides "Internal Help", e.g. "C:\WZ2100",#FALSE# and CR LF. The directory is
// Latin-1, or UTF-8 when Latin-1 cannot hold it; a reader takes valid UTF-8 with bytes above
// 127 as UTF-8 and anything else as Latin-1, unless only the Latin-1 reading names a folder
// that exists.
namespace settingsfile {

inline const QString kFileName = QStringLiteral("QRB_DATA.DAT");
// The bytes of a settings file that held no record of ours are kept under this name (then
// ".bad.2", ".bad.3" ...) before the settings are written over it.
inline const QString kBadSuffix = QStringLiteral(".bad");

struct Record {
    QString gameDirectory;
    // Absent when the second field is missing or is neither #TRUE# nor #FALSE#.
    std::optional<bool> hideInternalHelp;
};

// Reads the first record the way the file has always been read: a quoted field runs to the
// closing quote (line breaks included; without a closing quote, to the line end), an unquoted
// one to the next comma or line end with blanks trimmed; text after the record is ignored.
// Never fails: what cannot be read stays empty. `isFolder` decides between the UTF-8 and the
// Latin-1 reading of a name that is valid in both.
Record parse(const QByteArray& bytes, const std::function<bool(const QString&)>& isFolder = {});

// True for bytes that hold exactly one record as the program writes it: a quoted directory,
// ",#TRUE#" or ",#FALSE#", and at most a line end after it.
bool isWellFormed(const QByteArray& bytes);

QByteArray format(const QString& gameDirectory, bool hideInternalHelp, QString* replaced = nullptr);

bool exists(const QString& workDir);
QString path(const QString& workDir);

struct ReadResult {
    Record record;
    std::optional<FileFailure> failure;
};
ReadResult read(const QString& workDir);

// Replaces the file with the record. A file that does not hold a well-formed record is first
// kept under the ".bad" name, and a link to it is replaced by the new file instead of being
// written through, so that its target is never touched; a well-formed settings file behind a
// chain of links is written through it.
FileOutcome write(const QString& workDir, const QString& gameDirectory, bool hideInternalHelp);

} // namespace settingsfile
