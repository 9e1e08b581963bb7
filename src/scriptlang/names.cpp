// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/names.h"

#include "scriptlang/builtins.h"

namespace scriptlang {

namespace {

NameIndex buildIndex()
{
    const Builtins& b = builtins();
    NameIndex index;
    static const QStringList keywords = {
        QStringLiteral("wait"),     QStringLiteral("every"),    QStringLiteral("trigger"),
        QStringLiteral("event"),    QStringLiteral("inactive"), QStringLiteral("init"),
        QStringLiteral("link"),     QStringLiteral("ref"),      QStringLiteral("return"),
        QStringLiteral("function"), QStringLiteral("public"),   QStringLiteral("private"),
        QStringLiteral("local"),    QStringLiteral("while"),    QStringLiteral("if"),
        QStringLiteral("else"),     QStringLiteral("exit"),     QStringLiteral("pause"),
        QStringLiteral("and"),      QStringLiteral("AND"),      QStringLiteral("or"),
        QStringLiteral("OR"),       QStringLiteral("not"),      QStringLiteral("NOT"),
        QStringLiteral("true"),     QStringLiteral("TRUE"),     QStringLiteral("false"),
        QStringLiteral("FALSE")};
    for (const QString& k : keywords)
        index.kinds.insert(k, BuiltinName::Keyword);
    for (const BuiltinType& t : b.types) {
        for (const QString& w : t.scriptWords) {
            index.kinds.insert(w, BuiltinName::TypeWord);
            index.typeOfWord.insert(w, t.name);
        }
    }
    for (const BuiltinVariable& v : b.externals) {
        index.kinds.insert(v.name, BuiltinName::External);
        index.valueTypes.insert(v.name, v.type);
    }
    for (const BuiltinConstant& c : b.constants) {
        index.kinds.insert(c.name, BuiltinName::Constant);
        index.valueTypes.insert(c.name, c.type);
    }
    for (const BuiltinFunction& f : b.functions) {
        index.kinds.insert(f.name, BuiltinName::Function);
        index.functions.insert(f.name, &f);
    }
    for (const BuiltinCallback& c : b.callbacks) {
        index.kinds.insert(c.name, BuiltinName::Callback);
        index.callbacks.insert(c.name, &c);
    }
    static const QStringList baseOwners = {QStringLiteral("BASEOBJ"), QStringLiteral("DROID"),
                                           QStringLiteral("STRUCTURE"), QStringLiteral("FEATURE")};
    for (const BuiltinVariable& m : b.members) {
        if (m.memberOf == QLatin1StringView("BASEOBJ")) {
            for (const QString& owner : baseOwners)
                index.members[owner].insert(m.name, m.type);
        } else {
            index.members[m.memberOf].insert(m.name, m.type);
        }
    }
    return index;
}

} // namespace

const NameIndex& nameIndex()
{
    static const NameIndex index = buildIndex();
    return index;
}

QString describe(BuiltinName kind)
{
    switch (kind) {
    case BuiltinName::Keyword:
        return QStringLiteral("a keyword");
    case BuiltinName::TypeWord:
        return QStringLiteral("a type");
    case BuiltinName::External:
        return QStringLiteral("a game variable");
    case BuiltinName::Constant:
        return QStringLiteral("a builtin constant");
    case BuiltinName::Function:
        return QStringLiteral("a builtin function");
    case BuiltinName::Callback:
        return QStringLiteral("a callback");
    case BuiltinName::None:
        break;
    }
    return QString();
}

} // namespace scriptlang
