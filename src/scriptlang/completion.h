// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QList>
#include <QString>

// The names that fit at a place of the script or the VLO, for completion as the author types.
namespace scriptlang {

enum class CompletionKind {
    Local,
    Parameter,
    Global,
    Function,
    Event,
    Trigger,
    Macro,
    BuiltinFunction,
    Callback,
    Constant,
    GameVariable,
    Member,
    TypeWord,
    VloTypeWord
};

// "local", "parameter", "global", "function", "event", "trigger", "#define", "builtin function",
// "callback", "constant", "game variable", "member", "type", "VLO type".
QString describe(CompletionKind kind);

struct Completion {
    QString name;
    CompletionKind kind = CompletionKind::Global;
    QString type;   // INT, DROID ...: a value's type, a function's return type
    QString detail; // a function's or callback's parameters "(DROID droid, INT order)", an array's sizes
    int group = 0;  // among equally good matches, lower groups come first
    bool insertsCall() const
    {
        return kind == CompletionKind::Function || kind == CompletionKind::BuiltinFunction;
    }
};

struct CompletionList {
    TextRange typed; // the part of the name already typed before the caret
    QString typedText;
    bool members = false;    // after `object.`: the members of its type only
    QList<Completion> all;   // everything that fits the place, whatever was typed
    QList<Completion> items; // those matching the typed text, best first
};

// In the SLO text: the body's locals and parameters, then the script's globals, functions,
// events, triggers and #define names, then the game's functions, callbacks, constants, game
// variables and type words; after `obj.` the members of its type. In the VLO text: the script's
// globals at a line's start, then the VLO type words (those that fit the global first).
// Nothing inside comments and strings.
CompletionList completionsAt(const SymbolIndex& index, TextKind text, int offset);

// The completions that match `typed`: prefix matches first, then matches of the capitals
// (eS gives enumStruct); within each, by group and name.
QList<Completion> rankCompletions(const QList<Completion>& all, QStringView typed);

} // namespace scriptlang
