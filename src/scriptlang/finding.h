// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace scriptlang {

enum class Severity { Error, Warning };

// Which text a finding points into: the script or the variable file.
enum class TextKind { Slo, Vlo };

// One thing wrong in a text: 1-based line and column (a tab is one column), the length of the
// token it is about and a message in the author's terms.
struct Finding {
    Severity severity = Severity::Error;
    TextKind text = TextKind::Slo;
    int line = 1;
    int column = 1;
    int length = 1;
    QString message;
};

using Findings = QList<Finding>;

int errorCount(const Findings& findings);
// In text order: SLO before VLO, then by line and column.
void sortFindings(Findings& findings);

// After this many errors in one text the checker stops reading it, as compilers do.
constexpr int kMaxErrors = 200;

// Adds the findings of one text to a list. The errors of that text already in the list count:
// the script's lexer and parser share one budget. Past kMaxErrors errors the log adds one last
// error, "too many errors; stopping", and takes nothing more.
class FindingLog {
public:
    FindingLog(Findings& findings, TextKind text);

    // False when the log has stopped (this finding was not added).
    bool add(Severity severity, int line, int column, int length, const QString& message);
    bool stopped() const { return m_errors > kMaxErrors; }

private:
    Findings& m_findings;
    TextKind m_text;
    int m_errors = 0;
};

} // namespace scriptlang
