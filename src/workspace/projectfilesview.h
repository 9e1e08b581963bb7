// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "workspace/workspaceview.h"

#include <optional>

// The project as it lies in its folder, for work without a window: the texts of SLO.qrb and
// VLO.qrb (without the writer's last CR LF, as the editors load them) and the game directory
// of QRB_DATA.DAT.
class ProjectFilesView final : public WorkspaceView {
public:
    explicit ProjectFilesView(const QString& workDir);

    QString sloText() const override { return m_slo; }
    QString vloText() const override { return m_vlo; }
    QString gameDirectory() const override { return m_gameDirectory; }
    void setExportText(const QString& text) override { m_exportText = text; }

    bool hasSettings() const { return m_hasSettings; }
    // The files that exist but could not be read.
    const QList<FileFailure>& failures() const { return m_failures; }
    const QString& exportText() const { return m_exportText; }

private:
    QString m_slo;
    QString m_vlo;
    QString m_gameDirectory;
    QString m_exportText;
    bool m_hasSettings = false;
    QList<FileFailure> m_failures;
};
