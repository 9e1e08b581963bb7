// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace windowplacement {

void placeOnScreen(QWidget& w, const QPoint& centre)
{
    QPoint topLeft = centre - QPoint(w.width() / 2, w.height() / 2);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(qBound(area.left(), topLeft.x(), qMax(area.left(), area.right() - w.width())));
        topLeft.setY(qBound(area.top(), topLeft.y(), qMax(area.top(), area.bottom() - w.height())));
    }
    w.move(topLeft);
}

void keepInsideScreen(QWidget& w)
{
    const QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = w.frameGeometry();
    const QSize extra = frame.size() - w.size();
    if (frame.width() > area.width() || frame.height() > area.height())
        w.resize(w.size().boundedTo(area.size() - extra).expandedTo(w.minimumSize()));
    const QRect now = w.frameGeometry();
    const QPoint topLeft(qBound(area.left(), now.left(), qMax(area.left(), area.right() + 1 - now.width())),
                         qBound(area.top(), now.top(), qMax(area.top(), area.bottom() + 1 - now.height())));
    if (topLeft != now.topLeft())
        w.move(topLeft);
}

void centreOnScreen(QWidget& w)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        placeOnScreen(w, screen->availableGeometry().center());
}

} // namespace windowplacement
