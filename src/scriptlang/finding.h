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

} // namespace scriptlang
