// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The smallest stretch that turns one CR LF text into another, so an editor can be brought to
// a new text by one small edit: its caret, scroll position and own undo history survive.
namespace textchange {

struct Change {
    int start = 0;    // index into the old text
    int removed = 0;  // characters of the old text replaced
    QString inserted; // what replaces them
};

// Never cuts between the CR and the LF of a line break, in either text.
Change between(const QString& before, const QString& after);

} // namespace textchange
