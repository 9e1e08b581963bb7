// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/clickarea.h"

#include <QMouseEvent>
#include <QPainter>

ClickArea::ClickArea(const QString& name, const QString& tip, QWidget* parent) : QAbstractButton(parent)
{
    setObjectName(name);
    setToolTip(tip);
    setAccessibleName(tip);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void ClickArea::paintEvent(QPaintEvent*)
{
    if (!m_hovered && !isDown())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isDown() ? QColor(255, 255, 255, 70) : QColor(255, 255, 255, 35));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void ClickArea::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ClickArea::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

LinkLabel::LinkLabel(const QString& name, const QString& caption, const QString& tip, QWidget* parent)
    : QLabel(caption, parent)
{
    setObjectName(name);
    setToolTip(tip);
    setAccessibleName(caption);
    setAccessibleDescription(tip);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

DecorationArea::DecorationArea(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_NoSystemBackground);
}

void DecorationArea::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void DecorationArea::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void DecorationArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}
