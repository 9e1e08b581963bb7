// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/symbolindex.h"

#include "scriptlang/indexbuilder.h"

#include <algorithm>

namespace scriptlang {

bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || (c.unicode() >= '0' && c.unicode() <= '9');
}

QString describe(NameKind kind)
{
    switch (kind) {
    case NameKind::Global:
        return QStringLiteral("global variable");
    case NameKind::Local:
        return QStringLiteral("local variable");
    case NameKind::Parameter:
        return QStringLiteral("parameter");
    case NameKind::Trigger:
        return QStringLiteral("trigger");
    case NameKind::Event:
        return QStringLiteral("event");
    case NameKind::Function:
        return QStringLiteral("function");
    case NameKind::Macro:
        return QStringLiteral("#define");
    }
    return QString();
}

SymbolIndex SymbolIndex::build(const QString& slo, const QString& vlo, VloForm form)
{
    SymbolIndex index;
    index.m_slo = slo;
    index.m_vlo = vlo;
    index.m_sloLines = LineStarts(slo);
    index.m_vloLines = LineStarts(vlo);
    IndexBuilder(index).run(form);
    return index;
}

int SymbolIndex::scopeAt(int sloOffset) const
{
    // Bodies do not overlap and come in text order.
    const auto after = std::upper_bound(m_scopes.cbegin(), m_scopes.cend(), sloOffset,
                                        [](int offset, const BodyScope& s) { return offset < s.start; });
    if (after == m_scopes.cbegin())
        return -1;
    const auto scope = after - 1;
    return sloOffset < scope->end || (sloOffset == scope->end && scope->end == m_slo.size())
               ? int(scope - m_scopes.cbegin())
               : -1;
}

int SymbolIndex::resolve(QStringView name, int scope) const
{
    if (scope >= 0 && scope < m_scopeNames.size()) {
        for (int symbol : m_scopeNames.at(scope)) {
            if (m_symbols.at(symbol).name == name)
                return symbol;
        }
    }
    return m_scriptWideByName.value(name, -1);
}

int SymbolIndex::occurrenceAt(TextKind text, int offset) const
{
    const auto first = std::lower_bound(m_occurrences.cbegin(), m_occurrences.cend(), text,
                                        [](const Occurrence& o, TextKind t) { return o.text < t; });
    // The last occurrence of the text that starts at or before the offset.
    const auto after =
        std::upper_bound(first, m_occurrences.cend(), std::pair(text, offset),
                         [](const std::pair<TextKind, int>& place, const Occurrence& o) {
                             return std::pair(place.first, place.second) < std::pair(o.text, o.range.offset);
                         });
    if (after == first)
        return -1;
    const auto found = after - 1;
    return found->range.touches(offset) ? int(found - m_occurrences.cbegin()) : -1;
}

bool SymbolIndex::inCommentOrString(int sloOffset) const
{
    const auto after =
        std::upper_bound(m_quiet.cbegin(), m_quiet.cend(), sloOffset,
                         [](int offset, const std::pair<int, int>& r) { return offset < r.first; });
    if (after == m_quiet.cbegin())
        return false;
    const auto& range = *(after - 1);
    // Inside a comment or a string; at the end of a line comment or an unclosed one, still in it.
    if (sloOffset > range.first && sloOffset < range.second)
        return true;
    if (sloOffset == range.second && sloOffset > range.first) {
        const QChar first = m_slo[range.first];
        const QChar last = m_slo[range.second - 1];
        const bool lineComment = first == u'/' && m_slo[range.first + 1] == u'/';
        const bool closed = (first == u'"' && last == u'"' && range.second - range.first > 1) ||
                            (first == u'/' && m_slo[range.first + 1] == u'*' && last == u'/' &&
                             range.second - range.first > 3);
        return lineComment || first == u'#' || !closed;
    }
    return false;
}

TextRange wordAt(const QString& text, const LineStarts& lines, int offset, bool vloWords)
{
    auto inWord = [&](QChar c) { return isNameChar(c) || (vloWords && c == u'-'); };
    int start = qBound(0, offset, int(text.size()));
    int end = start;
    while (start > 0 && inWord(text[start - 1]))
        --start;
    while (end < text.size() && inWord(text[end]))
        ++end;
    // A word starts with a letter (or '_'): digits before it are a number.
    while (start < end && !isNameStart(text[start]))
        ++start;
    if (start >= end)
        return lines.range(offset, 0);
    return lines.range(start, end - start);
}

} // namespace scriptlang
