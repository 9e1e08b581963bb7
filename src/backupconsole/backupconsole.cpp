// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/backupconsole.h"

#include "backupconsole/previewwindow.h"
#include "backupconsole/snapshotlist.h"
#include "mainwindow/closeonescape.h"
#include "mainwindow/mainwindow.h"
#include "platform/dialogs.h"
#include "platform/twips.h"
#include "workspace/programstate.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {

const QColor kConsoleBackground(0, 0, 128);

const QString kNoSnapshotTitle = QStringLiteral("NO SNAPSHOT");
const QString kNotReadTitle = QStringLiteral("SNAPSHOT NOT READ");
const QString kFolderNotReadTitle = QStringLiteral("BACKUP FOLDER NOT READ");

QString kindName(snapshotfolder::Kind kind)
{
    return kind == snapshotfolder::Kind::Slo ? QStringLiteral("SLO") : QStringLiteral("VLO");
}

} // namespace

BackupConsole::BackupConsole(const ConsoleContext& context, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_context(context)
{
    setObjectName(QStringLiteral("Console1"));
    closeOnEscape(*this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("QRB BACKUP CONSOLE"));
    setFixedSize(twips::toPixels(8520), twips::toPixels(5490));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kConsoleBackground);
    setPalette(pal);
    setAutoFillBackground(true);

    m_sloList = new SnapshotList(QStringLiteral("File1"),
                                 QStringLiteral("No SLO snapshots yet.\nEvery save keeps one."), this);
    m_sloList->setGeometry(twips::toPixels(0, 0, 4215, 5490));
    m_sloList->setToolTip(QStringLiteral("SLO snapshots: double-click one to preview it"));
    m_vloList = new SnapshotList(QStringLiteral("File2"),
                                 QStringLiteral("No VLO snapshots yet.\nEvery save keeps one."), this);
    m_vloList->setGeometry(twips::toPixels(4320, 0, 4215, 5490));
    m_vloList->setToolTip(QStringLiteral("VLO snapshots: double-click one to preview it"));
    setTabOrder(m_sloList, m_vloList);

    // Both lists come from one reading of the folder; it is not read again while the console
    // stays open.
    m_listing = snapshotfolder::list(m_context.backupFolder);
    m_sloList->setNames(m_context.backupFolder, m_listing.slo);
    m_vloList->setNames(m_context.backupFolder, m_listing.vlo);

    connect(m_sloList, &SnapshotList::entryChosen, this,
            [this](int row) { openEntry(snapshotfolder::Kind::Slo, row); });
    connect(m_vloList, &SnapshotList::entryChosen, this,
            [this](int row) { openEntry(snapshotfolder::Kind::Vlo, row); });
}

BackupConsole::~BackupConsole()
{
    delete m_preview;
}

PreviewWindow* BackupConsole::preview() const
{
    return m_preview;
}

void BackupConsole::open()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    activateWindow();
    m_sloList->setFocus();
    if (m_opened)
        return;
    m_opened = true;
    // Oldest first: the newest snapshots are at hand at the foot of each list.
    m_sloList->scrollToBottom();
    m_vloList->scrollToBottom();
    if (m_listing.failure) {
        m_context.dialogs.tell(
            kFolderNotReadTitle,
            QStringLiteral("The backup folder could not be listed, so the console shows no "
                           "snapshots:\n") +
                describeFailures({*m_listing.failure}),
            Dialogs::Icon::Warning);
    }
}

void BackupConsole::openEntry(snapshotfolder::Kind kind, int row)
{
    if (m_preview)
        return;
    const QStringList& names = m_listing.names(kind);
    if (row < 0 || row >= names.size()) {
        const QString text =
            names.isEmpty()
                ? QStringLiteral(
                      "There is no %1 snapshot in the backup folder yet:\n%2\nEvery save keeps the "
                      "previously saved SLO.qrb and VLO.qrb there.")
                      .arg(kindName(kind), m_context.backupFolder)
                : QStringLiteral("No snapshot was chosen. Double-click a name in the list to preview that "
                                 "snapshot.");
        m_context.dialogs.tell(kNoSnapshotTitle, text, Dialogs::Icon::Information);
        return;
    }
    // An unreadable snapshot opens no preview, so "Revert all" can never empty an editor.
    const snapshotfolder::Loaded loaded = snapshotfolder::load(m_context.backupFolder, names.at(row));
    if (loaded.failure) {
        m_context.dialogs.tell(
            kNotReadTitle,
            QStringLiteral("This snapshot could not be read, so no preview was opened:\n") +
                describeFailures({*loaded.failure}),
            Dialogs::Icon::Warning);
        return;
    }
    m_preview = new PreviewWindow(m_context);
    connect(m_preview, &PreviewWindow::closed, this, &BackupConsole::onPreviewClosed);
    m_preview->setSnapshot(names.at(row), loaded.text);
    QStringList others = names;
    others.removeAt(row);
    m_preview->setOtherSnapshots(others);
    m_context.state.previewIsSlo = kind == snapshotfolder::Kind::Slo;
    m_preview->open();
    setEnabled(false);
}

void BackupConsole::onPreviewClosed()
{
    // The closed preview deletes itself; from now on the console is usable again.
    m_preview.clear();
    setEnabled(true);
    repaint();
    raise();
    activateWindow();
}

void BackupConsole::closeEvent(QCloseEvent* event)
{
    // The preview belongs to this console: it closes first.
    if (m_preview) {
        event->ignore();
        m_preview->raise();
        m_preview->activateWindow();
        return;
    }
    event->accept();
    if (MainWindow* small = m_context.form800())
        small->setEnabled(true);
    if (MainWindow* big = m_context.form1024())
        big->setEnabled(true);
}
