// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QList>
#include <QString>
#include <optional>

// The parameters of a call being typed: a builtin function, a function of the script, or the
// callback of an event's or trigger's head, with the parameter the caret is in.
namespace scriptlang {

struct SignatureParameter {
    QString type; // INT, DROID ...
    QString name; // empty when the game's tables and the help name none
    bool byRef = false;
    QString label() const; // "ref INT x"
};

struct Signature {
    QString name;
    QString kind;       // "builtin function", "function", "callback"
    QString returnType; // VOID for none; empty for a callback
    QList<SignatureParameter> parameters;
    int active = -1;    // the caret's parameter; -1 before the first or past the last
    int openParen = -1; // where the call's '(' stands

    // "orderDroidLoc(DROID droid, INT order, INT x, INT y)", with " : BOOL" for a value.
    QString label() const;
    // The start and length of parameter `i` in label().
    std::pair<int, int> parameterSpan(int i) const;
};

// What a name takes when called: a builtin function, a callback, or a function of the script.
std::optional<Signature> signatureOf(const SymbolIndex& index, QStringView name);

// The call around `offset` in `text` (the script as it is now, which may be newer than the
// index). The text is read from `scanFrom`, a place outside any comment; a ';', '{' or '}'
// ends a call that was not closed. Nothing when the caret is in no call of a known name.
std::optional<Signature> signatureAt(const SymbolIndex& index, const QString& text, int offset,
                                     int scanFrom = 0);

} // namespace scriptlang
