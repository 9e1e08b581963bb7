// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/classiclook.h"

#include "platform/twips.h"

#include <QListWidget>

namespace classiclook {

QFont font(double points, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void paintDarkBlue(QWidget& widget, const QColor& text)
{
    QPalette pal = widget.palette();
    pal.setColor(QPalette::Base, kInputBackground);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Highlight, QColor(0, 160, 200));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    widget.setPalette(pal);
}

QListWidget* createEditMenuList(const QString& name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->addItems({QStringLiteral("Undo"), QStringLiteral("-------"), QStringLiteral("Copy"),
                    QStringLiteral("Cut"), QStringLiteral("Paste")});
    list->setFont(font(8.25, true));
    list->setFocusPolicy(Qt::NoFocus);
    paintDarkBlue(*list, Qt::white);
    list->setGeometry(0, 0, twips::toPixels(615), twips::toPixels(1005));
    list->hide();
    return list;
}

} // namespace classiclook
