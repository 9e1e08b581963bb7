// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/previewwindow.h"

#include "backupconsole/compareview.h"
#include "backupconsole/notesimport.h"
#include "backupconsole/snapshotfolder.h"
#include "editor/classiclook.h"
#include "editor/codeview.h"
#include "editor/editorreplace.h"
#include "editor/linenumbers.h"
#include "editor/scripteditor.h"
#include "mainwindow/closeonescape.h"
#include "mainwindow/fillrule.h"
#include "mainwindow/mainwindow.h"
#include "platform/dialogs.h"
#include "platform/twips.h"
#include "workspace/notestext.h"
#include "workspace/programstate.h"
#include "workspace/snapshotname.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

const QColor kPreviewBackground(199, 211, 233);
const QString kCompareCaption = QStringLiteral("Compare with editor");
const QString kBackCaption = QStringLiteral("Back to snapshot");
const QString kEditorChoice = QStringLiteral("Editor (current text)");

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
    m_compareButton =
        makeButton(QStringLiteral("Command3"), kCompareCaption, twips::toPixels(8280, 120, 1800, 255), this);
    m_compareButton->setToolTip(QStringLiteral("Show what differs between this snapshot and the editor, "
                                               "or go back to the snapshot"));
    m_compareWith = new QComboBox(this);
    m_compareWith->setObjectName(QStringLiteral("CompareWith"));
    m_compareWith->setFont(classiclook::font());
    m_compareWith->setGeometry(twips::toPixels(120, 120, 4080, 255));
    m_compareWith->setToolTip(QStringLiteral("The text this snapshot is compared with"));
    m_compareWith->view()->setMinimumWidth(twips::toPixels(5400));
    m_compareWith->hide();

    m_compare = new CompareView(this);
    m_compare->hide();
    // The buttons stay in front of whichever view is shown.
    m_compare->lower();
    m_text->lower();

    connect(m_revert, &QPushButton::clicked, this, &PreviewWindow::revertAll);
    connect(m_compareButton, &QPushButton::clicked, this, &PreviewWindow::toggleCompare);
    connect(m_compareWith, &QComboBox::activated, this, &PreviewWindow::compareWithChoice);
    connect(m_toNotes, &QPushButton::clicked, this, &PreviewWindow::addSelectedToNotes);

    resize(twips::toPixels(11880), twips::toPixels(8460));
}

void PreviewWindow::setSnapshot(const QString& name, const QString& text)
{
    m_snapshotName = name;
    m_text->setText(text);
}

void PreviewWindow::setOtherSnapshots(const QStringList& others)
{
    m_others = others;
}

bool PreviewWindow::comparing() const
{
    return m_compare->isVisible();
}

QString PreviewWindow::editorText() const
{
    const ScriptEditor* editor = revertTarget();
    return editor ? editor->text() : QString();
}

void PreviewWindow::toggleCompare()
{
    if (m_compare->isVisibleTo(this)) {
        m_compare->hide();
        m_compareWith->hide();
        m_text->show();
        m_compareButton->setText(kCompareCaption);
        m_text->setFocus();
        return;
    }
    if (m_compareWith->count() == 0) {
        // Filled on first use: a folder of many snapshots makes a long list.
        snapshotname::sortByTime(m_others);
        m_compareWith->addItem(kEditorChoice);
        m_compareWith->addItems(m_others);
    }
    m_compareWith->setCurrentIndex(0);
    m_compareIndex = 0;
    m_compare->showDiff(m_snapshotName, m_text->text(), editorText(), QStringLiteral("the editor"));
    m_text->hide();
    m_compare->show();
    m_compareWith->show();
    m_compareButton->setText(kBackCaption);
    followWindowSize();
}

void PreviewWindow::compareWithChoice(int index)
{
    if (index <= 0) {
        m_compareIndex = 0;
        m_compare->showDiff(m_snapshotName, m_text->text(), editorText(), QStringLiteral("the editor"));
        return;
    }
    const QString other = m_others.value(index - 1);
    const snapshotfolder::Loaded loaded = snapshotfolder::load(m_context.backupFolder, other);
    if (loaded.failure) {
        m_compareWith->setCurrentIndex(m_compareIndex);
        m_context.dialogs.tell(QStringLiteral("SNAPSHOT NOT READ"),
                               QStringLiteral("This snapshot could not be read, so the comparison stays "
                                              "as it was:\n") +
                                   describeFailures({*loaded.failure}),
                               Dialogs::Icon::Warning);
        return;
    }
    m_compareIndex = index;
    m_compare->showDiff(m_snapshotName, m_text->text(), loaded.text, other);
}

void PreviewWindow::open()
{
    // Numbered as the game numbers the file that the snapshot's editor writes.
    const int first = linenumbers::firstNumber(!m_context.state.previewIsSlo);
    m_lines->setLanguage(codeview::Language::Script, first);
    m_compare->setFirstLineNumber(first);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    activateWindow();
    m_text->setFocus();
}

void PreviewWindow::followWindowSize()
{
    fillrule::apply(*this, *m_text, fillrule::kPreview);
    m_compare->setGeometry(m_text->geometry());
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
    const QString selected = comparing() ? m_compare->selectedSnapshotText() : m_text->selectedText();
    notes.setText(notesimport::appended(notes.text(), selected));
}
