// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/viewsettings.h"

#include <QList>
#include <QObject>
#include <QPointer>

class CodeView;
class Dialogs;
class QListWidget;

// The view settings of the code editors: read from QRB_VIEW.INI at start, shown and switched
// in the editors' pop-up menus, applied to every code editor of both layouts at once and
// written back at each switch. A file that cannot be written is reported once.
class ViewControl : public QObject {
    Q_OBJECT
public:
    // Rows of the pop-up list below Undo, Copy, Cut and Paste.
    enum Item { LineNumbers = 5, Highlighting = 6, FixedWidthFont = 7 };

    ViewControl(QString programDir, Dialogs& dialogs, QObject* parent = nullptr);

    const ViewSettings& settings() const { return m_settings; }
    void add(CodeView& view);
    // Adds the three rows to an editor's list and makes it big enough for them; before the
    // list's EditorMenu is made, which fits its rows to the list.
    void extendMenu(QListWidget& list);
    // The row chosen in a pop-up list.
    void toggle(int item);

private:
    void showStates();

    QString m_programDir;
    Dialogs& m_dialogs;
    ViewSettings m_settings;
    QList<QPointer<CodeView>> m_views;
    QList<QPointer<QListWidget>> m_lists;
    bool m_writeFailureTold = false;
};
