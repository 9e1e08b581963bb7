// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/backupconsole.h"
#include "backupconsole/consolecontext.h"
#include "benchmark.h"
#include "platform/dialogs.h"
#include "workspace/notestext.h"
#include "workspace/programstate.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

namespace {

// Snapshot names as the saves make them, one second apart, with the four suffixes in turn.
void fillBackupFolder(const QString& folder, int perKind)
{
    const char* suffixes[] = {"_MANUAL", "_BEFORESEEK", "_BEFORECOMPILE", "_EXIT"};
    for (int i = 0; i < perKind; ++i) {
        const QString stamp = QStringLiteral("%1.%2.2026_%3-%4-%5%6")
                                  .arg(1 + (i / 86400) % 28)
                                  .arg(12)
                                  .arg((i / 3600) % 24)
                                  .arg((i / 60) % 60)
                                  .arg(i % 60)
                                  .arg(QLatin1String(suffixes[i % 4]));
        for (const char* prefix : {"SLO.qrb", "VLO.qrb"}) {
            QFile file(QDir(folder).filePath(QLatin1String(prefix) + stamp));
            if (file.open(QIODevice::WriteOnly))
                file.write("script text\r\n");
        }
    }
}

// Median time from creating the console to its first painted frame; it is closed outside
// the timing.
double openingMilliseconds(int runs, const ConsoleContext& context)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto* console = new BackupConsole(context);
        console->open();
        QCoreApplication::processEvents();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        delete console;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::vector<BenchRow> consoleOpening(bool quick)
{
    const int perKind = quick ? 100 : 50000;
    const int runs = quick ? 1 : 15;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("backup"));
    QDir().mkpath(folder);
    fillBackupFolder(folder, perKind);

    ProgramState state;
    AutoDialogs dialogs;
    NotesText notes;
    const ConsoleContext context{
        state, dialogs, notes, folder, [] { return nullptr; }, [] { return nullptr; }};

    qsizetype listed = 0;
    auto entryList = [&] { listed += QDir(folder).entryList(QDir::Files).size(); };
    // Both warm the directory cache once before they are timed.
    entryList();
    openingMilliseconds(1, context);
    const double baseline = medianMilliseconds(runs, entryList);
    const double opening = openingMilliseconds(runs, context);
    if (listed == 0)
        qWarning("the bench folder is empty");

    // The limits hold for the full folder; the quick run only keeps the bench alive, and on a
    // small folder the window's own cost outweighs the listing.
    const double ratioLimit = quick ? 0 : 2.0;
    const double budgetLimit = quick ? 0 : 1.0;
    const QString what = QStringLiteral("backup console opens on %1 snapshots").arg(2 * perKind);
    return {
        {what, opening, QStringLiteral("QDir::entryList, same folder"), baseline, ratioLimit},
        {what + QStringLiteral(" (time)"), opening, QStringLiteral("budget on this machine"), 1500.0,
         budgetLimit},
    };
}

} // namespace

QRB_BENCH(console, consoleOpening)
