// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the program saving in the same second, forced past the folder's lock: once into
// one working folder, once into two working folders that share one backup folder. Afterwards
// every snapshot must be a whole text, none may have been replaced, and every text that either
// writer saved must be found again, in a project file or in exactly one snapshot.
//   qrb_twowriters [ROUNDS]          runs both cases, exit status 0 when nothing was lost
//   qrb_twowriters save ROOT WORK W ROUNDS   one writer (started by the first form)
#include "platform/clock.h"
#include "workspace/backupstore.h"
#include "workspace/folderlock.h"
#include "workspace/projectfiles.h"
#include "workspace/savewithsnapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <cstdio>

namespace {

// Every save runs at 9:05:07 on 5 December 2026.
class OneSecond final : public Clock {
public:
    QTime timeOfDay() const override { return QTime(9, 5, 7); }
    QDate date() const override { return QDate(2026, 12, 5); }
};

// The text writer `w` saves in round `r` (round 0 is on disk before the first save): its first
// line names it, and its length depends on it, so a cut or a mix never passes for a whole one.
QString text(const QString& kind, int w, int r)
{
    QString t = QStringLiteral("%1 writer %2 round %3").arg(kind).arg(w).arg(r);
    for (int i = 0; i < 200 + r * 7 + w * 3; ++i)
        t += QStringLiteral("\r\n// %1 %2 %3 line %4").arg(kind).arg(w).arg(r).arg(i);
    return t;
}

QByteArray fileBytes(const QString& kind, int w, int r)
{
    return text(kind, w, r).toLatin1() + "\r\n";
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int save(const Folders& folders, const QString& root, int writer, int rounds)
{
    FolderLock::letEveryoneInForTesting(true);
    FolderLock lock(folders.workDir);
    if (lock.acquire() != FolderLock::Outcome::Locked)
        return 3;
    // Both writers start their saves together.
    write(QDir(root).filePath(QStringLiteral("ready-%1").arg(writer)), "");
    for (int i = 0;
         i < 500 && !QFile::exists(QDir(root).filePath(QStringLiteral("ready-%1").arg(1 - writer))); ++i)
        QThread::msleep(10);
    const OneSecond clock;
    for (int r = 1; r <= rounds; ++r) {
        const projectfiles::Texts texts{text(QStringLiteral("SLO"), writer, r),
                                        text(QStringLiteral("VLO"), writer, r), QString()};
        if (!savewithsnapshot::run(folders, clock, texts, backupstore::kSuffixManual, false).ok())
            return 4;
    }
    return 0;
}

struct Tally {
    int snapshots = 0;
    int highestNumber = 1;
    QStringList problems;
};

// The project file `kind` of each working folder and its snapshots hold each expected text
// exactly once, and nothing else.
void check(const QString& kind, const QStringList& workDirs, const QList<QByteArray>& expected,
           const QString& backup, Tally& tally)
{
    QHash<QByteArray, int> seen;
    QHash<QByteArray, QString> names;
    for (const QByteArray& bytes : expected)
        seen.insert(bytes, 0);
    const auto count = [&](const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            tally.problems << path + QStringLiteral(": cannot be read");
            return;
        }
        const QByteArray bytes = file.readAll();
        if (!seen.contains(bytes)) {
            tally.problems << path + QStringLiteral(": not a whole text");
            return;
        }
        ++seen[bytes];
        names[bytes] += QLatin1Char(' ') + QFileInfo(path).fileName();
    };
    for (const QString& work : workDirs)
        count(QDir(work).filePath(kind + QStringLiteral(".qrb")));
    const QStringList snapshots = QDir(backup).entryList({kind + QStringLiteral(".qrb*")}, QDir::Files);
    for (const QString& name : snapshots) {
        ++tally.snapshots;
        count(QDir(backup).filePath(name));
        tally.highestNumber =
            qMax(tally.highestNumber, name.mid(name.lastIndexOf(QLatin1Char('_')) + 1).toInt());
    }
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        if (it.value() != 1)
            tally.problems << QStringLiteral("%1 found %2 times:%3")
                                  .arg(QString::fromLatin1(it.key().left(it.key().indexOf('\r'))))
                                  .arg(it.value())
                                  .arg(names.value(it.key()));
    }
}

// Two writers; `shareWork` puts them into one working folder, otherwise each has its own and
// only the backup folder is shared.
bool runCase(bool shareWork, int rounds, QTextStream& out)
{
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("prog"));
    const QStringList work{root.filePath(QStringLiteral("work0")),
                           root.filePath(shareWork ? QStringLiteral("work0") : QStringLiteral("work1"))};
    const QStringList workDirs = shareWork ? QStringList{work[0]} : work;
    QDir().mkpath(program);
    QHash<QString, QList<QByteArray>> expected;
    for (int w = 0; w < workDirs.size(); ++w) {
        QDir().mkpath(workDirs[w]);
        // Round 0 of the folder's writer is on disk before the first save.
        for (const QString& kind : {QStringLiteral("SLO"), QStringLiteral("VLO")}) {
            write(QDir(workDirs[w]).filePath(kind + QStringLiteral(".qrb")), fileBytes(kind, w, 0));
            expected[kind] << fileBytes(kind, w, 0);
        }
    }
    for (const QString& kind : {QStringLiteral("SLO"), QStringLiteral("VLO")})
        for (int w = 0; w < 2; ++w)
            for (int r = 1; r <= rounds; ++r)
                expected[kind] << fileBytes(kind, w, r);
    QList<QProcess*> writers;
    for (int w = 0; w < 2; ++w) {
        auto* writer = new QProcess;
        writer->start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("save"), root.path(), program, work[w], QString::number(w),
                       QString::number(rounds)});
        writers.append(writer);
    }
    bool ok = true;
    for (QProcess* writer : writers) {
        ok = writer->waitForFinished(600000) && writer->exitCode() == 0 && ok;
        delete writer;
    }
    Tally tally;
    for (const QString& kind : {QStringLiteral("SLO"), QStringLiteral("VLO")})
        check(kind, workDirs, expected[kind], backupstore::folder(program), tally);
    out << (shareWork ? "one working folder" : "two working folders, one backup folder") << ": two writers, "
        << rounds << " saves each in one second: " << tally.snapshots << " snapshots, names up to _"
        << tally.highestNumber << ", " << tally.problems.size() << " problems"
        << (ok ? "" : ", a writer failed") << '\n';
    for (const QString& problem : tally.problems.mid(0, 20))
        out << "PROBLEM " << problem << '\n';
    return ok && tally.problems.isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 7 && args.at(1) == QLatin1String("save"))
        return save(Folders{args.at(3), args.at(4)}, args.at(2), args.at(5).toInt(), args.at(6).toInt());
    if (args.size() > 2) {
        std::fputs("usage: qrb_twowriters [ROUNDS]\n", stderr);
        return 2;
    }
    const int rounds = args.size() == 2 ? args.at(1).toInt() : 100;
    QTextStream out(stdout);
    const bool oneFolder = runCase(true, rounds, out);
    const bool twoFolders = runCase(false, rounds, out);
    return oneFolder && twoFolders ? 0 : 1;
}
