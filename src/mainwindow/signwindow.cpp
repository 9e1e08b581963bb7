// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/signwindow.h"

#include <QLabel>
#include <QTimer>

SignWindow::SignWindow(QWidget* parent) : FramedMessageWindow(QStringLiteral("sign1"), parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("SAVED"));

    QFont big;
    big.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")});
    big.setPointSize(36);
    big.setWeight(QFont::Black);
    addLabel(QStringLiteral("Label1"), QStringLiteral("SAVED"), big);
    QFont small;
    small.setFamilies({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    small.setPointSize(10);
    small.setBold(true);
    addLabel(QStringLiteral("Label2"), QStringLiteral(" A N D   B A C K U P E D "), small);

    QTimer* raiser = addTimer(QStringLiteral("Timer1"), 1);
    connect(raiser, &QTimer::timeout, this, &QWidget::raise);
    raiser->start();
    QTimer* closer = addTimer(QStringLiteral("Timer2"), 2000);
    closer->setSingleShot(true);
    connect(closer, &QTimer::timeout, this, &QWidget::close);
    closer->start();
}
