// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/textdocument.h"

#include <QJsonArray>

namespace lsp {

// textDocument/documentSymbol: a script's globals, triggers, events and functions (a prototype
// only when its body is missing); a value file's bindings. DocumentSymbol objects when the
// client takes them (`hierarchical`), else SymbolInformation with the document's location.
QJsonArray documentSymbols(const TextDocument& document, bool hierarchical);

} // namespace lsp
