// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/symbolindex.h"

#include <QString>

namespace scriptlang {

// The type of the value that ends just before `dot` (the place of a '.') in the index's script:
// a variable (with its indexes), a member of one, or a call of a function; empty when it cannot
// be told.
QString objectTypeBefore(const SymbolIndex& index, int dot);

// A type as the author reads it: the null constants' internal pointer types become what they
// stand for ("null object" ...); every other type is its own name.
QString displayedType(const QString& type);

// The members after '.' of a value of that type: name -> type.
QList<std::pair<QString, QString>> membersOf(const QString& type);

} // namespace scriptlang
