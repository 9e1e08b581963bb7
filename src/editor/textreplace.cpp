// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/textreplace.h"

namespace textreplace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

Pattern::Pattern(const QString& find, const Options& options) : m_find(find), m_options(options)
{
    if (m_find.isEmpty())
        return;
    const bool lineBreak = m_find.contains(u'\n') || m_find.contains(u'\r');
    if (!options.regularExpression && !lineBreak) {
        m_matcher = QStringMatcher(m_find, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        return;
    }
    QString pattern = options.regularExpression ? m_find
                                                : QRegularExpression::escape(QString(m_find).replace(
                                                      QStringLiteral("\r\n"), QStringLiteral("\n")));
    // A word stops where a letter, digit or '_' does not follow, in every alphabet.
    const QString wordStart = QStringLiteral("(?<!\\w)(?:");
    if (options.wholeWord)
        pattern = wordStart + pattern + QStringLiteral(")(?!\\w)");
    QRegularExpression::PatternOptions flags =
        QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    QRegularExpression regex(pattern, flags);
    if (!regex.isValid()) {
        // The offset counts in the author's expression, not in the word bounds around it.
        const qsizetype offset = regex.patternErrorOffset() - (options.wholeWord ? wordStart.size() : 0);
        m_error = QStringLiteral("%1 at character %2")
                      .arg(regex.errorString())
                      .arg(qBound<qsizetype>(0, offset, m_find.size()) + 1);
        return;
    }
    regex.optimize();
    m_regex = regex;
}

bool Pattern::isWordAt(QStringView text, qsizetype start, qsizetype length) const
{
    const qsizetype end = start + length;
    return (start == 0 || !isWordCharacter(text[start - 1])) &&
           (end >= text.size() || !isWordCharacter(text[end]));
}

std::optional<Match> Pattern::plainFrom(QStringView text, qsizetype from, qsizetype to) const
{
    const qsizetype length = m_find.size();
    for (qsizetype at = m_matcher.indexIn(text, from); at >= 0 && at < to;
         at = m_matcher.indexIn(text, at + 1)) {
        if (!m_options.wholeWord || isWordAt(text, at, length))
            return Match{at, length, {}};
    }
    return std::nullopt;
}

std::optional<Match> Pattern::regexFrom(QStringView text, qsizetype from, qsizetype to) const
{
    if (from > text.size())
        return std::nullopt;
    const QRegularExpressionMatch found = m_regex->match(text, from);
    if (!found.hasMatch() || found.capturedStart() >= to)
        return std::nullopt;
    return Match{found.capturedStart(), found.capturedLength(), found.capturedTexts()};
}

QList<Match> Pattern::findAll(QStringView text, qsizetype from, qsizetype to) const
{
    QList<Match> matches;
    if (!isUsable())
        return matches;
    if (to < 0 || to > text.size())
        to = text.size() + 1;
    for (qsizetype at = from;;) {
        const std::optional<Match> next = m_regex ? regexFrom(text, at, to) : plainFrom(text, at, to);
        if (!next)
            break;
        matches.append(*next);
        // Matches do not overlap; after an empty one the search goes on one character later.
        at = next->start + qMax<qsizetype>(1, next->length);
    }
    return matches;
}

qsizetype Pattern::count(QStringView text) const
{
    if (!isUsable())
        return 0;
    if (m_regex)
        return findAll(text).size();
    qsizetype n = 0;
    for (qsizetype at = 0; const std::optional<Match> next = plainFrom(text, at, text.size()); ++n)
        at = next->start + next->length;
    return n;
}

std::optional<Match> Pattern::findNext(QStringView text, qsizetype from) const
{
    if (!isUsable())
        return std::nullopt;
    return m_regex ? regexFrom(text, from, text.size() + 1) : plainFrom(text, from, text.size());
}

std::optional<Match> Pattern::findPrevious(QStringView text, qsizetype before) const
{
    if (!isUsable() || before <= 0)
        return std::nullopt;
    if (m_regex) {
        const QList<Match> all = findAll(text, 0, before);
        return all.isEmpty() ? std::nullopt : std::optional<Match>(all.last());
    }
    const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = text.lastIndexOf(m_find, before - 1, cs); at >= 0;
         at = at > 0 ? text.lastIndexOf(m_find, at - 1, cs) : -1) {
        if (!m_options.wholeWord || isWordAt(text, at, m_find.size()))
            return Match{at, m_find.size(), {}};
    }
    return std::nullopt;
}

QString Pattern::replacement(const Match& match, const QString& replaceText) const
{
    if (!m_options.regularExpression)
        return replaceText;
    QString out;
    out.reserve(replaceText.size());
    for (qsizetype i = 0; i < replaceText.size(); ++i) {
        const QChar c = replaceText[i];
        if (c != u'\\' || i + 1 == replaceText.size()) {
            out += c;
            continue;
        }
        const QChar next = replaceText[++i];
        if (next.isDigit() && next.unicode() < 128)
            out += match.captures.value(next.unicode() - '0');
        else if (next == u'n')
            out += u'\n';
        else if (next == u't')
            out += u'\t';
        else if (next == u'\\')
            out += u'\\';
        else
            out += QStringView(u"\\") + next;
    }
    return out;
}

} // namespace textreplace
