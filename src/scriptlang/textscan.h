// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace scriptlang {

// Where a scanner stands in a text: the position, its line and where that line starts.
struct TextPlace {
    qsizetype pos = 0;
    int line = 1;
    qsizetype lineStart = 0;

    int column() const { return int(pos - lineStart) + 1; }
    int columnAt(qsizetype at) const { return int(at - lineStart) + 1; }
    void newLineAfter(qsizetype at)
    {
        ++line;
        lineStart = at + 1;
    }
};

enum class Comment { None, Closed, Unclosed };

// The game's comments, the same in scripts and value files: `//` to the end of the line and
// `/* ... */` (not nested: the first `*/` ends it). One left-to-right scan decides, so `//*`
// opens a line comment. When a comment starts at `place`, skips it (counting its lines) and says
// whether it closed before `end`; else leaves `place` alone and returns None.
Comment skipComment(const QChar* text, qsizetype end, TextPlace& place);

// The one message for a block comment that the end of the text cuts off.
QString unclosedCommentMessage();

// "stray character '@'" for a run of characters that start no token: one finding for the run,
// control characters and the like shown as \xNN, a long run cut short.
QString strayMessage(QStringView run);

} // namespace scriptlang
