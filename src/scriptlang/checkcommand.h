// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

namespace scriptlang {

// `qrb2 --check [SCRIPT.slo [VARIABLES.vlo]]`: checks the files named, or with none the project
// (SLO.qrb and VLO.qrb) in `projectFolder`, and prints each finding on `out` as
// "PATH:LINE:COLUMN: error: MESSAGE". Returns 0 without errors, 1 with errors, 2 when a file
// cannot be read or the arguments are wrong (the reason on `err`).
int runCheckCommand(const QStringList& files, const QString& projectFolder, QTextStream& out,
                    QTextStream& err);

} // namespace scriptlang
