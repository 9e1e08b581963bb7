// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/navigation.h"

#include "scriptlang/navigation.h"
#include "scriptlang/renameplan.h"

#include <QJsonArray>
#include <QJsonObject>

namespace lsp {

namespace {

using scriptlang::OccurrenceRole;
using scriptlang::SymbolIndex;
using scriptlang::TextKind;

QJsonObject location(GroupIndex& group, const PairFile& file, const scriptlang::TextRange& range)
{
    return QJsonObject{{QStringLiteral("uri"), file.uri},
                       {QStringLiteral("range"), group.rangeOf(file, range.offset, range.end())}};
}

// The script's symbol at the place; -1 for none. Every pair is built from the same script, so
// its symbols are numbered alike in each.
int symbolAt(GroupIndex& group, qsizetype offset)
{
    const int found = group.own().occurrenceAt(group.kind(), int(offset));
    return found < 0 ? -1 : group.own().occurrences().at(found).symbol;
}

void refuse(jsonrpc::Error& error, const QString& reason)
{
    error = {jsonrpc::RequestFailed, reason};
}

} // namespace

QJsonValue definition(GroupIndex& group, qsizetype offset)
{
    const std::optional<scriptlang::Location> place =
        scriptlang::definitionAt(group.own(), group.kind(), int(offset));
    if (!place)
        return QJsonValue::Null;
    const PairFile& file = group.fileOf(place->text, group.ownPair());
    return file.uri.isEmpty() ? QJsonValue(QJsonValue::Null) : location(group, file, place->range);
}

QJsonValue references(GroupIndex& group, qsizetype offset, bool includeDeclaration)
{
    QJsonArray places;
    const int symbol = symbolAt(group, offset);
    if (symbol < 0)
        return places;
    for (int pair = 0; pair < group.pairCount(); ++pair) {
        const SymbolIndex& index = group.pair(pair);
        for (int o : index.occurrencesOf(symbol)) {
            const scriptlang::Occurrence& occurrence = index.occurrences().at(o);
            if (occurrence.text == TextKind::Slo && pair > 0)
                continue; // the script's places are the same in each pair
            if (!includeDeclaration && (occurrence.role == OccurrenceRole::Declaration ||
                                        occurrence.role == OccurrenceRole::Definition))
                continue;
            const PairFile& file = group.fileOf(occurrence.text, pair);
            if (!file.uri.isEmpty())
                places.append(location(group, file, occurrence.range));
        }
    }
    return places;
}

QJsonValue prepareRename(GroupIndex& group, qsizetype offset, jsonrpc::Error& error)
{
    const scriptlang::RenameTarget target =
        scriptlang::renameTargetAt(group.own(), group.kind(), int(offset));
    if (target.symbol < 0) {
        refuse(error, target.refusal);
        return QJsonValue();
    }
    return QJsonObject{
        {QStringLiteral("range"), group.rangeOf(group.ownFile(), target.range.offset, target.range.end())},
        {QStringLiteral("placeholder"), target.name}};
}

QJsonValue rename(GroupIndex& group, qsizetype offset, const QString& newName, bool documentChanges,
                  jsonrpc::Error& error)
{
    const scriptlang::RenameTarget target =
        scriptlang::renameTargetAt(group.own(), group.kind(), int(offset));
    if (target.symbol < 0) {
        refuse(error, target.refusal);
        return QJsonValue();
    }
    // Each pair is asked from the declaration in the script: the same place in all of them.
    const int declaration = group.own().symbol(target.symbol).declaration.offset;
    QList<std::pair<const PairFile*, QJsonArray>> files;
    for (int pair = 0; pair < group.pairCount(); ++pair) {
        const scriptlang::RenamePlan plan =
            scriptlang::planRename(group.pair(pair), TextKind::Slo, declaration, newName);
        if (!plan.refusal.isEmpty()) {
            refuse(error, plan.refusal);
            return QJsonValue();
        }
        for (const scriptlang::TextEdit& edit : plan.edits) {
            if (edit.text == TextKind::Slo && pair > 0)
                continue;
            const PairFile* file = &group.fileOf(edit.text, pair);
            if (files.isEmpty() || files.last().first != file)
                files.append({file, QJsonArray()});
            files.last().second.append(QJsonObject{
                {QStringLiteral("range"), group.rangeOf(*file, edit.offset, edit.offset + edit.length)},
                {QStringLiteral("newText"), edit.replacement}});
        }
    }
    if (documentChanges) {
        QJsonArray changes;
        for (const auto& [file, edits] : std::as_const(files)) {
            const QJsonValue version = file->version >= 0 ? QJsonValue(file->version) : QJsonValue();
            changes.append(QJsonObject{
                {QStringLiteral("textDocument"),
                 QJsonObject{{QStringLiteral("uri"), file->uri}, {QStringLiteral("version"), version}}},
                {QStringLiteral("edits"), edits}});
        }
        return QJsonObject{{QStringLiteral("documentChanges"), changes}};
    }
    QJsonObject changes;
    for (const auto& [file, edits] : std::as_const(files))
        changes.insert(file->uri, edits);
    return QJsonObject{{QStringLiteral("changes"), changes}};
}

} // namespace lsp
