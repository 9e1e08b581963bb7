// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built program in `folder` without a display.
Run runProgram(const QString& folder, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(QRB_PROGRAM), arguments);
    if (!process.waitForFinished(30000))
        qFatal("qrb --check did not finish");
    return Run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
               QString::fromLocal8Bit(process.readAllStandardOutput()),
               QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class CheckCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findingsInFileOrderAndTheExitStatus()
    {
        TempFolder folder;
        folder.write(QStringLiteral("ai.slo"),
                     "public int player, count;\n"
                     "event start(every, 10)\n{\n\tcount = count-1;\n\ty = 2;\n}\n");
        folder.write(QStringLiteral("ai.vlo"),
                     "script \"ai.slo\"\nrun\n{\n\tplayer INT 0\n\tcounter INT 3\n}\n");
        folder.write(QStringLiteral("clean.slo"), "public int player;\n");
        const Run run = runProgram(folder.path(), {"--check", "ai.slo", "ai.vlo"});
        QCOMPARE(run.out,
                 QStringLiteral(
                     "ai.slo:1:20: warning: public 'count' is not bound in the VLO: it starts as "
                     "zero or empty\n"
                     "ai.slo:4:15: error: 'count-1' is read as 'count' followed by the number "
                     "'-1': write 'count - 1'\n"
                     "ai.slo:5:2: error: undeclared name 'y'\n"
                     "ai.vlo:5:2: error: 'counter' is not a global variable of the script: did you mean "
                     "'count'?\n"));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 1);
        const Run clean = runProgram(folder.path(), {"--check", "clean.slo"});
        QCOMPARE(clean.out, QString());
        QCOMPARE(clean.exitCode, 0);
    }

    void theProjectBesideTheProgram()
    {
        TempFolder folder;
        folder.write(QStringLiteral("SLO.qrb"), "public int me;\r\npublic STRUCTURESTAT lab;\r\n");
        folder.write(QStringLiteral("VLO.qrb"), "lab STRUCTURESTAT \"A0ResearchFacility\"\r\nme INT 1\r\n");
        const Run run = runProgram(folder.path(), {"--check"});
        // Full paths, for an editor to open wherever the project lies.
        QCOMPARE(run.out,
                 folder.path() +
                     QStringLiteral("/VLO.qrb:2:1: warning: the generated head already binds 'me' to "
                                    "the player's number; this later binding wins, so every player "
                                    "would get the same number\n"));
        QCOMPARE(run.exitCode, 0); // the game takes the later binding
    }

    void unreadableFilesAndWrongArguments()
    {
        TempFolder folder;
        folder.write(QStringLiteral("clean.slo"), "public int player;\n");
        const Run missing = runProgram(folder.path(), {"--check", "clean.slo", "none.vlo"});
        QCOMPARE(missing.out, QString());
        QVERIFY2(missing.err.startsWith(QStringLiteral("qrb2: cannot read none.vlo: ")),
                 qPrintable(missing.err));
        QCOMPARE(missing.exitCode, 2);
        const Run tooMany = runProgram(folder.path(), {"--check", "a.slo", "b.vlo", "c"});
        QVERIFY2(tooMany.err.startsWith(QStringLiteral(
                     "qrb2: option '--check' takes a script and a variable file at most\n\nUsage:")),
                 qPrintable(tooMany.err));
        QVERIFY(tooMany.err.contains(QStringLiteral("qrb2 --check [SCRIPT.slo [VARIABLES.vlo]]")));
        QCOMPARE(tooMany.exitCode, 2);
    }

    // Nothing a file holds or is makes the check hang or grow: a FIFO, a device, a folder or a
    // huge file is refused at once; random bytes end in "too many errors" within the limits.
    void hostileInputEndsQuickly_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo"
                              << "it is not a regular file (a pipe, a device or a socket)";
        QTest::newRow("device") << "/dev/zero"
                                << "it is not a regular file (a pipe, a device or a socket)";
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a file";
        QTest::newRow("over 64 MiB") << "huge.slo"
                                     << "it is larger than 64 MiB";
    }

    void hostileInputEndsQuickly()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        TempFolder folder;
        QVERIFY(::mkfifo(QFile::encodeName(folder.file(QStringLiteral("fifo"))).constData(), 0600) == 0);
        folder.mkdir(QStringLiteral("folder"));
        QFile huge(folder.file(QStringLiteral("huge.slo")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(64 * 1024 * 1024 + 1)); // sparse
        huge.close();
        QElapsedTimer clock;
        clock.start();
        const Run run = runProgram(folder.path(), {"--check", file});
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(run.err, QStringLiteral("qrb2: cannot read %1: %2\n").arg(file, reason));
        QCOMPARE(run.out, QString());
        QCOMPARE(run.exitCode, 2);
    }

    void randomBytesStopAfterTwoHundredErrors()
    {
        TempFolder folder;
        QByteArray bytes(20 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator random(18);
        random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        folder.write(QStringLiteral("random.slo"), bytes);
        QElapsedTimer clock;
        clock.start();
        const Run run = runProgram(folder.path(), {"--check", "random.slo", "random.slo"});
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        rusage usage{};
        QVERIFY(::getrusage(RUSAGE_CHILDREN, &usage) == 0);
        QVERIFY2(usage.ru_maxrss < 100 * 1024, qPrintable(QString::number(usage.ru_maxrss))); // KiB
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // Each text stops at its limit: 200 errors and the last line, one finding per line.
        QCOMPARE(lines.filter(QStringLiteral(": error: too many errors; stopping")).size(), 2);
        QCOMPARE(lines.size(), 2 * 201);
        for (const QString& line : lines)
            QVERIFY2(line.startsWith(QStringLiteral("random.slo:")) &&
                         std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() >= 0x20; }),
                     qPrintable(line));
    }
};

QRB_TEST(CheckCommandTest)
#include "tst_checkcommand.moc"
