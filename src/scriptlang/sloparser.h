// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/finding.h"

#include <QHash>
#include <QList>
#include <QString>

namespace scriptlang {

// A global variable of a script, as the VLO loader sees it.
struct GlobalVariable {
    QString name;
    QString type;     // INT, DROID ... (type name of the builtin tables)
    QList<int> sizes; // array sizes, #define names expanded; empty for a scalar
    bool isPublic = false;
    bool isValue = true; // false for the rare trigger and event variables
    int line = 0;
    int column = 0;
};

struct ScriptModel {
    QList<GlobalVariable> globals;
    QHash<QString, int> globalIndex;

    const GlobalVariable* global(const QString& name) const
    {
        const auto it = globalIndex.constFind(name);
        return it == globalIndex.cend() ? nullptr : &globals.at(*it);
    }
};

// Nesting deeper than this (parentheses, blocks) is reported instead of followed.
constexpr int kMaxNesting = 200;

// Reads a script as the game's compiler does: every syntax mistake, undeclared name, wrong call
// and clashing declaration is added to `findings`; reading goes on after each mistake.
ScriptModel parseScript(const QString& source, Findings& findings);

} // namespace scriptlang
