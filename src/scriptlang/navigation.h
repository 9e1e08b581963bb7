// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QList>
#include <QString>
#include <optional>

// Going from a name to where it is declared, to its VLO binding, and to every place it is used.
namespace scriptlang {

struct Location {
    TextKind text = TextKind::Slo;
    TextRange range;
    friend bool operator==(const Location&, const Location&) = default;
};

// The script name at the caret goes to its declaration; an event's or function's head goes to
// the other head when it has a forward declaration; a VLO binding goes to its global.
std::optional<Location> definitionAt(const SymbolIndex& index, TextKind text, int offset);

struct BindingJump {
    std::optional<Location> target; // the first VLO line that binds the global
    QString message;                // why there is none
};

// From a global in the script to the VLO line that gives it its value. `headVariable` is the
// name the generated head of each playerN.vlo binds (empty when there is none).
BindingJump bindingAt(const SymbolIndex& index, int sloOffset, const QString& headVariable = QString());

// Every place of the name at the caret, in the script and the VLO: declarations included.
QList<Location> referencesAt(const SymbolIndex& index, TextKind text, int offset);

} // namespace scriptlang
