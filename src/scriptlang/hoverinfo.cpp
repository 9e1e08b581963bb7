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

QString withHelp(QString text, const QString& name)
{
    if (const std::optional<HelpEntry> help = helpEntry(name); help && !help->description.isEmpty())
        text += u'\n' + help->description;
    return text;
}

std::optional<QString> builtinText(const SymbolIndex& index, const TextRange& word)
{
    const QString& slo = index.text(TextKind::Slo);
    const QString name = slo.mid(word.offset, word.length);
    int before = word.offset;
    while (before > 0 && (slo[before - 1] == u' ' || slo[before - 1] == u'\t'))
        --before;
    if (before > 0 && slo[before - 1] == u'.') {
        const QString owner = objectTypeBefore(index, before - 1);
        QStringList lines;
        for (const BuiltinVariable& m : builtins().members) {
            if (m.name != name)
                continue;
            const bool fits =
                owner.isEmpty() || m.memberOf == owner ||
                (m.memberOf == QLatin1StringView("BASEOBJ") &&
                 (owner == QLatin1StringView("DROID") || owner == QLatin1StringView("STRUCTURE") ||
                  owner == QLatin1StringView("FEATURE")));
            if (fits)
                lines.append(QStringLiteral("member of %1: %2 %3%4")
                                 .arg(m.memberOf, m.type, name,
                                      m.writable ? QStringLiteral(" (writable)") : QString()));
        }
        if (!lines.isEmpty())
            return lines.join(u'\n');
        return std::nullopt;
    }
    switch (nameIndex().kind(name)) {
    case BuiltinName::Function:
    case BuiltinName::Callback:
        if (const std::optional<Signature> s = signatureOf(index, name))
            return withHelp(s->kind + QStringLiteral(": ") + s->label(), name);
        break;
    case BuiltinName::Constant:
        return QStringLiteral("constant: ") + typed(displayedType(nameIndex().valueTypes.value(name)), name);
    case BuiltinName::External: {
        const BuiltinVariable& v = builtins().externals.value(name);
        return QStringLiteral("game variable: %1%2")
            .arg(typed(v.type, name), v.writable ? QString() : QStringLiteral(" (read only)"));
    }
    case BuiltinName::TypeWord:
        return QStringLiteral("type: ") + nameIndex().typeOfWord.value(name);
    case BuiltinName::Keyword:
    case BuiltinName::None:
        break;
    }
    return std::nullopt;
}

} // namespace

QString describeSymbol(const SymbolIndex& index, int symbol)
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
    return describe(s.kind) + QStringLiteral(": ") + head + QStringLiteral("\ndeclared at line ") +
           QString::number(s.declaration.line);
}

std::optional<Hover> hoverAt(const SymbolIndex& index, TextKind text, int offset)
{
    const int found = index.occurrenceAt(text, offset);
    if (found >= 0) {
        const Occurrence& o = index.occurrences().at(found);
        return Hover{o.range, describeSymbol(index, o.symbol)};
    }
    if (text != TextKind::Slo || index.inCommentOrString(offset))
        return std::nullopt;
    const TextRange word = wordAt(index.text(text), index.lines(text), offset);
    if (word.length == 0)
        return std::nullopt;
    if (const std::optional<QString> description = builtinText(index, word))
        return Hover{word, *description};
    return std::nullopt;
}

} // namespace scriptlang
