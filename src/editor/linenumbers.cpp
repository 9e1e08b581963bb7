// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/linenumbers.h"

#include <algorithm>

namespace linenumbers {

int digitsFor(int lineCount, int first)
{
    int widest = numberOf(std::max(lineCount, 1) - 1, first);
    int digits = 1;
    while (widest >= 10) {
        widest /= 10;
        ++digits;
    }
    return std::max(digits, 2);
}

} // namespace linenumbers
