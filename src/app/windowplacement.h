// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPoint;
class QWidget;

// Where windows come up: inside the available area of the screen.
namespace windowplacement {

// Centres the window on the point, kept inside the screen where it fits.
void placeOnScreen(QWidget& w, const QPoint& centre);
// A window larger than the available area shrinks to it where it can; any window is moved so
// that it lies inside the area, its title and top edge first.
void keepInsideScreen(QWidget& w);
void centreOnScreen(QWidget& w);

} // namespace windowplacement
