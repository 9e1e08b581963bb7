// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace lsp {

// The names a script declares, from a light scan of its text (comments and strings skipped, no
// type checks): what the outline and the hover show. It reads any text without failing.
enum class DeclarationKind { Global, Trigger, Event, Function, Local, Parameter, Macro };

struct Declaration {
    DeclarationKind kind = DeclarationKind::Global;
    QString name;
    QString type; // declared type word; a function's return type
    QString
        detail; // a trigger's or event's trigger text, a function's parameters, array sizes, a macro's body
    bool isPublic = false;
    bool defined = true; // events and functions: has a body (false for a declaration ending in ';')
    qsizetype nameOffset = 0;
    qsizetype start = 0; // the whole declaration, from its first word to its ';' or '}'
    qsizetype end = 0;
    int scope = -1;           // locals and parameters: the index of their event or function
    qsizetype scopeStart = 0; // events and functions: where their names are visible (parameters and body)
    qsizetype scopeEnd = 0;
};

// A word of the script's code, outside comments and strings.
struct Word {
    qsizetype offset = 0;
    qsizetype length = 0;
    bool afterDot = false; // a member name: `droid.x`
};

struct ScriptOutline {
    QList<Declaration> declarations; // in text order

    // The declaration a name at `offset` means: a local or parameter of the event or function
    // around it first, then what the script declares outside them (a body before a prototype).
    const Declaration* resolve(QStringView name, qsizetype offset) const;
};

ScriptOutline outlineScript(const QString& text);

// The word of code at `offset` (or just before it); nothing inside a comment, string or number.
bool wordAt(const QString& text, qsizetype offset, Word& word);

} // namespace lsp
