// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A part of a backup snapshot copied into the author's notes goes at their end, framed by two
// marker lines so that it stands out from the notes around it.
namespace notesimport {

inline const QString kHeader = QStringLiteral("///////// SCRIPT IMPORTED FROM BACKUP: ///////// ");
inline const QString kFooter = QStringLiteral("///////// BACKUP SCRIPT END: /////////");

// notes, two line breaks, the header, a line break, the imported text, a line break, the end
// marker; no line break after it.
QString appended(const QString& notes, const QString& imported);

} // namespace notesimport
