// SPDX-License-Identifier: GPL-3.0-or-later
// Prints every benchmark as a table: the operation, its baseline from the same run, and the
// ratio. `--quick` runs each once on small inputs (used by the test suite to keep them alive).
#include "benchmark.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {
std::map<std::string, BenchFunction>& registry()
{
    static std::map<std::string, BenchFunction> benches;
    return benches;
}
} // namespace

BenchRegistrar::BenchRegistrar(const char* group, BenchFunction function)
{
    registry().emplace(group, std::move(function));
}

double medianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void AutoDialogs::tell(const QString& title, const QString& text, Icon)
{
    // Results such as "DONE !!!" are expected; everything else is worth seeing.
    if (text != QLatin1String("DONE !!!"))
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

Folders makeFolders(const QTemporaryDir& dir)
{
    const Folders folders{dir.filePath(QStringLiteral("prog")), dir.filePath(QStringLiteral("work"))};
    QDir().mkpath(folders.programDir);
    QDir().mkpath(folders.workDir);
    return folders;
}

QString corpusText(const char* relative)
{
    QFile file(QStringLiteral(QRB_CORPUS_DIR "/") + QLatin1String(relative));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qrb_bench: %s missing\n", relative);
        std::exit(1);
    }
    return QString::fromLatin1(file.readAll());
}

QString scriptLikeText(int bytes)
{
    const QString line =
        QStringLiteral("    orderDroidLoc(droid, DORDER_SCOUT, baseX + 128, baseY - 64); // go\r\n");
    QString text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    text.truncate(bytes);
    return text;
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const QString only = app.arguments().size() > 1 && !app.arguments().last().startsWith(QLatin1String("--"))
                             ? app.arguments().last()
                             : QString();
    std::printf("%-58s %10s  %-44s %10s %7s %7s\n", "operation", "ms", "baseline (same run)", "ms", "ratio",
                "limit");
    int over = 0;
    for (const auto& [group, function] : registry()) {
        if (!only.isEmpty() && QString::fromStdString(group) != only)
            continue;
        for (const BenchRow& row : function(quick)) {
            const double ratio =
                row.baselineMilliseconds > 0 ? row.milliseconds / row.baselineMilliseconds : 0;
            // Quick runs only keep the benchmarks alive; their tiny inputs say nothing of the limits.
            const bool exceeded = !quick && row.allowedRatio > 0 && ratio > row.allowedRatio;
            over += exceeded ? 1 : 0;
            std::printf("%-58s %10.2f  %-44s %10.2f %7.2f %7s%s\n", qPrintable(row.what), row.milliseconds,
                        qPrintable(row.baseline), row.baselineMilliseconds, ratio,
                        row.allowedRatio > 0 ? qPrintable(QString::number(row.allowedRatio, 'f', 1)) : "-",
                        exceeded ? "  OVER" : "");
        }
    }
    const char* verdict = quick  ? "Quick run: limits not checked."
                          : over ? "Some ratios are over their limit."
                                 : "All ratios within their limits.";
    std::printf("%s\n", verdict);
    return 0;
}
