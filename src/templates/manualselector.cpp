// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/manualselector.h"

#include "templates/templatelines.h"

#include <QRegularExpression>
#include <cmath>

namespace manualselector {

namespace {

// Beyond this a double no longer counts every whole number exactly.
constexpr double kLargestExact = 9007199254740992.0; // 2^53

qint64 numberOf(const QString& decimalText)
{
    return decimalText.toLongLong();
}

} // namespace

std::optional<QString> wholeNumberText(const QString& typed)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!number.match(typed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = typed.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double whole = std::floor(value);
    if (std::fabs(whole) >= kLargestExact)
        return std::nullopt;
    return QString::number(static_cast<qint64>(whole));
}

Lines validate(ManualSelectorState& state, int propulsion, int body, int weapon, const QString& quote)
{
    const QString n = state.mtsNextNumber;
    Lines lines;
    lines.templateRecord =
        TemplateRecord{n, state.mtsBodyIds.entries.at(body), state.mtsPropIds.entries.at(propulsion)}.text();
    lines.weaponAssignment = WeaponAssignment{n, state.mtsWeaponIds.entries.at(weapon)}.text();
    lines.nameLine = ManualNameLine{n, quote}.text();
    state.mtsNextNumber = QString::number(numberOf(n) + 1);
    return lines;
}

} // namespace manualselector
