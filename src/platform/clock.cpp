// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"

QTime SystemClock::timeOfDay() const
{
    return QTime::currentTime();
}

QDate SystemClock::date() const
{
    return QDate::currentDate();
}
