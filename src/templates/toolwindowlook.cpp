#include "templates/toolwindowlook.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

void applyToolWindowLook(QWidget& window, const QColor& background)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    window.setFont(font);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, background);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
}
