// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/variablefile.h"

#include "scriptlang/checker.h"

namespace variablefile {

namespace {
const QString kRule = QString(69, QLatin1Char('/'));
}

QString boundVariable(const QString& sloText)
{
    return scriptlang::headVariable(sloText);
}

// clang-format off
QString head(const QString& playerText, const QString& variable)
{
    const QString crlf = QStringLiteral("\r\n");
    return kRule + crlf +
           QStringLiteral("// ai for skirmish game") + crlf +
           QStringLiteral("// Generic vlo for each computer player") + crlf +
           kRule + crlf +
           crlf +
           QStringLiteral("script \"player") + playerText + QStringLiteral(".slo\"") + crlf +
           QStringLiteral("run") + crlf +
           QStringLiteral("{") + crlf +
           QStringLiteral("   ") + variable.leftJustified(16) + QStringLiteral("INT                 ") + playerText + crlf +
           QStringLiteral("    // this player is player x.") + crlf +
           crlf;
}
// clang-format on

QString generate(const QString& playerText, const QString& vloText, const QString& variable)
{
    return head(playerText, variable) + vloText + QStringLiteral("\r\n}");
}

} // namespace variablefile
