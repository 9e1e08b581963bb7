// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/fillrule.h"

#include <algorithm>

namespace fillrule {

namespace {

double follow(double outer, double margin, double room, double previous)
{
    const double wanted = outer - margin;
    if (wanted < 0)
        return previous;
    return std::min(wanted, room);
}

} // namespace

QSizeF boxSize(const QSizeF& outer, const QSizeF& room, const QSizeF& previous, Margins margins)
{
    return {follow(outer.width(), margins.width, room.width(), previous.width()),
            follow(outer.height(), margins.height, room.height(), previous.height())};
}

} // namespace fillrule
