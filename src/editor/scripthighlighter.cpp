// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripthighlighter.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <utility>

namespace {

// A line's user state: -1 before the scan reached it; otherwise these bits.
constexpr int kEndsInComment = 1;
constexpr int kColoured = 2;
constexpr int kColouredInComment = 4; // the start state the colours were made for

constexpr int kSliceMs = 4;
// A scan of more lines than this reads the whole text once instead of each line on its own.
constexpr int kLinesReadSingly = 2000;

QColor colourOf(codeview::TokenClass kind)
{
    using codeview::TokenClass;
    switch (kind) {
    case TokenClass::Comment:
        return QColor(0, 112, 0);
    case TokenClass::String:
        return QColor(160, 0, 0);
    case TokenClass::Number:
        return QColor(176, 64, 0);
    case TokenClass::Keyword:
        return QColor(0, 0, 160);
    case TokenClass::TypeWord:
        return QColor(0, 96, 128);
    case TokenClass::Function:
        return QColor(112, 0, 144);
    case TokenClass::Callback:
        return QColor(160, 0, 112);
    case TokenClass::Constant:
        return QColor(96, 64, 0);
    case TokenClass::Define:
        return QColor(96, 96, 96);
    }
    return Qt::black;
}

} // namespace

QTextCharFormat ScriptHighlighter::formatOf(codeview::TokenClass kind)
{
    QTextCharFormat format;
    format.setForeground(colourOf(kind));
    if (kind == codeview::TokenClass::Keyword || kind == codeview::TokenClass::TypeWord)
        format.setFontWeight(QFont::Bold);
    return format;
}

ScriptHighlighter::ScriptHighlighter(QPlainTextEdit& editor, codeview::Language language)
    : QObject(&editor), m_editor(editor), m_language(language)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &ScriptHighlighter::scanSlice);
    // A document set later on (setDocument) is not followed; the editors keep theirs.
    QTextDocument* document = editor.document();
    m_blockCount = document->blockCount();
    connect(document, &QTextDocument::contentsChange, this, &ScriptHighlighter::onContentsChange);
    editor.viewport()->installEventFilter(this);
    if (!document->isEmpty())
        m_idle.start();
}

bool ScriptHighlighter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == m_editor.viewport() && m_enabled)
        colourVisibleLines();
    return false;
}

void ScriptHighlighter::onContentsChange(int position, int /*removed*/, int added)
{
    ++m_contentsVersion;
    QTextDocument* document = m_editor.document();
    const int count = document->blockCount();
    const int delta = count - m_blockCount;
    m_blockCount = count;
    QTextBlock firstBlock = document->findBlock(position);
    QTextBlock lastBlock = document->findBlock(position + added);
    if (!firstBlock.isValid())
        firstBlock = document->lastBlock();
    if (!lastBlock.isValid())
        lastBlock = document->lastBlock();
    const int first = firstBlock.blockNumber();
    const int last = lastBlock.blockNumber();
    const int oldLast = last - delta;
    if (std::exchange(m_keepLineEnds, false) && delta == 0) {
        for (QTextBlock block = firstBlock; block.isValid(); block = block.next()) {
            const int state = block.userState();
            if (state >= 0)
                block.setUserState(state & kEndsInComment);
            if (block == lastBlock)
                break;
        }
        colourBeforePaint();
        return;
    }
    // The lines of the change start without a state: new lines have none, and old ones edited in
    // the same step (Tab on several lines, Replace all) keep colours made for their old text.
    for (QTextBlock block = firstBlock; block.isValid(); block = block.next()) {
        block.setUserState(-1);
        if (block == lastBlock)
            break;
    }

    auto shifted = [&](int marker) { return marker > oldLast ? marker + delta : qMin(marker, last + 1); };
    const int validBefore = m_validUpTo;
    m_knownUpTo = qMax(shifted(m_knownUpTo), validBefore > first ? shifted(validBefore) : 0);
    m_dirtyUntil = qMax(shifted(m_dirtyUntil), last + 1);
    m_validUpTo = qMin(validBefore, first);
    if (!m_enabled)
        return;
    // The lines around the edit are usually all that changes: settle them now, the rest later.
    scan(last + 1, kSliceMs);
    if (!isScanComplete())
        m_idle.start();
    colourBeforePaint();
}

void ScriptHighlighter::colourBeforePaint()
{
    // The lines in sight take their colours before the editor paints the change (its paint comes
    // after the events already posted), so the change is painted once, not plain and again
    // coloured. Not here: the document may still be in the middle of the change.
    if (!m_colourPending) {
        m_colourPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_colourPending = false;
                colourVisibleLines();
            },
            Qt::QueuedConnection);
    }
}

bool ScriptHighlighter::isScanComplete() const
{
    return m_validUpTo >= m_blockCount;
}

void ScriptHighlighter::completeScan()
{
    scan(m_blockCount - 1, -1);
}

void ScriptHighlighter::scanSlice()
{
    if (!m_enabled)
        return;
    scan(m_blockCount - 1, kSliceMs);
    if (m_staleOnScreen) {
        m_staleOnScreen = false;
        m_editor.viewport()->update();
    }
    if (!isScanComplete())
        m_idle.start();
}

void ScriptHighlighter::scan(int lastBlock, int budgetMs)
{
    if (m_validUpTo > lastBlock || isScanComplete())
        return;
    QElapsedTimer clock;
    clock.start();
    QTextDocument* document = m_editor.document();
    QTextBlock block = document->findBlockByNumber(m_validUpTo);
    bool inComment = startsInComment(block);
    const bool wholeText = lastBlock - m_validUpTo > kLinesReadSingly;
    if (wholeText && m_rawVersion != m_contentsVersion) {
        m_raw = document->toRawText();
        m_rawVersion = m_contentsVersion;
    }
    int position = block.position();
    int checked = 0;
    while (block.isValid() && m_validUpTo <= lastBlock) {
        const int stored = block.userState();
        const int length = block.length() - 1;
        const bool endState =
            wholeText && position + length <= m_raw.size()
                ? codeview::endsInComment(QStringView(m_raw).mid(position, length), inComment, m_language)
                : codeview::endsInComment(block.text(), inComment, m_language);
        position += length + 1;
        if (m_validUpTo >= m_dirtyUntil && m_validUpTo < m_knownUpTo && stored >= 0 &&
            ((stored & kEndsInComment) != 0) == endState) {
            // This line ends as it did before the edit, so every line after it does too, up to
            // where the old states were known.
            const bool colouredRight =
                !(stored & kColoured) || ((stored & kColouredInComment) != 0) == inComment;
            if (colouredRight) {
                m_validUpTo = m_knownUpTo;
                break;
            }
        }
        int state = endState ? kEndsInComment : 0;
        if (stored >= 0 && (stored & kColoured) && ((stored & kColouredInComment) != 0) == inComment)
            state |= stored & (kColoured | kColouredInComment);
        else if (stored >= 0 && (stored & kColoured))
            m_staleOnScreen = true; // coloured for another start state
        block.setUserState(state);
        inComment = endState;
        block = block.next();
        ++m_validUpTo;
        if (budgetMs >= 0 && (++checked & 255) == 0 && clock.elapsed() >= budgetMs)
            return;
    }
    if (isScanComplete())
        m_raw = QString(); // the copy goes once the scan is done
}

bool ScriptHighlighter::startsInCommentScanned(const QTextBlock& block)
{
    if (block.blockNumber() > m_validUpTo)
        scan(block.blockNumber() - 1, -1);
    return startsInComment(block);
}

bool ScriptHighlighter::startsInComment(const QTextBlock& block) const
{
    const QTextBlock previous = block.previous();
    return previous.isValid() && previous.userState() >= 0 && (previous.userState() & kEndsInComment);
}

void ScriptHighlighter::colourVisibleLines()
{
    if (!m_enabled || m_editor.document()->isEmpty())
        return;
    const int height = m_editor.viewport()->height();
    QTextBlock block = m_editor.cursorForPosition(QPoint(0, 0)).block();
    // The lines on screen, and one more for a line only partly shown.
    QTextBlock last = m_editor.cursorForPosition(QPoint(0, height)).block();
    if (last.next().isValid())
        last = last.next();
    scan(last.blockNumber(), -1);
    for (; block.isValid(); block = block.next()) {
        const int state = block.userState();
        const bool inComment = startsInComment(block);
        if (state < 0 || !(state & kColoured) || ((state & kColouredInComment) != 0) != inComment)
            colourBlock(block);
        if (block == last)
            break;
    }
}

void ScriptHighlighter::colourBlock(const QTextBlock& block)
{
    if (block.blockNumber() >= m_validUpTo)
        scan(block.blockNumber(), -1);
    const bool inComment = startsInComment(block);
    const codeview::LineTokens tokens = codeview::classifyLine(block.text(), inComment, m_language);
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(tokens.spans.size());
    for (const codeview::TokenSpan& span : tokens.spans)
        ranges.append({span.start, span.length, formatOf(span.kind)});
    QTextBlock target = block;
    target.layout()->setFormats(ranges);
    target.setUserState((tokens.endsInComment ? kEndsInComment : 0) | kColoured |
                        (inComment ? kColouredInComment : 0));
    m_editor.document()->markContentsDirty(block.position(), block.length());
}

void ScriptHighlighter::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        m_validUpTo = 0;
        m_knownUpTo = 0;
        m_dirtyUntil = 0;
        m_idle.start();
    } else {
        m_idle.stop();
        clearColours();
    }
    m_editor.viewport()->update();
}

void ScriptHighlighter::clearColours()
{
    QTextDocument* document = m_editor.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const int state = block.userState();
        if (state >= 0 && (state & kColoured)) {
            block.layout()->clearFormats();
            block.setUserState(-1);
            document->markContentsDirty(block.position(), block.length());
        } else {
            block.setUserState(-1);
        }
    }
}
