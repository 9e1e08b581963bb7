#include "app/waitwindow.h"
#include "support/appfixture.h"
#include "mainwindow/hiddentextbuffer.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"
#include "tst_app.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using Kind = ScriptedDialogs::Kind;

void StartupTest::firstStartAsksInOrder()
{
    AppFixture f;
    QStringList filesWhenFirstBoxShown;
    f.dialogs.onShow = [&](const ScriptedDialogs::Shown& shown) {
        if (filesWhenFirstBoxShown.isEmpty() && shown.kind == Kind::Tell)
            filesWhenFirstBoxShown = f.root.entries(QStringLiteral("work"));
    };
    QVERIFY(f.start());

    const QList<ScriptedDialogs::Shown>& boxes = f.dialogs.shown();
    QCOMPARE(boxes.size(), 3);
    QCOMPARE(boxes[0].kind, Kind::Tell);
    QCOMPARE(boxes[0].title, QStringLiteral("QRB2"));
    QCOMPARE(boxes[0].icon, Dialogs::Icon::None);
    QCOMPARE(boxes[0].text, QStringLiteral("This is the first start of QRB program in this directory, or you've deleted "
                                           "'QRB_DATA.DAT' file for debugging!"));
    QCOMPARE(boxes[1].kind, Kind::AskText);
    QCOMPARE(boxes[1].title, QStringLiteral("First-time settings"));
    QCOMPARE(boxes[1].text,
             QStringLiteral("Input your WARZONE 2100 directory path\r\n\r\nDo not input last '\\' character !"));
    QCOMPARE(boxes[1].defaultText, QStringLiteral("C:\\WZ2100"));
    QCOMPARE(boxes[2].kind, Kind::YesNo);
    QCOMPARE(boxes[2].title, QStringLiteral("On start LOADer"));
    QCOMPARE(boxes[2].text, QStringLiteral("Do you want to load last saved project?"));
    QCOMPARE(boxes[2].icon, Dialogs::Icon::Question);

    // The project files existed, empty, before the first box came up.
    QCOMPARE(filesWhenFirstBoxShown, (QStringList{QStringLiteral("Help.qrb"), QStringLiteral("Notes.qrb"),
                                                  QStringLiteral("SLO.qrb"), QStringLiteral("VLO.qrb")}));
    QCOMPARE(f.work(QStringLiteral("QRB_DATA.DAT")), QByteArray("\"C:\\WZ2100\",#FALSE#\r\n"));
    MainWindow& form = f.form800();
    QCOMPARE(form.objectName(), QStringLiteral("Form800"));
    QCOMPARE(form.gameDirBox()->text(), QStringLiteral("C:\\WZ2100"));
    QCOMPARE(form.slo()->text(), QString());
    QVERIFY(!f.bench->form1024());
    QTRY_VERIFY(!f.bench->waitWindow());
}

void StartupTest::cancelledDirectoryIsStoredEmpty()
{
    AppFixture f;
    f.dialogs.answerText(QString());
    QVERIFY(f.start());
    QCOMPARE(f.work(QStringLiteral("QRB_DATA.DAT")), QByteArray("\"\",#FALSE#\r\n"));
    QCOMPARE(f.form800().gameDirBox()->text(), QString());
}

void StartupTest::yesLoadsTheLastProject()
{
    AppFixture f;
    f.prepareProject("slo line 1\r\nslo line 2\r\n", "vlo\r\n", "my notes\r\n", "\"C:\\Games\\WZ\",#FALSE#\r\n");
    QVERIFY(f.start());
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("Do you want to load last saved project?")});
    MainWindow& form = f.form800();
    QCOMPARE(form.slo()->text(), QStringLiteral("slo line 1\r\nslo line 2"));
    QCOMPARE(form.vlo()->text(), QStringLiteral("vlo"));
    QCOMPARE(f.bench->notes().text(), QStringLiteral("my notes"));
    QCOMPARE(form.sloUndo()->text(), QStringLiteral("slo line 1\r\nslo line 2"));
    QCOMPARE(form.vloUndo()->text(), QStringLiteral("vlo"));
    QCOMPARE(form.gameDirBox()->text(), QStringLiteral("C:\\Games\\WZ"));
}

void StartupTest::noLeavesTheEditorsEmpty()
{
    AppFixture f;
    f.prepareProject("slo\r\n", "vlo\r\n", "notes\r\n");
    f.dialogs.answer(Dialogs::Answer::No);
    QVERIFY(f.start());
    QCOMPARE(f.form800().slo()->text(), QString());
    QCOMPARE(f.form800().vlo()->text(), QString());
    QCOMPARE(f.bench->notes().text(), QString());
    QCOMPARE(f.form800().gameDirBox()->text(), QStringLiteral("GAME"));
    // Nothing on disk changed.
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("slo\r\n"));
}

void StartupTest::settingsGiveGameDirAndHelpFlag()
{
    AppFixture f;
    f.prepareProject("", "", "", "\"/opt/warzone2100\",#TRUE#\r\n");
    QVERIFY(f.start());
    QCOMPARE(f.form800().gameDirBox()->text(), QStringLiteral("/opt/warzone2100"));
    QVERIFY(f.bench->state().hideInternalHelp);
    QVERIFY(f.form800().control(QStringLiteral("Command15"))->isHidden());
    QVERIFY(!f.form800().control(QStringLiteral("Command14"))->isHidden());
}

void StartupTest::timersFinishTheStart()
{
    AppFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    QTRY_VERIFY(f.bench->state().startupDone);
    QVERIFY(!f.form800().firstStartTimer()->isActive());
    QTRY_VERIFY(!f.form800().resRecTimer()->isActive());
    QCOMPARE(f.bench->state().playerIndex, qint16(0));
    QCOMPARE(f.bench->state().seekPosition, 0);
    // The splitter was applied at load: both editors 5775 twips (385 pixels) wide.
    QCOMPARE(f.form800().slo()->width(), 385);
    QCOMPARE(f.form800().vlo()->width(), 385);
}

void StartupTest::narrowScreenMaximises_data()
{
    QTest::addColumn<int>("screenTwips");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("12000") << 12000 << true;
    QTest::newRow("12499") << 12499 << true;
    QTest::newRow("12500") << 12500 << false;
    QTest::newRow("19200") << 19200 << false;
}

void StartupTest::narrowScreenMaximises()
{
    QFETCH(int, screenTwips);
    QFETCH(bool, maximised);
    AppFixture f;
    f.screen.m_twips = screenTwips;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    QTRY_VERIFY(!f.form800().resRecTimer()->isActive());
    QCOMPARE(f.form800().isMaximized(), maximised);
}

void StartupTest::badSettingsFilesStillStart_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("gameDir");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("one field") << QByteArray("\"D:\\WZ\"") << QStringLiteral("D:\\WZ");
    QTest::newRow("no closing quote") << QByteArray("\"D:\\WZ,#TRUE#\r\n") << QStringLiteral("D:\\WZ,#TRUE#");
    QByteArray garbage;
    for (int i = 0; i < 2000; ++i)
        garbage.append(static_cast<char>((i * 131 + 7) & 0xff));
    QTest::newRow("binary garbage") << garbage << QStringLiteral("<any>");
    QTest::newRow("10 MB") << QByteArray("\"E:\\WZ\",#FALSE#\r\n") + QByteArray(10 * 1024 * 1024, 'z')
                           << QStringLiteral("E:\\WZ");
}

void StartupTest::badSettingsFilesStillStart()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, gameDir);
    AppFixture f;
    f.prepareProject("slo\r\n", "", "", settings);
    QVERIFY(f.start());
    // The file exists, so this is no first start: only the load question is asked.
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("Do you want to load last saved project?")});
    if (gameDir != QLatin1String("<any>"))
        QCOMPARE(f.form800().gameDirBox()->text(), gameDir);
    QCOMPARE(f.form800().slo()->text(), QStringLiteral("slo"));
}

void StartupTest::unreadableProjectFileIsReported()
{
    AppFixture f;
    f.prepareProject("", "", "");
    // A folder named like the project file cannot be read as one.
    QFile::remove(f.root.file(QStringLiteral("work/SLO.qrb")));
    f.root.mkdir(QStringLiteral("work/SLO.qrb"));
    QVERIFY(f.start());
    QCOMPARE(f.dialogs.shown().size(), 2);
    const ScriptedDialogs::Shown& box = f.dialogs.shown().last();
    QCOMPARE(box.title, QStringLiteral("PROJECT NOT LOADED"));
    QVERIFY2(box.text.startsWith(QStringLiteral("These project files could not be read, so their editors start empty:\n") +
                                 f.root.file(QStringLiteral("work/SLO.qrb")) + QStringLiteral(": ")),
             qPrintable(box.text));
}

void StartupTest::hugeAndBinaryProjectFilesLoad()
{
    AppFixture f;
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>(i % 256 == 13 || i % 256 == 10 ? 0 : i % 256));
    const QByteArray line(20 * 1024 * 1024, 'w');
    f.prepareProject(binary + "\r\n", line + "\r\n", "");
    QElapsedTimer timer;
    timer.start();
    QVERIFY(f.start());
    const qint64 ms = timer.elapsed();
    qInfo("a 20 MB line and a binary file loaded in %lld ms", static_cast<long long>(ms));
    QVERIFY2(ms < 60000, "loading must not hang");
    QCOMPARE(f.form800().slo()->text().toLatin1(), binary);
    QCOMPARE(f.form800().vlo()->text().size(), line.size());
}

QRB_TEST(StartupTest)
