// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/primaryscreen.h"

#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

int PrimaryScreen::screenWidthTwips() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    return static_cast<int>(twips::fromPixels(screen->size().width()));
}
