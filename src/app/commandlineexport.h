// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/commandline.h"
#include "platform/clock.h"
#include "workspace/programstate.h"

#include <QTextStream>

namespace commandline {

// qrb2 --export: the project in the folder is saved with a "_BEFORECOMPILE" snapshot and its
// player files are written into the game folder of its settings, by the same code as the main
// window's export commands. The project is checked first: with errors, the findings go to `err`
// and nothing is written, unless `force` (then they are told as a warning). Messages go to
// `err`. Returns the exit status: 0 when every file was written, 1 otherwise.
int runExport(const Folders& folders, ExportKind kind, const Clock& clock, QTextStream& err,
              bool force = false);

} // namespace commandline
