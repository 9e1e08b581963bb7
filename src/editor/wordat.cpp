// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/wordat.h"

#include "editor/textreplace.h"

namespace wordat {

Span touching(QStringView line, int column)
{
    column = qBound(0, column, int(line.size()));
    int start = column;
    while (start > 0 && textreplace::isWordCharacter(line[start - 1]))
        --start;
    int end = column;
    while (end < line.size() && textreplace::isWordCharacter(line[end]))
        ++end;
    return {start, end - start};
}

} // namespace wordat
