// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "templates/generatorstate.h"

#include <QString>
#include <QStringList>
#include <optional>

// The generator's four text buttons. Rnd and Ord give template lines for the window's text
// area, String keeps its lines by template number and writes them to RTS/all.txt, Feed gives
// the component lists as VLO array declarations. Each empties RTS/all.txt first; the numbering
// continues from the template counter, and Rnd, Ord and String stop at the template limit.
namespace templategeneration {

struct Result {
    // Lines to add to the text area, each after a line break.
    QStringList lines;
    // RTS/all.txt could not be emptied or written.
    std::optional<FileFailure> failure;
};

// One template per step with the lockstep rule, which restarts at weapon, propulsion and body
// 0 on every click.
Result rnd(GeneratorState& state, const QString& workDir, const QString& quote);

// The odometer rule from the shared propulsion position, with body and weapon restarting at 0.
// Once the propulsion has passed the last one, steps still count but give no lines.
Result ord(GeneratorState& state, const QString& workDir, const QString& quote);

// Ord's steps kept in stringLines by template number (0..200), then stringLines 0 up to the
// limit written to RTS/all.txt, old entries included.
Result string(GeneratorState& state, const QString& workDir, const QString& quote);

// The 33 weapons, 14 bodies and 4 propulsions as WPN, BDY and PRP declarations; one template
// number per click.
Result feed(GeneratorState& state, const QString& workDir, const QString& quote);

inline const QString kAllTxt = QStringLiteral("all.txt");

// What String tells instead of "DONE !!!" when RTS/all.txt was not written.
QString describeStringFailure(const FileFailure& failure);

// The limit typed into Aim1: a whole number of 16 bits, blanks around it allowed. Anything
// else (an empty box, letters, a fraction, a number out of range) gives nothing and the limit
// stays as it was.
std::optional<qint16> limitFromText(const QString& text);

} // namespace templategeneration
