// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QString>
#include <optional>

// What the pointer on a name tells: a builtin's signature and its help entry, or a script
// name's kind, type and declaration line.
namespace scriptlang {

struct Hover {
    TextRange range; // the name
    QString text;    // plain text, lines separated by '\n'
};

std::optional<Hover> hoverAt(const SymbolIndex& index, TextKind text, int offset);

// "global variable: public INT numScouts[TECHS]" and "declared at line 89".
QString describeSymbol(const SymbolIndex& index, int symbol);

} // namespace scriptlang
