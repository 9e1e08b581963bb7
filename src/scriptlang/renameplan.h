// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QList>
#include <QString>

// Renaming a name of the script everywhere it stands, in the script and the VLO, never inside
// comments or strings; or the reason it cannot be done.
namespace scriptlang {

struct TextEdit {
    TextKind text = TextKind::Slo;
    int offset = 0;
    int length = 0;
    QString replacement;
    friend bool operator==(const TextEdit&, const TextEdit&) = default;
};

struct RenameTarget {
    int symbol = -1;
    TextRange range; // the name at the caret
    QString name;
    QString refusal; // why the name at the caret cannot be renamed
};

// The script name at the caret, or the reason there is none to rename.
RenameTarget renameTargetAt(const SymbolIndex& index, TextKind text, int offset);

struct RenamePlan {
    QString refusal;       // why not; empty when the edits may be made
    QList<TextEdit> edits; // in text order, SLO first; none when the name stays the same
};

// Refuses a new name that is no name, a keyword, a builtin name, or already declared where the
// renamed name is visible (or one that would hide the renamed name in a body that uses it).
RenamePlan planRename(const SymbolIndex& index, TextKind text, int offset, const QString& newName);

} // namespace scriptlang
