// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editingaids.h"

#include "app/viewcontrol.h"
#include "editor/codeview.h"
#include "editor/editormenu.h"
#include "editor/linenumbers.h"
#include "editor/scripteditor.h"
#include "mainwindow/closeonescape.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "workspace/notestext.h"

#include <QKeyEvent>

EditingAids::EditingAids(ProjectSaver& saver, ProgramState& state, NotesText& notes, Dialogs& dialogs,
                         const QString& programDir, QObject* parent)
    : QObject(parent), m_seek(saver, state), m_view(std::make_unique<ViewControl>(programDir, dialogs)),
      m_notes(notes)
{
}

EditingAids::~EditingAids()
{
    delete m_notesWindow;
}

void EditingAids::attach(MainWindow& window)
{
    m_view->extendMenu(*window.sloMenu());
    m_view->extendMenu(*window.vloMenu());
    auto* sloMenu = new EditorMenu(*window.slo(), *window.sloUndo(), *window.sloMenu(),
                                   EditorMenu::mainEditorKeys(window.table().backspaceSnapshotInSlo),
                                   EditorMenu::ClipboardUse::ReplaceAll);
    auto* vloMenu = new EditorMenu(*window.vlo(), *window.vloUndo(), *window.vloMenu(),
                                   EditorMenu::mainEditorKeys(true), EditorMenu::ClipboardUse::ReplaceAll);
    connect(sloMenu, &EditorMenu::otherItemChosen, m_view.get(), &ViewControl::toggle);
    connect(vloMenu, &EditorMenu::otherItemChosen, m_view.get(), &ViewControl::toggle);

    ScriptEditor* slo = window.slo();
    ScriptEditor* vlo = window.vlo();
    slo->setCodeKeys(true);
    vlo->setCodeKeys(true);
    m_view->add(*new CodeView(*slo, codeview::Language::Script, linenumbers::firstNumber(false),
                              CodeView::Aids::Full));
    m_view->add(*new CodeView(*vlo, codeview::Language::Variables, linenumbers::firstNumber(true),
                              CodeView::Aids::Full));
    connect(slo, &ScriptEditor::keyAboutToBeHandled, this, [this, slo](QKeyEvent* event) {
        if (event->key() == Qt::Key_F10)
            selectionToNotes(*slo);
    });
    connect(vlo, &ScriptEditor::keyAboutToBeHandled, this, [this, vlo](QKeyEvent* event) {
        if (event->key() == Qt::Key_F11)
            selectionToNotes(*vlo);
    });
    SeekCommands::clearLineBoxOnPress(window);
}

NotesWindow* EditingAids::ensureNotesWindow()
{
    if (!m_notesWindow) {
        m_notesWindow = new NotesWindow(m_notes);
        closeOnEscape(*m_notesWindow);
        m_notesPlaced = false;
    }
    return m_notesWindow;
}

void EditingAids::showNotes(const MainWindow& from)
{
    NotesWindow* notes = ensureNotesWindow();
    if (!m_notesPlaced) {
        // First shown a little right of and below the main window's centre, so both are seen.
        const QPoint centre = from.geometry().center() + QPoint(60, 40);
        notes->move(centre - QPoint(notes->width() / 2, notes->height() / 2));
        m_notesPlaced = true;
    }
    notes->bringForward();
}

void EditingAids::selectionToNotes(const ScriptEditor& from)
{
    ensureNotesWindow();
    // The window follows the notes text, so the addition shows in it at once.
    m_notes.setText(from.selectedText() + QStringLiteral("\r\n") + m_notes.text());
}
