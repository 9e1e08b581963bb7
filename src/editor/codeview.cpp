// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/codeview.h"

#include "editor/bracketmatch.h"
#include "editor/classiclook.h"
#include "editor/elidinglabel.h"
#include "editor/linenumbergutter.h"
#include "editor/scripteditor.h"
#include "editor/scripthighlighter.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>

namespace {

const QColor kCaretLine(184, 198, 226);
const QColor kBracketPair(255, 226, 120);
const QColor kLoneBracket(240, 150, 150);

QTextEdit::ExtraSelection mark(QTextDocument* document, int position, int length, const QColor& background)
{
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(document);
    selection.cursor.setPosition(position);
    selection.cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    selection.format.setBackground(background);
    return selection;
}

} // namespace

QFont CodeView::fixedWidthFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(classiclook::font().pointSizeF());
    return font;
}

CodeView::CodeView(ScriptEditor& editor, codeview::Language language, int firstLineNumber, Aids aids)
    : QObject(&editor), m_editor(editor)
{
    m_gutter = new LineNumberGutter(editor, firstLineNumber, [this](int width) {
        m_leftMargin = width;
        fitMargins();
    });
    if (aids == Aids::Full) {
        m_highlighter = new ScriptHighlighter(editor, language);
        // A long message is cut short with "…"; the tooltip holds it whole.
        m_caretPlace = new ElidingLabel(&editor);
        m_caretPlace->setObjectName(editor.objectName() + QStringLiteral("_CARET"));
        m_caretPlace->setFont(classiclook::font());
        m_caretPlace->setAutoFillBackground(true);
        QPalette pal = m_caretPlace->palette();
        pal.setColor(QPalette::Window, QColor(176, 188, 212));
        pal.setColor(QPalette::WindowText, QColor(32, 40, 64));
        m_caretPlace->setPalette(pal);
        m_caretPlace->setIndent(4);
        connect(&editor, &QPlainTextEdit::cursorPositionChanged, this, &CodeView::followCaret);
        connect(editor.document(), &QTextDocument::contentsChanged, this, &CodeView::followCaretLater);
        connect(&editor, &ScriptEditor::findingsChanged, this, &CodeView::followCaretLater);
        followCaret();
    }
    // The viewport's size is final only after the editor has laid it out.
    editor.viewport()->installEventFilter(this);
    fitMargins();
}

void CodeView::setBottomPanel(QWidget* panel)
{
    m_bottomPanel = panel;
    panel->installEventFilter(this);
    fitMargins();
}

void CodeView::setLanguage(codeview::Language, int firstLineNumber)
{
    m_gutter->setFirstNumber(firstLineNumber);
    followCaret();
}

void CodeView::apply(const ViewSettings& settings)
{
    m_settings = settings;
    m_gutter->setShown(settings.lineNumbers);
    if (m_highlighter)
        m_highlighter->setEnabled(settings.highlighting);
    m_editor.setEditorFont(settings.fixedWidthFont ? fixedWidthFont() : classiclook::font());
    fitMargins();
}

void CodeView::fitMargins()
{
    const int strip = m_caretPlace ? m_caretPlace->fontMetrics().height() + 2 : 0;
    const int panel = m_bottomPanel && !m_bottomPanel->isHidden() ? m_bottomPanel->sizeHint().height() : 0;
    m_editor.setTextMargins(QMargins(m_leftMargin, 0, 0, strip + panel));
    const QRect viewport = m_editor.viewport()->geometry();
    const int left = viewport.left() - m_leftMargin;
    const int width = viewport.width() + m_leftMargin;
    if (m_bottomPanel && panel > 0)
        m_bottomPanel->setGeometry(left, viewport.bottom() + 1, width, panel);
    if (m_caretPlace)
        m_caretPlace->setGeometry(left, viewport.bottom() + 1 + panel, width, strip);
}

bool CodeView::eventFilter(QObject* watched, QEvent* event)
{
    const bool viewportResized = watched == m_editor.viewport() && event->type() == QEvent::Resize;
    const bool panelShownOrHidden = watched == m_bottomPanel && m_bottomPanel &&
                                    (event->type() == QEvent::Show || event->type() == QEvent::Hide);
    if (viewportResized || panelShownOrHidden)
        fitMargins();
    return false;
}

// QTextDocument::clear() (behind every setPlainText) emits contentsChanged while it keeps its
// list of cursors aside and puts it back afterwards: a cursor freed in between, such as the
// extra selections replaced here, stays in that list and the next edit writes into freed memory.
// So a change of the text is followed once control is back in the event loop.
void CodeView::followCaretLater()
{
    if (m_followPending)
        return;
    m_followPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_followPending = false;
            followCaret();
        },
        Qt::QueuedConnection);
}

void CodeView::followCaret()
{
    if (!m_caretPlace)
        return;
    const QTextCursor cursor = m_editor.textCursor();
    QString place = QStringLiteral("Line %1, Col %2")
                        .arg(m_gutter->numberOfLine(cursor.blockNumber()))
                        .arg(cursor.positionInBlock() + 1);
    // On an underlined mistake, its message beside the place, whole in the tooltip.
    QString message;
    for (const QTextEdit::ExtraSelection& finding :
         m_editor.decorations(ScriptEditor::DecorationLayer::Findings)) {
        if (cursor.position() >= finding.cursor.selectionStart() &&
            cursor.position() <= finding.cursor.selectionEnd()) {
            message = finding.format.toolTip();
            break;
        }
    }
    m_caretPlace->setText(message.isEmpty() ? place : place + QStringLiteral(": ") + message);
    m_caretPlace->setToolTip(message.isEmpty() ? QStringLiteral("The caret's line and column") : message);

    QTextEdit::ExtraSelection line;
    line.format.setBackground(kCaretLine);
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = cursor;
    line.cursor.clearSelection();
    m_editor.setDecorations(ScriptEditor::DecorationLayer::CaretLine, {line});

    QList<QTextEdit::ExtraSelection> brackets;
    QTextDocument* document = m_editor.document();
    // Brackets in comments and strings do not count while the text is coloured.
    auto lineAt = [this, document](int n) {
        const QTextBlock block = document->findBlockByNumber(n);
        if (!m_highlighter || !m_highlighter->isEnabled())
            return block.text();
        return codeview::codeOnly(block.text(), m_highlighter->startsInCommentScanned(block),
                                  m_highlighter->language());
    };
    const auto match =
        bracketmatch::find(document->blockCount(), lineAt, {cursor.blockNumber(), cursor.positionInBlock()});
    if (match) {
        auto positionOf = [document](const bracketmatch::Place& p) {
            return document->findBlockByNumber(p.line).position() + p.column;
        };
        const QColor colour = match->partner ? kBracketPair : kLoneBracket;
        brackets.append(mark(document, positionOf(match->bracket), 1, colour));
        if (match->partner)
            brackets.append(mark(document, positionOf(*match->partner), 1, colour));
    }
    m_editor.setDecorations(ScriptEditor::DecorationLayer::BracketMatch, brackets);
}
