// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Indenting lines of code with the editor's keys.
namespace indentation {

// The blanks and tabs a line starts with.
QStringView leadingBlanks(QStringView line);

// How many characters Shift+Tab takes from the start of a line: one tab, or up to four blanks.
int unindentWidth(QStringView line);

// Where Home takes the caret: to the first character that is not a blank, and from there to
// column 0 (on a line of blanks alone, between column 0 and its end).
int homeColumn(QStringView line, int column);

} // namespace indentation
