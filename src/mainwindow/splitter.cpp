// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/splitter.h"

#include "platform/twips.h"

namespace splitter {

Geometry compute(const layout::Table& table, int value)
{
    const float unit = static_cast<float>(table.splitterUnit);
    Geometry g{};
    g.sloWidth = 2.0f * unit * static_cast<float>(value);
    // A width reads back in whole pixels.
    const float readBack = static_cast<float>(twips::toPixels(g.sloWidth) * twips::kPerPixel);
    g.vloLeft = readBack + static_cast<float>(table.splitterGap);
    g.vloWidth = 2.0f * unit * static_cast<float>(100 - value);
    return g;
}

} // namespace splitter
