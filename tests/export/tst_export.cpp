// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/playerexport.h"
#include "export/variablefile.h"
#include "support/fakeview.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/notestext.h"
#include "workspace/projectsaver.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray expectedHead(char player, const QByteArray& variable = "player")
{
    const QByteArray rule(69, '/');
    return rule + "\r\n" + "// ai for skirmish game\r\n" + "// Generic vlo for each computer player\r\n" +
           rule + "\r\n" + "\r\n" + "script \"player" + player + ".slo\"\r\n" + "run\r\n" + "{\r\n" +
           QByteArray(3, ' ') + variable + QByteArray(16 - variable.size(), ' ') + "INT" +
           QByteArray(17, ' ') + player + "\r\n" + "    // this player is player x.\r\n" + "\r\n";
}

// The box of a failed export around the lines that name the files.
QString failedText(const QString& files)
{
    return "NOT EVERY FILE WAS WRITTEN. These files could not be written:\n" + files +
           "\nThe player files were left as they were.";
}

// A game folder with its skirmish folder, a project beside it and the export over both.
struct ExportFixture {
    TempFolder root;
    Folders folders{root.file(u"prog"_s), root.file(u"work"_s)};
    FixedClock clock{QTime(14, 30, 0), QDate(2026, 12, 6)};
    ScriptedDialogs dialogs;
    NotesText notes;
    ProgramState state;
    ProjectSaver saver{folders, clock, dialogs, notes};
    PlayerExport exporter{state, dialogs, saver};
    FakeView view;

    ExportFixture()
    {
        root.mkdir(u"prog"_s);
        root.write(u"work/SLO.qrb"_s, "saved slo\r\n");
        root.write(u"work/VLO.qrb"_s, "saved vlo\r\n");
        root.mkdir(u"game/multiplay/skirmish"_s);
        view.gameDir = root.file(u"game"_s);
        // A script the check finds clean, with the variables the VLO texts below bind.
        view.slo = u"public int player, myCount;\r\npublic TEMPLATE myTemplate;"_s;
    }
    QString skirmishPath(const QString& name) const { return u"game/multiplay/skirmish/"_s + name; }
    QByteArray skirmish(const QString& name) const { return root.read(skirmishPath(name)); }
};

} // namespace

class PlayerExportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scriptsAreWrittenForEachPlayer()
    {
        ExportFixture f;
        f.view.slo = u"public int player;\r\nevent start(every, 10)\r\n{\r\n}"_s;
        const QByteArray written = "public int player;\r\nevent start(every, 10)\r\n{\r\n}\r\n";
        QVERIFY(f.exporter.exportScripts(f.view));
        for (int n = 0; n < 8; ++n)
            QCOMPARE(f.skirmish(u"player%1.slo"_s.arg(n)), written);
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{u"DO YOU REALLY WANT TO WRITE YOUR AI .SLO FILES FOR EACH PLAYER???"_s,
                              u"DONE !!!"_s}));
        QCOMPARE(f.dialogs.shown().first().title, u"WARNING"_s);
        QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Question);
        QCOMPARE(f.dialogs.shown().first().defaultAnswer, Dialogs::Answer::Yes); // no errors found
        QCOMPARE(f.dialogs.shown().last().title, u"QRB2"_s);
        QCOMPARE(f.dialogs.shown().last().icon, Dialogs::Icon::None);
        // The save before compiling snapshotted the earlier project and wrote the current one.
        QCOMPARE(f.root.read(u"prog/backup/SLO.qrb6.12.2026_14-30-0_BEFORECOMPILE"_s), "saved slo\r\n"_ba);
        QCOMPARE(f.root.read(u"work/SLO.qrb"_s), written);
    }

    void variableFilesAroundTheVloText_data()
    {
        QTest::addColumn<QString>("vlo");
        QTest::newRow("two lines") << u"myTemplate  TEMPLATE  \"ViperMGWheels\"\r\nmyCount     INT       4"_s;
        // A text that ends with a line break leaves an empty line before the "}".
        QTest::newRow("ends with CR LF") << u"myCount INT 4\r\n"_s;
    }

    void variableFilesAroundTheVloText()
    {
        QFETCH(QString, vlo);
        ExportFixture f;
        f.view.vlo = vlo;
        QVERIFY(f.exporter.generateVariableFiles(f.view));
        for (char n = '0'; n <= '7'; ++n)
            QCOMPARE(f.skirmish(u"player%1.vlo"_s.arg(QLatin1Char(n))),
                     expectedHead(n) + vlo.toLatin1() + "\r\n}\r\n");
        // The buffer holds the last player's text, without the writer's CR LF.
        QCOMPARE(f.view.exportText, QString::fromLatin1(expectedHead('7')) + vlo + u"\r\n}"_s);
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{u"DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???"_s, u"DONE !!!"_s}));
    }

    // The game's 2.1 and 2.3 AIs keep their number in a public `me`; a head binding `player`
    // would make the game refuse the file. A script the check finds errors in is still written.
    void theHeadBindsMeWhenTheScriptKeepsItsNumberThere_data()
    {
        QTest::addColumn<QString>("slo");
        QTest::addColumn<QString>("vlo");
        QTest::addColumn<QByteArray>("variable");
        QTest::newRow("public me and player") << u"public int me, player;"_s << QString() << "player"_ba;
        QTest::newRow("private me") << u"private int me; public int player;"_s << QString() << "player"_ba;
        QTest::newRow("public me, errors in the script")
            << u"public int me;\r\nevent e(every, 10)\r\n{\r\n\tx = 1;\r\n}"_s << u"me INT 4"_s << "me"_ba;
    }

    void theHeadBindsMeWhenTheScriptKeepsItsNumberThere()
    {
        QFETCH(QString, slo);
        QFETCH(QString, vlo);
        QFETCH(QByteArray, variable);
        ExportFixture f;
        f.view.slo = slo;
        f.view.vlo = vlo;
        QVERIFY(f.exporter.generateVariableFiles(f.view));
        QCOMPARE(f.skirmish(u"player3.vlo"_s), expectedHead('3', variable) + vlo.toLatin1() + "\r\n}\r\n");
    }

    void answeringNoWritesAndSavesNothing()
    {
        ExportFixture f;
        f.view.slo = u"new"_s;
        f.dialogs.answer(Dialogs::Answer::No);
        QVERIFY(!f.exporter.exportScripts(f.view));
        f.dialogs.answer(Dialogs::Answer::No);
        QVERIFY(!f.exporter.generateVariableFiles(f.view));
        QCOMPARE(f.root.entries(u"game/multiplay/skirmish"_s), QStringList());
        QVERIFY(!f.root.exists(u"prog/backup"_s));
        QCOMPARE(f.root.read(u"work/SLO.qrb"_s), "saved slo\r\n"_ba);
        QCOMPARE(f.view.exportText, u"EXPORT\r\n"_s);
        QCOMPARE(f.dialogs.shown().size(), 2);
    }

    void missingSkirmishFolderIsReportedNotDone()
    {
        ExportFixture f;
        f.view.gameDir = f.root.file(u"nogame"_s);
        QVERIFY(!f.exporter.exportScripts(f.view));
        QVERIFY(!f.dialogs.texts().contains(u"DONE !!!"_s));
        const ScriptedDialogs::Shown& box = f.dialogs.shown().last();
        QCOMPARE(box.title, u"EXPORT FAILED"_s);
        // One reason for the eight files, said once.
        QString files = u"the folder %1/multiplay/skirmish does not exist:"_s.arg(f.view.gameDir);
        for (int n = 0; n < 8; ++n)
            files += u"\n  %1/multiplay/skirmish/player%2.slo"_s.arg(f.view.gameDir).arg(n);
        QCOMPARE(box.text, failedText(files));
    }

    void oneUnwritableFileLeavesEveryPlayerFileAsItWas()
    {
        ExportFixture f;
        // A folder where player5.vlo belongs cannot be written, even by root.
        f.root.mkdir(f.skirmishPath(u"player5.vlo"_s));
        f.root.write(f.skirmishPath(u"player6.vlo"_s), "old 6");
        QVERIFY(!f.exporter.generateVariableFiles(f.view));
        QCOMPARE(f.dialogs.shown().last().text,
                 failedText(f.root.file(f.skirmishPath(u"player5.vlo"_s)) +
                            u": a folder of that name stands where the file belongs"_s));
        QCOMPARE(f.skirmish(u"player6.vlo"_s), "old 6"_ba);
        QCOMPARE(f.root.entries(u"game/multiplay/skirmish"_s),
                 (QStringList{u"player5.vlo"_s, u"player6.vlo"_s}));
    }
};

QRB_TEST(PlayerExportTest)

#include "tst_export.moc"
