// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backupconsole/consolecontext.h"
#include "backupconsole/snapshotfolder.h"

#include <QPointer>
#include <QWidget>

class PreviewWindow;
class SnapshotList;

// Console1: the SLO snapshots (File1) and the VLO snapshots (File2) of the backup folder side
// by side, read once when the console is created. A double-click opens a snapshot in the
// preview; while the preview is open the console takes no input. Closing the console gives
// the input back to the main window.
class BackupConsole : public QWidget {
    Q_OBJECT
public:
    explicit BackupConsole(const ConsoleContext& context, QWidget* parent = nullptr);
    ~BackupConsole() override;

    // Shows the console centred on the screen; tells the author when the folder could not be
    // listed.
    void open();
    PreviewWindow* preview() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void openEntry(snapshotfolder::Kind kind, int row);
    void onPreviewClosed();

    ConsoleContext m_context;
    snapshotfolder::Listing m_listing;
    SnapshotList* m_sloList = nullptr;
    SnapshotList* m_vloList = nullptr;
    QPointer<PreviewWindow> m_preview;
    bool m_opened = false;
};
