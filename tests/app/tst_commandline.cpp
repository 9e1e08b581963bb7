// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/commandlineexport.h"
#include "app/datafolder.h"
#include "editor/hiddentextbuffer.h"
#include "mainwindow/mainwindow.h"
#include "support/appfixture.h"
#include "support/testregistry.h"

using commandline::Action;
using commandline::ExportKind;

Q_DECLARE_METATYPE(commandline::Action)
Q_DECLARE_METATYPE(commandline::ExportKind)

// The command line of qrb2: what each form of it asks for, and what a wrong one says.
class CommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accepted_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<ExportKind>("kind");
        const auto row = [](const char* name, const QStringList& arguments, Action action,
                            const char* folder = nullptr, ExportKind kind = ExportKind::Both) {
            QTest::newRow(name) << arguments << action << (folder ? QString::fromLatin1(folder) : QString())
                                << kind;
        };
        row("nothing", {}, Action::RunWorkbench);
        row("folder", {"--folder", "/a b"}, Action::RunWorkbench, "/a b");
        row("folder=", {"--folder=/x"}, Action::RunWorkbench, "/x");
        row("export", {"--export"}, Action::Export);
        row("export slo", {"--export", "slo"}, Action::Export, nullptr, ExportKind::Slo);
        row("export=vlo", {"--export=vlo", "--folder", "d"}, Action::Export, "d", ExportKind::Vlo);
        row("export, folder", {"--export", "--folder", "d"}, Action::Export, "d");
        row("export, force", {"--force", "--export", "slo"}, Action::Export, nullptr, ExportKind::Slo);
        row("help wins", {"--export", "-h"}, Action::Help);
        row("version", {"--version"}, Action::Version);
        row("language server", {"--lsp"}, Action::LanguageServer);
    }

    void accepted()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        const commandline::Options options = commandline::parse(arguments);
        QTEST(options.action, "action");
        QCOMPARE(options.error, QString());
        QCOMPARE(options.folder, folder);
        QCOMPARE(options.hasFolder(), !folder.isNull());
        QTEST(options.exportKind, "kind");
        QCOMPARE(options.force, arguments.contains(QStringLiteral("--force")));
    }

    void rejected_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const QStringList& arguments, const char* error) {
            QTest::newRow(name) << arguments << QString::fromLatin1(error);
        };
        row("unknown", {"--folder", "d", "--frobnicate"}, "unknown option '--frobnicate'");
        row("unknown=", {"--colour=red"}, "unknown option '--colour'");
        row("one dash", {"-style", "fusion"}, "unknown option '-style'");
        row("bad kind", {"--export", "all"}, "unknown export 'all': use slo, vlo or both");
        row("no folder", {"--folder"}, "option '--folder' needs a folder");
        row("option as folder", {"--folder", "--export"}, "option '--folder' needs a folder");
        row("empty folder", {"--folder="}, "option '--folder' needs a folder");
        row("folder twice", {"--folder", "a", "--folder", "b"}, "option '--folder' given twice");
        row("switch value", {"--version=2"}, "option '--version' takes no value");
        row("force value", {"--export", "--force=yes"}, "option '--force' takes no value");
        row("force without export", {"--force", "--check"}, "option '--force' goes with '--export'");
        row("stray", {"project.slo"}, "unexpected argument 'project.slo'");
        row("lsp value", {"--lsp=stdio"}, "option '--lsp' takes no value");
        row("lsp with a folder", {"--lsp", "--folder", "d"}, "option '--lsp' takes no other option");
        row("lsp and check", {"--check", "--lsp"}, "option '--lsp' takes no other option");
    }

    void rejected()
    {
        QFETCH(QStringList, arguments);
        const commandline::Options options = commandline::parse(arguments);
        QCOMPARE(options.action, Action::Error);
        QTEST(options.error, "error");
    }

    void toolkitOptionsAreLeftForTheWindowOnly()
    {
        const auto run = commandline::parse({"-platform", "offscreen", "--folder", "d", "-reverse"}, true);
        QCOMPARE(run.action, Action::RunWorkbench);
        QCOMPARE(run.toolkitOptions, QStringList({"-platform", "offscreen", "-reverse"}));
        QCOMPARE(run.folder, QStringLiteral("d"));
        // An export has no window to take them.
        const auto exported = commandline::parse({"--export", "-platform", "offscreen"}, true);
        QCOMPARE(exported.action, Action::Error);
        QCOMPARE(exported.error, QStringLiteral("unknown option '-platform'"));
        // Two dashes are never the toolkit's.
        QCOMPARE(commandline::parse({"--platform"}, true).error,
                 QStringLiteral("unknown option '--platform'"));
    }
};

// Where the workbench keeps its files: beside itself, in the user's data folder when
// installed, or in the folder given.
class DataFolderTest : public QObject {
    Q_OBJECT
private:
    // An installed layout: usr/bin/qrb2 and usr/share/qrb2 with the shipped data.
    static datafolder::Inputs installed(const TempFolder& root)
    {
        root.mkdir(QStringLiteral("usr/bin"));
        root.write(QStringLiteral("usr/share/qrb2/Help.qrb"), "help\r\n");
        root.write(QStringLiteral("usr/share/qrb2/mts/weapon.id"), "W1\r\n");
        root.write(QStringLiteral("usr/share/qrb2/RTS/weapons.txt"), "w\r\n");
        datafolder::Inputs inputs;
        inputs.programDir = root.file(QStringLiteral("usr/bin"));
        inputs.currentDir = root.file(QStringLiteral("cwd"));
        inputs.userDataDir = root.file(QStringLiteral("home/.local/share/qrb2"));
        inputs.sharedDataFromProgram = QStringLiteral("../share/qrb2");
        return inputs;
    }

private Q_SLOTS:
    void chooses()
    {
        TempFolder root;
        datafolder::Inputs inputs = installed(root);
        // Installed, the user's data folder (install.sh runs that case): chosen, not yet made.
        datafolder::Choice choice = datafolder::choose(inputs);
        QVERIFY(choice.ok());
        QVERIFY(!root.exists(QStringLiteral("home")));

        // A settings file beside the installed program keeps everything there, as always.
        root.write(QStringLiteral("usr/bin/qrb_data.dat"), "\"g\",#FALSE#\r\n");
        choice = datafolder::choose(inputs);
        QCOMPARE(choice.place.folders.programDir, inputs.programDir);
        QCOMPARE(choice.place.folders.workDir, inputs.currentDir);
        QVERIFY(choice.place.shippedData.isEmpty());

        // A copy without shipped data beside it (the portable folder) works where it always did.
        inputs.sharedDataFromProgram = QStringLiteral("../nothing/qrb2");
        QFile::remove(root.file(QStringLiteral("usr/bin/qrb_data.dat")));
        choice = datafolder::choose(inputs);
        QCOMPARE(choice.place.folders.programDir, inputs.programDir);
        QCOMPARE(choice.place.folders.workDir, inputs.currentDir);

        // --folder wins over both, for the program folder too.
        root.mkdir(QStringLiteral("mine"));
        inputs = installed(root);
        inputs.folderOption = root.file(QStringLiteral("mine"));
        choice = datafolder::choose(inputs);
        QVERIFY(choice.ok());
        QCOMPARE(choice.place.folders.programDir, inputs.folderOption);
        QCOMPARE(choice.place.folders.workDir, inputs.folderOption);
        QVERIFY(choice.place.shippedData.isEmpty());
    }

    void folderOptionMustBeAFolder()
    {
        TempFolder root;
        datafolder::Inputs inputs = installed(root);
        root.write(QStringLiteral("plain"), "x");
        inputs.folderOption = root.file(QStringLiteral("plain"));
        QCOMPARE(datafolder::choose(inputs).error,
                 QStringLiteral("'%1' is not a folder").arg(inputs.folderOption));
        QCOMPARE(root.entries(), QStringList({"plain", "usr"}));
    }

    void prepareCopiesWhatIsMissingAndKeepsTheRest()
    {
        TempFolder root;
        const datafolder::Choice choice = datafolder::choose(installed(root));
        QVERIFY(datafolder::prepare(choice.place).ok());

        // The author's own lists stay, in whatever letter case they are; a deleted one comes back.
        QFile::remove(root.file(QStringLiteral("home/.local/share/qrb2/mts/weapon.id")));
        root.write(QStringLiteral("home/.local/share/qrb2/mts/WEAPON.ID"), "mine\r\n");
        QFile::remove(root.file(QStringLiteral("home/.local/share/qrb2/RTS/weapons.txt")));
        root.write(QStringLiteral("home/.local/share/qrb2/Help.qrb"), "my help");
        QVERIFY(datafolder::prepare(choice.place).ok());
        QCOMPARE(root.entries(QStringLiteral("home/.local/share/qrb2/mts")), QStringList({"WEAPON.ID"}));
        QCOMPARE(root.read(QStringLiteral("home/.local/share/qrb2/mts/WEAPON.ID")), QByteArray("mine\r\n"));
        QCOMPARE(root.read(QStringLiteral("home/.local/share/qrb2/RTS/weapons.txt")), QByteArray("w\r\n"));
        QCOMPARE(root.read(QStringLiteral("home/.local/share/qrb2/Help.qrb")), QByteArray("my help"));
    }
};

// qrb2 --export writes what the export commands of the window write, and says why it failed.
class CommandLineExportTest : public QObject {
    Q_OBJECT
private:
    struct Run {
        int status;
        QString messages;
    };
    static Run exportFrom(const QString& folder, ExportKind kind, bool force = false)
    {
        QString messages;
        QTextStream err(&messages);
        const FixedClock clock{QTime(9, 5, 7), QDate(2026, 12, 5)};
        const int status = commandline::runExport(Folders{folder, folder}, kind, clock, err, force);
        return Run{status, messages};
    }

private Q_SLOTS:
    void writesTheBytesOfTheClicks()
    {
        const QByteArray slo("public int player, a;\r\nevent start(every, 10)\r\n{\r\n// \xE9\r\n}\r\n");
        const QByteArray vlo("a INT 1\r\n");
        AppFixture f;
        f.prepareProject(slo, vlo, "notes\r\n",
                         "\"" + f.root.file(QStringLiteral("game")).toLocal8Bit() + "\",#FALSE#\r\n");
        f.root.mkdir(QStringLiteral("game/multiplay/skirmish"));
        QVERIFY(f.start());
        f.click(f.form800(), QStringLiteral("Command1"));
        f.click(f.form800(), QStringLiteral("Command2"));
        QVERIFY(f.form800().exportBuffer()->text().endsWith(QStringLiteral("a INT 1\r\n}")));

        TempFolder cli;
        cli.mkdir(QStringLiteral("game/multiplay/skirmish"));
        cli.write(QStringLiteral("QRB_DATA.DAT"),
                  "\"" + cli.file(QStringLiteral("game")).toLocal8Bit() + "\",#FALSE#\r\n");
        cli.write(QStringLiteral("SLO.qrb"), slo);
        cli.write(QStringLiteral("VLO.qrb"), vlo);
        cli.write(QStringLiteral("Notes.qrb"), "notes\r\n");

        const Run run = exportFrom(cli.path(), ExportKind::Both);
        QCOMPARE(run.messages, QStringLiteral("qrb2: DONE !!!\nqrb2: DONE !!!\n"));
        QCOMPARE(run.status, 0);
        const QString players = QStringLiteral("game/multiplay/skirmish/");
        QCOMPARE(cli.entries(players).size(), 16);
        QCOMPARE(cli.entries(players), f.root.entries(players));
        for (const QString& name : cli.entries(players))
            QCOMPARE(cli.read(players + name), f.root.read(players + name));
        // The two clicks save twice; the command line saves once for both exports.
        QCOMPARE(f.root.entries(QStringLiteral("prog/backup")).size(), 4);
        QCOMPARE(
            cli.entries(QStringLiteral("backup")),
            QStringList({"SLO.qrb5.12.2026_9-5-7_BEFORECOMPILE", "VLO.qrb5.12.2026_9-5-7_BEFORECOMPILE"}));
        QCOMPARE(cli.read(QStringLiteral("backup/SLO.qrb5.12.2026_9-5-7_BEFORECOMPILE")), slo);
        QCOMPARE(cli.read(QStringLiteral("backup/VLO.qrb5.12.2026_9-5-7_BEFORECOMPILE")), vlo);
        for (const QString& name : QStringList{"SLO.qrb", "VLO.qrb", "Notes.qrb"})
            QCOMPARE(cli.read(name), f.root.read(QStringLiteral("work/") + name));
    }

    void writesOnlyTheKindAsked()
    {
        TempFolder cli;
        cli.mkdir(QStringLiteral("game/multiplay/skirmish"));
        cli.write(QStringLiteral("QRB_DATA.DAT"),
                  "\"" + cli.file(QStringLiteral("game")).toLocal8Bit() + "\"\r\n");
        cli.write(QStringLiteral("VLO.qrb"), "v\r\n");
        const Run run = exportFrom(cli.path(), ExportKind::Vlo, true);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.messages.endsWith(QStringLiteral(
                     "qrb2: warning: the script check finds 2 errors that the game would refuse; exporting "
                     "anyway (--force)\nqrb2: DONE !!!\n")),
                 qPrintable(run.messages));
        QCOMPARE(cli.entries(QStringLiteral("game/multiplay/skirmish")).size(), 8);
        QVERIFY(cli.read(QStringLiteral("game/multiplay/skirmish/player7.vlo")).endsWith("\r\nv\r\n}\r\n"));
        // The missing project files are created empty, as at start-up.
        QCOMPARE(cli.read(QStringLiteral("SLO.qrb")), QByteArray("\r\n"));
    }

    void failuresSayWhyAndEndNonZero()
    {
        TempFolder cli;
        cli.write(QStringLiteral("QRB_DATA.DAT"), "\"/no/such/game\",#FALSE#\r\n");
        cli.write(QStringLiteral("SLO.qrb"), "public int player;\r\n");
        Run run = exportFrom(cli.path(), ExportKind::Both);
        QCOMPARE(run.status, 1);
        QCOMPARE(
            run.messages,
            QStringLiteral("qrb2: the game folder '/no/such/game' set in QRB_DATA.DAT does not exist\n"));
        QVERIFY(!cli.exists(QStringLiteral("backup")));

        // A game folder without multiplay/skirmish: the snapshot is taken, no file can be written.
        cli.mkdir(QStringLiteral("game"));
        const QString game = cli.file(QStringLiteral("game"));
        cli.write(QStringLiteral("QRB_DATA.DAT"), "\"" + game.toLocal8Bit() + "\",#FALSE#\r\n");
        run = exportFrom(cli.path(), ExportKind::Slo);
        QCOMPARE(run.status, 1);
        QString expected =
            QStringLiteral("qrb2: EXPORT FAILED: NOT EVERY FILE WAS WRITTEN. These files could not be "
                           "written:\nthe folder %1/multiplay/skirmish does not exist:\n")
                .arg(game);
        for (int n = 0; n < 8; ++n)
            expected += QStringLiteral("  %1/multiplay/skirmish/player%2.slo\n").arg(game).arg(n);
        QCOMPARE(run.messages, expected + QStringLiteral("The player files were left as they were.\n"));
        QCOMPARE(cli.entries(QStringLiteral("backup")).size(), 2);
    }

    // The quotes hold a line break: the folder of the first line is never used.
    void aGameFolderWithALineBreakExportsNothing()
    {
        TempFolder cli;
        cli.mkdir(QStringLiteral("game/multiplay/skirmish"));
        const QByteArray game = cli.file(QStringLiteral("game")).toLocal8Bit();
        cli.write(QStringLiteral("QRB_DATA.DAT"), "\"" + game + "\r\nother\",#FALSE#\r\n");
        cli.write(QStringLiteral("SLO.qrb"), "s\r\n");
        const Run run = exportFrom(cli.path(), ExportKind::Slo);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.messages,
                 QStringLiteral("qrb2: the game folder '%1\r\nother' set in QRB_DATA.DAT does not exist\n")
                     .arg(QString::fromLocal8Bit(game)));

        AppFixture f;
        f.prepareProject("s\r\n", "", "",
                         "\"" + f.root.file(QStringLiteral("game")).toLocal8Bit() + "\r\nx\",#FALSE#\r\n");
        f.root.mkdir(QStringLiteral("game/multiplay/skirmish"));
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Command1"));
        QCOMPARE(f.dialogs.shown().last().title, QStringLiteral("EXPORT FAILED"));
        QVERIFY2(f.dialogs.shown().last().text.contains(
                     QStringLiteral("/game\r\nx/multiplay/skirmish does not exist")),
                 qPrintable(f.dialogs.shown().last().text));
        QCOMPARE(cli.entries(QStringLiteral("game/multiplay/skirmish")), QStringList());
        QCOMPARE(f.root.entries(QStringLiteral("game/multiplay/skirmish")), QStringList());
    }
};

QRB_TEST(CommandLineTest)
QRB_TEST(DataFolderTest)
QRB_TEST(CommandLineExportTest)

#include "tst_commandline.moc"
