// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Starts the game without waiting for it, in a working directory of its own.
class GameStarter {
public:
    virtual ~GameStarter() = default;
    // False when the program could not be started; `reason` then says why.
    virtual bool start(const QString& program, const QString& workingDirectory, QString* reason) = 0;
};

class DetachedProcessStarter final : public GameStarter {
public:
    bool start(const QString& program, const QString& workingDirectory, QString* reason) override;
};
