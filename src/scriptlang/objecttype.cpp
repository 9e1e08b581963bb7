// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/objecttype.h"

#include "scriptlang/builtins.h"
#include "scriptlang/names.h"

namespace scriptlang {

namespace {

int skipBlanksBack(const QString& text, int end)
{
    while (end > 0 && text[end - 1].isSpace())
        --end;
    return end;
}

// The place of the bracket that opens the one closing just before `end`, or -1.
int openingBracket(const QString& text, int end, QChar open, QChar close)
{
    int depth = 0;
    for (int p = end - 1; p >= 0; --p) {
        if (text[p] == close)
            ++depth;
        else if (text[p] == open && --depth == 0)
            return p;
        else if (text[p] == u';' || text[p] == u'{' || text[p] == u'}')
            return -1;
    }
    return -1;
}

QString typeEndingAt(const SymbolIndex& index, int end, int depth)
{
    const QString& text = index.text(TextKind::Slo);
    if (depth > 8)
        return QString();
    end = skipBlanksBack(text, end);
    bool call = false;
    if (end > 0 && text[end - 1] == u')') {
        end = openingBracket(text, end, u'(', u')');
        if (end < 0)
            return QString();
        end = skipBlanksBack(text, end);
        call = true;
    } else {
        while (end > 0 && text[end - 1] == u']') {
            end = openingBracket(text, end, u'[', u']');
            if (end < 0)
                return QString();
            end = skipBlanksBack(text, end);
        }
    }
    int start = end;
    while (start > 0 && isNameChar(text[start - 1]))
        --start;
    if (start == end || !isNameStart(text[start]))
        return QString();
    const QStringView name = QStringView(text).mid(start, end - start);
    if (call) {
        if (const BuiltinFunction* f = nameIndex().functions.value(name))
            return f->returnType;
        const int symbol = index.resolve(name, -1);
        return symbol >= 0 && index.symbol(symbol).kind == NameKind::Function ? index.symbol(symbol).type
                                                                              : QString();
    }
    const int before = skipBlanksBack(text, start);
    if (before > 0 && text[before - 1] == u'.') {
        const QString owner = typeEndingAt(index, before - 1, depth + 1);
        return nameIndex().members.value(owner).value(name);
    }
    const int symbol = index.resolve(name, index.scopeAt(start));
    if (symbol >= 0)
        return index.symbol(symbol).type;
    return nameIndex().valueTypes.value(name);
}

} // namespace

QString objectTypeBefore(const SymbolIndex& index, int dot)
{
    return typeEndingAt(index, dot, 0);
}

QString displayedType(const QString& type)
{
    if (!type.startsWith(QLatin1StringView("?ST_POINTER")))
        return type;
    if (type.endsWith(QLatin1StringView("_O")))
        return QStringLiteral("null object");
    if (type.endsWith(QLatin1StringView("_T")))
        return QStringLiteral("null TEMPLATE");
    if (type.endsWith(QLatin1StringView("_STRUCTSTAT")))
        return QStringLiteral("null STRUCTURESTAT");
    return QStringLiteral("null component");
}

QList<std::pair<QString, QString>> membersOf(const QString& type)
{
    QList<std::pair<QString, QString>> members;
    const QHash<NameKey, QString> found = nameIndex().members.value(type);
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        members.append({it.key().text.toString(), it.value()});
    return members;
}

} // namespace scriptlang
