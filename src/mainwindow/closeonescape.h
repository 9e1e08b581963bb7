// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Escape closes the window (the notes, help and backup windows).
void closeOnEscape(QWidget& window);
