// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/framedmessagewindow.h"

// sign1: "SAVED  A N D   B A C K U P E D" for two seconds after a manual or exit save. It
// stays in front while shown (its 1 ms timer raises it) and closes itself after 2000 ms.
class SignWindow : public FramedMessageWindow {
    Q_OBJECT
public:
    explicit SignWindow(QWidget* parent = nullptr);
};
