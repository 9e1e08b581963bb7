// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Everything that differs between the two layouts of the main window, in twips. One window
// class reads this table; no window code is written twice.
namespace layout {

enum class Kind {
    ClickArea,  // transparent, over its artwork on the background
    Decoration, // artwork that does nothing
    Editor,
    TextBox,
    Button,
    Label,
    LinkLabel, // a label used as a button
    List,
    ScrollBar,
};

struct Control {
    QString name;
    Kind kind;
    QRectF rect; // twips, client area
    // Caption of a button or label, or the artwork's title on a click area.
    QString caption;
    // Tooltip and accessible description of click areas and link labels.
    QString tip = {};
};

struct Table {
    QString windowName;  // "form1024" or "Form800"
    QSizeF client;       // twips
    double splitterUnit; // twips per scroll step, halved
    double splitterGap;  // added to the SLO width to give the VLO left edge
    double handleStrip;  // a press above this Y starts a window move
    QString forceSaveCaption;
    QString exportInitialText;
    QString switchAreaName; // "Command5" or "Command6"
    QString switchCaption;  // artwork title of the switch area
    bool isLayout800;
    bool backspaceSnapshotInSlo;
    QList<Control> controls;

    const Control* find(const QString& name) const;
};

const Table& table1024();
const Table& table800();

// The six lines of List1: the skeleton of a generated variable file.
QStringList skeletonLines();

} // namespace layout
