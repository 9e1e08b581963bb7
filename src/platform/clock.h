// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QTime>

// Time of day and date for the snapshot stamps; tests use a fixed one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QTime timeOfDay() const = 0;
    virtual QDate date() const = 0;
};

class SystemClock final : public Clock {
public:
    QTime timeOfDay() const override;
    QDate date() const override;
};
