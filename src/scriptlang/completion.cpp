// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/completion.h"

#include "scriptlang/builtins.h"
#include "scriptlang/namematch.h"
#include "scriptlang/names.h"
#include "scriptlang/objecttype.h"
#include "scriptlang/signaturehelp.h"

#include <QSet>
#include <algorithm>

namespace scriptlang {

namespace {

// The order of the kinds when matches are equally good.
enum Group {
    LocalNames,
    Globals,
    Functions,
    Events,
    Triggers,
    Macros,
    BuiltinFunctions,
    Callbacks,
    Constants,
    GameVariables,
    TypeWords
};

QString parameterList(const Signature& s)
{
    const QString label = s.label();
    const qsizetype open = s.name.size();
    const qsizetype close = label.lastIndexOf(u')');
    return label.mid(open, close - open + 1);
}

// The game's names, the same at every place: made once.
const QList<Completion>& builtinCompletions()
{
    static const QList<Completion> names = [] {
        QList<Completion> list;
        const SymbolIndex none;
        const Builtins& b = builtins();
        for (const BuiltinFunction& f : b.functions) {
            const std::optional<Signature> s = signatureOf(none, f.name);
            list.append(
                {f.name, CompletionKind::BuiltinFunction, f.returnType, parameterList(*s), BuiltinFunctions});
        }
        for (const BuiltinCallback& c : b.callbacks) {
            const std::optional<Signature> s = signatureOf(none, c.name);
            list.append({c.name, CompletionKind::Callback, QString(),
                         c.params.isEmpty() ? QString() : parameterList(*s), Callbacks});
        }
        for (const BuiltinConstant& c : b.constants)
            list.append({c.name, CompletionKind::Constant, displayedType(c.type), QString(), Constants});
        for (const BuiltinVariable& v : b.externals)
            list.append({v.name, CompletionKind::GameVariable, v.type, QString(), GameVariables});
        for (auto it = nameIndex().typeOfWord.cbegin(); it != nameIndex().typeOfWord.cend(); ++it)
            list.append(
                {it.key().text.toString(), CompletionKind::TypeWord, it.value(), QString(), TypeWords});
        return list;
    }();
    return names;
}

Completion ofSymbol(const SymbolIndex& index, int symbol)
{
    const ScriptSymbol& s = index.symbol(symbol);
    Completion c{s.name, CompletionKind::Global, s.type, s.arraySuffix, Globals};
    switch (s.kind) {
    case NameKind::Local:
        c.kind = CompletionKind::Local;
        c.group = LocalNames;
        break;
    case NameKind::Parameter:
        c.kind = CompletionKind::Parameter;
        c.group = LocalNames;
        break;
    case NameKind::Global:
        break;
    case NameKind::Function:
        c.kind = CompletionKind::Function;
        c.group = Functions;
        if (const std::optional<Signature> sig = signatureOf(index, s.name))
            c.detail = parameterList(*sig);
        break;
    case NameKind::Event:
        c.kind = CompletionKind::Event;
        c.group = Events;
        c.detail = s.detail;
        break;
    case NameKind::Trigger:
        c.kind = CompletionKind::Trigger;
        c.group = Triggers;
        c.detail = s.detail;
        break;
    case NameKind::Macro:
        c.kind = CompletionKind::Macro;
        c.group = Macros;
        c.detail = s.detail;
        break;
    }
    return c;
}

void scriptNames(const SymbolIndex& index, int offset, QList<Completion>& out)
{
    const int scope = index.scopeAt(offset);
    QSet<QString> hidden;
    if (scope >= 0) {
        for (int symbol : index.namesOf(scope)) {
            out.append(ofSymbol(index, symbol));
            hidden.insert(index.symbol(symbol).name);
        }
    }
    for (int symbol : index.scriptWideNames()) {
        if (!hidden.contains(index.symbol(symbol).name))
            out.append(ofSymbol(index, symbol));
    }
}

void memberNames(const QString& type, QList<Completion>& out)
{
    if (!type.isEmpty()) {
        for (const auto& [name, memberType] : membersOf(type))
            out.append({name, CompletionKind::Member, memberType, QString(), 0});
        return;
    }
    // A value of a type that cannot be told: every member the game has, once.
    QSet<QString> seen;
    for (const BuiltinVariable& m : builtins().members) {
        if (!seen.contains(m.name)) {
            seen.insert(m.name);
            out.append({m.name, CompletionKind::Member, m.type, QString(), 0});
        }
    }
}

// In a VLO line `NAME[i] TYPE VALUE`: the globals for its first word, the type words for its
// second; nothing after.
void vloNames(const SymbolIndex& index, const TextRange& typed, QList<Completion>& out)
{
    const QString& vlo = index.text(TextKind::Vlo);
    const int lineStart = index.lines(TextKind::Vlo).lineStart(typed.line);
    const QStringView before = QStringView(vlo).mid(lineStart, typed.offset - lineStart);
    if (before.contains(QLatin1StringView("//")) || before.contains(u'"'))
        return;
    const QList<QStringView> words = before.split(u' ', Qt::SkipEmptyParts);
    QList<QStringView> fields;
    for (QStringView w : words) {
        for (QStringView part : w.split(u'\t', Qt::SkipEmptyParts))
            fields.append(part);
    }
    if (fields.isEmpty()) {
        for (int symbol : index.scriptWideNames()) {
            const ScriptSymbol& s = index.symbol(symbol);
            if (s.kind == NameKind::Global)
                out.append({s.name, CompletionKind::Global, s.type, s.arraySuffix, s.isPublic ? 0 : 1});
        }
        return;
    }
    if (fields.size() != 1)
        return;
    QStringView boundName = fields.first();
    boundName = boundName.left(boundName.indexOf(u'[') < 0 ? boundName.size() : boundName.indexOf(u'['));
    const int bound = index.resolve(boundName, -1);
    QStringList fitting;
    if (bound >= 0 && index.symbol(bound).kind == NameKind::Global) {
        const QString& type = index.symbol(bound).type;
        fitting = builtins().types.value(type).equivalents;
        fitting.prepend(type);
    }
    for (const BuiltinType& t : builtins().types) {
        for (const QString& word : t.vloWords)
            out.append(
                {word, CompletionKind::VloTypeWord, t.name, QString(), fitting.contains(t.name) ? 0 : 1});
    }
}

} // namespace

QString describe(CompletionKind kind)
{
    switch (kind) {
    case CompletionKind::Local:
        return QStringLiteral("local");
    case CompletionKind::Parameter:
        return QStringLiteral("parameter");
    case CompletionKind::Global:
        return QStringLiteral("global");
    case CompletionKind::Function:
        return QStringLiteral("function");
    case CompletionKind::Event:
        return QStringLiteral("event");
    case CompletionKind::Trigger:
        return QStringLiteral("trigger");
    case CompletionKind::Macro:
        return QStringLiteral("#define");
    case CompletionKind::BuiltinFunction:
        return QStringLiteral("builtin function");
    case CompletionKind::Callback:
        return QStringLiteral("callback");
    case CompletionKind::Constant:
        return QStringLiteral("constant");
    case CompletionKind::GameVariable:
        return QStringLiteral("game variable");
    case CompletionKind::Member:
        return QStringLiteral("member");
    case CompletionKind::TypeWord:
        return QStringLiteral("type");
    case CompletionKind::VloTypeWord:
        return QStringLiteral("VLO type");
    }
    return QString();
}

CompletionList completionsAt(const SymbolIndex& index, TextKind text, int offset)
{
    CompletionList list;
    const QString& source = index.text(text);
    offset = qBound(0, offset, int(source.size()));
    int start = offset;
    while (start > 0 && isNameChar(source[start - 1]))
        --start;
    list.typed = index.lines(text).range(start, offset - start);
    list.typedText = source.mid(start, offset - start);
    if (!list.typedText.isEmpty() && !isNameStart(list.typedText.front()))
        return list; // a number
    if (text == TextKind::Vlo) {
        vloNames(index, list.typed, list.all);
    } else if (!index.inCommentOrString(start)) {
        int before = start;
        while (before > 0 && (source[before - 1] == u' ' || source[before - 1] == u'\t'))
            --before;
        list.members = before > 0 && source[before - 1] == u'.';
        if (list.members) {
            memberNames(objectTypeBefore(index, before - 1), list.all);
        } else {
            scriptNames(index, offset, list.all);
            list.all += builtinCompletions();
        }
    }
    list.items = rankCompletions(list.all, list.typedText);
    return list;
}

QList<Completion> rankCompletions(const QList<Completion>& all, QStringView typed)
{
    struct Ranked {
        NameMatch match;
        bool sameCase; // a prefix in the letter case typed
        const Completion* completion;
    };
    QList<Ranked> ranked;
    for (const Completion& c : all) {
        const NameMatch match = matchName(c.name, typed);
        if (match == NameMatch::Prefix || match == NameMatch::Capitals)
            ranked.append({match, c.name.startsWith(typed), &c});
    }
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.match != b.match)
            return a.match < b.match;
        if (a.completion->group != b.completion->group)
            return a.completion->group < b.completion->group;
        if (a.sameCase != b.sameCase)
            return a.sameCase;
        const int order = a.completion->name.compare(b.completion->name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.completion->name < b.completion->name;
    });
    QList<Completion> result;
    result.reserve(ranked.size());
    for (const Ranked& r : ranked)
        result.append(*r.completion);
    return result;
}

} // namespace scriptlang
