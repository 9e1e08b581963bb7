// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QByteArray>
#include <QString>
#include <optional>

// QRB_DATA.DAT in the working directory: one record, the game directory in double quotes and
// the flag that hides "Internal Help", e.g. "C:\WZ2100",#FALSE# and CR LF. The directory is
// Latin-1, or UTF-8 when Latin-1 cannot hold it; a reader takes valid UTF-8 with bytes above
// 127 as UTF-8 and anything else as Latin-1.
namespace settingsfile {

inline const QString kFileName = QStringLiteral("QRB_DATA.DAT");

struct Record {
    QString gameDirectory;
    // Absent when the second field is missing or is neither #TRUE# nor #FALSE#.
    std::optional<bool> hideInternalHelp;
};

// Reads the first record the way the file has always been read: a quoted field runs to the
// closing quote, an unquoted one to the next comma or line end with blanks trimmed; text
// after the record is ignored. Never fails: what cannot be read stays empty.
Record parse(const QByteArray& bytes);

QByteArray format(const QString& gameDirectory, bool hideInternalHelp, QString* replaced = nullptr);

bool exists(const QString& workDir);
QString path(const QString& workDir);

struct ReadResult {
    Record record;
    std::optional<FileFailure> failure;
};
ReadResult read(const QString& workDir);

FileOutcome write(const QString& workDir, const QString& gameDirectory, bool hideInternalHelp);

} // namespace settingsfile
