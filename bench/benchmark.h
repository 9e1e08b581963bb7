// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"
#include "workspace/programstate.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

// One line of the benchmark table: a measured operation beside a baseline measured in the same
// run, and the ratio the operation should stay within (0 when there is none).
struct BenchRow {
    QString what;
    double milliseconds;
    QString baseline;
    double baselineMilliseconds;
    double allowedRatio;
};

using BenchFunction = std::function<std::vector<BenchRow>(bool quick)>;

struct BenchRegistrar {
    BenchRegistrar(const char* group, BenchFunction function);
};

#define QRB_BENCH(Group, Function) static const BenchRegistrar qrbBench##Group(#Group, Function);

// Answers every box with its first button, so a benchmark never waits; anything told is
// printed, so a failure in a measured operation does not go unseen.
class AutoDialogs final : public Dialogs {
public:
    Answer askYesNo(const QString&, const QString&, Icon, Answer = Answer::Yes) override
    {
        return Answer::Yes;
    }
    Answer askYesNoCancel(const QString&, const QString&, Icon) override { return Answer::Yes; }
    Answer askRetryCancel(const QString&, const QString&, Icon) override { return Answer::Retry; }
    void tell(const QString& title, const QString& text, Icon) override;
    int askChoice(const QString&, const QString&, Icon, const QStringList&) override { return 0; }
    QString askText(const QString&, const QString&, const QString& defaultText) override
    {
        return defaultText;
    }
    QString chooseFileToOpen(const QString&, const QString&, const QString&) override { return {}; }
};

// A program folder and a working folder made inside `dir`.
Folders makeFolders(const QTemporaryDir& dir);

// A file of the game's scripts in tests/data/corpus as Latin-1 text; the run ends when it is
// missing.
QString corpusText(const char* relative);

// A script-like text of `bytes` characters: lines of code with CR LF breaks.
QString scriptLikeText(int bytes);

// The median of `runs` timings of `work`, in milliseconds.
double medianMilliseconds(int runs, const std::function<void()>& work);
