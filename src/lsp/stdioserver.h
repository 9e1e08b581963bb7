// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lsp {

// `qrb2 --lsp`: the language server on standard input and output, until `exit` or the end of
// the input; its log lines go to standard error. Needs a QCoreApplication and no display.
// Returns the exit status: 0 after shutdown and exit, 1 otherwise.
int runLanguageServer();

} // namespace lsp
