// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/outline.h"

#include "scriptlang/namematch.h"
#include "scriptlang/names.h"

#include <algorithm>

namespace scriptlang {

QList<OutlineEntry> outline(const SymbolIndex& index)
{
    QList<OutlineEntry> entries;
    for (int symbol : index.scriptWideNames()) {
        const ScriptSymbol& s = index.symbol(symbol);
        OutlineEntry e{s.name, s.kind, QString(), s.definition, symbol};
        switch (s.kind) {
        case NameKind::Global:
            e.detail = (s.isPublic ? QStringLiteral("public ") : QStringLiteral("private ")) + s.type +
                       s.arraySuffix;
            break;
        case NameKind::Event:
        case NameKind::Trigger:
            e.detail = s.detail;
            break;
        case NameKind::Function: {
            QStringList params;
            for (const ParameterInfo& p : s.parameters)
                params.append(
                    (p.typeWord.isEmpty() ? QString() : nameIndex().typeOfWord.value(p.typeWord) + u' ') +
                    p.name);
            e.detail = s.type + QStringLiteral(" (") + params.join(QStringLiteral(", ")) + u')';
            break;
        }
        case NameKind::Macro:
        case NameKind::Local:
        case NameKind::Parameter:
            continue;
        }
        entries.append(e);
    }
    std::sort(entries.begin(), entries.end(),
              [](const OutlineEntry& a, const OutlineEntry& b) { return a.range.offset < b.range.offset; });
    return entries;
}

QList<OutlineEntry> filterOutline(const QList<OutlineEntry>& entries, QStringView typed)
{
    QList<std::pair<NameMatch, const OutlineEntry*>> found;
    for (const OutlineEntry& e : entries) {
        const NameMatch match = matchName(e.name, typed);
        if (match != NameMatch::None)
            found.append({match, &e});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<OutlineEntry> result;
    result.reserve(found.size());
    for (const auto& [match, entry] : found)
        result.append(*entry);
    return result;
}

} // namespace scriptlang
