// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QList>
#include <QString>

// The script at a glance: its events, functions, triggers and globals in text order.
namespace scriptlang {

struct OutlineEntry {
    QString name;
    NameKind kind = NameKind::Global;
    QString detail;  // "every, 20" for an event, "BOOL (INT _x, INT _y)" for a function, "public INT" ...
    TextRange range; // the name in its head with the body, else in its declaration
    int symbol = -1;
};

QList<OutlineEntry> outline(const SymbolIndex& index);

// The entries whose name matches the typed text (prefix, capitals or any part, letter case
// aside), best matches first and in text order within each.
QList<OutlineEntry> filterOutline(const QList<OutlineEntry>& entries, QStringView typed);

} // namespace scriptlang
