// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/windowdrag.h"

#include <cmath>

bool WindowDrag::press(double xTwips, double yTwips)
{
    if (yTwips >= m_strip)
        return false;
    m_active = true;
    m_grabX = static_cast<qint16>(std::lround(xTwips));
    m_grabY = static_cast<qint16>(std::lround(yTwips));
    return true;
}

QPointF WindowDrag::moveBy(double xTwips, double yTwips) const
{
    if (!m_active)
        return {};
    return {xTwips - m_grabX, yTwips - m_grabY};
}
