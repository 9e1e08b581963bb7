// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <cmath>

// Window geometry is designed in twips: 1440 to the inch, 15 to a device-independent pixel.
// This is the one place where twips become pixels and back.
namespace twips {

inline constexpr int kPerPixel = 15;

inline int toPixels(double twipValue)
{
    return static_cast<int>(std::lround(twipValue / kPerPixel));
}

inline double fromPixels(double pixels)
{
    return pixels * kPerPixel;
}

inline QRect toPixels(double left, double top, double width, double height)
{
    const int x = toPixels(left);
    const int y = toPixels(top);
    // Right and bottom edges are rounded on their own so that touching rectangles stay touching.
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

} // namespace twips
