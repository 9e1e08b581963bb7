// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The search of the help window. Positions are indices into the help text as the window
// shows it (CR LF line breaks).
namespace helpsearch {

// The next occurrence of `needle` in `text`, compared without regard to letter case. With a
// selection (usually the last match) the search begins one character after its start, so
// that a repeated search walks through every occurrence, overlapping ones too; with only a
// caret it begins at the caret, so that an occurrence right there is found. It does not
// wrap around. -1 when there is none, or when either text is empty.
qsizetype next(const QString& text, const QString& needle, qsizetype selectionStart,
               qsizetype selectionLength);

} // namespace helpsearch
