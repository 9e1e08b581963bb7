// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/findreplace.h"

#include "editor/codeview.h"
#include "editor/menurow.h"
#include "editor/replacebar.h"
#include "editor/scripteditor.h"
#include "editor/wordat.h"
#include "mainwindow/mainwindow.h"
#include "workspace/projectsaver.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollArea>
#include <QShortcut>
#include <QTextBlock>

FindReplace::FindReplace(MainWindow& window, ProjectSaver& saver)
    : QObject(&window), m_window(window), m_saver(saver)
{
    for (ScriptEditor* editor : {window.slo(), window.vlo()}) {
        auto* bar = new ReplaceBar(*editor, editor == window.slo() ? window.sloUndo() : window.vloUndo(),
                                   [this] { m_saver.forceSave(m_window); });
        if (auto* view = editor->findChild<CodeView*>())
            view->setBottomPanel(bar);
        editor->installEventFilter(this);
        addMenuRow(*editor);
    }
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_H), QKeySequence(Qt::CTRL | Qt::Key_R)}) {
        auto* shortcut = new QShortcut(keys, &window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this] { openIn(*(m_vloLast ? m_window.vlo() : m_window.slo())); });
    }
}

ReplaceBar* FindReplace::barOf(const ScriptEditor& editor) const
{
    return editor.findChild<ReplaceBar*>(QString(), Qt::FindDirectChildrenOnly);
}

void FindReplace::addMenuRow(ScriptEditor& editor)
{
    QListWidget& list =
        editor.objectName() == QLatin1String("SLO") ? *m_window.sloMenu() : *m_window.vloMenu();
    addMenuAction(editor, list, QStringLiteral("Find and replace"), *this,
                  [this, e = &editor] { openIn(*e); });
}

void FindReplace::openIn(ScriptEditor& editor)
{
    // The selection when it is on one line, otherwise the word the caret touches.
    QTextCursor cursor = editor.textCursor();
    QString find;
    if (cursor.hasSelection()) {
        const QString selected = cursor.selectedText();
        if (!selected.contains(QChar::ParagraphSeparator))
            find = selected;
    } else {
        const QString line = cursor.block().text();
        const wordat::Span word = wordat::touching(line, cursor.positionInBlock());
        find = line.mid(word.start, word.length);
    }
    if (ReplaceBar* bar = barOf(editor)) {
        bar->open(find);
        // On a screen smaller than the layout the editor's foot may lie out of sight.
        m_window.layoutScroll()->ensureWidgetVisible(bar);
    }
}

bool FindReplace::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        m_vloLast = watched == m_window.vlo();
    return false;
}
