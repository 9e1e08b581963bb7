// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/unsavedmark.h"

#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "platform/twips.h"

#include <QLabel>
#include <QTextDocument>

UnsavedMark::UnsavedMark(MainWindow& window) : QObject(&window), m_window(window)
{
    const layout::Table& table = window.table();
    m_mark =
        new QLabel(QStringLiteral("\u25cf unsaved changes"), window.control(QStringLiteral("LayoutCanvas")));
    m_mark->setObjectName(QStringLiteral("UNSAVED_MARK"));
    m_mark->setAccessibleDescription(
        QStringLiteral("The script or the variable list holds changes that are not saved yet"));
    QFont font = m_mark->font();
    font.setBold(true);
    font.setPixelSize(table.isLayout800 ? 10 : 11);
    m_mark->setFont(font);
    m_mark->setStyleSheet(QStringLiteral("color: rgb(255, 190, 90);"));
    // In the title strip, right of the program's name and left of the middle, where a READ-ONLY
    // mark would begin; the strip still moves the window.
    const int strip = twips::toPixels(table.handleStrip);
    m_mark->setGeometry(twips::toPixels(table.client.width() * 0.37), 0,
                        m_mark->fontMetrics().horizontalAdvance(m_mark->text()) + 6, strip);
    m_mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (ScriptEditor* editor : {window.slo(), window.vlo()})
        connect(editor->document(), &QTextDocument::modificationChanged, this, &UnsavedMark::refresh);
    refresh();
}

void UnsavedMark::refresh()
{
    m_mark->setVisible(m_window.slo()->document()->isModified() || m_window.vlo()->document()->isModified());
}

void UnsavedMark::markSaved(MainWindow& window)
{
    window.slo()->document()->setModified(false);
    window.vlo()->document()->setModified(false);
}

void UnsavedMark::carryState(const MainWindow& from, MainWindow& to)
{
    to.slo()->document()->setModified(from.slo()->document()->isModified());
    to.vlo()->document()->setModified(from.vlo()->document()->isModified());
}
