// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/signaturetip.h"

#include "editor/classiclook.h"

SignatureTip::SignatureTip(QWidget& editor) : QLabel(&editor)
{
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(editor.objectName() + QStringLiteral("_SIGNATURE"));
    setFont(classiclook::font());
    setTextFormat(Qt::RichText);
    setMargin(3);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setToolTip(QStringLiteral("The parameters of the call; Escape hides them"));
}

void SignatureTip::showSignature(const QString& label, std::pair<int, int> active,
                                 const QPoint& globalBottomLeft)
{
    const auto [start, length] = active;
    if (length > 0) {
        m_plain = label.left(start) + u'[' + label.mid(start, length) + u']' + label.mid(start + length);
        setText(label.left(start).toHtmlEscaped() + QStringLiteral("<b><u>") +
                label.mid(start, length).toHtmlEscaped() + QStringLiteral("</u></b>") +
                label.mid(start + length).toHtmlEscaped());
    } else {
        m_plain = label;
        setText(label.toHtmlEscaped());
    }
    adjustSize();
    move(globalBottomLeft - QPoint(0, height()));
    show();
    raise();
}
