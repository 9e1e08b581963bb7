// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"
#include "scriptlang/sloparser.h"

#include <QString>

namespace scriptlang {

// The variable the generated head of each playerN.vlo binds to the player's number: `me` when
// the script keeps its number in a public `me` and has no public `player`, else `player`.
QString headVariable(const ScriptModel& script);
QString headVariable(const QString& sloText);

// The workbench's texts: the script and the author's VLO text, which the export wraps in the
// generated head (it binds the head variable) and a closing brace.
Findings checkProject(const QString& sloText, const QString& vloBody);

// The generated head has this many lines: line 1 of the author's VLO text is line 12 of each
// playerN.vlo.
constexpr int kVloHeadLines = 11;

// The line of a finding as the author sees it: VLO lines in the generated file's numbers.
int displayedLine(const Finding& finding);

// "The check finds 2 errors; the first: SLO line 5, column 3: ..."; empty without errors.
QString describeErrors(const Findings& findings);

// A script with a whole .vlo file (head included); `vloFile` empty checks the script alone.
Findings checkFiles(const QString& sloText, const QString& vloFile);

} // namespace scriptlang
