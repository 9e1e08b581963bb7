// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/linenumbergutter.h"

#include "editor/linenumbers.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

const QColor kGutterBackground(176, 188, 212);
const QColor kCaretLineBackground(150, 164, 196);
const QColor kNumberColour(64, 72, 96);

} // namespace

LineNumberGutter::LineNumberGutter(QPlainTextEdit& editor, int firstNumber,
                                   std::function<void(int)> setLeftMargin)
    : QWidget(&editor), m_editor(editor), m_firstNumber(firstNumber),
      m_setLeftMargin(std::move(setLeftMargin))
{
    setObjectName(editor.objectName() + QStringLiteral("_LINES"));
    setCursor(Qt::ArrowCursor);
    setToolTip(QStringLiteral("Line numbers: click to select a line"));
    connect(&editor, &QPlainTextEdit::blockCountChanged, this, &LineNumberGutter::fitWidth);
    connect(&editor, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            scroll(0, dy);
        else
            update(0, rect.y(), width(), rect.height());
    });
    connect(&editor, &QPlainTextEdit::cursorPositionChanged, this, qOverload<>(&QWidget::update));
    editor.installEventFilter(this);
    // The viewport has its final size only after the editor has laid it out.
    editor.viewport()->installEventFilter(this);
    fitWidth();
}

void LineNumberGutter::setFirstNumber(int first)
{
    m_firstNumber = first;
    m_digits = -1;
    fitWidth();
    update();
}

int LineNumberGutter::numberOfLine(int blockNumber) const
{
    return linenumbers::numberOf(blockNumber, m_firstNumber);
}

void LineNumberGutter::setShown(bool shown)
{
    m_shown = shown;
    setVisible(shown);
    m_digits = -1;
    fitWidth();
}

int LineNumberGutter::neededWidth() const
{
    const int digits = linenumbers::digitsFor(m_editor.blockCount(), m_firstNumber);
    return 8 + m_editor.fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void LineNumberGutter::fitWidth()
{
    const int digits = m_shown ? linenumbers::digitsFor(m_editor.blockCount(), m_firstNumber) : 0;
    if (digits == m_digits)
        return;
    m_digits = digits;
    m_setLeftMargin(m_shown ? neededWidth() : 0);
    placeInFrame();
}

void LineNumberGutter::placeInFrame()
{
    // The gutter stands in the margin left of the viewport.
    const QRect placed = m_editor.viewport()->geometry();
    setGeometry(placed.left() - (m_shown ? neededWidth() : 0), placed.top(), m_shown ? neededWidth() : 0,
                placed.height());
}

bool LineNumberGutter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_editor && event->type() == QEvent::FontChange) {
        m_digits = -1;
        fitWidth();
        placeInFrame();
    } else if (watched == m_editor.viewport() && event->type() == QEvent::Resize) {
        placeInFrame();
    }
    return false;
}

void LineNumberGutter::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), kGutterBackground);
    painter.setFont(m_editor.font());
    const int caretBlock = m_editor.textCursor().blockNumber();
    const int lineHeight = m_editor.fontMetrics().height();
    for (QTextBlock block = m_editor.cursorForPosition(QPoint(0, 0)).block(); block.isValid();
         block = block.next()) {
        const QRect caret = m_editor.cursorRect(QTextCursor(block));
        if (caret.top() > height())
            break;
        const QRect row(0, caret.top(), width() - 4, qMax(caret.height(), lineHeight));
        if (block.blockNumber() == caretBlock) {
            painter.fillRect(QRect(0, row.top(), width(), row.height()), kCaretLineBackground);
            painter.setPen(Qt::black);
        } else {
            painter.setPen(kNumberColour);
        }
        painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(numberOfLine(block.blockNumber())));
    }
}

int LineNumberGutter::blockAt(int y) const
{
    return m_editor.cursorForPosition(QPoint(0, y)).blockNumber();
}

void LineNumberGutter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressedBlock = blockAt(event->position().toPoint().y());
    selectLines(m_pressedBlock, m_pressedBlock);
    m_editor.setFocus(Qt::MouseFocusReason);
}

void LineNumberGutter::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_pressedBlock >= 0)
        selectLines(m_pressedBlock, blockAt(event->position().toPoint().y()));
}

void LineNumberGutter::selectLines(int fromBlock, int toBlock)
{
    // Like go to line: from the first line's start to the end of the last line's text.
    const QTextBlock first = m_editor.document()->findBlockByNumber(qMin(fromBlock, toBlock));
    const QTextBlock last = m_editor.document()->findBlockByNumber(qMax(fromBlock, toBlock));
    if (!first.isValid() || !last.isValid())
        return;
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(first.position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    m_editor.setTextCursor(cursor);
}
