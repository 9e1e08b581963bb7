// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The entries of the program's own reference (Help.qrb as shipped) for builtin functions and
// callbacks: a head line such as "orderDroidLoc(DROID droid, INT order, INT x, INT y)" and the
// indented lines below it.
namespace scriptlang {

struct HelpEntry {
    QString head;               // the line that names it, as written
    QString description;        // the indented lines below, joined
    QStringList parameterNames; // in order: droid, order, x, y
};

// The entry of a name in a help text of that layout, if it has one.
std::optional<HelpEntry> findHelpEntry(const QString& helpText, const QString& name);

// The same in the shipped reference, read once.
std::optional<HelpEntry> helpEntry(const QString& name);

} // namespace scriptlang
