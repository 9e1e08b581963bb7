#pragma once

#include <QSizeF>

// The preview's text box follows the window: it keeps its top-left corner and takes the
// window's outer size less the frame the window was drawn for, 110 twips across and 500 down.
namespace previewsizing {

inline constexpr double kWidthAllowance = 110;
inline constexpr double kHeightAllowance = 500;

// All sizes in twips. A dimension that would fall below zero (a tiny or minimised window)
// keeps its previous value. The box never reaches past the client area, so its scroll bars
// stay in sight under a window frame thicker than the allowance.
QSizeF textBoxSize(const QSizeF& outer, const QSizeF& client, const QSizeF& previous);

} // namespace previewsizing
