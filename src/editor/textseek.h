// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Search and go to line on an editor's CR LF text. Every position is an index into that text;
// lines are numbered from 1 and end at a CR LF pair.
namespace textseek {

struct Range {
    int start = 0;
    int length = 0;
    friend bool operator==(const Range&, const Range&) = default;
};

// The first occurrence of `needle` that begins at `from` or later, letter case ignored, or -1.
// No wrap-around; an empty needle or a start past the end finds nothing.
int findFrom(const QString& text, const QString& needle, int from);

// The last occurrence of `needle` that begins before `before`, letter case ignored, or -1.
int findBefore(const QString& text, const QString& needle, int before);

// Where a search starts: "1st" at the very first character, the onward search one character
// after the start of the current selection, so that overlapping occurrences are all found.
int searchStart(bool fromTheTop, int selectionStart);

// The number typed into the line box: a decimal number with an optional sign and fraction,
// blanks around it allowed. Nothing when the box is empty or holds no number.
std::optional<double> parseLineNumber(const QString& typed);

// What going to line `number` does in a text. `lineOffset` is the number of generated head
// lines counted before the text (12 for the variable text, 0 for the script).
struct LineJump {
    enum class Kind {
        Nothing,        // empty text or a number whose whole part is 0: no save, no move
        FirstCharacter, // a number that names no line of the text (before its first line)
        Line,           // `range` is the line with its carriage return, but not its line feed
    };
    Kind kind = Kind::Nothing;
    Range range;
};

// A line past the last one selects the last line.
LineJump lineJump(const QString& text, double number, int lineOffset);

} // namespace textseek
