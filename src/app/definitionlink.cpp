// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/definitionlink.h"

#include "app/nameindexer.h"
#include "editor/scripteditor.h"
#include "scriptlang/navigation.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

DefinitionLink::DefinitionLink(ScriptEditor& editor, scriptlang::TextKind text, NameIndexer& indexer)
    : QObject(&editor), m_editor(editor), m_text(text), m_indexer(indexer)
{
    editor.installEventFilter(this);
    editor.viewport()->installEventFilter(this);
    editor.viewport()->setMouseTracking(true);
}

bool DefinitionLink::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == m_editor.viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->modifiers() == Qt::ControlModifier && mouse->buttons() == Qt::NoButton)
                showAt(mouse->position().toPoint());
            else
                clear();
        }
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control && m_editor.viewport()->underMouse())
            showAt(m_editor.viewport()->mapFromGlobal(QCursor::pos()));
        break;
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control)
            clear();
        break;
    case QEvent::Leave:
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
        clear();
        break;
    default:
        break;
    }
    return false;
}

void DefinitionLink::showAt(const QPoint& viewportPoint)
{
    const int position = m_editor.cursorForPosition(viewportPoint).position();
    const scriptlang::SymbolIndex& index = m_indexer.current();
    const int found = index.occurrenceAt(m_text, position);
    if (found < 0 || !scriptlang::definitionAt(index, m_text, position)) {
        clear();
        return;
    }
    const scriptlang::TextRange range = index.occurrences().at(found).range;
    if (range == m_shown)
        return;
    m_shown = range;
    QTextEdit::ExtraSelection link;
    link.cursor = QTextCursor(m_editor.document());
    link.cursor.setPosition(range.offset);
    link.cursor.setPosition(range.end(), QTextCursor::KeepAnchor);
    link.format.setFontUnderline(true);
    link.format.setUnderlineColor(QColor(0, 90, 200));
    link.format.setForeground(QColor(0, 90, 200));
    m_editor.setDecorations(ScriptEditor::DecorationLayer::Link, {link});
    m_editor.viewport()->setCursor(Qt::PointingHandCursor);
}

void DefinitionLink::clear()
{
    if (m_shown.length == 0)
        return;
    m_shown = {};
    m_editor.setDecorations(ScriptEditor::DecorationLayer::Link, {});
    m_editor.viewport()->setCursor(Qt::IBeamCursor);
}
