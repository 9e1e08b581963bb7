// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/artwork.h"

#include "platform/twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

namespace {

struct Palette {
    QColor top;
    QColor bottom;
};

// The colour of a command's plate tells its family: export, save, game, tools.
Palette plateColours(const QString& name)
{
    if (name == QLatin1String("Command1") || name == QLatin1String("Command2"))
        return {QColor(231, 160, 52), QColor(170, 98, 18)};
    if (name == QLatin1String("Command4"))
        return {QColor(88, 178, 98), QColor(36, 112, 52)};
    if (name == QLatin1String("Command7"))
        return {QColor(212, 84, 70), QColor(140, 36, 30)};
    return {QColor(92, 128, 184), QColor(46, 70, 118)};
}

QRectF px(const QRectF& r)
{
    return QRectF(twips::toPixels(r.left()), twips::toPixels(r.top()),
                  twips::toPixels(r.left() + r.width()) - twips::toPixels(r.left()),
                  twips::toPixels(r.top() + r.height()) - twips::toPixels(r.top()));
}

QFont font(int pixelSize, int weight = QFont::Normal)
{
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
    f.setPixelSize(pixelSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    return f;
}

void paintPlate(QPainter& p, const layout::Control& c, bool small)
{
    const QRectF r = px(c.rect).adjusted(1, 1, -1, -1);
    const Palette pal = plateColours(c.name);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pal.top);
    g.setColorAt(1, pal.bottom);
    p.setPen(QPen(QColor(10, 14, 24), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 5, 5);
    // A thin highlight along the upper edge gives the plate its bevel.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawLine(r.topLeft() + QPointF(5, 1.5), r.topRight() + QPointF(-5, 1.5));
    p.setPen(Qt::white);
    p.setFont(font(small ? 10 : 12, QFont::Bold));
    p.drawText(r, Qt::AlignCenter, c.caption);
}

void paintTitleStrip(QPainter& p, const layout::Table& t, const QSize& size)
{
    const int h = twips::toPixels(t.handleStrip);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(58, 74, 104));
    g.setColorAt(1, QColor(30, 40, 62));
    p.fillRect(QRect(0, 0, size.width(), h), g);
    p.setPen(QColor(12, 16, 28));
    p.drawLine(0, h - 1, size.width(), h - 1);
    // Grip lines show where the window can be taken to move it.
    p.setPen(QColor(255, 255, 255, 40));
    for (int x = size.width() / 2 + 150; x < size.width() - 60; x += 4)
        p.drawLine(x, 4, x, h - 5);
    p.setPen(QColor(222, 230, 245));
    p.setFont(font(h > 15 ? 11 : 10, QFont::Bold));
    p.drawText(QRect(26, 0, size.width() / 2, h), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("QRB2  \u00b7  Warzone 2100 skirmish AI workbench"));
}

void paintEmblem(QPainter& p, const QRectF& r)
{
    // A hexagonal nut: the workbench's mark.
    QPainterPath hex;
    const QPointF c = r.center();
    const double rad = qMin(r.width(), r.height()) / 2.0;
    for (int i = 0; i < 6; ++i) {
        const double a = (60.0 * i + 30.0) * 3.14159265 / 180.0;
        const QPointF pt(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
        if (i == 0)
            hex.moveTo(pt);
        else
            hex.lineTo(pt);
    }
    hex.closeSubpath();
    p.setPen(QPen(QColor(20, 26, 40), 1));
    p.setBrush(QColor(231, 160, 52));
    p.drawPath(hex);
    p.setBrush(QColor(30, 40, 62));
    p.drawEllipse(c, rad * 0.42, rad * 0.42);
}

void paintDecoration(QPainter& p, const layout::Control& c)
{
    const QRectF r = px(c.rect);
    if (c.name == QLatin1String("Image4")) {
        paintEmblem(p, r);
    } else if (c.name == QLatin1String("Image9") || c.name == QLatin1String("Image10")) {
        // Rivets in the bottom corners.
        p.setPen(QPen(QColor(12, 16, 28), 1));
        QRadialGradient g(r.center() - QPointF(2, 2), r.width() / 2);
        g.setColorAt(0, QColor(170, 182, 204));
        g.setColorAt(1, QColor(70, 82, 104));
        p.setBrush(g);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    } else {
        // Engraved rules between the command rows.
        p.setPen(QColor(10, 14, 24));
        p.drawLine(r.topLeft(), r.topRight());
        p.setPen(QColor(255, 255, 255, 35));
        p.drawLine(r.topLeft() + QPointF(0, 1), r.topRight() + QPointF(0, 1));
    }
}

void paintWindowButton(QPainter& p, const layout::Control& c)
{
    const QRectF r = px(c.rect);
    p.setRenderHint(QPainter::Antialiasing);
    if (c.name == QLatin1String("Image1")) {
        p.setPen(QPen(QColor(60, 10, 10), 1));
        p.setBrush(QColor(206, 64, 52));
        p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(QPen(Qt::white, 1.6));
        const QRectF x = r.adjusted(r.width() * 0.3, r.height() * 0.3, -r.width() * 0.3, -r.height() * 0.3);
        p.drawLine(x.topLeft(), x.bottomRight());
        p.drawLine(x.topRight(), x.bottomLeft());
    } else if (c.name == QLatin1String("Image2")) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(92, 128, 184));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left() + 2, r.bottom() - 5, r.width() - 4, 2));
    } else if (c.name == QLatin1String("Image8")) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(231, 160, 52));
        p.drawRect(r);
    }
}

void paintCaption(QPainter& p, const QRectF& r, const QString& text, int size = 10)
{
    p.setPen(QColor(176, 190, 214));
    p.setFont(font(size, QFont::Bold));
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, text);
}

void paintFrame(QPainter& p, const QRectF& r)
{
    // A sunken frame around a control.
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(8, 12, 20));
    p.drawRect(r.adjusted(-1.5, -1.5, 0.5, 0.5));
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(r.bottomLeft() + QPointF(-1, 1.5), r.bottomRight() + QPointF(1, 1.5));
}

} // namespace

QPixmap paintBackground(const layout::Table& table)
{
    const QSize size(twips::toPixels(table.client.width()), twips::toPixels(table.client.height()));
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    QLinearGradient base(0, 0, 0, size.height());
    base.setColorAt(0, QColor(38, 50, 76));
    base.setColorAt(1, QColor(18, 24, 38));
    p.fillRect(pixmap.rect(), base);
    paintTitleStrip(p, table, size);

    for (const layout::Control& c : table.controls) {
        switch (c.kind) {
        case layout::Kind::ClickArea:
            // The window's own marks (exit, minimise, the layout corner); every command a plate.
            if (c.name == QLatin1String("Image1") || c.name == QLatin1String("Image2") ||
                c.name == QLatin1String("Image8"))
                paintWindowButton(p, c);
            else
                paintPlate(p, c, table.isLayout800);
            break;
        case layout::Kind::Decoration:
            paintDecoration(p, c);
            break;
        case layout::Kind::Editor:
        case layout::Kind::TextBox:
        case layout::Kind::List:
            paintFrame(p, px(c.rect));
            break;
        default:
            break;
        }
    }

    // Captions painted beside the controls they name.
    if (const layout::Control* dir = table.find(QStringLiteral("GAMEDIR"))) {
        const QRectF r = px(dir->rect);
        paintCaption(
            p, QRectF(px(table.find(QStringLiteral("Command17"))->rect).left(), r.top(), 120, r.height()),
            QStringLiteral("GAME DIRECTORY"), table.isLayout800 ? 9 : 10);
    }
    if (const layout::Control* slo = table.find(QStringLiteral("SLO"))) {
        const QRectF r = px(slo->rect);
        const QRectF label(r.left() + 2, r.top() - 14, 400, 13);
        p.setPen(QColor(150, 166, 194));
        p.setFont(font(9, QFont::Bold));
        p.drawText(label, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("SLO  \u2013  generic script"));
        const QRectF right(size.width() - 410, r.top() - 14, 400, 13);
        p.drawText(right, Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("VLO  \u2013  generic variable list"));
    }
    if (const layout::Control* lines = table.find(QStringLiteral("Command9"))) {
        const QRectF r = px(lines->rect);
        p.setPen(QColor(128, 144, 172));
        p.setFont(font(table.isLayout800 ? 9 : 10));
        p.drawText(QRectF(r.right() + 12, r.top(), size.width() - r.right() - 20, r.height()),
                   Qt::AlignVCenter | Qt::AlignLeft,
                   table.isLayout800 ? QStringLiteral("Right-click: edit menu")
                                     : QStringLiteral("Right-click: menu \u00b7 F10 / F11: to notes"));
    }
    return pixmap;
}

} // namespace artwork
