// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/replacebar.h"

#include "editor/classiclook.h"
#include "editor/elidinglabel.h"
#include "editor/hiddentextbuffer.h"
#include "editor/reveal.h"
#include "editor/scripteditor.h"
#include "platform/busycursor.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

const QColor kMatchBackground(255, 190, 110);
const QColor kBarBackground(176, 188, 212);
const QColor kBadPatternBackground(255, 200, 200);

QString matches(qsizetype n)
{
    if (n == 0)
        return QStringLiteral("No match");
    return n == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(n);
}

} // namespace

ReplaceBar::ReplaceBar(ScriptEditor& editor, HiddenTextBuffer* undoSnapshot,
                       std::function<void()> beforeChange)
    : QWidget(&editor), m_editor(editor), m_undoSnapshot(undoSnapshot),
      m_beforeChange(std::move(beforeChange)), m_search(editor)
{
    setObjectName(editor.objectName() + QStringLiteral("_REPLACE"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBarBackground);
    setPalette(pal);
    setFont(classiclook::font());
    createControls();
    arrangeRows();
    followEditor();
    hide();
}

void ReplaceBar::createControls()
{
    auto box = [this](const char* name, const QString& tip) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setToolTip(tip);
        edit->installEventFilter(this);
        return edit;
    };
    m_find = box("ReplaceFind",
                 QStringLiteral("Text to find: Enter finds the next match, Shift+Enter the previous"));
    m_replace =
        box("ReplaceWith", QStringLiteral("What replaces each match; with Regular expression \\1 to \\9 "
                                          "stand for its groups, \\0 for the whole match, \\n for a line "
                                          "break. Enter replaces and goes on"));
    connect(m_find, &QLineEdit::textChanged, this, &ReplaceBar::patternChanged);
    auto option = [this](const char* name, const QString& caption) {
        auto* check = new QCheckBox(caption, this);
        check->setObjectName(QLatin1String(name));
        check->installEventFilter(this);
        connect(check, &QCheckBox::toggled, this, &ReplaceBar::patternChanged);
        return check;
    };
    m_matchCase = option("MatchCase", QStringLiteral("Match case"));
    m_wholeWord = option("WholeWord", QStringLiteral("Whole word"));
    m_regex = option("RegularExpression", QStringLiteral("Regular expression"));
    auto button = [this](const char* name, const QString& caption, const QString& tip,
                         void (ReplaceBar::*action)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        // As wide as its caption, not the style's least button width: the bar fits narrow editors.
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(caption) + 18);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    m_previous = button("FindPrevious", QStringLiteral("Previous"),
                        QStringLiteral("Previous match (Shift+Enter)"), &ReplaceBar::findPrevious);
    m_next = button("FindNext", QStringLiteral("Next"), QStringLiteral("Next match (Enter)"),
                    &ReplaceBar::findNext);
    m_one =
        button("ReplaceOne", QStringLiteral("Replace"),
               QStringLiteral("Replace the selected match and go to the next one"), &ReplaceBar::replaceOne);
    m_all = button("ReplaceAll", QStringLiteral("Replace all"),
                   QStringLiteral("Replace every match in this editor, as one undo step"),
                   &ReplaceBar::replaceAllNow);
    m_close = button("CloseReplace", QStringLiteral("\u00d7"), QStringLiteral("Close (Escape)"),
                     &ReplaceBar::dismiss);
    m_close->setFlat(true);
    m_status = new ElidingLabel(this);
    m_status->setObjectName(QStringLiteral("ReplaceStatus"));
}

void ReplaceBar::arrangeRows()
{
    // Four rows: find, replace, the options, and the number of matches with what the last action
    // did, so the options keep their names in the narrow editors of the 800 layout.
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 3, 4, 3);
    rows->setSpacing(2);
    auto* findLabel = new QLabel(QStringLiteral("Find:"), this);
    auto* replaceLabel = new QLabel(QStringLiteral("Replace:"), this);
    const int labelWidth = qMax(findLabel->sizeHint().width(), replaceLabel->sizeHint().width());
    findLabel->setFixedWidth(labelWidth);
    replaceLabel->setFixedWidth(labelWidth);
    auto row = [rows](std::initializer_list<QWidget*> widgets, QWidget* stretching) {
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        for (QWidget* w : widgets)
            line->addWidget(w, w == stretching ? 1 : 0);
        if (!stretching)
            line->addStretch(1);
        rows->addLayout(line);
    };
    row({findLabel, m_find, m_previous, m_next, m_close}, m_find);
    row({replaceLabel, m_replace, m_one, m_all}, m_replace);
    row({m_matchCase, m_wholeWord, m_regex}, nullptr);
    row({m_status}, m_status);
    m_tabChain = {m_find,     m_replace, m_matchCase, m_wholeWord, m_regex,
                  m_previous, m_next,    m_one,       m_all,       m_close};
}

void ReplaceBar::followEditor()
{
    // Counting a big script takes a moment: once typing pauses, and after the text changed.
    m_countLater.setSingleShot(true);
    m_countLater.setInterval(120);
    connect(&m_countLater, &QTimer::timeout, this, &ReplaceBar::showCount);
    // Marks follow the view and the text once control is back in the event loop, never while
    // the document is still telling of a change.
    m_markLater.setSingleShot(true);
    m_markLater.setInterval(0);
    connect(&m_markLater, &QTimer::timeout, this, &ReplaceBar::markInSight);
    // A scroll of the text (the editor moves its scroll bar with the bar's signals blocked).
    connect(&m_editor, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy != 0 && !isHidden())
            m_markLater.start();
    });
    connect(m_editor.document(), &QTextDocument::contentsChanged, this, [this] {
        if (isHidden())
            return;
        m_markLater.start();
        m_countLater.start();
    });
    m_editor.installEventFilter(this);
    m_editor.viewport()->installEventFilter(this);
}

bool ReplaceBar::focusNextPrevChild(bool next)
{
    // Tab goes round the bar's own controls; the editor would take it as a tab to type.
    qsizetype at = m_tabChain.indexOf(focusWidget());
    if (at < 0)
        at = 0;
    const qsizetype count = m_tabChain.size();
    for (qsizetype step = 1; step <= count; ++step) {
        QWidget* candidate = m_tabChain.at((at + (next ? step : count - step)) % count);
        if (candidate->isEnabled() && candidate->isVisibleTo(this)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

QSize ReplaceBar::sizeHint() const
{
    return QSize(QWidget::sizeHint().width(), layout()->sizeHint().height());
}

void ReplaceBar::open(const QString& findText)
{
    if (!findText.isEmpty())
        m_find->setText(findText);
    m_message.clear();
    show();
    m_find->setFocus(Qt::ShortcutFocusReason);
    m_find->selectAll();
    patternChanged();
}

void ReplaceBar::dismiss()
{
    hide();
    m_countLater.stop();
    m_markLater.stop();
    m_editor.setDecorations(ScriptEditor::DecorationLayer::SearchMatches, {});
    m_editor.setFocus(Qt::ShortcutFocusReason);
}

QString ReplaceBar::status() const
{
    return m_status->text();
}

void ReplaceBar::patternChanged()
{
    textreplace::Options options;
    options.matchCase = m_matchCase->isChecked();
    options.wholeWord = m_wholeWord->isChecked();
    options.regularExpression = m_regex->isChecked();
    m_pattern = textreplace::Pattern(m_find->text(), options);
    m_message.clear();
    QPalette pal = m_find->palette();
    pal.setColor(QPalette::Base,
                 m_pattern.error().isEmpty() ? palette().color(QPalette::Base) : kBadPatternBackground);
    m_find->setPalette(pal);
    if (!showBadPattern()) {
        m_status->setText(m_pattern.isEmpty() ? QString() : m_status->text());
        m_status->setToolTip(m_status->text());
        m_countLater.start();
    }
    m_markLater.start();
}

bool ReplaceBar::showBadPattern()
{
    if (m_pattern.error().isEmpty())
        return false;
    const QString text = QStringLiteral("Bad regular expression: ") + m_pattern.error();
    m_status->setText(text);
    m_status->setToolTip(text);
    return true;
}

void ReplaceBar::tell(const QString& message)
{
    m_message = message;
    m_status->setText(message);
    m_status->setToolTip(message);
}

void ReplaceBar::showCount()
{
    if (isHidden() || !m_message.isEmpty() || showBadPattern())
        return;
    const QString text = m_pattern.isEmpty() ? QString() : matches(m_search.count(m_pattern));
    m_status->setText(text);
    m_status->setToolTip(text);
}

void ReplaceBar::markInSight()
{
    QList<QTextEdit::ExtraSelection> marks;
    if (!isHidden() && m_pattern.isUsable()) {
        const QTextBlock first = m_editor.cursorForPosition(QPoint(0, 0)).block();
        const QTextBlock last = m_editor.cursorForPosition(QPoint(0, m_editor.viewport()->height())).block();
        for (const EditorSearch::Range& r : m_search.inLines(m_pattern, first, last)) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(m_editor.document());
            mark.cursor.setPosition(r.start);
            mark.cursor.setPosition(r.start + r.length, QTextCursor::KeepAnchor);
            mark.format.setBackground(kMatchBackground);
            marks.append(mark);
        }
    }
    m_editor.setDecorations(ScriptEditor::DecorationLayer::SearchMatches, marks);
}

std::optional<EditorSearch::Range> ReplaceBar::selectedRange() const
{
    const QTextCursor cursor = m_editor.textCursor();
    if (!cursor.hasSelection())
        return std::nullopt;
    return EditorSearch::Range{cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

void ReplaceBar::select(const EditorSearch::Range& range)
{
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(range.start);
    cursor.setPosition(range.start + range.length, QTextCursor::KeepAnchor);
    setCursorInMiddle(m_editor, cursor);
}

void ReplaceBar::findNext()
{
    if (!m_pattern.isUsable()) {
        showBadPattern();
        return;
    }
    m_beforeChange();
    m_message.clear();
    const QTextCursor cursor = m_editor.textCursor();
    const int from = cursor.selectionEnd();
    std::optional<EditorSearch::Range> found = m_search.next(m_pattern, from);
    // An empty match (of ^, say) where the caret stands would keep the search in place.
    if (found && found->length == 0 && found->start == from && !cursor.hasSelection())
        found = m_search.next(m_pattern, from + 1);
    if (!found) {
        found = m_search.next(m_pattern, 0);
        if (found)
            tell(QStringLiteral("Continued from the top"));
    }
    if (found)
        select(*found);
    else
        tell(QStringLiteral("No match"));
    m_countLater.start();
}

void ReplaceBar::findPrevious()
{
    if (!m_pattern.isUsable()) {
        showBadPattern();
        return;
    }
    m_beforeChange();
    m_message.clear();
    std::optional<EditorSearch::Range> found =
        m_search.previous(m_pattern, m_editor.textCursor().selectionStart());
    if (!found) {
        found = m_search.previous(m_pattern, m_editor.document()->characterCount());
        if (found)
            tell(QStringLiteral("Continued from the bottom"));
    }
    if (found)
        select(*found);
    else
        tell(QStringLiteral("No match"));
    m_countLater.start();
}

void ReplaceBar::replaceOne()
{
    if (!m_pattern.isUsable()) {
        showBadPattern();
        return;
    }
    const std::optional<EditorSearch::Range> current = selectedRange();
    if (!current || !m_search.isMatch(m_pattern, *current)) {
        findNext();
        return;
    }
    m_beforeChange();
    const int end = m_search.replace(m_pattern, *current, m_replace->text());
    QTextCursor caret(m_editor.document());
    caret.setPosition(end);
    m_editor.setTextCursor(caret);
    m_message.clear();
    if (const std::optional<EditorSearch::Range> next = m_search.next(m_pattern, end))
        select(*next);
    else if (const std::optional<EditorSearch::Range> first = m_search.next(m_pattern, 0)) {
        select(*first);
        tell(QStringLiteral("Continued from the top"));
    }
    m_countLater.start();
}

int ReplaceBar::replaceAll()
{
    if (m_pattern.isEmpty())
        return 0;
    if (showBadPattern())
        return 0;
    m_beforeChange();
    const BusyCursor busy;
    if (m_undoSnapshot)
        m_undoSnapshot->setText(m_editor.text());
    const int replaced = m_search.replaceAll(m_pattern, m_replace->text());
    tell(replaced == 0   ? QStringLiteral("No match to replace")
         : replaced == 1 ? QStringLiteral("Replaced 1 match")
                         : QStringLiteral("Replaced %1 matches").arg(replaced));
    // The marks change with the text, before the editor is painted again.
    markInSight();
    return replaced;
}

bool ReplaceBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor.viewport()) {
        if (event->type() == QEvent::Resize && !isHidden())
            m_markLater.start();
        return false;
    }
    const bool mine = watched == &m_editor ||
                      (watched->isWidgetType() && static_cast<QWidget*>(watched)->parentWidget() == this);
    if (!mine || isHidden())
        return false;
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Escape belongs to the bar while it is open, not to the window's own Escape.
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        dismiss();
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched == m_find) {
        if (key->modifiers() & Qt::ShiftModifier)
            findPrevious();
        else
            findNext();
        return true;
    }
    if (enter && watched == m_replace) {
        replaceOne();
        return true;
    }
    return false;
}
