// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/waitwindow.h"
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"
#include "workspace/settingsfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

using Kind = ScriptedDialogs::Kind;

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartAsksInOrder_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<bool>("gameInstalled");
        QTest::newRow("the installed game's folder offered") << false << true;
        QTest::newRow("no game found: nothing offered") << false << false;
        QTest::newRow("cancelled: stored empty") << true << true;
    }

    void firstStartAsksInOrder()
    {
        QFETCH(bool, cancelled);
        QFETCH(bool, gameInstalled);
        AppFixture f;
        // The first folder of the list that exists is offered, on this desktop the one the
        // game's package made.
        const QString installed = f.root.file(QStringLiteral("share/games/warzone2100"));
        if (gameInstalled)
            f.root.mkdir(QStringLiteral("share/games/warzone2100"));
        f.gameFolders = {f.root.file(QStringLiteral("share/warzone2100")), installed};
        const QString offered = gameInstalled ? installed : QString();
        const QString gameDir = cancelled ? QString() : offered;
        if (cancelled)
            f.dialogs.answerText(QString());
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
        QCOMPARE(boxes[0].text,
                 QStringLiteral("This is the first start of QRB program in this directory, or you've "
                                "deleted 'QRB_DATA.DAT' file for debugging!"));
        QCOMPARE(boxes[1].kind, Kind::AskText);
        QCOMPARE(boxes[1].title, QStringLiteral("First-time settings"));
        QCOMPARE(boxes[1].text,
                 QStringLiteral(
                     "Input your WARZONE 2100 directory path\r\n\r\nDo not input last '\\' character !"));
        QCOMPARE(boxes[1].defaultText, offered);
        QCOMPARE(boxes[2].kind, Kind::YesNo);
        QCOMPARE(boxes[2].title, QStringLiteral("On start LOADer"));
        QCOMPARE(boxes[2].text, QStringLiteral("Do you want to load last saved project?"));
        QCOMPARE(boxes[2].icon, Dialogs::Icon::Question);
        // The project files existed, empty, before the first box came up, and the folder was locked.
        QCOMPARE(filesWhenFirstBoxShown, (QStringList{QStringLiteral(".qrb2.lock"),
                                                      QStringLiteral("Help.qrb"), QStringLiteral("Notes.qrb"),
                                                      QStringLiteral("SLO.qrb"), QStringLiteral("VLO.qrb")}));
        QCOMPARE(f.work(QStringLiteral("QRB_DATA.DAT")),
                 QByteArray("\"" + gameDir.toLatin1() + "\",#FALSE#\r\n"));
        QCOMPARE(f.form800().gameDirBox()->text(), gameDir);
        QVERIFY(!f.bench->form1024());
        QTRY_VERIFY(!f.bench->waitWindow());
    }

    void loadQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }

    void loadQuestion()
    {
        QFETCH(bool, yes);
        ProjectApp f("slo 1\r\nslo 2\r\n", "vlo\r\n", "my notes\r\n", "\"C:\\Games\\WZ\",#TRUE#\r\n");
        f.dialogs.answer(yes ? Dialogs::Answer::Yes : Dialogs::Answer::No);
        QVERIFY(f.start());
        MainWindow& form = f.form800();
        QCOMPARE(form.slo()->text(), yes ? QStringLiteral("slo 1\r\nslo 2") : QString());
        QCOMPARE(form.vlo()->text(), yes ? QStringLiteral("vlo") : QString());
        QCOMPARE(f.bench->notes().text(), yes ? QStringLiteral("my notes") : QString());
        QCOMPARE(form.sloUndo()->text(), form.slo()->text());
        QCOMPARE(form.vloUndo()->text(), form.vlo()->text());
        QCOMPARE(form.gameDirBox()->text(), QStringLiteral("C:\\Games\\WZ"));
        QVERIFY(form.control(QStringLiteral("Command15"))->isHidden());
        QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("slo 1\r\nslo 2\r\n"));
    }

    void timersFinishTheStart_data()
    {
        QTest::addColumn<int>("screenTwips");
        QTest::addColumn<bool>("maximised");
        QTest::newRow("12499") << 12499 << true;
        QTest::newRow("12500") << 12500 << false;
    }

    void timersFinishTheStart()
    {
        AppFixture f;
        QFETCH(int, screenTwips);
        f.screen.m_twips = screenTwips;
        f.prepareProject("", "", "");
        QVERIFY(f.start());
        QTRY_VERIFY(f.bench->state().startupDone);
        QTRY_VERIFY(!f.form800().resRecTimer()->isActive());
        QVERIFY(!f.form800().firstStartTimer()->isActive());
        QTEST(f.form800().isMaximized(), "maximised");
        // The splitter was applied at load: both editors 5775 twips (385 pixels) wide.
        QCOMPARE(f.form800().vlo()->width(), 385);
    }

    void badSettingsFilesStillStart_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("gameDir");
        QTest::newRow("empty") << QByteArray() << QString();
        QByteArray garbage;
        for (int i = 0; i < 2000; ++i)
            garbage.append(static_cast<char>((i * 131 + 7) & 0xff));
        QTest::newRow("binary garbage") << garbage << QStringLiteral("<any>");
        QTest::newRow("10 MB") << QByteArray("\"E:\\WZ\",#FALSE#\r\n") + QByteArray(10 * 1024 * 1024, 'z')
                               << QStringLiteral("E:\\WZ");
    }

    void badSettingsFilesStillStart()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, gameDir);
        ProjectApp f("slo\r\n", "", "", settings);
        QVERIFY(f.start());
        // The file exists, so this is no first start: only the load question is asked.
        QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("Do you want to load last saved project?")});
        if (gameDir != QLatin1String("<any>"))
            QCOMPARE(f.form800().gameDirBox()->text(), gameDir);
        QCOMPARE(f.form800().slo()->text(), QStringLiteral("slo"));
        // Leaving writes the settings and keeps what the file held, unless it held nothing.
        f.dialogs.answer(Dialogs::Answer::No);
        f.click(f.form800(), QStringLiteral("Image1"));
        QCOMPARE(f.work(QStringLiteral("QRB_DATA.DAT")),
                 settingsfile::format(f.form800().gameDirBox()->text(), false));
        QVERIFY(f.work(QStringLiteral("QRB_DATA.DAT.bad")) == (settings.isEmpty() ? "<missing>" : settings));
    }

    void unreadableProjectFileIsReported()
    {
        ProjectApp f;
        // A folder named like the project file cannot be read as one.
        QFile::remove(f.root.file(QStringLiteral("work/SLO.qrb")));
        f.root.mkdir(QStringLiteral("work/SLO.qrb"));
        QVERIFY(f.start());
        const ScriptedDialogs::Shown& box = f.dialogs.shown().last();
        QCOMPARE(box.title, QStringLiteral("PROJECT NOT LOADED"));
        QVERIFY2(box.text.startsWith(
                     QStringLiteral("These project files could not be read, so their editors start "
                                    "empty:\n") +
                     f.root.file(QStringLiteral("work/SLO.qrb")) + QStringLiteral(": ")),
                 qPrintable(box.text));
    }

    // Every byte but CR and LF, and a 20 MB line, load in time and a save writes them back unchanged.
    void hugeAndBinaryProjectFilesLoadAndSaveBack()
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
        qInfo("a 20 MB line and a binary file loaded in %lld ms", static_cast<long long>(timer.elapsed()));
        QVERIFY2(timer.elapsed() < 60000, "loading must not hang");
        QCOMPARE(f.form800().slo()->text().toLatin1(), binary);
        QCOMPARE(f.form800().vlo()->text().size(), line.size());
        f.click(f.form800(), QStringLiteral("Command4"));
        QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray(binary + "\r\n"));
        QVERIFY(f.work(QStringLiteral("VLO.qrb")) == QByteArray(line + "\r\n"));
    }
};

QRB_TEST(StartupTest)

#include "tst_startup.moc"
