// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/documentopener.h"
#include "platform/gamestarter.h"
#include "platform/screenmetrics.h"

#include <QDir>

// The desktop as the benchmarks of the whole workbench see it: no game, no documents opened, a
// screen wide enough for the 800 layout to keep its size.
class NoGame final : public GameStarter {
public:
    bool start(const QString&, const QString&, QString*) override { return true; }
};

class NoDocuments final : public DocumentOpener {
public:
    QString cacheFolder() const override { return QDir::tempPath(); }
    bool open(const QString&) override { return true; }
};

class WideScreen final : public ScreenMetrics {
public:
    int screenWidthTwips() const override { return 1280 * 15; }
};
