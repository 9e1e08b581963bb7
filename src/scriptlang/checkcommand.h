// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"

#include <QStringList>

class QTextStream;

namespace scriptlang {

// The largest file `--check` reads: far more than any script.
constexpr qint64 kMaxCheckedFileBytes = 64 * 1024 * 1024;

// `qrb2 --check [SCRIPT.slo [VARIABLES.vlo]]`: checks the files named, or with none the project
// (SLO.qrb and VLO.qrb) in `projectFolder`, named by their full paths, and prints each finding on
// `out` as "PATH:LINE:COLUMN: error: MESSAGE". Returns 0 without errors, 1 with errors, 2 when a
// file cannot be read or is no regular file of at most kMaxCheckedFileBytes, or the arguments
// are wrong (the reason on `err`).
int runCheckCommand(const QStringList& files, const QString& projectFolder, QTextStream& out,
                    QTextStream& err);

// Prints findings as "PATH:LINE:COLUMN: error: MESSAGE" lines, SLO findings under `sloPath` and
// VLO findings under `vloPath`; characters that would disturb a terminal are shown as \xNN.
void printFindings(const Findings& findings, const QString& sloPath, const QString& vloPath,
                   QTextStream& out);

} // namespace scriptlang
