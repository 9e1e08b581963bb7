// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/workspaceview.h"

// The texts of a layout window, without the window.
struct FakeView final : WorkspaceView {
    QString slo;
    QString vlo;
    QString gameDir;
    QString exportText = QStringLiteral("EXPORT\r\n");

    QString sloText() const override { return slo; }
    QString vloText() const override { return vlo; }
    QString gameDirectory() const override { return gameDir; }
    void setExportText(const QString& text) override { exportText = text; }
};
