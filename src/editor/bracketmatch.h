// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

// The bracket pair at the caret: ( ) { } [ ].
namespace bracketmatch {

struct Place {
    int line = 0;
    int column = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

struct Match {
    Place bracket;
    std::optional<Place> partner; // none when the bracket has no partner within reach
};

// The bracket just after the caret, else the one just before it, and its partner, searched at
// most `maxLines` lines away. Brackets of the other kinds do not count.
std::optional<Match> find(int lineCount, const std::function<QString(int)>& lineAt, Place caret,
                          int maxLines = 5000);

} // namespace bracketmatch
