// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// One component list of the manual selector: up to 100 entries and the number of lines its
// file held at the last load, which may be more.
struct MtsList {
    static constexpr int kCapacity = 100;
    std::array<QString, kCapacity> entries;
    qint16 count = 0;

    // How many entries the last load filled.
    int used() const { return count < kCapacity ? count : kCapacity; }
};

// What the manual template selector keeps for the whole run: the identifiers and display
// names of the components from the mts folder, and the number the next template gets.
struct ManualSelectorState {
    MtsList mtsWeaponIds;
    MtsList mtsBodyIds;
    MtsList mtsPropIds;
    MtsList mtsWeaponNames;
    MtsList mtsBodyNames;
    MtsList mtsPropNames;
    // Decimal text, as the author sees it in Text4.
    QString mtsNextNumber;
};
