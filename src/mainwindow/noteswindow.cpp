// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/noteswindow.h"

#include "editor/classiclook.h"
#include "editor/editormenu.h"
#include "editor/editorreplace.h"
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "mainwindow/fillrule.h"
#include "platform/twips.h"
#include "workspace/notestext.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QResizeEvent>

namespace {

// The editor's size when the window first opens: 11895 x 8350 twips.
constexpr double kEditorWidth = 11895;
constexpr double kEditorHeight = 8350;

} // namespace

NotesWindow::NotesWindow(NotesText& notes, QWidget* parent) : QWidget(parent, Qt::Window), m_notes(notes)
{
    setObjectName(QStringLiteral("CORE"));
    setWindowTitle(QStringLiteral("Runtime Notes"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, classiclook::kEditorBackground);
    setPalette(pal);
    setAutoFillBackground(true);

    m_editor = new ScriptEditor(QStringLiteral("Text1"), this);
    m_editor->setGeometry(0, 0, twips::toPixels(kEditorWidth), twips::toPixels(kEditorHeight));
    m_editor->setFrameShape(QFrame::NoFrame);
    m_undo = new HiddenTextBuffer(QStringLiteral("SLO_UNDO"), this);
    m_menu = classiclook::createEditMenuList(QStringLiteral("SLO_MENU"), this);
    // Each load starts without a snapshot: Undo does nothing until Enter or Delete is pressed.
    m_editorMenu = new EditorMenu(*m_editor, *m_undo, *m_menu, EditorMenu::notesKeys(),
                                  EditorMenu::ClipboardUse::KeepOtherData);

    m_editor->setText(m_notes.text());
    connect(m_editor, &QPlainTextEdit::textChanged, this, &NotesWindow::editorChanged);
    connect(&m_notes, &NotesText::changed, this, &NotesWindow::notesChanged);

    resize(twips::toPixels(kEditorWidth + fillrule::kNotes.width),
           twips::toPixels(kEditorHeight + fillrule::kNotes.height));
}

void NotesWindow::bringForward()
{
    showNormal();
    raise();
    activateWindow();
}

void NotesWindow::editorChanged()
{
    m_writingNotes = true;
    m_notes.setText(m_editor->text());
    m_writingNotes = false;
}

void NotesWindow::notesChanged(const QString& text)
{
    if (!m_writingNotes)
        replaceEditorText(*m_editor, text);
}

void NotesWindow::fillWindow()
{
    fillrule::apply(*this, *m_editor, fillrule::kNotes);
}

void NotesWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fillWindow();
}

void NotesWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fillWindow();
}

void NotesWindow::closeEvent(QCloseEvent* event)
{
    m_notes.setText(m_editor->text());
    event->accept();
}
