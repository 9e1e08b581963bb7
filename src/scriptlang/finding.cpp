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

FindingLog::FindingLog(Findings& findings, TextKind text) : m_findings(findings), m_text(text)
{
    for (const Finding& f : findings) {
        if (f.text == text && f.severity == Severity::Error)
            ++m_errors;
    }
}

bool FindingLog::add(Severity severity, int line, int column, int length, const QString& message)
{
    if (stopped())
        return false;
    if (severity == Severity::Error && ++m_errors > kMaxErrors) {
        m_findings.append(Finding{Severity::Error, m_text, line, column, qMax(1, length),
                                  QStringLiteral("too many errors; stopping")});
        return false;
    }
    m_findings.append(Finding{severity, m_text, line, column, qMax(1, length), message});
    return true;
}

} // namespace scriptlang
