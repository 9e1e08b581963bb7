// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QListWidget;
class QWidget;

// The look every window of the workbench shares: MS Sans Serif 8.25 pt (with the desktop's
// nearest fallbacks), dark blue input boxes and the editors' pop-up list.
namespace classiclook {

inline const QColor kInputBackground(0, 0, 128);
inline const QColor kEditorBackground(199, 211, 233);

QFont font(double points = 8.25, bool bold = false);

// Dark blue background with the given text colour, as the input boxes and pop-up lists have.
void paintDarkBlue(QWidget& widget, const QColor& text);

// The hidden pop-up editing list of an editor: "Undo", "-------", "Copy", "Cut", "Paste",
// white on dark blue, 615 x 1005 twips.
QListWidget* createEditMenuList(const QString& name, QWidget* parent);

} // namespace classiclook
