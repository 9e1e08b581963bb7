// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/finding.h"

#include <algorithm>

namespace scriptlang {

int errorCount(const Findings& findings)
{
    return int(std::count_if(findings.cbegin(), findings.cend(),
                             [](const Finding& f) { return f.severity == Severity::Error; }));
}

void sortFindings(Findings& findings)
{
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        if (a.text != b.text)
            return a.text == TextKind::Slo;
        if (a.line != b.line)
            return a.line < b.line;
        return a.column < b.column;
    });
}

} // namespace scriptlang
