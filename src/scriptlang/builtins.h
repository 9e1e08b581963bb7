// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The game's builtin names of its 2.x script language: functions, callbacks, constants,
// game variables, object members and types, from the tables compiled into the program
// (resources/script-builtins/*.tsv). Names are case-sensitive, as in the game.
namespace scriptlang {

// One parameter of a builtin function or callback: its type word (INT, DROID, EVENT ...) and
// whether the argument must be `ref variable`.
struct BuiltinParam {
    QString type;
    bool byRef = false;
};

struct BuiltinFunction {
    QString name;
    QString returnType; // VOID for none
    QList<BuiltinParam> params;
    bool inVersion110 = false;
};

struct BuiltinCallback {
    QString name;
    QList<BuiltinParam> params;
    bool inVersion110 = false;
};

struct BuiltinConstant {
    QString name;
    QString type;
};

// A game variable readable by name (gameTime ...), or an object member after '.'.
struct BuiltinVariable {
    QString name;
    QString type;
    QString memberOf; // BASEOBJ, DROID, STRUCTURE ...; empty for game variables
    bool writable = false;
};

struct BuiltinType {
    QString name;            // INT, DROID, STRUCTURESTAT ...
    QString kind;            // basic, simple, object
    QStringList scriptWords; // how a script declares it: int, INT ...
    QStringList vloWords;    // the VLO TYPE words the loader accepts; empty when none
    QString vloValueForm;    // integer, true|false, "quoted", integer object id, ...
    QStringList equivalents; // types accepted where this one is expected
};

struct Builtins {
    QHash<QString, BuiltinFunction> functions;
    QHash<QString, BuiltinCallback> callbacks;
    QHash<QString, BuiltinConstant> constants;
    QHash<QString, BuiltinVariable> externals;
    QList<BuiltinVariable> members; // one entry per name and owner type
    QHash<QString, BuiltinType> types;
};

// The tables, read once from the compiled-in resources.
const Builtins& builtins();

// Parsers of the tab-separated tables (header line first); exposed for tests.
QList<BuiltinParam> parseParams(const QString& column);

} // namespace scriptlang
