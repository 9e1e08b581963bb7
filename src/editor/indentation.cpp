// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/indentation.h"

namespace indentation {

QStringView leadingBlanks(QStringView line)
{
    qsizetype n = 0;
    while (n < line.size() && (line[n] == u' ' || line[n] == u'\t'))
        ++n;
    return line.left(n);
}

int unindentWidth(QStringView line)
{
    if (line.startsWith(u'\t'))
        return 1;
    int n = 0;
    while (n < 4 && n < line.size() && line[n] == u' ')
        ++n;
    return n;
}

int homeColumn(QStringView line, int column)
{
    const int firstText = int(leadingBlanks(line).size());
    return column == firstText ? 0 : firstText;
}

} // namespace indentation
