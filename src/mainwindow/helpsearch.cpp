// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/helpsearch.h"

namespace helpsearch {

qsizetype next(const QString& text, const QString& needle, qsizetype selectionStart,
               qsizetype selectionLength)
{
    if (needle.isEmpty() || text.isEmpty() || selectionStart < 0)
        return -1;
    const qsizetype from = selectionLength > 0 ? selectionStart + 1 : selectionStart;
    if (from >= text.size())
        return -1;
    return text.indexOf(needle, from, Qt::CaseInsensitive);
}

} // namespace helpsearch
