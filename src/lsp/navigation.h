// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/groupindex.h"
#include "lsp/jsonrpc.h"

#include <QJsonValue>

namespace lsp {

// textDocument/definition: a script name's declaration (an event's or function's other head
// from one of its heads); from a value file's binding, the global in the script. Null where the
// place holds no name of the script.
QJsonValue definition(GroupIndex& group, qsizetype offset);

// textDocument/references: every place of the name in the script and in each value file of the
// group; without the declarations and the heads with a body unless `includeDeclaration`.
QJsonValue references(GroupIndex& group, qsizetype offset, bool includeDeclaration);

// textDocument/prepareRename: the name's range and its text, or the reason it cannot be renamed
// as a RequestFailed error.
QJsonValue prepareRename(GroupIndex& group, qsizetype offset, jsonrpc::Error& error);

// textDocument/rename: a WorkspaceEdit of the script and every value file of the group
// (`documentChanges` with versions when the client takes them), or the reason as a
// RequestFailed error: a keyword, a builtin, a name taken where the renamed one is seen.
QJsonValue rename(GroupIndex& group, qsizetype offset, const QString& newName, bool documentChanges,
                  jsonrpc::Error& error);

} // namespace lsp
