// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QList>
#include <QString>
#include <optional>

// What the pointer on a name tells: a builtin's signature and its help entry, or a script
// name's kind, type and declaration line.
namespace scriptlang {

// One thing a name is: "builtin function" and "random(INT range) : INT".
struct HoverHead {
    QString what;
    QString code;
};

struct Hover {
    TextRange range;        // the name
    QList<HoverHead> heads; // several for a member that more than one type has
    QString notes;          // the help's description; where a script name is declared
    int symbol = -1;        // the script's name it is; -1 for a name of the game
    // Plain text, lines separated by '\n': each head as "what: code", then the notes.
    QString text() const;
};

// In the script: its names, the game's names and members; in the VLO: the bound globals and
// the VLO type words.
std::optional<Hover> hoverAt(const SymbolIndex& index, TextKind text, int offset);

} // namespace scriptlang
