// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QtGlobal>

// The top strip of the main window's background is its handle: a press there grabs the window
// at that point, and while the button is held the window follows the pointer. Positions are in
// twips of the window's client area.
class WindowDrag {
public:
    explicit WindowDrag(double handleStripTwips) : m_strip(handleStripTwips) {}

    // True when the press lies in the handle strip and starts a move.
    bool press(double xTwips, double yTwips);
    // How far the window moves, in twips, for the pointer at (x, y); nothing without a move.
    QPointF moveBy(double xTwips, double yTwips) const;
    void release() { m_active = false; }

    bool active() const { return m_active; }
    qint16 grabX() const { return m_grabX; }
    qint16 grabY() const { return m_grabY; }

private:
    double m_strip;
    bool m_active = false;
    qint16 m_grabX = 0;
    qint16 m_grabY = 0;
};
