// SPDX-License-Identifier: GPL-3.0-or-later
// The index's reading of what lies between the tokens: comments, # lines, and the #define
// names in use, whose bodies the lexer has put in their place.
#include "scriptlang/indexbuilder.h"

namespace scriptlang {

using namespace indexing;

void IndexBuilder::readTokens()
{
    Findings ignored;
    Lexer lexer(m.m_slo, ignored);
    m_tokens = lexer.tokenize();
    if (!m_tokens.isEmpty() && m_tokens.last().is(Tok::End))
        m_tokens.removeLast();
    // Each token's offset, once: a token from a #define body stands where the macro was used,
    // its text elsewhere (in the #define line).
    m_places.resize(m_tokens.size());
    const QChar* base = m.m_slo.constData();
    int gapFrom = 0;
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        const Token& t = m_tokens.at(i);
        const int place = m.m_sloLines.offsetOf(t.line, t.column);
        const bool own = t.text.data() == base + place;
        m_places[i] = {place, own};
        if (!own)
            continue;
        scanGap(gapFrom, place);
        gapFrom = place + t.length;
        if (t.kind == Tok::String)
            m.m_quiet.append({place, gapFrom});
    }
    scanGap(gapFrom, int(m.m_slo.size()));
}

Tk IndexBuilder::tokenAt(qsizetype i) const
{
    if (i < 0 || i >= m_tokens.size())
        return Tk{};
    const Token& t = m_tokens.at(i);
    const Place& place = m_places.at(i);
    return Tk{t.kind, t.text, place.offset, t.length, t.line, t.column, place.own};
}

void IndexBuilder::scanGap(int from, int to)
{
    const QString& s = m.m_slo;
    int p = from;
    while (p < to) {
        const QChar c = s[p];
        if (c == u'/' && p + 1 < to && s[p + 1] == u'/') {
            const int end = lineEnd(p, to);
            m.m_quiet.append({p, end});
            p = end;
        } else if (c == u'/' && p + 1 < to && s[p + 1] == u'*') {
            const qsizetype close = s.indexOf(QLatin1StringView("*/"), p + 2);
            const int end = close < 0 || close + 2 > to ? to : int(close + 2);
            m.m_quiet.append({p, end});
            p = end;
        } else if (c == u'#') {
            const int end = lineEnd(p, to);
            directive(p, end);
            m.m_quiet.append({p, end});
            p = end;
        } else if (isNameStart(c)) {
            int end = p + 1;
            while (end < to && isNameChar(s[end]))
                ++end;
            macroUse(QStringView(s).mid(p, end - p), p);
            p = end;
        } else {
            ++p;
        }
    }
}

int IndexBuilder::lineEnd(int from, int to) const
{
    const qsizetype end = m.m_slo.indexOf(u'\n', from);
    return end < 0 || end > to ? to : int(end);
}

void IndexBuilder::directive(int hash, int end)
{
    const QString& s = m.m_slo;
    int p = hash + 1;
    const int wordStart = p;
    while (p < end && isNameChar(s[p]))
        ++p;
    if (QStringView(s).mid(wordStart, p - wordStart) != QLatin1StringView("define"))
        return;
    while (p < end && (s[p] == u' ' || s[p] == u'\t'))
        ++p;
    const int nameStart = p;
    while (p < end && isNameChar(s[p]))
        ++p;
    if (p == nameStart || !isNameStart(s[nameStart]))
        return;
    const QStringView name = QStringView(s).mid(nameStart, p - nameStart);
    const auto known = m_macros.constFind(name);
    if (known != m_macros.cend()) {
        // The game keeps the first #define of a name; a later one is one more place to rename.
        addOccurrence(*known, OccurrenceRole::Declaration, rangeAt(nameStart, int(name.size())));
    } else {
        ScriptSymbol macro;
        macro.name = name.toString();
        macro.kind = NameKind::Macro;
        macro.detail = QStringView(s).mid(p, end - p).trimmed().toString();
        const int symbol =
            addSymbol(macro, rangeAt(nameStart, int(name.size())), OccurrenceRole::Declaration);
        m_macros.insert(name, symbol);
        if (!m.m_scriptWideByName.contains(name)) {
            m.m_scriptWideByName.insert(name, symbol);
            m.m_scriptWide.append(symbol);
        }
    }
    macroBodyUses(p, end);
}

void IndexBuilder::macroBodyUses(int from, int to)
{
    const QString& s = m.m_slo;
    int p = from;
    while (p < to) {
        const QChar c = s[p];
        if (c == u'"') {
            const qsizetype close = s.indexOf(u'"', p + 1);
            p = close < 0 || close >= to ? to : int(close + 1);
        } else if (c == u'/' && p + 1 < to && (s[p + 1] == u'/' || s[p + 1] == u'*')) {
            return;
        } else if (isNameStart(c)) {
            int end = p + 1;
            while (end < to && isNameChar(s[end]))
                ++end;
            const QStringView name = QStringView(s).mid(p, end - p);
            if (p > from && s[p - 1] == u'.') {
                // a member
            } else if (const auto macro = m_macros.constFind(name); macro != m_macros.cend()) {
                addOccurrence(*macro, OccurrenceRole::Use, rangeAt(p, int(name.size())));
            } else {
                m_pending.append({name, rangeAt(p, int(name.size())), -1});
            }
            p = end;
        } else if (c.unicode() >= '0' && c.unicode() <= '9') {
            while (p < to && isNameChar(s[p]))
                ++p;
        } else {
            ++p;
        }
    }
}

void IndexBuilder::macroUse(QStringView name, int offset)
{
    const auto macro = m_macros.constFind(name);
    if (macro != m_macros.cend())
        addOccurrence(*macro, OccurrenceRole::Use, rangeAt(offset, int(name.size())));
}

} // namespace scriptlang
