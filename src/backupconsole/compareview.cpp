// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/compareview.h"

#include "editor/classiclook.h"
#include "editor/elidinglabel.h"
#include "editor/linenumbers.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QColor kRemovedBackground(255, 214, 214);
const QColor kAddedBackground(206, 244, 206);
const QColor kMarginBackground(176, 190, 216);
const QColor kMarginText(40, 48, 80);
// Room left free at the top for the preview's buttons, which stay over this view.
const int kButtonRowHeight = 30;

class Margin : public QWidget {
public:
    explicit Margin(DiffText* text) : QWidget(text), m_text(text) {}

protected:
    void paintEvent(QPaintEvent* event) override { m_text->paintMargin(event); }

private:
    DiffText* m_text;
};

// Line `number` of a text (from 1) as the margin shows it; blank where the side has no line.
QString numberOrBlank(int number, int first)
{
    return number > 0 ? QString::number(linenumbers::numberOf(number - 1, first)) : QString();
}

} // namespace

DiffText::DiffText(const textdiff::Result& diff, QWidget* parent)
    : QPlainTextEdit(parent), m_diff(diff), m_margin(new Margin(this))
{
    setObjectName(QStringLiteral("DiffText"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, classiclook::kEditorBackground);
    setPalette(pal);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            m_margin->scroll(0, dy);
        else
            m_margin->update(0, rect.y(), m_margin->width(), rect.height());
    });
}

void DiffText::reload()
{
    QStringList lines;
    lines.reserve(m_diff.lines.size());
    int highest = 1;
    for (const textdiff::Line& line : m_diff.lines) {
        lines.append(line.text);
        highest = std::max({highest, line.oldNumber, line.newNumber});
    }
    m_digits = linenumbers::digitsFor(highest, m_first);
    setPlainText(lines.join(QLatin1Char('\n')));
    // Only the changed runs get a coloured background; one cursor per run.
    QTextCursor cursor(document());
    for (int start : m_diff.changeStarts) {
        int end = start;
        while (end < m_diff.lines.size() && m_diff.lines.at(end).kind != textdiff::LineKind::Same)
            ++end;
        for (int row = start; row < end;) {
            const textdiff::LineKind kind = m_diff.lines.at(row).kind;
            int last = row;
            while (last + 1 < end && m_diff.lines.at(last + 1).kind == kind)
                ++last;
            cursor.setPosition(document()->findBlockByNumber(row).position());
            cursor.setPosition(document()->findBlockByNumber(last).position(), QTextCursor::KeepAnchor);
            QTextBlockFormat format;
            format.setBackground(kind == textdiff::LineKind::Removed ? kRemovedBackground : kAddedBackground);
            cursor.mergeBlockFormat(format);
            row = last + 1;
        }
    }
    setViewportMargins(marginWidth(), 0, 0, 0);
    resizeEvent(nullptr);
}

int DiffText::marginWidth() const
{
    // Two numbers and the + / - sign.
    return fontMetrics().horizontalAdvance(QLatin1Char('9')) * (2 * m_digits + 4) + 8;
}

void DiffText::resizeEvent(QResizeEvent* event)
{
    if (event)
        QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_margin->setGeometry(area.left(), area.top(), marginWidth(), area.height());
}

void DiffText::paintMargin(QPaintEvent* event)
{
    QPainter painter(m_margin);
    painter.fillRect(event->rect(), kMarginBackground);
    painter.setFont(font());
    const int digitWidth = fontMetrics().horizontalAdvance(QLatin1Char('9'));
    const int numberWidth = digitWidth * m_digits;
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        const int row = block.blockNumber();
        if (row < m_diff.lines.size() && block.isVisible()) {
            const textdiff::Line& line = m_diff.lines.at(row);
            painter.setPen(kMarginText);
            painter.drawText(4, top, numberWidth, height, Qt::AlignRight,
                             numberOrBlank(line.oldNumber, m_first));
            painter.drawText(4 + numberWidth + digitWidth, top, numberWidth, height, Qt::AlignRight,
                             numberOrBlank(line.newNumber, m_first));
            const QString sign = line.kind == textdiff::LineKind::Removed ? QStringLiteral("-")
                                 : line.kind == textdiff::LineKind::Added ? QStringLiteral("+")
                                                                          : QString();
            painter.drawText(4 + 2 * (numberWidth + digitWidth), top, digitWidth, height, Qt::AlignLeft,
                             sign);
        }
        block = block.next();
        top += height;
    }
}

void DiffText::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F8) {
        if (event->modifiers() & Qt::ShiftModifier)
            Q_EMIT previousChangeKey();
        else
            Q_EMIT nextChangeKey();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

CompareView::CompareView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CompareView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, kButtonRowHeight, 0, 0);
    layout->setSpacing(4);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(8, 0, 8, 0);
    auto makeButton = [this](const char* name, const QString& caption, const QString& tip) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setFont(classiclook::font());
        button->setToolTip(tip);
        // The keys F8 and Shift+F8 stay with the text after a click.
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    m_previous = makeButton("PreviousChange", QStringLiteral("Previous change"),
                            QStringLiteral("Go to the previous change (Shift+F8)"));
    m_next =
        makeButton("NextChange", QStringLiteral("Next change"), QStringLiteral("Go to the next change (F8)"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("ChangeCount"));
    m_count->setFont(classiclook::font(8.25, true));
    // The legend has a line of its own, so two long snapshot names fit a window of 800 pixels;
    // what does not fit ends in "…" and the tooltip holds it whole.
    m_legend = new ElidingLabel(this);
    m_legend->setObjectName(QStringLiteral("CompareLegend"));
    m_legend->setFont(classiclook::font());
    m_legend->setContentsMargins(8, 0, 8, 0);
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addSpacing(12);
    row->addWidget(m_count, 1);
    layout->addLayout(row);
    layout->addWidget(m_legend);

    m_text = new DiffText(m_diff, this);
    layout->addWidget(m_text, 1);

    connect(m_next, &QPushButton::clicked, this, &CompareView::nextChange);
    connect(m_previous, &QPushButton::clicked, this, &CompareView::previousChange);
    connect(m_text, &DiffText::nextChangeKey, this, &CompareView::nextChange);
    connect(m_text, &DiffText::previousChangeKey, this, &CompareView::previousChange);
    connect(m_text, &QPlainTextEdit::cursorPositionChanged, this, &CompareView::updateButtons);
}

void CompareView::showDiff(const QString& snapshotName, const QString& snapshotText, const QString& otherText,
                           const QString& otherSide)
{
    m_diff = textdiff::compare(snapshotText, otherText);
    m_text->reload();
    m_count->setText(textdiff::summary(m_diff));
    m_legend->setText(QStringLiteral("- only in %1    + only in %2").arg(snapshotName, otherSide));
    m_legend->setToolTip(m_legend->text());
    // The view opens at the first change.
    goToRow(m_diff.identical() ? 0 : m_diff.changeStarts.first());
    m_text->setFocus();
}

void CompareView::setFirstLineNumber(int first)
{
    m_text->setFirstLineNumber(first);
}

int CompareView::currentRow() const
{
    return m_text->textCursor().blockNumber();
}

void CompareView::goToRow(int row)
{
    const QTextBlock block = m_text->document()->findBlockByNumber(row);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    m_text->setTextCursor(cursor);
    m_text->centerCursor();
    updateButtons();
}

void CompareView::nextChange()
{
    const int row = currentRow();
    const auto next = std::upper_bound(m_diff.changeStarts.cbegin(), m_diff.changeStarts.cend(), row);
    if (next != m_diff.changeStarts.cend())
        goToRow(*next);
}

void CompareView::previousChange()
{
    const int row = currentRow();
    const auto after = std::lower_bound(m_diff.changeStarts.cbegin(), m_diff.changeStarts.cend(), row);
    if (after != m_diff.changeStarts.cbegin())
        goToRow(*std::prev(after));
}

void CompareView::updateButtons()
{
    const int row = currentRow();
    const QList<int>& starts = m_diff.changeStarts;
    m_next->setEnabled(std::upper_bound(starts.cbegin(), starts.cend(), row) != starts.cend());
    m_previous->setEnabled(std::lower_bound(starts.cbegin(), starts.cend(), row) != starts.cbegin());
}

QString CompareView::selectedSnapshotText() const
{
    const QTextCursor cursor = m_text->textCursor();
    if (!cursor.hasSelection())
        return QString();
    const QTextDocument* document = m_text->document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    QStringList pieces;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        const int row = block.blockNumber();
        if (row < m_diff.lines.size() && m_diff.lines.at(row).kind != textdiff::LineKind::Added) {
            const QString& line = m_diff.lines.at(row).text;
            const int from = block == first ? cursor.selectionStart() - block.position() : 0;
            const int to = block == last ? cursor.selectionEnd() - block.position() : int(line.size());
            pieces.append(line.mid(from, to - from));
        }
        if (block == last)
            break;
    }
    return pieces.join(QStringLiteral("\r\n"));
}
