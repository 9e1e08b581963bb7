// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editorsearch.h"

#include "editor/scripteditor.h"
#include "editor/scripthighlighter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using textreplace::Match;
using textreplace::Pattern;

namespace {

// Document positions of ascending indexes into the editor's CR LF text: each CR LF before an
// index is one character in the document.
class CrLfToDocument {
public:
    explicit CrLfToDocument(QStringView text) : m_text(text) {}

    int operator()(qsizetype crLfIndex)
    {
        m_breaks += m_text.mid(m_scanned, crLfIndex - m_scanned).count(u'\n');
        m_scanned = crLfIndex;
        return int(crLfIndex - m_breaks);
    }

private:
    QStringView m_text;
    qsizetype m_scanned = 0;
    qsizetype m_breaks = 0;
};

// Whether replacing the match by `with` leaves every comment, string and line of the text as it
// was: neither side holds '/', '*', '"' or a line break, and no '/' or '*' stands next to the
// match to make one with a neighbour.
bool keepsCommentsAndLines(QStringView text, const Match& m, QStringView with)
{
    const auto plain = [](QStringView s) {
        for (QChar c : s) {
            if (c == u'/' || c == u'*' || c == u'"' || c == u'\n' || c == u'\r' ||
                c == QChar::ParagraphSeparator)
                return false;
        }
        return true;
    };
    const auto neighbour = [&](qsizetype i) {
        return i < 0 || i >= text.size() || (text[i] != u'/' && text[i] != u'*');
    };
    return plain(text.mid(m.start, m.length)) && plain(with) && neighbour(m.start - 1) &&
           neighbour(m.start + m.length);
}

} // namespace

EditorSearch::EditorSearch(ScriptEditor& editor) : m_editor(editor) {}

const QString& EditorSearch::lineFeedText()
{
    if (m_document != m_editor.document()) {
        m_document = m_editor.document();
        m_lineFeedTextCurrent = false;
        connect(m_document, &QTextDocument::contentsChange, this, [this] { m_lineFeedTextCurrent = false; });
    }
    if (!m_lineFeedTextCurrent) {
        m_lineFeedText = m_editor.text();
        m_lineFeedText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        m_lineFeedTextCurrent = true;
    }
    return m_lineFeedText;
}

std::optional<EditorSearch::Range> EditorSearch::next(const Pattern& pattern, int from)
{
    return search(pattern, from, true);
}

std::optional<EditorSearch::Range> EditorSearch::previous(const Pattern& pattern, int before)
{
    return search(pattern, before, false);
}

std::optional<EditorSearch::Range> EditorSearch::search(const Pattern& pattern, int position, bool forward)
{
    const auto find = [&](const QString& text, qsizetype at) {
        return forward ? pattern.findNext(text, at) : pattern.findPrevious(text, at);
    };
    // The text with LF breaks counts positions as the document does.
    if (pattern.needsLineFeeds()) {
        const std::optional<Match> found = find(lineFeedText(), position);
        if (!found)
            return std::nullopt;
        return Range{int(found->start), int(found->length)};
    }
    const std::optional<Match> found = find(m_editor.text(), m_editor.toCrLf(position));
    if (!found)
        return std::nullopt;
    return Range{m_editor.toDocument(int(found->start)), int(found->length)};
}

qsizetype EditorSearch::count(const Pattern& pattern)
{
    return pattern.needsLineFeeds() ? pattern.count(lineFeedText()) : pattern.count(m_editor.text());
}

bool EditorSearch::isMatch(const Pattern& pattern, const Range& range)
{
    const std::optional<Range> found = next(pattern, range.start);
    return found && *found == range;
}

QList<EditorSearch::Range> EditorSearch::inLines(const Pattern& pattern, const QTextBlock& first,
                                                 const QTextBlock& last) const
{
    QList<Range> ranges;
    if (!pattern.isUsable() || !first.isValid() || !last.isValid())
        return ranges;
    QString lines;
    for (QTextBlock block = first;; block = block.next()) {
        lines += block.text();
        if (block == last || !block.next().isValid())
            break;
        lines += u'\n';
    }
    for (const Match& m : pattern.findAll(lines))
        ranges.append({first.position() + int(m.start), int(m.length)});
    return ranges;
}

int EditorSearch::replaceAll(const Pattern& pattern, const QString& replaceText)
{
    if (!pattern.isUsable())
        return 0;
    // A plain text is found in the CR LF text the editor keeps at hand (the save before the
    // replace has just read it); a regular expression needs the line feeds.
    const bool lineFeeds = pattern.needsLineFeeds();
    const QString text = lineFeeds ? lineFeedText() : m_editor.text();
    const QList<Match> matches = pattern.findAll(text);
    if (matches.isEmpty())
        return 0;
    CrLfToDocument toDocument(text);
    // The edit starts from the caret: Ctrl+Z puts the caret back there, not at the top.
    QTextCursor cursor = m_editor.textCursor();
    cursor.beginEditBlock();
    int shift = 0;
    bool keepsLineEnds = true;
    for (const Match& m : matches) {
        const int start = (lineFeeds ? int(m.start) : toDocument(m.start)) + shift;
        const QString with = pattern.replacement(m, replaceText);
        keepsLineEnds = keepsLineEnds && keepsCommentsAndLines(text, m, with);
        cursor.setPosition(start);
        cursor.setPosition(start + int(m.length), QTextCursor::KeepAnchor);
        cursor.insertText(with);
        shift += int(with.size() - m.length);
    }
    // Where no replacement can open or close a comment or a string, or add or take a line, the
    // colouring knows that every line still ends as it did.
    if (auto* highlighter = m_editor.findChild<ScriptHighlighter*>(); highlighter && keepsLineEnds)
        highlighter->expectChangeKeepingLineEnds();
    cursor.endEditBlock();
    return int(matches.size());
}

int EditorSearch::replace(const Pattern& pattern, const Range& range, const QString& replaceText)
{
    const QString lines = lineFeedText();
    const std::optional<Match> found = pattern.findNext(lines, range.start);
    if (!found || found->start != range.start || found->length != range.length)
        return range.start + range.length;
    const QString with = pattern.replacement(*found, replaceText);
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(range.start);
    cursor.setPosition(range.start + range.length, QTextCursor::KeepAnchor);
    cursor.insertText(with);
    return range.start + int(with.size());
}
