// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/notesimport.h"

#include "platform/textfile.h"

namespace notesimport {

QString appended(const QString& notes, const QString& imported)
{
    const QString& crLf = textfile::kCrLf;
    return notes + crLf + crLf + kHeader + crLf + imported + crLf + kFooter;
}

} // namespace notesimport
