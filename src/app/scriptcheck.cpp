// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scriptcheck.h"

#include "editor/menurow.h"
#include "editor/reveal.h"
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/problemswindow.h"
#include "scriptlang/checker.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

using scriptlang::Finding;
using scriptlang::Findings;
using scriptlang::TextKind;

namespace {

// More underlines than this in one editor help nobody and slow the drawing.
constexpr int kMaxUnderlines = 500;

// The document range of a finding: its token on its line.
QTextCursor findingCursor(const ScriptEditor& editor, const Finding& f)
{
    const QTextBlock block = editor.document()->findBlockByNumber(f.line - 1);
    QTextCursor cursor(editor.document());
    if (!block.isValid())
        return cursor;
    const int lineLength = block.length() - 1;
    const int start = qMin(f.column - 1, lineLength);
    cursor.setPosition(block.position() + start);
    cursor.setPosition(block.position() + qMin(start + f.length, qMax(lineLength, start)),
                       QTextCursor::KeepAnchor);
    return cursor;
}

} // namespace

ScriptCheck::ScriptCheck(QObject* parent) : QObject(parent)
{
    m_worker.setMaxThreadCount(1);
}

ProblemsWindow* ScriptCheck::problemsWindow() const
{
    return m_problems;
}

ScriptCheck::~ScriptCheck()
{
    // A check still running posts its result to this object: let it finish first.
    m_worker.clear();
    m_worker.waitForDone();
    delete m_problems;
}

ScriptEditor* ScriptCheck::editorFor(MainWindow& window, TextKind text) const
{
    return text == TextKind::Slo ? window.slo() : window.vlo();
}

void ScriptCheck::attach(MainWindow& window)
{
    Live& live = m_live[&window];
    live.timer = new QTimer(&window); // goes with the window
    live.timer->setSingleShot(true);
    live.timer->setInterval(kPauseMs);
    connect(live.timer, &QTimer::timeout, &window, [this, w = &window] { startLiveCheck(*w); });
    connect(&window, &QObject::destroyed, this, [this, w = &window] { m_live.remove(w); });
    const std::pair<ScriptEditor*, QListWidget*> editors[] = {{window.slo(), window.sloMenu()},
                                                              {window.vlo(), window.vloMenu()}};
    for (const auto& [editor, list] : editors) {
        connect(editor, &ScriptEditor::keyAboutToBeHandled, this,
                [this, w = &window, e = editor](QKeyEvent* event) {
                    if (event->key() == Qt::Key_F7)
                        checkNow(*w);
                    else if (event->key() == Qt::Key_F8)
                        goToNeighbour(*w, *e, !(event->modifiers() & Qt::ShiftModifier));
                });
        connect(editor, &QPlainTextEdit::textChanged, this, [this, w = &window] { scheduleLiveCheck(*w); });
        editor->viewport()->installEventFilter(this);
        addMenuItem(window, *editor, *list);
    }
}

void ScriptCheck::addMenuItem(MainWindow& window, ScriptEditor& editor, QListWidget& list)
{
    addMenuAction(editor, list, QStringLiteral("Check script"), *this, [this, w = &window] { checkNow(*w); });
}

void ScriptCheck::checkNow(MainWindow& window)
{
    const Findings findings = scriptlang::checkProject(window.slo()->text(), window.vlo()->text());
    if (!m_problems) {
        m_problems = new ProblemsWindow;
        connect(m_problems, &ProblemsWindow::findingChosen, this, &ScriptCheck::goTo);
    }
    m_target = &window;
    m_problems->setFindings(findings);
    const bool opening = !m_problems->isVisible();
    m_problems->bringForward();
    // Placed once shown, when the window system has given it its frame.
    if (opening)
        m_problems->placeBeside(window);
    underline(window, findings);
}

void ScriptCheck::checkWhileLoading(MainWindow& window, const QString& slo, const QString& vloBody,
                                    const std::function<void()>& setTexts)
{
    const auto live = m_live.find(&window);
    if (live != m_live.end() && live->timer)
        live->timer->stop();
    ++m_live[&window].generation;
    startCheck(window, slo, vloBody);
    m_loading = true;
    setTexts();
    m_loading = false;
}

void ScriptCheck::scheduleLiveCheck(MainWindow& window)
{
    if (m_loading)
        return;
    // The editors may still change while their window is taken down.
    const auto live = m_live.find(&window);
    if (live == m_live.end() || !live->timer)
        return;
    ++live->generation; // a check already running is out of date
    live->timer->start();
}

void ScriptCheck::startLiveCheck(MainWindow& window)
{
    // Line breaks do not move lines or columns, so the document's own text will do.
    startCheck(window, window.slo()->document()->toPlainText(), window.vlo()->document()->toPlainText());
}

void ScriptCheck::startCheck(MainWindow& window, const QString& slo, const QString& vlo)
{
    if (slo.isEmpty() && vlo.isEmpty()) {
        // A new, empty project: nothing to tell before the author has written anything.
        underline(window, {});
        return;
    }
    const quint64 generation = m_live[&window].generation;
    QPointer<MainWindow> target(&window);
    m_worker.clear(); // a check still waiting is out of date
    m_worker.start([this, target, generation, slo, vlo] {
        Findings findings = scriptlang::checkProject(slo, vlo);
        QMetaObject::invokeMethod(
            this,
            [this, target, generation, findings = std::move(findings)] {
                const auto live = target ? m_live.constFind(target.data()) : m_live.cend();
                if (live == m_live.cend() || live->generation != generation)
                    return;
                underline(*target, findings);
                // An open Problems window speaking of this window follows the text too.
                if (m_problems && m_problems->isVisible() && m_target == target)
                    m_problems->setFindings(findings, true);
            },
            Qt::QueuedConnection);
    });
}

void ScriptCheck::underline(MainWindow& window, const Findings& findings)
{
    m_live[&window].findings = findings;
    for (TextKind text : {TextKind::Slo, TextKind::Vlo}) {
        ScriptEditor* editor = editorFor(window, text);
        QList<QTextEdit::ExtraSelection> selections;
        for (const Finding& f : findings) {
            if (f.text != text || selections.size() >= kMaxUnderlines)
                continue;
            QTextEdit::ExtraSelection selection;
            selection.cursor = findingCursor(*editor, f);
            // A finding after a line's last character (a missing ';') underlines that character.
            if (!selection.cursor.hasSelection() && !selection.cursor.atBlockStart())
                selection.cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
            selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            selection.format.setUnderlineColor(
                f.severity == scriptlang::Severity::Error ? QColor(Qt::red) : QColor(230, 160, 0));
            selection.format.setToolTip(f.message);
            selections.append(selection);
        }
        editor->setDecorations(ScriptEditor::DecorationLayer::Findings, selections);
    }
}

bool ScriptCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    for (auto it = m_live.cbegin(); it != m_live.cend(); ++it) {
        for (TextKind text : {TextKind::Slo, TextKind::Vlo}) {
            ScriptEditor* editor = editorFor(*it.key(), text);
            if (editor->viewport() != watched)
                continue;
            auto* help = static_cast<QHelpEvent*>(event);
            const int position = editor->cursorForPosition(help->pos()).position();
            QStringList messages;
            for (const Finding& f : it->findings) {
                const QTextCursor range = f.text == text ? findingCursor(*editor, f) : QTextCursor();
                if (!range.isNull() && position >= range.selectionStart() && position <= range.selectionEnd())
                    messages.append(f.message);
            }
            if (messages.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), messages.join(QLatin1Char('\n')), editor->viewport());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScriptCheck::goTo(const Finding& finding)
{
    if (m_target)
        select(*m_target, finding);
}

void ScriptCheck::goToNeighbour(MainWindow& window, ScriptEditor& editor, bool forward)
{
    const TextKind text = &editor == window.slo() ? TextKind::Slo : TextKind::Vlo;
    QList<Finding> here;
    for (const Finding& f : m_live.value(&window).findings) {
        if (f.text == text)
            here.append(f);
    }
    if (here.isEmpty())
        return;
    const auto place = [](const Finding& f) { return std::pair(f.line, f.column); };
    std::sort(here.begin(), here.end(),
              [&](const Finding& a, const Finding& b) { return place(a) < place(b); });
    // From the start of the selection: the finding just gone to is where the caret stands.
    QTextCursor caret = editor.textCursor();
    caret.setPosition(caret.selectionStart());
    const std::pair at(caret.blockNumber() + 1, caret.positionInBlock() + 1);
    const Finding* chosen = nullptr;
    if (forward) {
        const auto next =
            std::find_if(here.cbegin(), here.cend(), [&](const Finding& f) { return place(f) > at; });
        chosen = next != here.cend() ? &*next : &here.first(); // past the last: round to the first
    } else {
        const auto before =
            std::find_if(here.crbegin(), here.crend(), [&](const Finding& f) { return place(f) < at; });
        chosen = before != here.crend() ? &*before : &here.last();
    }
    select(window, *chosen); // its message shows beside the caret's place
}

void ScriptCheck::select(MainWindow& window, const Finding& finding)
{
    ScriptEditor* editor = editorFor(window, finding.text);
    // The token selected, the caret at its start.
    const QTextCursor range = findingCursor(*editor, finding);
    QTextCursor cursor(editor->document());
    cursor.setPosition(range.selectionEnd());
    cursor.setPosition(range.selectionStart(), QTextCursor::KeepAnchor);
    setCursorInMiddle(*editor, cursor);
    window.raise();
    window.activateWindow();
    editor->setFocus();
}
