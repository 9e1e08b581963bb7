// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screenmetrics.h"

// The primary screen's width in device-independent pixels, as twips.
class PrimaryScreen final : public ScreenMetrics {
public:
    int screenWidthTwips() const override;
};
