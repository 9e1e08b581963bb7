// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Bringing in an AI the author already has: a playerN.slo and the playerN.vlo beside it become
// the SLO text and the VLO text, without what EXPORT .VLO writes around the VLO text, so that the
// next export binds exactly what the opened file bound.
namespace aiimport {

// A line of the variable file that the export writes itself, so it is not taken in.
struct TakenLine {
    int line = 0; // 1-based line of the file
    QString text;
};

struct VariableList {
    QString text; // the VLO text, CR LF line breaks
    QList<TakenLine> taken;
};

// The SLO text of a script file: CR LF line breaks, without the line break that ends the file
// (the export writes one).
QString scriptText(const QString& fileText);

// The VLO text of a variable file: everything but the banner and the comment lines of the head
// when they are the workbench's own, `script`, `run`, `{`, the line binding `headVariable` (the
// variable the export binds, `player` or `me`) to a number, and the final `}`. Every other line
// keeps its place.
VariableList variableList(const QString& fileText, const QString& headVariable);

// The .vlo with the same base name in the same folder, in any letter case; empty when there is
// none.
QString variableFileBeside(const QString& scriptPath);

// What the author is told about the lines taken off: one line each, "line 13: me int 0".
// Consecutive lines of the banner are one entry.
QString describeTaken(const QList<TakenLine>& taken);

} // namespace aiimport
