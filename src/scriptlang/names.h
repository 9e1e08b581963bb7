// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/namekey.h"

#include <QHash>
#include <QString>
#include <QStringView>

namespace scriptlang {

struct BuiltinFunction;
struct BuiltinCallback;

// What a name means before the script declares anything: the language's words and the game's
// builtin names, found without building a string.
enum class BuiltinName { None, Keyword, TypeWord, External, Constant, Function, Callback };

struct NameIndex {
    QHash<NameKey, BuiltinName> kinds;
    QHash<NameKey, QString> typeOfWord; // script type word (int, DROID ...) -> type name
    QHash<NameKey, QString> valueTypes; // external or constant -> its type
    QHash<NameKey, const BuiltinFunction*> functions;
    QHash<NameKey, const BuiltinCallback*> callbacks;
    // type name -> (member name -> member type)
    QHash<QString, QHash<NameKey, QString>> members;

    BuiltinName kind(QStringView name) const { return kinds.value(name, BuiltinName::None); }
};

const NameIndex& nameIndex();

// How a builtin name is called in a message: "the builtin function", "the constant" ...
QString describe(BuiltinName kind);

} // namespace scriptlang
