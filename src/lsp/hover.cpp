// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/hover.h"

#include "scriptlang/hoverinfo.h"

#include <QFileInfo>
#include <QJsonObject>

namespace lsp {

namespace {

// Each head as a title and a line of code, then the notes below a rule.
QString markdownOf(const scriptlang::Hover& hover, const QString& name)
{
    QStringList parts;
    for (const scriptlang::HoverHead& head : hover.heads)
        parts.append(QStringLiteral("### %1 `%2`\n\n```slo\n%3\n```").arg(head.what, name, head.code));
    if (!hover.notes.isEmpty())
        parts.append(QStringLiteral("---\n\n") + hover.notes);
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace

QJsonValue hover(GroupIndex& group, qsizetype offset, bool markdown)
{
    const scriptlang::SymbolIndex& index = group.own();
    std::optional<scriptlang::Hover> found = scriptlang::hoverAt(index, group.kind(), int(offset));
    if (!found)
        return QJsonValue::Null;
    // From a value file, the declaration is in another file.
    if (found->symbol >= 0 && group.kind() == scriptlang::TextKind::Vlo && !group.script().path.isEmpty())
        found->notes += QStringLiteral(" of ") + QFileInfo(group.script().path).fileName();
    const QString name = index.text(group.kind()).mid(found->range.offset, found->range.length);
    return QJsonObject{
        {QStringLiteral("contents"),
         QJsonObject{
             {QStringLiteral("kind"), markdown ? QStringLiteral("markdown") : QStringLiteral("plaintext")},
             {QStringLiteral("value"), markdown ? markdownOf(*found, name) : found->text()}}},
        {QStringLiteral("range"), group.rangeOf(group.ownFile(), found->range.offset, found->range.end())}};
}

} // namespace lsp
