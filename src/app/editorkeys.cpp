// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editorkeys.h"

#include "editor/replacebar.h"
#include "editor/scripteditor.h"
#include "editor/wordat.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/seekcommands.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>

namespace {

QShortcut* shortcut(QWidget& window, const QKeySequence& keys, const std::function<void()>& action)
{
    auto* s = new QShortcut(keys, &window);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, &window, action);
    return s;
}

const QStringList kSearchButtons{QStringLiteral("Command12"), QStringLiteral("NEXT_SEEK_CMD"),
                                 QStringLiteral("Command11"), QStringLiteral("Command13")};
const QStringList kLineButtons{QStringLiteral("Command8"), QStringLiteral("Command9")};

} // namespace

EditorKeys::EditorKeys(MainWindow& window, SeekCommands& seek, RunCommand run)
    : QObject(&window), m_window(window), m_seek(seek), m_run(std::move(run))
{
    window.slo()->installEventFilter(this);
    window.vlo()->installEventFilter(this);

    shortcut(window, QKeySequence(Qt::CTRL | Qt::Key_S), [this] { m_run(Command::Save); });
    shortcut(window, QKeySequence(Qt::CTRL | Qt::Key_F), [this] { findSelectedWord(); });
    shortcut(window, QKeySequence(Qt::CTRL | Qt::Key_O), [this] { m_run(Command::OpenAi); });
    shortcut(window, QKeySequence(Qt::Key_F3), [this] { searchOn(); });
    shortcut(window, QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { searchBack(); });
    shortcut(window, QKeySequence(Qt::CTRL | Qt::Key_G), [this] {
        m_window.lineBox()->setFocus(Qt::ShortcutFocusReason);
        m_window.lineBox()->selectAll();
        bringIntoSight(m_window.lineBox());
    });
    shortcut(window, QKeySequence(Qt::Key_Escape), [this] { backToEditor(); });
    connect(window.textSeeker(), &QLineEdit::returnPressed, this, &EditorKeys::searchOn);
    connect(window.lineBox(), &QLineEdit::returnPressed, this, &EditorKeys::goToLine);

    // The search and line boxes with their buttons, in the order they stand.
    QList<QWidget*> chain{window.textSeeker()};
    for (const QString& name : kSearchButtons)
        chain.append(window.control(name));
    chain.append(window.lineBox());
    for (const QString& name : kLineButtons)
        chain.append(window.control(name));
    for (qsizetype i = 0; i < chain.size(); ++i) {
        if (qobject_cast<QPushButton*>(chain[i]))
            chain[i]->setFocusPolicy(Qt::TabFocus);
        if (i > 0)
            QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
    addKeyToTooltips();
}

ScriptEditor* EditorKeys::lastEditor() const
{
    return m_vloLast ? m_window.vlo() : m_window.slo();
}

bool EditorKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        m_vloLast = watched == m_window.vlo();
    return false;
}

void EditorKeys::findSelectedWord()
{
    ScriptEditor* editor = lastEditor();
    const QTextCursor cursor = editor->textCursor();
    QString word = cursor.selectedText();
    if (word.isEmpty() || word.contains(QChar::ParagraphSeparator)) {
        // The word the caret touches, on either side.
        const QString line = cursor.block().text();
        const wordat::Span touching = wordat::touching(line, cursor.positionInBlock());
        word = line.mid(touching.start, touching.length);
    }
    QLineEdit* seeker = m_window.textSeeker();
    if (!word.trimmed().isEmpty() && !word.contains(QChar::ParagraphSeparator))
        seeker->setText(word);
    seeker->setFocus(Qt::ShortcutFocusReason);
    seeker->selectAll();
    bringIntoSight(seeker);
}

void EditorKeys::bringIntoSight(QWidget* control)
{
    // On a screen smaller than the layout the search row may lie below the part in sight.
    m_window.layoutScroll()->ensureWidgetVisible(control);
}

ReplaceBar* EditorKeys::openReplaceBar() const
{
    auto* bar = lastEditor()->findChild<ReplaceBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar && bar->isVisible() ? bar : nullptr;
}

// While the editor's find and replace bar is open, F3 and Shift+F3 go through its matches.
void EditorKeys::searchOn()
{
    if (ReplaceBar* bar = openReplaceBar()) {
        bar->findNext();
        return;
    }
    m_run(m_vloLast ? Command::SearchVloNext : Command::SearchSloNext);
}

void EditorKeys::searchBack()
{
    if (ReplaceBar* bar = openReplaceBar()) {
        bar->findPrevious();
        return;
    }
    m_seek.searchBack(m_window, m_vloLast ? SeekCommands::Target::Vlo : SeekCommands::Target::Slo);
}

void EditorKeys::goToLine()
{
    m_run(m_vloLast ? Command::GoToLineVlo : Command::GoToLineSlo);
}

void EditorKeys::backToEditor()
{
    m_window.sloMenu()->hide();
    m_window.vloMenu()->hide();
    lastEditor()->setFocus(Qt::ShortcutFocusReason);
}

void EditorKeys::addKeyToTooltips()
{
    auto add = [this](const QString& name, const QString& keys) {
        QWidget* control = m_window.control(name);
        if (!control)
            return;
        const QString base = control->toolTip().isEmpty() ? control->accessibleName() : control->toolTip();
        const QString tip = base.isEmpty() ? keys : base + QStringLiteral(" (") + keys + u')';
        control->setToolTip(tip);
        // The click areas read their tooltip aloud as their name.
        if (control->accessibleName() == base)
            control->setAccessibleName(tip);
    };
    add(QStringLiteral("Command4"), QStringLiteral("Ctrl+S"));
    add(QStringLiteral("OPEN_AI"), QStringLiteral("Ctrl+O"));
    add(QStringLiteral("TEXT_SEEKER"), QStringLiteral("Ctrl+F takes the selected word; Enter searches on"));
    add(QStringLiteral("NEXT_SEEK_CMD"), QStringLiteral("F3 after SLO was used; Shift+F3 searches back"));
    add(QStringLiteral("Command13"), QStringLiteral("F3 after VLO was used; Shift+F3 searches back"));
    add(QStringLiteral("Command12"), QStringLiteral("first match in SLO"));
    add(QStringLiteral("Command11"), QStringLiteral("first match in VLO"));
    add(QStringLiteral("LINEINT1"), QStringLiteral("Ctrl+G; Enter goes to the line in the editor last used"));
    add(QStringLiteral("Command8"), QStringLiteral("Enter in Line # after SLO was used"));
    add(QStringLiteral("Command9"), QStringLiteral("Enter in Line # after VLO was used"));
}
