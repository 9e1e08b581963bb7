#include "backupconsole/previewwindow.h"

#include "backupconsole/notesimport.h"
#include "editor/linenumbers.h"
#include "mainwindow/classiclook.h"
#include "mainwindow/closeonescape.h"
#include "mainwindow/codeview.h"
#include "mainwindow/editorreplace.h"
#include "mainwindow/fillrule.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "platform/dialogs.h"
#include "platform/twips.h"
#include "workspace/notestext.h"
#include "workspace/programstate.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

const QColor kPreviewBackground(199, 211, 233);

QPushButton* makeButton(const QString& name, const QString& caption, const QRect& geometry, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(classiclook::font());
    button->setGeometry(geometry);
    return button;
}

} // namespace

PreviewWindow::PreviewWindow(const ConsoleContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("Preview1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Script preview"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPreviewBackground);
    setPalette(pal);
    setAutoFillBackground(true);

    m_text = new ScriptEditor(QStringLiteral("Text1"), this);
    // The preview shows a snapshot as it was saved: it can be selected and copied, not changed.
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->move(0, 0);
    m_lines = new CodeView(*m_text, codeview::Language::Script, 1, CodeView::Aids::NumbersOnly);
    closeOnEscape(*this);

    m_revert = makeButton(QStringLiteral("Command1"), QStringLiteral("Revert all"),
                          twips::toPixels(4320, 120, 1575, 255), this);
    m_revert->setToolTip(QStringLiteral("Put this whole snapshot back into its editor (nothing is saved)"));
    m_toNotes = makeButton(QStringLiteral("Command2"), QStringLiteral("Add selected to NOTES"),
                           twips::toPixels(6000, 120, 2175, 255), this);
    m_toNotes->setToolTip(QStringLiteral("Append the selected text to the end of the notes"));
    connect(m_revert, &QPushButton::clicked, this, &PreviewWindow::revertAll);
    connect(m_toNotes, &QPushButton::clicked, this, &PreviewWindow::addSelectedToNotes);

    resize(twips::toPixels(11880), twips::toPixels(8460));
}

void PreviewWindow::setSnapshotText(const QString& text)
{
    m_text->setText(text);
}

void PreviewWindow::open()
{
    // Numbered as the game numbers the file that the snapshot's editor writes.
    m_lines->setLanguage(codeview::Language::Script, linenumbers::firstNumber(!m_context.state.previewIsSlo));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    activateWindow();
    m_text->setFocus();
}

void PreviewWindow::followWindowSize()
{
    fillrule::apply(*this, *m_text, fillrule::kPreview);
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    followWindowSize();
}

void PreviewWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The window manager adds its frame after the window is shown, which moves the client
    // area; the outer size is known only from then on.
    followWindowSize();
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    followWindowSize();
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

ScriptEditor* PreviewWindow::revertTarget() const
{
    // The snapshot goes back into the editor of its own kind in the layout that opened the
    // console; the other layout keeps its texts.
    const ProgramState& state = m_context.state;
    MainWindow* layout = state.consoleFrom800 ? m_context.form800() : m_context.form1024();
    if (!layout)
        return nullptr;
    return state.previewIsSlo ? layout->slo() : layout->vlo();
}

void PreviewWindow::revertAll()
{
    // One edit of the editor: Ctrl+Z and Undo bring back what it held before, and nothing is
    // written until the author saves.
    const ProgramState& state = m_context.state;
    MainWindow* layout = state.consoleFrom800 ? m_context.form800() : m_context.form1024();
    if (ScriptEditor* target = revertTarget(); target && layout)
        replaceEditorTextUndoably(*target, *(state.previewIsSlo ? layout->sloUndo() : layout->vloUndo()),
                                  m_text->text());
    Dialogs& dialogs = m_context.dialogs;
    close();
    dialogs.tell(kApplicationTitle, QStringLiteral("Script has been reverted from backup!"),
                 Dialogs::Icon::None);
}

void PreviewWindow::addSelectedToNotes()
{
    NotesText& notes = m_context.notes;
    notes.setText(notesimport::appended(notes.text(), m_text->selectedText()));
}
