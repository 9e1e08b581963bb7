// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/textchange.h"

namespace textchange {

Change between(const QString& before, const QString& after)
{
    const qsizetype shorter = qMin(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    // Keep each CR LF pair whole on one side of the boundaries.
    if (prefix > 0 && before[prefix - 1] == u'\r')
        --prefix;
    if (suffix > 0 && before[before.size() - suffix] == u'\n')
        --suffix;
    Change change;
    change.start = static_cast<int>(prefix);
    change.removed = static_cast<int>(before.size() - prefix - suffix);
    change.inserted = after.mid(prefix, after.size() - prefix - suffix);
    return change;
}

} // namespace textchange
