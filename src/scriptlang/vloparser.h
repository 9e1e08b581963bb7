// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"

#include <QList>
#include <QSet>
#include <QString>

namespace scriptlang {

// One line of a run block: NAME[i][j] TYPE VALUE.
struct VloBinding {
    QString name;
    QList<long long> indexes;
    QString typeWord;
    QString value; // as written, quotes included
    bool valueIsInteger = false;
    bool valueIsBoolean = false;
    bool valueIsQuoted = false;
    int line = 0;
    int column = 0;
    int typeColumn = 0;
    int valueColumn = 0;
};

struct VloText {
    QList<VloBinding> bindings;
    QSet<QString> unreadNames; // names whose line has a syntax error after them
};

// Reads the author's VLO text, the bindings that the workbench wraps in its generated head
// (`wholeFile` false), or a whole .vlo file with its `script "..." run { ... }` blocks. Syntax
// mistakes go to `findings` as VLO findings.
VloText parseVlo(const QString& text, bool wholeFile, Findings& findings);

} // namespace scriptlang
