// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripteditor.h"

#include "editor/classiclook.h"
#include "editor/indentation.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

QString crLfFromRawText(QString raw)
{
    // A plain document separates its blocks with U+2029; U+2028 is a soft line break. The
    // stretches between breaks are copied whole into a buffer of the final size: QString::replace
    // is several times slower on a big script.
    const QStringView view(raw);
    const qsizetype paragraphs = view.count(QChar::ParagraphSeparator);
    const qsizetype softBreaks = view.count(QChar::LineSeparator);
    if (paragraphs + softBreaks == 0)
        return raw;
    auto nextBreak = [&](qsizetype from) {
        qsizetype next = view.indexOf(QChar::ParagraphSeparator, from);
        if (softBreaks > 0) {
            const qsizetype soft = view.indexOf(QChar::LineSeparator, from);
            if (soft >= 0 && (next < 0 || soft < next))
                next = soft;
        }
        return next < 0 ? view.size() : next;
    };
    QString crlf(raw.size() + paragraphs + softBreaks, Qt::Uninitialized);
    QChar* out = crlf.data();
    for (qsizetype from = 0; from < view.size();) {
        const qsizetype end = nextBreak(from);
        out = std::copy(view.begin() + from, view.begin() + end, out);
        if (end < view.size()) {
            *out++ = u'\r';
            *out++ = u'\n';
        }
        from = end + 1;
    }
    return crlf;
}

ScriptEditor::ScriptEditor(const QString& name, QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(name);
    setEditorFont(classiclook::font());
    QPalette pal = palette();
    pal.setColor(QPalette::Base, classiclook::kEditorBackground);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

QString ScriptEditor::text() const
{
    // toPlainText() would turn non-breaking spaces (byte 0xA0) into blanks; the raw text keeps
    // every character as stored. The text is kept until the document changes, so the save
    // before a search and the search itself convert a big script once.
    if (m_textDocument != document()) {
        m_textDocument = document();
        m_textCurrent = false;
        // contentsChange comes before the document tells anyone else (textChanged follows
        // contentsChanged), so no listener reads an old text; contentsChanged also covers an
        // edit made while contentsChange is being handled, which sends no second one.
        connect(m_textDocument, &QTextDocument::contentsChange, this, [this] { m_textCurrent = false; });
        connect(m_textDocument, &QTextDocument::contentsChanged, this, [this] { m_textCurrent = false; });
    }
    if (!m_textCurrent) {
        m_text = crLfFromRawText(document()->toRawText());
        m_textCurrent = true;
    }
    return m_text;
}

void ScriptEditor::setText(const QString& crlfText)
{
    // The document's own setPlainText: the editor's would then give every character of the new
    // text the caret's character format once more, a second pass over a big script for nothing
    // (a plain editor has one format). The caret goes to the start, as the editor's would put it.
    document()->setPlainText(crlfText);
    document()->setModified(false);
    moveCursor(QTextCursor::Start);
}

int ScriptEditor::toCrLf(int documentPosition) const
{
    const QTextBlock block = document()->findBlock(documentPosition);
    return documentPosition + (block.isValid() ? block.blockNumber() : document()->blockCount() - 1);
}

int ScriptEditor::toDocument(int crLfIndex) const
{
    if (crLfIndex <= 0)
        return 0;
    const QTextDocument* doc = document();
    // The last block whose CR LF start (document start + number of breaks before it) is at
    // or before the index.
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= crLfIndex)
            low = mid;
        else
            high = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const int offset = crLfIndex - (block.position() + low);
    return block.position() + qMin(offset, block.length() - 1);
}

int ScriptEditor::selectionStart() const
{
    return toCrLf(textCursor().selectionStart());
}

int ScriptEditor::selectionLength() const
{
    const QTextCursor cursor = textCursor();
    return toCrLf(cursor.selectionEnd()) - toCrLf(cursor.selectionStart());
}

QString ScriptEditor::selectedText() const
{
    return crLfFromRawText(textCursor().selectedText());
}

void ScriptEditor::setSelection(int start, int length)
{
    const int end = document()->characterCount() - 1;
    const int from = qBound(0, toDocument(start), end);
    const int to = qBound(from, toDocument(start + qMax(0, length)), end);
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void ScriptEditor::resizeEvent(QResizeEvent* event)
{
    if (lineWrapMode() != QPlainTextEdit::NoWrap) {
        QPlainTextEdit::resizeEvent(event);
        return;
    }
    // Lines do not wrap, so a new width changes nothing in how the text is laid out. The base
    // class would still lay out every block of the document again on each width change (tens of
    // milliseconds for a 5 MiB script, on every step of the splitter): fit the scroll bars only.
    // NOLINTNEXTLINE(bugprone-parent-virtual-call): passing over QPlainTextEdit's relayout is the point
    QAbstractScrollArea::resizeEvent(event);
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    Q_EMIT layout->documentSizeChanged(layout->documentSize());
}

void ScriptEditor::setEditorFont(const QFont& font)
{
    setFont(font);
    setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * 4);
}

void ScriptEditor::setTextMargins(const QMargins& margins)
{
    setViewportMargins(margins);
}

void ScriptEditor::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT keyAboutToBeHandled(event);
    if (m_codeKeys && !isReadOnly() && handleCodeKey(event))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

bool ScriptEditor::handleCodeKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        // The blanks the line starts with, up to the caret, go on the new line too; one undo
        // step takes both back.
        const QTextCursor before = textCursor();
        const QString indent =
            indentation::leadingBlanks(QStringView(before.block().text()).left(before.positionInBlock()))
                .toString();
        QPlainTextEdit::keyPressEvent(event);
        if (!indent.isEmpty()) {
            QTextCursor cursor = textCursor();
            cursor.joinPreviousEditBlock();
            cursor.insertText(indent);
            cursor.endEditBlock();
            setTextCursor(cursor);
        }
        return true;
    }
    if (key == Qt::Key_Home && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        QTextCursor cursor = textCursor();
        const int column = indentation::homeColumn(cursor.block().text(), cursor.positionInBlock());
        cursor.setPosition(cursor.block().position() + column, modifiers == Qt::ShiftModifier
                                                                   ? QTextCursor::KeepAnchor
                                                                   : QTextCursor::MoveAnchor);
        setTextCursor(cursor);
        return true;
    }
    if (key == Qt::Key_Backtab) {
        indentSelectedLines(false);
        return true;
    }
    if (key == Qt::Key_Tab && modifiers == Qt::NoModifier) {
        const QTextCursor cursor = textCursor();
        if (document()->findBlock(cursor.selectionStart()) == document()->findBlock(cursor.selectionEnd()))
            return false; // a tab typed into the line
        indentSelectedLines(true);
        return true;
    }
    return false;
}

void ScriptEditor::indentSelectedLines(bool indent)
{
    const QTextCursor selection = textCursor();
    QTextBlock first = document()->findBlock(selection.selectionStart());
    QTextBlock last = document()->findBlock(selection.selectionEnd());
    // A selection that ends at the start of a line does not take that line along.
    if (last != first && selection.selectionEnd() == last.position())
        last = last.previous();
    // The edit starts from the caret: Ctrl+Z puts the caret back there, not at the top.
    QTextCursor edit = selection;
    edit.beginEditBlock();
    for (QTextBlock block = first;; block = block.next()) {
        edit.setPosition(block.position());
        if (indent) {
            edit.insertText(QStringLiteral("\t"));
        } else {
            const int width = indentation::unindentWidth(block.text());
            edit.setPosition(block.position() + width, QTextCursor::KeepAnchor);
            edit.removeSelectedText();
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
    if (!selection.hasSelection() && !indent) {
        // Shift+Tab on one line keeps the caret in its place in the text.
        return;
    }
    QTextCursor reselect(document());
    reselect.setPosition(first.position());
    reselect.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    setTextCursor(reselect);
}

void ScriptEditor::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT mousePressed(event);
    QPlainTextEdit::mousePressEvent(event);
}

void ScriptEditor::setDecorations(DecorationLayer layer, const QList<QTextEdit::ExtraSelection>& selections)
{
    if (selections.isEmpty())
        m_decorations.remove(layer);
    else
        m_decorations.insert(layer, selections);
    QList<QTextEdit::ExtraSelection> all;
    for (const auto& layerSelections : std::as_const(m_decorations))
        all += layerSelections;
    setExtraSelections(all);
    if (layer == DecorationLayer::Findings)
        Q_EMIT findingsChanged();
}
