// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/workspace.h"
#include "scriptlang/finding.h"

#include <QHash>
#include <QJsonArray>

namespace lsp {

// The protocol's Diagnostic objects for findings in `text`: the checker's 1-based line (counted
// at line feeds) and column become the protocol's positions.
QJsonArray toDiagnostics(const scriptlang::Findings& findings, const QString& text);

// Checks a group as the game would load it and gives the diagnostics of each of its files, by
// path (by URI for a document without a file). A script named by several value files is
// checked with each; a finding that only some of them cause names them.
QHash<QString, QJsonArray> diagnoseGroup(const ScriptGroup& group);

} // namespace lsp
