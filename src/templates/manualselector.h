// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "templates/manualselectorstate.h"

#include <QString>
#include <optional>

// What the manual template selector does with its state, apart from the window.
namespace manualselector {

// The text Text4 stands for: the decimal text of the largest whole number not above the
// number typed ("2.7" gives "2", "-1.5" gives "-2"). Blanks around the number, a sign, a
// fraction and an exponent are accepted; anything else, the empty text, and numbers too large
// to count on exactly give nothing.
std::optional<QString> wholeNumberText(const QString& typed);

// The three lines that one validation adds to the boxes of Templates.txt, AssignWeapons.txt
// and Names.txt.
struct Lines {
    QString templateRecord;
    QString weaponAssignment;
    QString nameLine;
};

// The lines of the next template for the chosen list positions (0..99) of the propulsion,
// body and weapon, numbered with the next number, which then goes up by one.
Lines validate(ManualSelectorState& state, int propulsion, int body, int weapon, const QString& quote);

} // namespace manualselector
