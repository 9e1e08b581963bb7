// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/textscan.h"

namespace scriptlang {

Comment skipComment(const QChar* text, qsizetype end, TextPlace& place)
{
    qsizetype pos = place.pos;
    if (pos + 1 >= end || text[pos] != QLatin1Char('/'))
        return Comment::None;
    if (text[pos + 1] == QLatin1Char('/')) {
        while (pos < end && text[pos] != QLatin1Char('\n'))
            ++pos;
        place.pos = pos;
        return Comment::Closed;
    }
    if (text[pos + 1] != QLatin1Char('*'))
        return Comment::None;
    for (pos += 2; pos < end; ++pos) {
        if (text[pos] == QLatin1Char('\n')) {
            place.newLineAfter(pos);
        } else if (text[pos] == QLatin1Char('*') && pos + 1 < end && text[pos + 1] == QLatin1Char('/')) {
            place.pos = pos + 2;
            return Comment::Closed;
        }
    }
    place.pos = end;
    return Comment::Unclosed;
}

QString unclosedCommentMessage()
{
    return QStringLiteral("comment not closed: the game stops at the end of the file inside it; add */");
}

QString strayMessage(QStringView run)
{
    constexpr qsizetype kShown = 16;
    QString shown;
    for (qsizetype i = 0; i < qMin(run.size(), kShown); ++i) {
        const char16_t u = run[i].unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            shown +=
                QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else if (u > 0xff)
            shown +=
                QStringLiteral("\\u") + QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0'));
        else
            shown += run[i];
    }
    if (run.size() == 1)
        return QStringLiteral("stray character '%1'").arg(shown);
    if (run.size() > kShown)
        shown += QStringLiteral("...");
    return QStringLiteral("%1 stray characters '%2'").arg(run.size()).arg(shown);
}

} // namespace scriptlang
