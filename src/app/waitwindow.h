// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/framedmessagewindow.h"

// Form2: "PLEASE WAIT ..." while the main window loads. 50 ms after it is shown its timer
// stops itself, moves the window 1600 twips up and sends `elapsed`.
class WaitWindow : public FramedMessageWindow {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);

    void startTimer50();

Q_SIGNALS:
    void elapsed();
};
