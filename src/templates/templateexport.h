// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileresult.h"
#include "templates/generatorstate.h"

#include <QString>
#include <QStringList>

// The generator's four export buttons: every template that the odometer reaches from
// propulsion 0, body 0, weapon 0, written into RTS/Templates.txt, AssignWeapons.txt,
// Names.txt and (all but --> WDG) X.vlo. The numbering continues from the template counter;
// DIVIDED and FINAL continue the division state of the VLO arrays.
namespace templateexport {

enum class Button {
    // Propulsion from propulsionNames, the weapon as display name, no X.vlo.
    Wdg,
    // Propulsion from propulsionNames2, one array tmpl indexed by template number.
    Full,
    // propulsionAlt for every template, arrays of 214 entries.
    Divided,
    // Propulsion from propulsionNames, arrays of 214 entries.
    Final,
};

inline const QString kTemplatesTxt = QStringLiteral("Templates.txt");
inline const QString kAssignWeaponsTxt = QStringLiteral("AssignWeapons.txt");
inline const QString kNamesTxt = QStringLiteral("Names.txt");
inline const QString kXVlo = QStringLiteral("X.vlo");

struct Outcome {
    // Templates written to every file that was still being written.
    int templates = 0;
    // The files that failed, with the reason.
    QList<FileFailure> failures;
    // An export that stops at its first failure (all but DIVIDED) replaces none of its files:
    // the other files of the export are named as left as they were. The generator's counters
    // then stay where they were too.
    bool stopped = false;
    QStringList leftAsTheyWere;

    bool ok() const { return failures.isEmpty(); }
};

// Runs the export. --> WDG, FULL and FINAL stop at the first file that cannot be opened or
// written and replace nothing; DIVIDED leaves a failing file as it was and writes the rest.
Outcome run(Button button, GeneratorState& state, const QString& workDir, const QString& quote);

inline const QString kFailedTitle = QStringLiteral("EXPORT FAILED");
// What the author is told when the outcome is not ok.
QString describe(Button button, const Outcome& outcome);

} // namespace templateexport
