// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lsp {

class Server;

// Registers the language features on the server, each with the capability `initialize`
// advertises for it: documentSymbol, hover, completion, signatureHelp, definition, references,
// prepareRename and rename, all across a script and its value files.
void addLanguageFeatures(Server& server);

} // namespace lsp
