// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QString>
#include <QStringList>
#include <optional>

// The files of the template tools: the component lists in the folders mts and RTS of the
// working directory, and the files the generator writes into RTS. Folder and file names are
// matched without regard to case; a file the tools create gets the spelling given here.
namespace templatefiles {

inline const QString kMtsFolder = QStringLiteral("mts");
inline const QString kRtsFolder = QStringLiteral("RTS");

QString mtsPath(const QString& workDir, const QString& name);
QString rtsPath(const QString& workDir, const QString& name);
// Several files of RTS at once, with one look into the folder.
QStringList rtsPaths(const QString& workDir, const QStringList& names);

// The lines of a component list. CR LF, a lone CR and a lone LF each end a line; the last line
// may lack its end. Lines are kept as they stand: not trimmed, empty ones included.
QStringList splitLines(QStringView text);

struct ListText {
    std::optional<QString> text;
    std::optional<FileFailure> failure;
};
ListText readList(const QString& path);

// The one message that names the component lists that could not be read as a whole.
inline const QString kListProblemsTitle = QStringLiteral("TEMPLATE LISTS");
QString describeListProblems(const QList<FileFailure>& problems);

} // namespace templatefiles
