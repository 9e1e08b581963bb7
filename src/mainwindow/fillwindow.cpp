// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/fillrule.h"
#include "platform/twips.h"

#include <QWidget>

namespace fillrule {

void apply(QWidget& window, QWidget& box, Margins margins)
{
    // The outer size takes in the frame the window system puts round the window, once it has.
    const QSize outer = window.frameGeometry().size().expandedTo(window.size());
    const QPoint corner = box.pos();
    const QSizeF size =
        boxSize(QSizeF(twips::fromPixels(outer.width()), twips::fromPixels(outer.height())),
                QSizeF(twips::fromPixels(window.width() - corner.x()),
                       twips::fromPixels(window.height() - corner.y())),
                QSizeF(twips::fromPixels(box.width()), twips::fromPixels(box.height())), margins);
    box.resize(twips::toPixels(size.width()), twips::toPixels(size.height()));
}

} // namespace fillrule
