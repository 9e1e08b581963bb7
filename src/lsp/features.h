// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lsp {

class Server;

// Registers the language features on the server, each with the capability `initialize`
// advertises for it: documentSymbol and hover.
void addLanguageFeatures(Server& server);

} // namespace lsp
