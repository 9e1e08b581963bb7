// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/toolwindowlook.h"

#include "editor/classiclook.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

void applyToolWindowLook(QWidget& window, const QColor& background)
{
    const QFont font = classiclook::font();
    window.setFont(font);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, background);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
}
