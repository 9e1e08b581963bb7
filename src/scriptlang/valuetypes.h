// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the game's typed expression grammar accepts, for the type names the checker knows (INT,
// BOOL, DROID ...). An empty name is a value of unknown type: it fits everywhere, so a mistake
// the checker cannot be sure of is never reported.
namespace scriptlang::valuetypes {

inline const QString kInt = QStringLiteral("INT");
inline const QString kBool = QStringLiteral("BOOL");
inline const QString kFloat = QStringLiteral("FLOAT");
inline const QString kString = QStringLiteral("STRING");

// A type the checker can reason about: not empty, not VOID, none of the null constants' pointer
// types, and none whose mixing with plain values the game may allow (TEXTSTRING with strings,
// STRUCTUREID and DROIDID with ints).
bool isKnown(const QString& type);
bool isNumber(const QString& type);

// How a message names the type: int, bool, float, string, or the game's name (DROID ...).
QString spoken(const QString& type);

// int, bool, float or string.
bool isBasic(const QString& type);

enum class Fit {
    Fits,
    AtRunTime, // a string wanted, a game value given: the game turns it into one (or fails) only
               // when the script runs
    No,
};

// Whether a value of type `actual` may stand where `expected` is wanted: the same type, one the
// game takes as equivalent (a DROID where a BASEOBJ is expected ...), or any int, bool or float
// where a string is wanted. Unknown types fit. One way only: a BASEOBJ is no DROID.
Fit fit(const QString& expected, const QString& actual);
inline bool fits(const QString& expected, const QString& actual)
{
    return fit(expected, actual) != Fit::No;
}

} // namespace scriptlang::valuetypes
