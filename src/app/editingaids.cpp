#include "app/editingaids.h"

#include "mainwindow/editormenu.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "mainwindow/scripteditor.h"
#include "workspace/notestext.h"

#include <QKeyEvent>

EditingAids::EditingAids(ProjectSaver& saver, ProgramState& state, NotesText& notes, QObject* parent)
    : QObject(parent), m_seek(saver, state), m_notes(notes)
{
}

EditingAids::~EditingAids()
{
    delete m_notesWindow;
}

void EditingAids::attach(MainWindow& window)
{
    new EditorMenu(*window.slo(), *window.sloUndo(), *window.sloMenu(),
                   EditorMenu::mainEditorKeys(window.table().backspaceSnapshotInSlo),
                   EditorMenu::ClipboardUse::ReplaceAll);
    new EditorMenu(*window.vlo(), *window.vloUndo(), *window.vloMenu(), EditorMenu::mainEditorKeys(true),
                   EditorMenu::ClipboardUse::ReplaceAll);

    ScriptEditor* slo = window.slo();
    ScriptEditor* vlo = window.vlo();
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
