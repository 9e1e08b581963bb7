// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/hoverinfo.h"

#include "scriptlang/builtins.h"
#include "scriptlang/helpentries.h"
#include "scriptlang/names.h"
#include "scriptlang/objecttype.h"
#include "scriptlang/signaturehelp.h"

namespace scriptlang {

namespace {

QString typed(const QString& type, const QString& name)
{
    return type.isEmpty() ? name : type + u' ' + name;
}

QString helpText(const QString& name)
{
    const std::optional<HelpEntry> help = helpEntry(name);
    return help ? help->description : QString();
}

std::optional<Hover> memberHover(const SymbolIndex& index, const TextRange& word, int dot)
{
    const QString name = index.text(TextKind::Slo).mid(word.offset, word.length);
    const QString owner = objectTypeBefore(index, dot);
    Hover hover{word, {}, QString(), -1};
    for (const BuiltinVariable& m : builtins().members) {
        if (m.name != name)
            continue;
        const bool fits = owner.isEmpty() || m.memberOf == owner ||
                          (m.memberOf == QLatin1StringView("BASEOBJ") &&
                           (owner == QLatin1StringView("DROID") || owner == QLatin1StringView("STRUCTURE") ||
                            owner == QLatin1StringView("FEATURE")));
        if (fits)
            hover.heads.append(
                {QStringLiteral("member of ") + m.memberOf,
                 typed(m.type, name) + (m.writable ? QStringLiteral(" (writable)") : QString())});
    }
    if (hover.heads.isEmpty())
        return std::nullopt;
    return hover;
}

std::optional<Hover> builtinHover(const SymbolIndex& index, const TextRange& word)
{
    const QString& slo = index.text(TextKind::Slo);
    const QString name = slo.mid(word.offset, word.length);
    int before = word.offset;
    while (before > 0 && (slo[before - 1] == u' ' || slo[before - 1] == u'\t'))
        --before;
    if (before > 0 && slo[before - 1] == u'.')
        return memberHover(index, word, before - 1);
    Hover hover{word, {}, QString(), -1};
    switch (nameIndex().kind(name)) {
    case BuiltinName::Function:
    case BuiltinName::Callback:
        if (const std::optional<Signature> s = signatureOf(index, name)) {
            hover.heads.append({s->kind, s->label()});
            hover.notes = helpText(name);
            return hover;
        }
        break;
    case BuiltinName::Constant:
        hover.heads.append(
            {QStringLiteral("constant"), typed(displayedType(nameIndex().valueTypes.value(name)), name)});
        return hover;
    case BuiltinName::External: {
        const BuiltinVariable& v = builtins().externals.value(name);
        hover.heads.append({QStringLiteral("game variable"),
                            typed(v.type, name) + (v.writable ? QString() : QStringLiteral(" (read only)"))});
        return hover;
    }
    case BuiltinName::TypeWord:
        hover.heads.append({QStringLiteral("type"), nameIndex().typeOfWord.value(name)});
        return hover;
    case BuiltinName::Keyword:
    case BuiltinName::None:
        break;
    }
    return std::nullopt;
}

// A VLO line's type word: the type it gives and the form of its value.
std::optional<Hover> vloTypeHover(const SymbolIndex& index, const TextRange& word)
{
    const QString& vlo = index.text(TextKind::Vlo);
    const int lineStart = index.lines(TextKind::Vlo).lineStart(word.line);
    const QStringView before = QStringView(vlo).mid(lineStart, word.offset - lineStart);
    if (before.contains(QLatin1StringView("//")) || before.count(u'"') % 2 != 0)
        return std::nullopt; // in a comment or a quoted value
    const QString name = vlo.mid(word.offset, word.length);
    for (const BuiltinType& t : builtins().types) {
        if (t.vloWords.contains(name))
            return Hover{
                word, {{QStringLiteral("type"), t.name}}, QStringLiteral("in a VLO: ") + t.vloValueForm, -1};
    }
    return std::nullopt;
}

Hover symbolHover(const SymbolIndex& index, int symbol, const TextRange& range)
{
    const ScriptSymbol& s = index.symbol(symbol);
    QString head;
    switch (s.kind) {
    case NameKind::Global:
        head = typed(s.type, s.name) + s.arraySuffix;
        head.prepend(s.isPublic ? QStringLiteral("public ") : QStringLiteral("private "));
        break;
    case NameKind::Local:
    case NameKind::Parameter: {
        head = typed(s.type, s.name) + s.arraySuffix;
        const int owner = index.scopes().at(s.scope).owner;
        if (owner >= 0)
            head +=
                QStringLiteral(" in %1 %2").arg(describe(index.symbol(owner).kind), index.symbol(owner).name);
        break;
    }
    case NameKind::Trigger:
    case NameKind::Event:
        head = s.name + QStringLiteral(" (") + s.detail + u')';
        break;
    case NameKind::Function:
        if (const std::optional<Signature> sig = signatureOf(index, s.name))
            head = sig->label();
        break;
    case NameKind::Macro:
        head = s.name + u' ' + s.detail;
        break;
    }
    return Hover{range,
                 {{describe(s.kind), head}},
                 QStringLiteral("declared at line ") + QString::number(s.declaration.line),
                 symbol};
}

} // namespace

QString Hover::text() const
{
    QStringList lines;
    for (const HoverHead& h : heads)
        lines.append(h.what + QStringLiteral(": ") + h.code);
    if (!notes.isEmpty())
        lines.append(notes);
    return lines.join(u'\n');
}

std::optional<Hover> hoverAt(const SymbolIndex& index, TextKind text, int offset)
{
    const int found = index.occurrenceAt(text, offset);
    if (found >= 0) {
        const Occurrence& o = index.occurrences().at(found);
        return symbolHover(index, o.symbol, o.range);
    }
    if (text == TextKind::Slo && index.inCommentOrString(offset))
        return std::nullopt;
    const TextRange word = wordAt(index.text(text), index.lines(text), offset);
    if (word.length == 0)
        return std::nullopt;
    return text == TextKind::Slo ? builtinHover(index, word) : vloTypeHover(index, word);
}

} // namespace scriptlang
