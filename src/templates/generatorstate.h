// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// What the template generator keeps for the whole run: the component lists read from the RTS
// folder, the template counter and limit, the shared propulsion position and the division
// state of the VLO arrays. Closing and reopening the window keeps all of it; nothing of it is
// written to disk.
struct GeneratorState {
    static constexpr int kWeaponCount = 33;
    static constexpr int kBodyCount = 14;
    static constexpr int kPropulsionCount = 4;
    static constexpr int kLastWeapon = kWeaponCount - 1;
    static constexpr int kLastBody = kBodyCount - 1;
    static constexpr int kLastPropulsion = kPropulsionCount - 1;
    static constexpr int kStringLineCount = 201;
    // Templates that a complete odometer run from (0, 0, 0) writes.
    static constexpr int kTemplatesPerRun = 1719;
    static constexpr int kDivisionSize = 214;

    // Identifiers, one per line of RTS/weapons.txt, bodies.txt and propulsions.txt.
    std::array<QString, kWeaponCount> weaponNames;
    std::array<QString, kBodyCount> bodyNames;
    std::array<QString, kPropulsionCount> propulsionNames;
    // RTS/propulsions_2.txt: its first four lines (the propulsions of --> VLO (FULL)) and its
    // last line (the one propulsion of --> VLO (DIVIDED)).
    std::array<QString, kPropulsionCount> propulsionNames2;
    QString propulsionAlt;

    // The number of the next template.
    qint32 templateCounter = 0;
    // Where Rnd, Ord and String stop; 32 whenever the window loads, then what Aim1 says.
    qint16 templateLimit = 0;
    // The propulsion wheel of the odometer, shared by Ord, String and the exports; above 3
    // once a run has gone through every propulsion.
    qint32 propulsionIndex = 0;
    // String's lines by template number.
    std::array<QString, kStringLineCount> stringLines;

    // The VLO arrays of DIVIDED and FINAL: division number, its decimal text, and the
    // position in the division (0..213).
    qint16 divisionNumber = 0;
    QString divisionName;
    qint16 divisionIndex = 0;
};
