// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// The word touching a place in a line: letters, digits and '_' on either side of the column,
// so a caret just after a name takes that name as well as one just before it.
namespace wordat {

struct Span {
    int start = 0;
    int length = 0;
};

// `column` is the 0-based place between characters; an empty span when no word touches it.
Span touching(QStringView line, int column);

} // namespace wordat
