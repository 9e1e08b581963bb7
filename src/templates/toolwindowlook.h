// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QWidget;

// The look the template tool windows share: the small sans-serif font their fixed layouts are
// measured for, and a plain background colour.
void applyToolWindowLook(QWidget& window, const QColor& background);
