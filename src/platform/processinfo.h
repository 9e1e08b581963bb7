// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Telling a running process from a finished one whose number the system has given to another:
// a process is named by its id and the moment it started.
namespace processinfo {

// When the process started, in clock ticks after the system's boot; 0 where this cannot be
// known (no /proc, or the process is gone).
quint64 startTime(qint64 pid);
quint64 ownStartTime();

// Whether the process `pid` that started at `startTime` still runs (a killed process that its
// parent has not reaped yet does not). A start time of 0 leaves the decision to the id alone; a
// process whose start time cannot be read counts as running.
bool isRunning(qint64 pid, quint64 startTime);

} // namespace processinfo
