// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/waitwindow.h"

#include "platform/twips.h"

#include <QLabel>
#include <QTimer>

WaitWindow::WaitWindow(QWidget* parent) : FramedMessageWindow(QStringLiteral("Form2"), parent)
{
    setWindowTitle(QStringLiteral("QRB2"));
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(24);
    font.setBold(true);
    addLabel(QStringLiteral("Label1"), QStringLiteral("PLEASE WAIT ..."), font);
    QTimer* timer = addTimer(QStringLiteral("Timer1"), 50);
    connect(timer, &QTimer::timeout, this, [this, timer] {
        timer->stop();
        move(x(), y() - twips::toPixels(1600));
        Q_EMIT elapsed();
    });
}

void WaitWindow::startTimer50()
{
    findChild<QTimer*>(QStringLiteral("Timer1"))->start();
}
