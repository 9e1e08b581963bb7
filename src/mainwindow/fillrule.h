// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSizeF>

class QWidget;

// The text box of the notes, help and preview windows follows its window: it keeps its
// top-left corner and takes the window's outer size less the window's margins.
namespace fillrule {

struct Margins {
    double width;
    double height;
};

inline constexpr Margins kNotes{110, 520};
inline constexpr Margins kHelp{110, 800};
inline constexpr Margins kPreview{110, 500};

// All sizes in twips. A dimension that would fall below zero (a tiny or minimised window)
// keeps its previous value. The box never reaches past `room`, the client area from its corner
// on, so its scroll bars stay in sight under a window frame thicker than the margins.
QSizeF boxSize(const QSizeF& outer, const QSizeF& room, const QSizeF& previous, Margins margins);

// Applies the rule to a box of a window, measuring both on the screen.
void apply(QWidget& window, QWidget& box, Margins margins);

} // namespace fillrule
