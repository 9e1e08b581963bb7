// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/notestext.h"

void NotesText::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT changed(m_text);
}
