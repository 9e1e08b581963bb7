// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bracketmatch.h"

namespace bracketmatch {

namespace {

constexpr char16_t kOpen[] = u"({[";
constexpr char16_t kClose[] = u")}]";

int indexIn(const char16_t* set, QChar c)
{
    for (int i = 0; i < 3; ++i) {
        if (set[i] == c.unicode())
            return i;
    }
    return -1;
}

bool isBracket(QChar c)
{
    return indexIn(kOpen, c) >= 0 || indexIn(kClose, c) >= 0;
}

} // namespace

std::optional<Match> find(int lineCount, const std::function<QString(int)>& lineAt, Place caret, int maxLines)
{
    const QString caretLine = lineAt(caret.line);
    Place at = caret;
    if (at.column >= caretLine.size() || !isBracket(caretLine[at.column])) {
        if (at.column == 0 || at.column > caretLine.size() || !isBracket(caretLine[at.column - 1]))
            return std::nullopt;
        --at.column;
    }
    const QChar bracket = caretLine[at.column];
    const int open = indexIn(kOpen, bracket);
    const bool forward = open >= 0;
    const int kind = forward ? open : indexIn(kClose, bracket);
    const QChar same = forward ? QChar(kOpen[kind]) : QChar(kClose[kind]);
    const QChar other = forward ? QChar(kClose[kind]) : QChar(kOpen[kind]);

    Match match{at, std::nullopt};
    int depth = 0;
    const int step = forward ? 1 : -1;
    for (int line = at.line; line >= 0 && line < lineCount && qAbs(line - at.line) <= maxLines;
         line += step) {
        const QString text = line == at.line ? caretLine : lineAt(line);
        int column = line == at.line ? at.column + step : (forward ? 0 : static_cast<int>(text.size()) - 1);
        for (; column >= 0 && column < text.size(); column += step) {
            const QChar c = text[column];
            if (c == same) {
                ++depth;
            } else if (c == other) {
                if (depth == 0) {
                    match.partner = Place{line, column};
                    return match;
                }
                --depth;
            }
        }
    }
    return match;
}

} // namespace bracketmatch
