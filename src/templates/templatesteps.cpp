// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/templatesteps.h"

#include "templates/generatorstate.h"

void LockstepStep::apply()
{
    weapon = weapon < GeneratorState::kLastWeapon ? weapon + 1 : 0;
    propulsion = propulsion < GeneratorState::kLastPropulsion ? propulsion + 1 : 0;
    body = body < GeneratorState::kLastBody ? body + 1 : 0;
}

void OdometerStep::apply(qint32& propulsion, int& body, int& weapon)
{
    if (body >= GeneratorState::kLastBody) {
        ++propulsion;
        body = 0;
    } else if (weapon >= GeneratorState::kLastWeapon) {
        ++body;
        weapon = 0;
    } else {
        ++weapon;
    }
}
