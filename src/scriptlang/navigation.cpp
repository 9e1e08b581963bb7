// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/navigation.h"

namespace scriptlang {

std::optional<Location> definitionAt(const SymbolIndex& index, TextKind text, int offset)
{
    const int found = index.occurrenceAt(text, offset);
    if (found < 0)
        return std::nullopt;
    const Occurrence& o = index.occurrences().at(found);
    const ScriptSymbol& s = index.symbol(o.symbol);
    // On the head with the body, the forward declaration; anywhere else, the head with the body.
    const TextRange target =
        o.text == TextKind::Slo && o.range == s.definition ? s.declaration : s.definition;
    return Location{TextKind::Slo, target};
}

BindingJump bindingAt(const SymbolIndex& index, int sloOffset, const QString& headVariable)
{
    const int found = index.occurrenceAt(TextKind::Slo, sloOffset);
    if (found < 0)
        return {std::nullopt, QStringLiteral("Put the caret on a global variable of the script.")};
    const int symbol = index.occurrences().at(found).symbol;
    const ScriptSymbol& s = index.symbol(symbol);
    if (s.kind != NameKind::Global)
        return {std::nullopt, QStringLiteral("'%1' is a %2: only global variables are bound in the VLO.")
                                  .arg(s.name, describe(s.kind))};
    for (int o : index.occurrencesOf(symbol)) {
        const Occurrence& occurrence = index.occurrences().at(o);
        if (occurrence.text == TextKind::Vlo)
            return {Location{TextKind::Vlo, occurrence.range}, QString()};
    }
    if (s.name == headVariable)
        return {
            std::nullopt,
            QStringLiteral("'%1' is bound by the generated head of each playerN.vlo to the player's number.")
                .arg(s.name)};
    return {std::nullopt, QStringLiteral("'%1' is not bound in the VLO.").arg(s.name)};
}

QList<Location> referencesAt(const SymbolIndex& index, TextKind text, int offset)
{
    QList<Location> places;
    const int found = index.occurrenceAt(text, offset);
    if (found < 0)
        return places;
    for (int o : index.occurrencesOf(index.occurrences().at(found).symbol)) {
        const Occurrence& occurrence = index.occurrences().at(o);
        places.append(Location{occurrence.text, occurrence.range});
    }
    return places;
}

} // namespace scriptlang
