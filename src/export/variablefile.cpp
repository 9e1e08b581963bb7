#include "export/variablefile.h"

namespace variablefile {

namespace {
const QString kRule = QString(69, QLatin1Char('/'));
}

QString head(const QString& playerText)
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
           QStringLiteral("   player          INT                 ") + playerText + crlf +
           QStringLiteral("    // this player is player x.") + crlf +
           crlf;
}

QString generate(const QString& playerText, const QString& vloText)
{
    return head(playerText) + vloText + QStringLiteral("\r\n}");
}

} // namespace variablefile
