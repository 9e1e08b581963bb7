// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <chrono>

// One save at a time in a working folder, whichever copy of the program runs it: the
// snapshot of the files on disk and the writing of the new texts must not interleave with
// another save's, or a text written in between would be in no snapshot. It is an advisory lock
// on the folder itself, which the system drops when its holder ends, however it ends.
class SaveLock {
public:
    explicit SaveLock(const QString& folder, std::chrono::milliseconds wait = std::chrono::seconds(10));
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // False when another save held the folder for the whole wait. A file system without such
    // locks lets every save go on.
    bool held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = true;
};
