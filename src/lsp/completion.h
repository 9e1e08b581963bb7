// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/groupindex.h"

#include <QJsonValue>

namespace lsp {

// textDocument/completion: the names that fit at the place, best first (the editor's order):
// the body's locals, the script's names, the game's; after `object.` the members of its type;
// in a value file the script's globals and the type words. A function is inserted with its '('.
QJsonValue completion(GroupIndex& group, qsizetype offset);

// textDocument/signatureHelp: the builtin, function or callback whose call or event head the
// place is in, with the parameter it is at. Null outside any.
QJsonValue signatureHelp(GroupIndex& group, qsizetype offset);

} // namespace lsp
