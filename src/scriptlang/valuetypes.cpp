// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/valuetypes.h"

#include "scriptlang/builtins.h"

namespace scriptlang::valuetypes {

bool isKnown(const QString& type)
{
    // Every type name reaching here comes from the builtin tables or a declaration.
    return !type.isEmpty() && !type.startsWith(QLatin1Char('?')) && type != QLatin1StringView("VOID") &&
           type != QLatin1StringView("TEXTSTRING") && type != QLatin1StringView("STRUCTUREID") &&
           type != QLatin1StringView("DROIDID");
}

bool isNumber(const QString& type)
{
    return type == kInt || type == kFloat;
}

QString spoken(const QString& type)
{
    if (type == kInt || type == kBool || type == kFloat || type == kString)
        return type.toLower();
    return type;
}

bool isBasic(const QString& type)
{
    return type == kInt || type == kBool || type == kFloat || type == kString;
}

Fit fit(const QString& expected, const QString& actual)
{
    if (!isKnown(expected) || !isKnown(actual) || expected == actual)
        return Fit::Fits;
    if (expected == kString)
        return isBasic(actual) ? Fit::Fits : Fit::AtRunTime;
    const auto type = builtins().types.constFind(expected);
    return type != builtins().types.cend() && type->equivalents.contains(actual) ? Fit::Fits : Fit::No;
}

} // namespace scriptlang::valuetypes
