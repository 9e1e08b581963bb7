// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/programstate.h"

#include <QTextStream>
#include <chrono>
#include <functional>

namespace commandline {

inline constexpr std::chrono::seconds kLockWait{10};

// Runs `work` (a command that writes into the working folder) holding the folder's lock, after
// removing the temporaries that killed runs left, as the window does at its start. A copy that
// holds the folder is waited for up to `wait`; then the holder is named and the exit status is 1.
int runLocked(const Folders& folders, QTextStream& err, const std::function<int()>& work,
              std::chrono::milliseconds wait = kLockWait);

} // namespace commandline
