// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The two ways the template generator walks through the component lists: 33 weapons,
// 14 bodies and 4 propulsions. Each step comes before the template it chooses is written.

// Rnd's rule: the three indices advance together, each wrapping after the last entry of its
// list. From -1, -1, -1 step k chooses weapon k mod 33, propulsion k mod 4 and body k mod 14.
struct LockstepStep {
    int weapon = -1;
    int propulsion = -1;
    int body = -1;

    void apply();
};

// The rule of Ord, String and the exports: an odometer whose wheels are tested from the
// slowest to the fastest. When the body has reached the last one, the propulsion advances and
// the body restarts (the weapon stays); else when the weapon has reached the last one, the
// body advances and the weapon restarts; else the weapon advances. So body 13 is paired only
// with weapon 0, each propulsion holds 430 templates, and a run from (0, 0, 0) through
// propulsion 3 gives 1719, starting with (0, 0, 1).
struct OdometerStep {
    static void apply(qint32& propulsion, int& body, int& weapon);
};
