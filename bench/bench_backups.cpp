// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/textdiff.h"
#include "benchmark.h"
#include "platform/clock.h"
#include "workspace/backupstore.h"
#include "workspace/savewithsnapshot.h"
#include "workspace/snapshotlink.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/stat.h>

namespace {

// 16,000 script lines; `changes` of them, spread evenly, edited.
QString scriptVersion(int lines, int changes)
{
    QStringList out;
    out.reserve(lines);
    for (int i = 0; i < lines; ++i)
        out << QStringLiteral("    orderDroidLoc(droid%1, DORDER_SCOUT, baseX + %2, baseY); // step")
                   .arg(i % 97)
                   .arg(i % 13);
    for (int c = 0; c < changes; ++c) {
        const int at = (c * lines) / changes + lines / (2 * changes);
        out[at] = QStringLiteral("    // changed line %1").arg(c);
    }
    return out.join(QStringLiteral("\r\n"));
}

std::vector<BenchRow> diffRows(bool quick)
{
    const int lines = quick ? 1000 : 16000;
    const int runs = quick ? 1 : 21;
    const QString before = scriptVersion(lines, 0);
    const QString after = scriptVersion(lines, quick ? 20 : 200);
    int sink = 0;
    // The plainest look at two texts: split both into lines and compare them pairwise.
    const double equality = medianMilliseconds(runs, [&] {
        const QStringList a = before.split(QStringLiteral("\r\n"));
        const QStringList b = after.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
            sink += a.at(i) == b.at(i) ? 1 : 0;
    });
    const double diff =
        medianMilliseconds(runs, [&] { sink += int(textdiff::compare(before, after).lines.size()); });
    if (sink == 0)
        std::fprintf(stderr, "nothing compared\n");
    const QString what =
        QStringLiteral("diff of a %1-line script, %2 lines changed").arg(lines).arg(quick ? 20 : 200);
    return {
        {what, diff, QStringLiteral("line-by-line equality pass, both texts"), equality, quick ? 0 : 5.0},
        {what + QStringLiteral(" (time)"), diff, QStringLiteral("budget"), 50.0, quick ? 0 : 1.0},
    };
}

QByteArray projectBytes(int size)
{
    return scriptLikeText(size).toLatin1() + "\r\n";
}

std::vector<BenchRow> unchangedSnapshotRows(bool quick)
{
    const int runs = quick ? 3 : 41;
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("SLO.qrb"));
    const QString backup = dir.filePath(QStringLiteral("backup"));
    const QString copies = dir.filePath(QStringLiteral("copies"));
    QDir().mkpath(backup);
    QDir().mkpath(copies);
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(projectBytes(600 * 1024)) < 0)
        std::fprintf(stderr, "bench project not written\n");
    file.close();

    int n = 0;
    auto snapshotName = [&] {
        ++n;
        return QDir(backup).filePath(QStringLiteral("SLO.qrb5.12.2026_%1-%2-%3_BEFORESEEK")
                                         .arg(n / 3600)
                                         .arg(n / 60 % 60)
                                         .arg(n % 60));
    };
    // The first snapshot is a copy; each later one of the unchanged file a link.
    backupstore::copySnapshot(source, snapshotName());
    const double copy =
        medianMilliseconds(runs, [&] { QFile::copy(source, QDir(copies).filePath(QString::number(++n))); });
    const double linked = medianMilliseconds(runs, [&] {
        if (backupstore::copySnapshot(source, snapshotName()).failure)
            std::fprintf(stderr, "snapshot failed\n");
    });
    return {{QStringLiteral("snapshot step of an unchanged 600 KB file"), linked,
             QStringLiteral("QFile::copy of the file"), copy, quick ? 0 : 0.3}};
}

// Bytes the folder's files take, each file counted once however many names it has.
qint64 folderBytes(const QString& folder)
{
    QSet<quint64> seen;
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        struct stat info {};
        if (::stat(QFile::encodeName(it.next()).constData(), &info) != 0)
            continue;
        if (!seen.contains(quint64(info.st_ino))) {
            seen.insert(quint64(info.st_ino));
            total += qint64(info.st_blocks) * 512;
        }
    }
    return total;
}

class CountingClock final : public Clock {
public:
    QTime timeOfDay() const override { return QTime(10, 0, 0).addSecs(m_second++); }
    QDate date() const override { return QDate(2026, 12, 5); }

private:
    mutable int m_second = 0;
};

qint64 folderAfterSearches(int searches, bool links)
{
    QTemporaryDir dir;
    const Folders folders = makeFolders(dir);
    const projectfiles::Texts texts{scriptLikeText(600 * 1024), scriptLikeText(2048), QString()};
    CountingClock clock;
    std::optional<snapshotlink::RefusingLinks> refusing;
    if (!links)
        refusing.emplace();
    // The project as it was loaded, then one save before each search.
    savewithsnapshot::run(folders, clock, texts, backupstore::kSuffixBeforeSeek, false);
    for (int i = 0; i < searches; ++i)
        savewithsnapshot::run(folders, clock, texts, backupstore::kSuffixBeforeSeek, false);
    return folderBytes(backupstore::folder(folders.programDir));
}

std::vector<BenchRow> folderSizeReport(bool quick)
{
    const int searches = quick ? 5 : 100;
    const double mib = 1024.0 * 1024.0;
    const double copies = double(folderAfterSearches(searches, false)) / mib;
    const double linked = double(folderAfterSearches(searches, true)) / mib;
    std::printf(
        "backup folder after %d searches in a 600 KB project: %.1f MiB with a copy each, %.1f MiB with "
        "links\n",
        searches, copies, linked);
    return {};
}

} // namespace

QRB_BENCH(backupdiff, diffRows)
QRB_BENCH(backupsnapshot, unchangedSnapshotRows)
QRB_BENCH(backupsize, folderSizeReport)
