// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace scriptlang {

// How a typed text matches a name, best first.
enum class NameMatch {
    Prefix,   // the name starts with it, letter case aside
    Capitals, // its letters start the name's words: eS, iES for initEnumStruct, DS for DORDER_SCOUT
    Contains, // the name holds it, letter case aside
    None
};

// Where a name's words start: its first letter, a capital after a small letter or digit, and a
// letter or digit after '_'. A small typed letter goes on in the same word; a capital, a digit or
// '_' may jump to the next word start that has it.
NameMatch matchName(QStringView name, QStringView typed);

} // namespace scriptlang
