// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace lsp {

// A place in a text as the protocol counts it: 0-based line and UTF-16 code unit in the line.
// A QString holds UTF-16, so a character offset is an index into the text.
struct Position {
    int line = 0;
    int character = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

// Line starts of a text by the protocol's rule: a line ends at "\r\n", "\r" or "\n".
class LineIndex {
public:
    explicit LineIndex(const QString& text);

    int lineCount() const { return int(m_starts.size()); }
    // The offset of a position; a character past the line's end means the end of the line.
    // -1 for a line past the last one.
    qsizetype offset(const Position& position) const;
    // The position of an offset; one inside a "\r\n" is the end of its line.
    Position position(qsizetype offset) const;

private:
    qsizetype lineEnd(int line) const; // the offset of the line's terminator
    const QString& m_text;
    QList<qsizetype> m_starts;
};

QJsonObject toJson(const Position& position);
QJsonObject rangeJson(const LineIndex& lines, qsizetype from, qsizetype to);
// Reads {"line": L, "character": C}; false when either is missing, negative or not a whole number.
bool fromJson(const QJsonValue& value, Position& position);

// What the file name (or, for an unsaved buffer, the language id) says the document is.
enum class DocumentKind { Script, Values, ProjectScript, ProjectValues, Other };

DocumentKind kindOf(const QString& path, const QString& languageId);
inline bool isScript(DocumentKind kind)
{
    return kind == DocumentKind::Script || kind == DocumentKind::ProjectScript;
}

// An open document: the client's text, its version and where it lies.
struct TextDocument {
    QString uri;
    QString path; // the local file; empty for a URI of another scheme
    DocumentKind kind = DocumentKind::Other;
    int version = 0;
    QString text;
};

// Applies the content changes of one didChange in order: a change with a range replaces it, one
// without replaces the whole text. False (text unchanged) when a change is malformed or its
// range lies outside the text; `problem` says which.
bool applyChanges(QString& text, const QJsonArray& changes, QString& problem);

} // namespace lsp
