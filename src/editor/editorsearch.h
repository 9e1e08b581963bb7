// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/textreplace.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <optional>

class QTextBlock;
class QTextDocument;
class ScriptEditor;

// A find pattern in an editor's text. Ranges are positions in the editor's document, where a
// line break is one character.
class EditorSearch : public QObject {
    Q_OBJECT
public:
    struct Range {
        int start = 0;
        int length = 0;
        friend bool operator==(const Range&, const Range&) = default;
    };

    explicit EditorSearch(ScriptEditor& editor);

    std::optional<Range> next(const textreplace::Pattern& pattern, int from);
    std::optional<Range> previous(const textreplace::Pattern& pattern, int before);
    qsizetype count(const textreplace::Pattern& pattern);
    // The matches that begin in the lines from `first` to `last`: what is in sight.
    QList<Range> inLines(const textreplace::Pattern& pattern, const QTextBlock& first,
                         const QTextBlock& last) const;
    // Whether `range` is a match of the pattern as it stands.
    bool isMatch(const textreplace::Pattern& pattern, const Range& range);

    // Every match replaced, as one step of the editor's undo history; the number replaced.
    int replaceAll(const textreplace::Pattern& pattern, const QString& replaceText);
    // The match at `range` replaced, as one undo step; the position after its replacement.
    int replace(const textreplace::Pattern& pattern, const Range& range, const QString& replaceText);

private:
    std::optional<Range> search(const textreplace::Pattern& pattern, int position, bool forward);
    // The document's text with a line feed for each line break, positions as in the document.
    const QString& lineFeedText();

    ScriptEditor& m_editor;
    QPointer<QTextDocument> m_document;
    QString m_lineFeedText;
    bool m_lineFeedTextCurrent = false;
};
