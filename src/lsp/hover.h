// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/textdocument.h"
#include "lsp/workspace.h"

#include <QJsonValue>

namespace lsp {

// textDocument/hover: for a builtin its signature from the game's tables and its entry in the
// help text; for a name the script declares its kind, type and line. In a value file, a bound
// name shows the script's global. Null where there is nothing to say.
QJsonValue hover(Workspace& workspace, const TextDocument& document, const Position& position, bool markdown);

} // namespace lsp
