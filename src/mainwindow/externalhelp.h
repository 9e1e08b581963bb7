// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"

#include <QByteArray>
#include <QString>
#include <optional>

// "External Help" hands the built-in reference document to the desktop. The desktop needs a
// file, so the document is first copied into the program's cache folder.
namespace externalhelp {

inline const QString kFileName = QStringLiteral("Scriptlang.rtf");

struct Copy {
    QString path;
    std::optional<FileFailure> failure;
};

// Writes `document` as Scriptlang.rtf into `cacheFolder`, creating the folder when needed.
// A copy that already holds exactly these bytes is left as it is (a word processor may have
// it open).
Copy place(const QString& cacheFolder, const QByteArray& document);

} // namespace externalhelp
