#include "export/playerexport.h"
#include "export/playerfiles.h"
#include "export/variablefile.h"
#include "platform/atomicfile.h"
#include "support/fakeview.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/notestext.h"
#include "workspace/projectsaver.h"

namespace {

QByteArray expectedHead(char player, const QByteArray& variable = "player")
{
    const QByteArray rule(69, '/');
    return rule + "\r\n" + "// ai for skirmish game\r\n" + "// Generic vlo for each computer player\r\n" +
           rule + "\r\n" + "\r\n" + "script \"player" + player + ".slo\"\r\n" + "run\r\n" + "{\r\n" +
           QByteArray(3, ' ') + variable + QByteArray(16 - variable.size(), ' ') + "INT" +
           QByteArray(17, ' ') + player + "\r\n" + "    // this player is player x.\r\n" + "\r\n";
}

// A game folder with its skirmish folder, a project beside it and the export over both.
struct ExportFixture {
    TempFolder root;
    Folders folders{root.file(QStringLiteral("prog")), root.file(QStringLiteral("work"))};
    FixedClock clock{QTime(14, 30, 0), QDate(2026, 12, 6)};
    ScriptedDialogs dialogs;
    NotesText notes;
    ProgramState state;
    ProjectSaver saver{folders, clock, dialogs, notes};
    PlayerExport exporter{state, dialogs, saver};
    FakeView view;

    ExportFixture()
    {
        root.mkdir(QStringLiteral("prog"));
        root.write(QStringLiteral("work/SLO.qrb"), "saved slo\r\n");
        root.write(QStringLiteral("work/VLO.qrb"), "saved vlo\r\n");
        root.mkdir(QStringLiteral("game/multiplay/skirmish"));
        view.gameDir = root.file(QStringLiteral("game"));
        // A script the check finds clean, with the variables the VLO texts below bind.
        view.slo = QStringLiteral("public int player, myCount;\r\npublic TEMPLATE myTemplate;");
    }
    QByteArray skirmish(const QString& name) const
    {
        return root.read(QStringLiteral("game/multiplay/skirmish/") + name);
    }
};

} // namespace

class PlayerExportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pathsJoinTheLiteralAsItIs()
    {
        QCOMPARE(playerfiles::path(QStringLiteral("C:\\WZ2100"), QStringLiteral("3"), QStringLiteral(".slo")),
                 QStringLiteral("C:\\WZ2100/multiplay/skirmish/player3.slo"));
        QCOMPARE(playerfiles::path(QString(), QStringLiteral("0"), QStringLiteral(".vlo")),
                 QStringLiteral("/multiplay/skirmish/player0.vlo"));
        QCOMPARE(playerfiles::path(QStringLiteral("/games/wz/"), QStringLiteral("7"), QStringLiteral(".vlo")),
                 QStringLiteral("/games/wz//multiplay/skirmish/player7.vlo"));
    }

    void scriptsAreWrittenForEachPlayer()
    {
        ExportFixture f;
        f.view.slo = QStringLiteral("public int player;\r\nevent start(every, 10)\r\n{\r\n}");
        QVERIFY(f.exporter.exportScripts(f.view));
        for (int n = 0; n < 8; ++n)
            QCOMPARE(f.skirmish(QStringLiteral("player%1.slo").arg(n)),
                     QByteArray("public int player;\r\nevent start(every, 10)\r\n{\r\n}\r\n"));
        QCOMPARE(f.state.playerIndex, qint16(8));
        QCOMPARE(f.state.playerText, QStringLiteral("7"));
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .SLO FILES FOR EACH "
                                             "PLAYER???"),
                              QStringLiteral("DONE !!!")}));
        QCOMPARE(f.dialogs.shown().first().title, QStringLiteral("WARNING"));
        QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Question);
        QCOMPARE(f.dialogs.shown().last().title, QStringLiteral("QRB2"));
        QCOMPARE(f.dialogs.shown().last().icon, Dialogs::Icon::None);
        // The save before compiling snapshotted the earlier project and wrote the current one.
        QCOMPARE(f.root.read(QStringLiteral("prog/backup/SLO.qrb6.12.2026_14-30-0_BEFORECOMPILE")),
                 QByteArray("saved slo\r\n"));
        QCOMPARE(f.root.read(QStringLiteral("work/SLO.qrb")),
                 QByteArray("public int player;\r\nevent start(every, 10)\r\n{\r\n}\r\n"));
    }

    void variableFilesAroundTheVloText_data()
    {
        QTest::addColumn<QString>("vlo");
        QTest::newRow("empty") << QString();
        QTest::newRow("two lines") << QStringLiteral(
            "myTemplate  TEMPLATE  \"ViperMGWheels\"\r\nmyCount     INT       4");
        // A text that ends with a line break leaves an empty line before the "}".
        QTest::newRow("ends with CR LF") << QStringLiteral("myCount INT 4\r\n");
    }

    void variableFilesAroundTheVloText()
    {
        QFETCH(QString, vlo);
        ExportFixture f;
        f.view.vlo = vlo;
        QVERIFY(f.exporter.generateVariableFiles(f.view));
        for (char n = '0'; n <= '7'; ++n)
            QCOMPARE(f.skirmish(QStringLiteral("player%1.vlo").arg(QLatin1Char(n))),
                     expectedHead(n) + vlo.toLatin1() + "\r\n}\r\n");
        // The buffer holds the last player's text, without the writer's CR LF.
        QCOMPARE(f.view.exportText, QString::fromLatin1(expectedHead('7')) + vlo + QStringLiteral("\r\n}"));
        QCOMPARE(f.state.playerIndex, qint16(8));
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???"),
                              QStringLiteral("DONE !!!")}));
    }

    // The game's 2.1 and 2.3 AIs keep their number in a public `me`; a head binding `player`
    // would make the game refuse the file.
    void theHeadBindsMeWhenTheScriptKeepsItsNumberThere_data()
    {
        QTest::addColumn<QString>("slo");
        QTest::addColumn<QByteArray>("variable");
        QTest::newRow("public me") << QStringLiteral("public int me;") << QByteArray("me");
        QTest::newRow("public me and player")
            << QStringLiteral("public int me, player;") << QByteArray("player");
        QTest::newRow("private me") << QStringLiteral("private int me; public int player;")
                                    << QByteArray("player");
    }

    void theHeadBindsMeWhenTheScriptKeepsItsNumberThere()
    {
        QFETCH(QString, slo);
        QFETCH(QByteArray, variable);
        ExportFixture f;
        f.view.slo = slo;
        QVERIFY(f.exporter.generateVariableFiles(f.view));
        QCOMPARE(f.skirmish(QStringLiteral("player3.vlo")), expectedHead('3', variable) + "\r\n}\r\n");
        QCOMPARE(f.dialogs.texts().first(),
                 QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???"));
    }

    void theBoxCountsTheErrorsAndTheAuthorMayStillExport()
    {
        ExportFixture f;
        f.view.slo = QStringLiteral("public int me;\r\nevent e(every, 10)\r\n{\r\n\tx = 1;\r\n}");
        f.view.vlo = QStringLiteral("me INT 4");
        QVERIFY(f.exporter.generateVariableFiles(f.view));
        QCOMPARE(f.dialogs.texts().first(),
                 QStringLiteral(
                     "DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???\n\nThe script check finds 2 errors "
                     "that the game would refuse; the first: SLO line 4, column 2: undeclared name 'x'"));
        QCOMPARE(f.skirmish(QStringLiteral("player0.vlo")), expectedHead('0', "me") + "me INT 4\r\n}\r\n");
    }

    void answeringNoWritesAndSavesNothing()
    {
        ExportFixture f;
        f.view.slo = QStringLiteral("new");
        f.dialogs.answer(Dialogs::Answer::No);
        QVERIFY(!f.exporter.exportScripts(f.view));
        f.dialogs.answer(Dialogs::Answer::No);
        QVERIFY(!f.exporter.generateVariableFiles(f.view));
        QCOMPARE(f.root.entries(QStringLiteral("game/multiplay/skirmish")), QStringList());
        QVERIFY(!f.root.exists(QStringLiteral("prog/backup")));
        QCOMPARE(f.root.read(QStringLiteral("work/SLO.qrb")), QByteArray("saved slo\r\n"));
        QCOMPARE(f.view.exportText, QStringLiteral("EXPORT\r\n"));
        QCOMPARE(f.dialogs.shown().size(), 2);
    }

    void missingSkirmishFolderIsReportedNotDone()
    {
        ExportFixture f;
        f.view.gameDir = f.root.file(QStringLiteral("nogame"));
        QVERIFY(!f.exporter.exportScripts(f.view));
        QVERIFY(!f.dialogs.texts().contains(QStringLiteral("DONE !!!")));
        const ScriptedDialogs::Shown& box = f.dialogs.shown().last();
        QCOMPARE(box.title, QStringLiteral("EXPORT FAILED"));
        // One reason for the eight files, said once.
        QString expected = QStringLiteral("NOT EVERY FILE WAS WRITTEN. These files could not be written:\n"
                                          "the folder %1/multiplay/skirmish does not exist:")
                               .arg(f.view.gameDir);
        for (int n = 0; n < 8; ++n)
            expected += QStringLiteral("\n  %1/multiplay/skirmish/player%2.slo").arg(f.view.gameDir).arg(n);
        expected += QStringLiteral("\nThe player files were left as they were.");
        QCOMPARE(box.text, expected);
        // The loop still ran to its end.
        QCOMPARE(f.state.playerIndex, qint16(8));
    }

    void oneUnwritableFileLeavesEveryPlayerFileAsItWas()
    {
        ExportFixture f;
        // A folder where player5.vlo belongs cannot be written, even by root.
        f.root.mkdir(QStringLiteral("game/multiplay/skirmish/player5.vlo"));
        f.root.write(QStringLiteral("game/multiplay/skirmish/player6.vlo"), "old 6");
        QVERIFY(!f.exporter.generateVariableFiles(f.view));
        QCOMPARE(f.dialogs.shown().last().text,
                 QStringLiteral("NOT EVERY FILE WAS WRITTEN. These files could not be written:\n") +
                     f.root.file(QStringLiteral("game/multiplay/skirmish/player5.vlo")) +
                     QStringLiteral(": a folder of that name stands where the file belongs\n"
                                    "The player files were left as they were."));
        QCOMPARE(f.skirmish(QStringLiteral("player6.vlo")), QByteArray("old 6"));
        QCOMPARE(f.root.entries(QStringLiteral("game/multiplay/skirmish")),
                 (QStringList{QStringLiteral("player5.vlo"), QStringLiteral("player6.vlo")}));
    }

    void fullDiskAtAnyFileKeepsEveryOldPlayerFile_data()
    {
        QTest::addColumn<bool>("scripts");
        QTest::addColumn<int>("file");
        QTest::addColumn<qint64>("atByte");
        QTest::newRow("slo, first file at byte 0") << true << 1 << qint64(0);
        QTest::newRow("slo, sixth file at byte 4096") << true << 6 << qint64(4096);
        QTest::newRow("vlo, eighth file inside the head") << false << 8 << qint64(100);
        QTest::newRow("vlo, third file in the text") << false << 3 << qint64(20000);
    }

    void fullDiskAtAnyFileKeepsEveryOldPlayerFile()
    {
        QFETCH(bool, scripts);
        QFETCH(int, file);
        QFETCH(qint64, atByte);
        ExportFixture f;
        const QString extension = scripts ? QStringLiteral(".slo") : QStringLiteral(".vlo");
        for (int n = 0; n < 8; ++n)
            f.root.write(QStringLiteral("game/multiplay/skirmish/player%1").arg(n) + extension,
                         "old " + QByteArray::number(n));
        f.view.slo = QString(64 * 1024, QLatin1Char('s'));
        f.view.vlo = QString(64 * 1024, QLatin1Char('v'));
        // The save before the export copies two snapshots and writes VLO.qrb and SLO.qrb: the
        // player files are the fifth to the twelfth written.
        atomicfile::injectWriteFault(atomicfile::WriteFault{file + 4, atByte, ENOSPC});
        const bool done =
            scripts ? f.exporter.exportScripts(f.view) : f.exporter.generateVariableFiles(f.view);
        atomicfile::injectWriteFault(std::nullopt);
        QVERIFY(!done);
        for (int n = 0; n < 8; ++n)
            QCOMPARE(f.skirmish(QStringLiteral("player%1").arg(n) + extension),
                     "old " + QByteArray::number(n));
        QCOMPARE(f.root.entries(QStringLiteral("game/multiplay/skirmish")).size(), 8);
        const ScriptedDialogs::Shown& box = f.dialogs.shown().last();
        QCOMPARE(box.title, QStringLiteral("EXPORT FAILED"));
        QCOMPARE(
            box.text,
            QStringLiteral("NOT EVERY FILE WAS WRITTEN. These files could not be written:\n") +
                f.root.file(QStringLiteral("game/multiplay/skirmish/player%1").arg(file - 1) + extension) +
                QStringLiteral(": No space left on device\nThe player files were left as they were."));
    }
};

QRB_TEST(PlayerExportTest)

#include "tst_export.moc"
