// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the operations read from and write to the layout window the author works in. The
// texts are CR LF texts; the window converts from its editors at the moment of the call.
class WorkspaceView {
public:
    virtual ~WorkspaceView() = default;
    virtual QString sloText() const = 0;
    virtual QString vloText() const = 0;
    virtual QString gameDirectory() const = 0;
    // The hidden buffer in which each variable file is assembled.
    virtual void setExportText(const QString& text) = 0;
};
