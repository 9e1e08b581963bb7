// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

namespace lsp {

// The entries of a reference text in the form of the program's Help.qrb: a heading line at the
// left margin that starts with a builtin function or callback (`getStructure(STRUCTURESTAT kind,
// INT player) : STRUCTURE`, `CALL_NEWDROID, player, ref droid, ref factory`), followed by its
// indented description. A heading naming several functions (`min(...) : INT, max(...) : INT`)
// gives each the entry. By name; the heading and the description lines, trimmed.
QHash<QString, QString> readHelpEntries(const QString& helpText);

// The entry of a builtin in the reference that ships with the program; empty when it has none.
QString helpEntry(const QString& name);

} // namespace lsp
