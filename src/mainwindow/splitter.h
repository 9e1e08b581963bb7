// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/layouttable.h"

// The bar under the editors moves the border between them. With v from 0 to 100 and the
// layout's unit u: SLO width 2uv, VLO left the SLO width read back plus the layout's gap,
// VLO width 2u(100 - v). Computed in single precision, in twips.
namespace splitter {

struct Geometry {
    float sloWidth;
    float vloLeft;
    float vloWidth;
};

Geometry compute(const layout::Table& table, int value);

} // namespace splitter
