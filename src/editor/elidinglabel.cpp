// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/elidinglabel.h"

#include <QPainter>

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QString ElidingLabel::shownText() const
{
    const int room = contentsRect().width() - 2 * margin() - qMax(0, indent());
    return fontMetrics().elidedText(text(), Qt::ElideRight, qMax(0, room));
}

QSize ElidingLabel::minimumSizeHint() const
{
    return QSize(0, QLabel::minimumSizeHint().height());
}

void ElidingLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin() + qMax(0, indent()), margin(), -margin(), -margin());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, shownText());
}
