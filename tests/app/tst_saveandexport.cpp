#include "support/appfixture.h"
#include "mainwindow/hiddentextbuffer.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "mainwindow/signwindow.h"
#include "support/testregistry.h"
#include "tst_app.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

void SaveAndExportTest::manualSaveShowsTheSignOnce()
{
    AppFixture f;
    f.prepareProject("old\r\n", "", "");
    QVERIFY(f.start());
    f.form800().slo()->setText(QStringLiteral("new"));
    f.click(f.form800(), QStringLiteral("Command4"));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("new\r\n"));
    QCOMPARE(f.root.read(QStringLiteral("prog/backup/SLO.qrb5.12.2026_9-5-7_MANUAL")), QByteArray("old\r\n"));
    SignWindow* sign = f.bench->signWindow();
    QVERIFY(sign);
    QCOMPARE(sign->objectName(), QStringLiteral("sign1"));
    QVERIFY(sign->isVisible());
    QCOMPARE(sign->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("SAVED"));
    QCOMPARE(sign->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral(" A N D   B A C K U P E D "));
    QTimer* closer = sign->findChild<QTimer*>(QStringLiteral("Timer2"));
    QCOMPARE(closer->interval(), 2000);
    const int remaining = closer->remainingTime();
    QTest::qWait(200);
    // A second save while the sign is shown keeps the one window and its two seconds.
    f.click(f.form800(), QStringLiteral("Command4"));
    QCOMPARE(f.bench->signWindow(), sign);
    QVERIFY(closer->remainingTime() < remaining);
    QTRY_VERIFY_WITH_TIMEOUT(!f.bench->signWindow(), 3000);
}

void SaveAndExportTest::highBytesSurviveEditorAndSave()
{
    AppFixture f;
    QByteArray bytes;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            bytes.append(static_cast<char>(b));
    }
    bytes += "\r\nsecond line\xa0with a non-breaking space\r\n";
    f.prepareProject(bytes, bytes, "");
    QVERIFY(f.start());
    f.click(f.form800(), QStringLiteral("Command4"));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), bytes);
    QCOMPARE(f.work(QStringLiteral("VLO.qrb")), bytes);
}

void SaveAndExportTest::failedSaveShowsNoSign()
{
    AppFixture f;
    f.prepareProject("old\r\n", "", "");
    f.root.write(QStringLiteral("prog/backup"), "a file in the way");
    QVERIFY(f.start());
    f.dialogs.clear();
    f.form800().slo()->setText(QStringLiteral("new"));
    f.click(f.form800(), QStringLiteral("Command4"));
    QVERIFY(!f.bench->signWindow());
    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown().first().title, QStringLiteral("SAVE FAILED"));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("old\r\n"));
    QCOMPARE(f.form800().slo()->text(), QStringLiteral("new"));
}

void SaveAndExportTest::exportThroughTheWindow()
{
    AppFixture f;
    f.prepareProject("", "", "");
    f.root.mkdir(QStringLiteral("game/multiplay/skirmish"));
    QVERIFY(f.start());
    f.dialogs.clear();
    MainWindow& form = f.form800();
    form.gameDirBox()->setText(f.root.file(QStringLiteral("game")));
    form.slo()->setText(QStringLiteral("script"));
    form.vlo()->setText(QStringLiteral("a INT 1"));
    f.click(form, QStringLiteral("Command1"));
    f.click(form, QStringLiteral("Command2"));
    QCOMPARE(f.dialogs.texts(), (QStringList{QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .SLO FILES FOR EACH PLAYER???"),
                                             QStringLiteral("DONE !!!"),
                                             QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???"),
                                             QStringLiteral("DONE !!!")}));
    QCOMPARE(f.root.read(QStringLiteral("game/multiplay/skirmish/player4.slo")), QByteArray("script\r\n"));
    QVERIFY(f.root.read(QStringLiteral("game/multiplay/skirmish/player4.vlo")).endsWith("a INT 1\r\n}\r\n"));
    QVERIFY(form.exportBuffer()->objectName() == QStringLiteral("EXPORT"));
    QVERIFY(f.root.exists(QStringLiteral("prog/backup/SLO.qrb5.12.2026_9-5-7_BEFORECOMPILE")));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("script\r\n"));
}

void SaveAndExportTest::missingSkirmishFolderSaysWhichFiles()
{
    AppFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    f.dialogs.clear();
    f.form800().gameDirBox()->setText(f.root.file(QStringLiteral("no-game-here")));
    f.click(f.form800(), QStringLiteral("Command2"));
    QVERIFY(!f.dialogs.texts().contains(QStringLiteral("DONE !!!")));
    QCOMPARE(f.dialogs.shown().last().title, QStringLiteral("EXPORT FAILED"));
    QVERIFY(f.dialogs.shown().last().text.contains(QStringLiteral("player7.vlo: the folder ")));
}

void SaveAndExportTest::closeBoxSavesWithoutNotes()
{
    AppFixture f;
    f.prepareProject("old\r\n", "old vlo\r\n", "old notes\r\n", "\"keep\",#FALSE#\r\n");
    QVERIFY(f.start());
    QSignalSpy ended(f.bench.get(), &Workbench::ended);
    f.form800().slo()->setText(QStringLiteral("closing text"));
    f.form800().gameDirBox()->setText(QStringLiteral("changed"));
    f.bench->notes().setText(QStringLiteral("new notes"));
    f.form800().close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("closing text\r\n"));
    QCOMPARE(f.work(QStringLiteral("Notes.qrb")), QByteArray("old notes\r\n"));
    QCOMPARE(f.work(QStringLiteral("QRB_DATA.DAT")), QByteArray("\"keep\",#FALSE#\r\n"));
    QCOMPARE(f.root.read(QStringLiteral("prog/backup/SLO.qrb5.12.2026_9-5-7_BEFORESEEK")), QByteArray("old\r\n"));
}

QRB_TEST(SaveAndExportTest)
