// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The line numbers the editors show beside their text: the numbers the game reports for the
// files the workbench writes from them.
namespace linenumbers {

// A generated playerN.vlo starts with this many head lines before the VLO text.
constexpr int kVloHeadLines = 11;

// The number of the text's first line: 1 in a script, 12 in the VLO text.
constexpr int firstNumber(bool variableText)
{
    return variableText ? kVloHeadLines + 1 : 1;
}

// The number shown for the 0-based line `index`.
constexpr int numberOf(int index, int first)
{
    return first + index;
}

// The digits the widest number of a text of `lineCount` lines needs (at least two, so the
// gutter does not jump between the 9th and the 10th line).
int digitsFor(int lineCount, int first);

} // namespace linenumbers
