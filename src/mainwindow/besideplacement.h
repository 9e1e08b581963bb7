// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

// Where a secondary window opens so that it leaves the main window in sight: beside it.
namespace besideplacement {

// The frame of a window of `wanted` size beside `main` inside `area`, all frames in screen
// pixels: right of it, else below, else left, else above, on the first side with room for the
// whole window, its near edge level with the main window's. When no side has that room the
// window takes the roomiest side that holds `smallest`; when none does, it stands at the foot of
// the area, over the lower part of the main window and not over its command rows at the top.
QRect place(const QRect& main, const QSize& wanted, const QSize& smallest, const QRect& area);

} // namespace besideplacement
