// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/codenavigation.h"

#include "app/nameindexer.h"
#include "editor/linenumbers.h"
#include "editor/outlinepopup.h"
#include "editor/referenceswindow.h"
#include "editor/scripteditor.h"
#include "platform/dialogs.h"
#include "scriptlang/checker.h"
#include "scriptlang/hoverinfo.h"
#include "scriptlang/outline.h"
#include "scriptlang/renameplan.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>

using scriptlang::Location;
using scriptlang::TextKind;

namespace {

const QString kRenameTitle = QStringLiteral("Rename");

// The first line number the editor shows for a text: the VLO counts from the generated head.
int shownLine(TextKind text, int line)
{
    return line + linenumbers::firstNumber(text == TextKind::Vlo) - 1;
}

// Edits of one text, made as one undo step.
void applyEdits(ScriptEditor& editor, QList<scriptlang::TextEdit> edits)
{
    if (edits.isEmpty())
        return;
    std::sort(edits.begin(), edits.end(), [](const scriptlang::TextEdit& a, const scriptlang::TextEdit& b) {
        return a.offset > b.offset;
    });
    QTextCursor edit(editor.document());
    edit.beginEditBlock();
    for (const scriptlang::TextEdit& e : edits) {
        edit.setPosition(e.offset);
        edit.setPosition(e.offset + e.length, QTextCursor::KeepAnchor);
        edit.insertText(e.replacement);
    }
    edit.endEditBlock();
}

} // namespace

CodeNavigation::CodeNavigation(ScriptEditor& slo, ScriptEditor& vlo, NameIndexer& indexer, Dialogs& dialogs,
                               QObject* parent)
    : QObject(parent), m_slo(slo), m_vlo(vlo), m_indexer(indexer), m_dialogs(dialogs)
{
}

CodeNavigation::~CodeNavigation()
{
    delete m_references;
}

ReferencesWindow* CodeNavigation::referencesWindow() const
{
    return m_references;
}

OutlinePopup* CodeNavigation::outline() const
{
    return m_outline;
}

TextKind CodeNavigation::textOf(const ScriptEditor& editor) const
{
    return &editor == &m_vlo ? TextKind::Vlo : TextKind::Slo;
}

ScriptEditor& CodeNavigation::editorOf(TextKind text) const
{
    return text == TextKind::Vlo ? m_vlo : m_slo;
}

void CodeNavigation::goTo(const Location& place)
{
    ScriptEditor& editor = editorOf(place.text);
    QTextCursor cursor(editor.document());
    cursor.setPosition(place.range.end());
    cursor.setPosition(place.range.offset, QTextCursor::KeepAnchor);
    // A line out of sight comes to the middle, with the code around it.
    const int scrolledTo = editor.verticalScrollBar()->value();
    editor.setTextCursor(cursor);
    if (editor.verticalScrollBar()->value() != scrolledTo)
        editor.centerCursor();
    editor.window()->raise();
    editor.window()->activateWindow();
    editor.setFocus(Qt::OtherFocusReason);
}

void CodeNavigation::tell(ScriptEditor& editor, const QString& message)
{
    const QRect caret = editor.cursorRect();
    QToolTip::showText(editor.viewport()->mapToGlobal(caret.bottomLeft()), message, editor.viewport());
}

void CodeNavigation::goToDefinition(ScriptEditor& from)
{
    goToDefinitionAt(from, from.textCursor().position());
}

void CodeNavigation::goToDefinitionAt(ScriptEditor& from, int position)
{
    const std::optional<Location> place =
        scriptlang::definitionAt(m_indexer.current(), textOf(from), position);
    if (place)
        goTo(*place);
    else
        tell(from, QStringLiteral("No declaration of a script name here."));
}

void CodeNavigation::goToBinding(ScriptEditor& from)
{
    if (textOf(from) == TextKind::Vlo) {
        goToDefinition(from); // a VLO line's global is its partner
        return;
    }
    const scriptlang::SymbolIndex& index = m_indexer.current();
    const int position = from.textCursor().position();
    scriptlang::BindingJump jump = scriptlang::bindingAt(index, position);
    if (!jump.target)
        jump = scriptlang::bindingAt(index, position, scriptlang::headVariable(index.text(TextKind::Slo)));
    if (jump.target)
        goTo(*jump.target);
    else
        tell(from, jump.message);
}

void CodeNavigation::findReferences(ScriptEditor& from)
{
    const scriptlang::SymbolIndex& index = m_indexer.current();
    const int position = from.textCursor().position();
    const QList<Location> places = scriptlang::referencesAt(index, textOf(from), position);
    if (places.isEmpty()) {
        tell(from, QStringLiteral("No script name here."));
        return;
    }
    if (!m_references) {
        m_references = new ReferencesWindow;
        connect(m_references, &ReferencesWindow::rowChosen, this, [this](int row) {
            if (row >= 0 && row < m_referencePlaces.size())
                goTo(m_referencePlaces.at(row));
        });
        // First shown below the editors' window, so both are seen; kept on the screen.
        const QRect window = from.window()->frameGeometry();
        m_references->move(window.left(), window.bottom() + 1);
    }
    m_referencePlaces = places;
    QList<ReferencesWindow::Row> rows;
    for (const Location& place : places) {
        const QTextBlock block = editorOf(place.text).document()->findBlockByNumber(place.range.line - 1);
        rows.append({place.text == TextKind::Slo ? QStringLiteral("SLO") : QStringLiteral("VLO"),
                     shownLine(place.text, place.range.line), place.range.column, block.text().simplified()});
    }
    const int found = index.occurrenceAt(textOf(from), position);
    m_references->setReferences(index.symbol(index.occurrences().at(found).symbol).name, rows);
    m_references->bringForward();
}

void CodeNavigation::rename(ScriptEditor& from)
{
    const TextKind text = textOf(from);
    const int position = from.textCursor().position();
    const scriptlang::RenameTarget target = scriptlang::renameTargetAt(m_indexer.current(), text, position);
    if (target.symbol < 0) {
        m_dialogs.tell(kRenameTitle, target.refusal, Dialogs::Icon::Information);
        return;
    }
    const scriptlang::ScriptSymbol& symbol = m_indexer.current().symbol(target.symbol);
    const QString newName = m_dialogs
                                .askText(kRenameTitle,
                                         QStringLiteral("New name for the %1 '%2', in the SLO and the VLO:")
                                             .arg(scriptlang::describe(symbol.kind), target.name),
                                         target.name)
                                .trimmed();
    if (newName.isEmpty() || newName == target.name)
        return;
    // The texts cannot change while the box is open, so the index still holds.
    const scriptlang::RenamePlan plan = scriptlang::planRename(m_indexer.current(), text, position, newName);
    if (!plan.refusal.isEmpty()) {
        m_dialogs.tell(kRenameTitle, plan.refusal, Dialogs::Icon::Warning);
        return;
    }
    for (TextKind kind : {TextKind::Slo, TextKind::Vlo}) {
        QList<scriptlang::TextEdit> edits;
        std::copy_if(plan.edits.cbegin(), plan.edits.cend(), std::back_inserter(edits),
                     [kind](const scriptlang::TextEdit& e) { return e.text == kind; });
        applyEdits(editorOf(kind), edits);
    }
}

void CodeNavigation::showOutline()
{
    if (!m_outline) {
        m_outline = new OutlinePopup(m_slo);
        connect(m_outline, &OutlinePopup::filterEdited, this, [this](const QString& typed) {
            const QList<scriptlang::OutlineEntry> entries =
                scriptlang::filterOutline(scriptlang::outline(m_indexer.current()), typed);
            m_outlinePlaces.clear();
            QList<OutlinePopup::Row> rows;
            for (const scriptlang::OutlineEntry& e : entries) {
                m_outlinePlaces.append(Location{TextKind::Slo, e.range});
                rows.append({e.name, scriptlang::describe(e.kind), e.detail, e.range.line});
            }
            m_outline->setRows(rows);
        });
        connect(m_outline, &OutlinePopup::rowChosen, this, [this](int row) {
            if (row < 0 || row >= m_outlinePlaces.size())
                return;
            m_outline->hide();
            goTo(m_outlinePlaces.at(row));
        });
    }
    m_outline->open();
    Q_EMIT m_outline->filterEdited(QString());
}

bool CodeNavigation::showHover(ScriptEditor& editor, QHelpEvent* event)
{
    const int position = editor.cursorForPosition(event->pos()).position();
    const std::optional<scriptlang::Hover> hover =
        scriptlang::hoverAt(m_indexer.current(), textOf(editor), position);
    if (!hover)
        return false;
    // The checker's message about the same place comes first.
    QStringList lines;
    for (const QTextEdit::ExtraSelection& finding :
         editor.decorations(ScriptEditor::DecorationLayer::Findings)) {
        if (position >= finding.cursor.selectionStart() && position <= finding.cursor.selectionEnd())
            lines.append(finding.format.toolTip());
    }
    lines.append(hover->text);
    QToolTip::showText(event->globalPos(), lines.join(u'\n'), editor.viewport());
    return true;
}
