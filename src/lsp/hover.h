// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/groupindex.h"

#include <QJsonValue>

namespace lsp {

// textDocument/hover: for a builtin its signature and its entry in the help text; for a member
// its type (of the object's type where that can be told); for a name of the script its kind,
// type and line; in a value file, a bound name's global and a type word. Null where there is
// nothing to say.
QJsonValue hover(GroupIndex& group, qsizetype offset, bool markdown);

} // namespace lsp
