// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/textrange.h"

#include <algorithm>

namespace scriptlang {

LineStarts::LineStarts(QStringView text) : m_size(int(text.size()))
{
    m_starts.reserve(text.size() / 32 + 1);
    m_starts.append(0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n')
            m_starts.append(int(i + 1));
    }
}

int LineStarts::lineStart(int line) const
{
    if (m_starts.isEmpty())
        return 0;
    return m_starts.at(qBound(1, line, lineCount()) - 1);
}

int LineStarts::offsetOf(int line, int column) const
{
    return qBound(0, lineStart(line) + qMax(0, column - 1), m_size);
}

int LineStarts::lineOf(int offset) const
{
    const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), offset);
    return qMax(1, int(after - m_starts.cbegin()));
}

TextRange LineStarts::range(int offset, int length) const
{
    const int line = lineOf(offset);
    return TextRange{offset, length, line, offset - lineStart(line) + 1};
}

TextRange LineStarts::rangeAt(int line, int column, int length) const
{
    return TextRange{offsetOf(line, column), length, line, column};
}

} // namespace scriptlang
