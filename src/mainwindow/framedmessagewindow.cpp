// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/framedmessagewindow.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

FramedMessageWindow::FramedMessageWindow(const QString& name, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(name);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(199, 211, 233));
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(pal);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(2);
}

QLabel* FramedMessageWindow::addLabel(const QString& name, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    layout()->addWidget(label);
    return label;
}

QTimer* FramedMessageWindow::addTimer(const QString& name, int interval)
{
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

void FramedMessageWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // The frame: four lines a little inside the window's edge.
    QPainter p(this);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    const QRect r = rect().adjusted(6, 6, -7, -7);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomRight(), r.bottomLeft());
    p.drawLine(r.bottomLeft(), r.topLeft());
}
