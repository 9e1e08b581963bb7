// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/textseek.h"

#include <QRegularExpression>
#include <QStringView>
#include <cmath>

namespace textseek {

int findFrom(const QString& text, const QString& needle, int from)
{
    if (needle.isEmpty() || from > text.size())
        return -1;
    // A negative start would make indexOf count from the end of the text.
    return static_cast<int>(text.indexOf(needle, qMax(0, from), Qt::CaseInsensitive));
}

int findBefore(const QString& text, const QString& needle, int before)
{
    if (needle.isEmpty() || before <= 0)
        return -1;
    return static_cast<int>(
        text.lastIndexOf(needle, qMin<qsizetype>(before - 1, text.size()), Qt::CaseInsensitive));
}

int searchStart(bool fromTheTop, int selectionStart)
{
    return fromTheTop ? 0 : selectionStart + 1;
}

std::optional<double> parseLineNumber(const QString& typed)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+))\\s*$"));
    const QRegularExpressionMatch match = number.match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

// The start of line `line` (from 1); when the text has fewer lines, the start of its last line.
int lineStart(QStringView text, qint64 line)
{
    int start = 0;
    qsizetype i = 0;
    for (qint64 breaks = line - 1; breaks > 0;) {
        i = text.indexOf(u'\r', i);
        if (i < 0 || i + 1 >= text.size())
            break;
        if (text[i + 1] == u'\n') {
            start = static_cast<int>(i + 2);
            --breaks;
            i += 2;
        } else {
            ++i;
        }
    }
    return start;
}

// The index of the line feed that ends the line starting at `start`, or the text's length.
int lineEnd(QStringView text, int start)
{
    for (qsizetype i = start; (i = text.indexOf(u'\r', i)) >= 0; ++i) {
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            return static_cast<int>(i + 1);
    }
    return static_cast<int>(text.size());
}

} // namespace

LineJump lineJump(const QString& text, double number, int lineOffset)
{
    LineJump jump;
    if (text.isEmpty() || !std::isfinite(number) || std::trunc(number) == 0)
        return jump;
    const double line = std::floor(number - lineOffset);
    if (line <= 0) {
        jump.kind = LineJump::Kind::FirstCharacter;
        jump.range = {0, 1};
        return jump;
    }
    // A text of n characters has at most n + 1 lines; anything beyond means its last line.
    const qint64 wanted =
        line > static_cast<double>(text.size()) + 1 ? text.size() + 1 : static_cast<qint64>(line);
    const int start = lineStart(text, wanted);
    jump.kind = LineJump::Kind::Line;
    jump.range = {start, lineEnd(text, start) - start};
    return jump;
}

} // namespace textseek
