// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/completion.h"

#include "scriptlang/completion.h"
#include "scriptlang/helpentries.h"
#include "scriptlang/signaturehelp.h"

#include <QJsonArray>
#include <QJsonObject>

namespace lsp {

namespace {

using scriptlang::Completion;
using scriptlang::CompletionKind;
using scriptlang::TextKind;

// Lines read back from the place to find the call it is in, as the editor does.
constexpr int kCallLines = 80;

// The protocol's CompletionItemKind numbers.
int itemKind(CompletionKind kind)
{
    enum { Function = 3, Field = 5, Variable = 6, Keyword = 14, Constant = 21, Event = 23 };
    switch (kind) {
    case CompletionKind::Function:
    case CompletionKind::BuiltinFunction:
        return Function;
    case CompletionKind::Event:
    case CompletionKind::Callback:
    case CompletionKind::Trigger:
        return Event;
    case CompletionKind::Macro:
    case CompletionKind::Constant:
        return Constant;
    case CompletionKind::Member:
        return Field;
    case CompletionKind::TypeWord:
    case CompletionKind::VloTypeWord:
        return Keyword;
    case CompletionKind::Local:
    case CompletionKind::Parameter:
    case CompletionKind::Global:
    case CompletionKind::GameVariable:
        break;
    }
    return Variable;
}

// "builtin function: iterateGroup(GROUP group) : DROID", "global: INT[TECHS]", "event: (every, 20)".
QString detailOf(const Completion& c)
{
    QString what;
    switch (c.kind) {
    case CompletionKind::Function:
    case CompletionKind::BuiltinFunction:
    case CompletionKind::Callback:
        what = c.name + (c.detail.isEmpty() ? QStringLiteral("()") : c.detail);
        if (!c.type.isEmpty() && c.type != QLatin1String("VOID"))
            what += QStringLiteral(" : ") + c.type;
        break;
    case CompletionKind::Event:
    case CompletionKind::Trigger:
        what = u'(' + c.detail + u')';
        break;
    case CompletionKind::Macro:
        what = c.detail;
        break;
    default:
        what = c.type + c.detail;
        break;
    }
    return scriptlang::describe(c.kind) + QStringLiteral(": ") + what;
}

} // namespace

QJsonValue completion(GroupIndex& group, qsizetype offset)
{
    const scriptlang::SymbolIndex& index = group.own();
    const scriptlang::CompletionList list = scriptlang::completionsAt(index, group.kind(), int(offset));
    const QString& text = index.text(group.kind());
    const bool parenFollows = offset < text.size() && text.at(offset) == u'(';
    const QJsonObject replaced = group.rangeOf(group.ownFile(), list.typed.offset, offset);
    const int width = int(QString::number(list.items.size()).size());
    QJsonArray items;
    for (qsizetype i = 0; i < list.items.size(); ++i) {
        const Completion& c = list.items.at(i);
        const QString inserted = c.insertsCall() && !parenFollows ? c.name + u'(' : c.name;
        items.append(QJsonObject{
            {QStringLiteral("label"), c.name},
            {QStringLiteral("kind"), itemKind(c.kind)},
            {QStringLiteral("detail"), detailOf(c)},
            {QStringLiteral("sortText"), QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'))},
            {QStringLiteral("textEdit"),
             QJsonObject{{QStringLiteral("range"), replaced}, {QStringLiteral("newText"), inserted}}}});
    }
    return QJsonObject{{QStringLiteral("isIncomplete"), false}, {QStringLiteral("items"), items}};
}

QJsonValue signatureHelp(GroupIndex& group, qsizetype offset)
{
    if (group.kind() != TextKind::Slo)
        return QJsonValue::Null;
    const scriptlang::SymbolIndex& index = group.own();
    // The call is read from a line some way back that starts outside any comment.
    const scriptlang::LineStarts& lines = index.lines(TextKind::Slo);
    const int caretLine = lines.lineOf(int(offset));
    int line = qMax(1, caretLine - kCallLines);
    while (line < caretLine && index.inCommentOrString(lines.lineStart(line)))
        ++line;
    const std::optional<scriptlang::Signature> s =
        scriptlang::signatureAt(index, index.text(TextKind::Slo), int(offset), lines.lineStart(line));
    if (!s)
        return QJsonValue::Null;
    QJsonArray parameters;
    for (int i = 0; i < s->parameters.size(); ++i) {
        const auto [start, length] = s->parameterSpan(i);
        parameters.append(QJsonObject{{QStringLiteral("label"), QJsonArray{start, start + length}}});
    }
    // Past the last parameter (or before the first, in an event's head): none is marked.
    const int active = s->active >= 0 ? s->active : int(s->parameters.size());
    QJsonObject signature{{QStringLiteral("label"), s->label()},
                          {QStringLiteral("parameters"), parameters},
                          {QStringLiteral("activeParameter"), active}};
    if (s->kind != QLatin1String("function")) {
        if (const std::optional<scriptlang::HelpEntry> help = scriptlang::helpEntry(s->name);
            help && !help->description.isEmpty())
            signature.insert(QStringLiteral("documentation"), help->description);
    }
    return QJsonObject{{QStringLiteral("signatures"), QJsonArray{signature}},
                       {QStringLiteral("activeSignature"), 0},
                       {QStringLiteral("activeParameter"), active}};
}

} // namespace lsp
