// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The width of the screen in twips, which decides whether a layout starts maximised.
class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual int screenWidthTwips() const = 0;
};
