// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/codecompletion.h"

#include "app/nameindexer.h"
#include "editor/completionpopup.h"
#include "editor/scripteditor.h"
#include "editor/scripthighlighter.h"
#include "editor/signaturetip.h"
#include "scriptlang/signaturehelp.h"

#include <QKeyEvent>
#include <QTextBlock>

using scriptlang::Completion;
using scriptlang::TextKind;

namespace {

// Lines read back from the caret to find the call it is in.
constexpr int kCallLines = 80;

bool isNameText(const QString& typed)
{
    return typed.size() == 1 && scriptlang::isNameChar(typed.front());
}

// The name characters just before a document position.
int nameStart(const QTextDocument& document, int position)
{
    int start = position;
    while (start > 0 && scriptlang::isNameChar(document.characterAt(start - 1)))
        --start;
    return start;
}

// The name being typed at `position` follows `object.`: a member of a value, not a number's
// decimal point.
bool afterMemberDot(const QTextDocument& document, int position)
{
    int dot = nameStart(document, position) - 1;
    while (dot >= 0 && (document.characterAt(dot) == u' ' || document.characterAt(dot) == u'\t'))
        --dot;
    if (dot < 1 || document.characterAt(dot) != u'.')
        return false;
    const QChar before = document.characterAt(dot - 1);
    if (before == u')' || before == u']')
        return true;
    const int word = nameStart(document, dot);
    return word < dot && scriptlang::isNameStart(document.characterAt(word));
}

} // namespace

CodeCompletion::CodeCompletion(ScriptEditor& editor, TextKind text, NameIndexer& indexer,
                               ScriptHighlighter* highlighter)
    : QObject(&editor), m_editor(editor), m_text(text), m_indexer(indexer), m_highlighter(highlighter),
      m_popup(new CompletionPopup(editor)), m_tip(new SignatureTip(editor))
{
    m_automatic.setSingleShot(true);
    m_automatic.setInterval(kAutomaticPauseMs);
    connect(&m_automatic, &QTimer::timeout, this, [this] { open(true); });
    connect(m_popup, &CompletionPopup::rowChosen, this, [this] { insertChosen(); });
    connect(&m_editor, &QPlainTextEdit::cursorPositionChanged, this, &CodeCompletion::followCaretLater);
}

void CodeCompletion::hideAll()
{
    m_automatic.stop();
    m_popup->hide();
    m_tip->hide();
}

void CodeCompletion::complete()
{
    m_automatic.stop();
    open(false);
}

void CodeCompletion::open(bool automatic)
{
    const QTextCursor caret = m_editor.textCursor();
    if (caret.hasSelection() && automatic)
        return;
    const int position = caret.position();
    const QTextDocument& document = *m_editor.document();
    if (automatic && ((position - nameStart(document, position) < kAutomaticLetters &&
                       !afterMemberDot(document, position)) ||
                      scriptlang::isNameChar(document.characterAt(position))))
        return;
    const scriptlang::CompletionList list = scriptlang::completionsAt(m_indexer.current(), m_text, position);
    m_all = list.all;
    m_start = list.typed.offset;
    const QList<Completion>& items = list.items;
    if (items.isEmpty() || (automatic && items.size() == 1 && items.first().name == list.typedText)) {
        m_popup->hide();
        return;
    }
    if (!automatic && items.size() == 1 && !list.typedText.isEmpty()) {
        m_shown = items;
        insertChosen();
        return;
    }
    showRows(items);
}

void CodeCompletion::showRows(const QList<Completion>& items)
{
    m_shown = items;
    QList<CompletionPopup::Row> rows;
    rows.reserve(items.size());
    for (const Completion& c : items)
        rows.append({c.name, c.detail, scriptlang::describe(c.kind), c.type});
    m_popup->setRows(rows);
    QTextCursor start(m_editor.document());
    start.setPosition(m_start);
    const QRect line = m_editor.cursorRect(start);
    m_popup->showAt(m_editor.viewport()->mapToGlobal(line.bottomLeft() + QPoint(0, 2)), line.height());
}

void CodeCompletion::narrow()
{
    const int position = m_editor.textCursor().position();
    const int start = nameStart(*m_editor.document(), position);
    if (position < m_start || start != m_start || m_editor.textCursor().hasSelection()) {
        m_popup->hide();
        return;
    }
    QTextCursor typed(m_editor.document());
    typed.setPosition(m_start);
    typed.setPosition(position, QTextCursor::KeepAnchor);
    const QList<Completion> items = scriptlang::rankCompletions(m_all, typed.selectedText());
    if (items.isEmpty()) {
        m_popup->hide();
        return;
    }
    showRows(items);
}

void CodeCompletion::insertChosen()
{
    const int row = m_popup->isVisible() ? m_popup->currentRow() : 0;
    m_popup->hide();
    if (row < 0 || row >= m_shown.size())
        return;
    const Completion chosen = m_shown.at(row);
    QTextCursor edit = m_editor.textCursor();
    edit.setPosition(qMin(m_start, edit.position()));
    edit.setPosition(m_editor.textCursor().position(), QTextCursor::KeepAnchor);
    const bool call = chosen.insertsCall() && m_editor.document()->characterAt(edit.selectionEnd()) != u'(';
    edit.insertText(call ? chosen.name + u'(' : chosen.name);
    m_editor.setTextCursor(edit);
    if (call)
        updateSignature(true);
}

bool CodeCompletion::takeKey(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    m_automatic.stop();
    if (key == Qt::Key_Space && modifiers == Qt::ControlModifier) {
        complete();
        return true;
    }
    if (m_popup->isVisible() && modifiers == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Up:
            m_popup->moveSelection(-1);
            return true;
        case Qt::Key_Down:
            m_popup->moveSelection(1);
            return true;
        case Qt::Key_PageUp:
            m_popup->moveSelection(-m_popup->rowsPerPage());
            return true;
        case Qt::Key_PageDown:
            m_popup->moveSelection(m_popup->rowsPerPage());
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
            insertChosen();
            return true;
        case Qt::Key_Escape:
            m_popup->hide();
            return true;
        default:
            break;
        }
    }
    if (key == Qt::Key_Escape && m_tip->isVisible()) {
        m_tip->hide();
        return true;
    }
    return false;
}

void CodeCompletion::followKey(const QString& typed)
{
    // An open list follows the caret by itself. After `object.` a pause lists the members.
    if (!m_popup->isVisible() && (isNameText(typed) || typed == QLatin1String("."))) {
        const QTextDocument& document = *m_editor.document();
        const int position = m_editor.textCursor().position();
        if (position - nameStart(document, position) >= kAutomaticLetters ||
            (m_text == TextKind::Slo && afterMemberDot(document, position)))
            m_automatic.start();
    }
    // '(' opens the call's parameters, and so does ',' inside a call after Escape closed them.
    const bool opens = typed == QLatin1String("(") || typed == QLatin1String(",");
    if (m_text == TextKind::Slo && (opens || m_tip->isVisible()))
        updateSignature(opens);
}

void CodeCompletion::followCaretLater()
{
    if (m_followPending || (!m_popup->isVisible() && !m_tip->isVisible()))
        return;
    m_followPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_followPending = false;
            if (m_popup->isVisible())
                narrow();
            if (m_tip->isVisible())
                updateSignature(false);
        },
        Qt::QueuedConnection);
}

void CodeCompletion::updateSignature(bool mayOpen)
{
    if (!mayOpen && !m_tip->isVisible())
        return;
    const QTextCursor caret = m_editor.textCursor();
    // The call is read from a line some way back that starts outside any comment.
    QTextBlock from = caret.block();
    for (int n = 0; n < kCallLines && from.previous().isValid(); ++n)
        from = from.previous();
    while (m_highlighter && from != caret.block() && m_highlighter->startsInCommentScanned(from))
        from = from.next();
    QTextCursor reach(m_editor.document());
    reach.setPosition(from.position());
    reach.setPosition(caret.position(), QTextCursor::KeepAnchor);
    QString text = reach.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    const std::optional<scriptlang::Signature> signature =
        scriptlang::signatureAt(m_indexer.latest(), text, int(text.size()));
    if (!signature) {
        m_tip->hide();
        return;
    }
    QTextCursor open(m_editor.document());
    open.setPosition(from.position() + signature->openParen);
    const QRect line = m_editor.cursorRect(open);
    m_tip->showSignature(signature->label(), signature->parameterSpan(signature->active),
                         m_editor.viewport()->mapToGlobal(line.topLeft() - QPoint(0, 2)));
}
