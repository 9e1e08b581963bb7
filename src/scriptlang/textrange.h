// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringView>

namespace scriptlang {

// A stretch of a text: its 0-based offset and length, and the 1-based line and column of its
// start (a tab is one column, as in the checker's findings).
struct TextRange {
    int offset = 0;
    int length = 0;
    int line = 1;
    int column = 1;

    int end() const { return offset + length; }
    // Whether the caret at `position` touches the stretch: inside it or just after its end.
    bool touches(int position) const { return position >= offset && position <= end(); }
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// Where each line of a text starts, to turn offsets into lines and columns and back. A line
// ends at LF; a CR before it belongs to the line.
class LineStarts {
public:
    LineStarts() = default;
    explicit LineStarts(QStringView text);

    int lineCount() const { return int(m_starts.size()); }
    // The offset of a 1-based line and column, kept inside the text.
    int offsetOf(int line, int column) const;
    // The 1-based line of an offset.
    int lineOf(int offset) const;
    int lineStart(int line) const;
    TextRange range(int offset, int length) const;
    TextRange rangeAt(int line, int column, int length) const;

private:
    QList<int> m_starts;
    int m_size = 0;
};

} // namespace scriptlang
