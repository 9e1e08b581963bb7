// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/hiddentextbuffer.h"

HiddenTextBuffer::HiddenTextBuffer(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    hide();
}

void HiddenTextBuffer::setText(const QString& text)
{
    m_text = text;
    m_written = true;
}
