// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QProcess>
#include <QTest>

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
        QCOMPARE(run.out,
                 QStringLiteral("VLO.qrb:2:1: error: the generated head already binds 'me' to the "
                                "player's number; this later binding wins, so every player would get "
                                "the same number\n"));
        QCOMPARE(run.exitCode, 1);
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
};

QRB_TEST(CheckCommandTest)
#include "tst_checkcommand.moc"
