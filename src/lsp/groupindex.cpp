// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/groupindex.h"

#include <QUrl>
#include <algorithm>

namespace lsp {

using scriptlang::SymbolIndex;
using scriptlang::TextKind;
using scriptlang::VloForm;

std::shared_ptr<const SymbolIndex> IndexCache::get(const QString& slo, const QString& vlo, VloForm form)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries.at(i);
        if (e.form == form && e.slo == slo && e.vlo == vlo) {
            m_entries.move(i, 0);
            return m_entries.first().index;
        }
    }
    auto index = std::make_shared<const SymbolIndex>(SymbolIndex::build(slo, vlo, form));
    m_entries.prepend(Entry{slo, vlo, form, index});
    if (m_entries.size() > kKept)
        m_entries.removeLast();
    return index;
}

namespace {

// A file's URI is the client's for an open document, else the file's own.
PairFile pairFile(Workspace& workspace, const GroupFile& file)
{
    const TextDocument* open = file.uri.isEmpty() ? nullptr : workspace.find(file.uri);
    const QString uri = file.uri.isEmpty() ? QUrl::fromLocalFile(file.path).toString() : file.uri;
    return PairFile{uri, file.path, file.text, open ? open->version : -1};
}

} // namespace

GroupIndex::GroupIndex(Workspace& workspace, IndexCache& cache, const TextDocument& document)
    : m_document(document), m_cache(cache)
{
    if (document.kind == DocumentKind::Other)
        return;
    m_valid = true;
    const ScriptGroup group = workspace.groupOf(document);
    m_form = group.project ? VloForm::Body : VloForm::WholeFile;
    if (group.script)
        m_script = pairFile(workspace, *group.script);
    for (const GroupFile& values : group.values)
        m_values.append(pairFile(workspace, values));
    m_kind = isScript(document.kind) ? TextKind::Slo : TextKind::Vlo;
    if (m_kind == TextKind::Vlo) {
        const auto self = std::find_if(m_values.cbegin(), m_values.cend(),
                                       [&document](const PairFile& f) { return f.uri == document.uri; });
        if (self == m_values.cend())
            m_values.append(PairFile{document.uri, document.path, document.text, document.version});
        m_own = int(std::find_if(m_values.cbegin(), m_values.cend(),
                                 [&document](const PairFile& f) { return f.uri == document.uri; }) -
                    m_values.cbegin());
    }
    if (m_values.isEmpty())
        m_values.append(PairFile{});
    m_pairs.resize(m_values.size());
}

const SymbolIndex& GroupIndex::pair(int i)
{
    std::shared_ptr<const SymbolIndex>& index = m_pairs[i];
    if (!index)
        index = m_cache.get(m_script.text, m_values.at(i).text, m_form);
    return *index;
}

qsizetype GroupIndex::offsetOf(const Position& position) const
{
    return LineIndex(m_document.text).offset(position);
}

QJsonObject GroupIndex::rangeOf(const PairFile& file, qsizetype from, qsizetype to)
{
    std::unique_ptr<LineIndex>& lines = m_lines[&file];
    if (!lines)
        lines = std::make_unique<LineIndex>(file.text);
    return rangeJson(*lines, from, to);
}

} // namespace lsp
