// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/besideplacement.h"

#include <algorithm>
#include <array>

namespace besideplacement {

namespace {

enum class Side { Right, Below, Left, Above };

// The free room of the area on one side of the main window.
QRect roomOn(Side side, const QRect& main, const QRect& area)
{
    switch (side) {
    case Side::Right:
        return QRect(QPoint(main.right() + 1, area.top()), area.bottomRight());
    case Side::Below:
        return QRect(QPoint(area.left(), main.bottom() + 1), area.bottomRight());
    case Side::Left:
        return QRect(area.topLeft(), QPoint(main.left() - 1, area.bottom()));
    case Side::Above:
        break;
    }
    return QRect(area.topLeft(), QPoint(area.right(), main.top() - 1));
}

// A frame of `size` in the room, against the main window and level with its top or left edge.
QRect frameIn(Side side, const QRect& room, const QSize& size, const QRect& main)
{
    const int x =
        std::clamp(main.left(), room.left(), std::max(room.left(), room.right() + 1 - size.width()));
    const int y = std::clamp(main.top(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
    switch (side) {
    case Side::Right:
        return QRect(QPoint(room.left(), y), size);
    case Side::Below:
        return QRect(QPoint(x, room.top()), size);
    case Side::Left:
        return QRect(QPoint(room.right() + 1 - size.width(), y), size);
    case Side::Above:
        break;
    }
    return QRect(QPoint(x, room.bottom() + 1 - size.height()), size);
}

} // namespace

QRect place(const QRect& main, const QSize& wanted, const QSize& smallest, const QRect& area)
{
    constexpr std::array sides{Side::Right, Side::Below, Side::Left, Side::Above};
    for (Side side : sides) {
        const QRect room = roomOn(side, main, area);
        if (room.width() >= wanted.width() && room.height() >= wanted.height())
            return frameIn(side, room, wanted, main);
    }
    const QRect* best = nullptr;
    QRect rooms[4];
    Side bestSide = Side::Right;
    for (int i = 0; i < 4; ++i) {
        rooms[i] = roomOn(sides[i], main, area);
        const QRect& room = rooms[i];
        if (room.width() < smallest.width() || room.height() < smallest.height())
            continue;
        if (!best || qint64(room.width()) * room.height() > qint64(best->width()) * best->height()) {
            best = &rooms[i];
            bestSide = sides[i];
        }
    }
    if (best)
        return frameIn(bestSide, *best, wanted.boundedTo(best->size()), main);
    const QSize size = wanted.boundedTo(area.size());
    const int x =
        std::clamp(main.left(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    return QRect(QPoint(x, area.bottom() + 1 - size.height()), size);
}

} // namespace besideplacement
