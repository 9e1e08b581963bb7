// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "mainwindow/signwindow.h"
#include "platform/gamestarter.h"
#include "platform/twips.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalSpy>

namespace {

// Clicks the point of the layout as the author would: scrolled into view where the screen is
// smaller than the layout, the widget under it gets the click.
void clickAt(MainWindow& window, const QPoint& point)
{
    window.layoutScroll()->ensureVisible(point.x(), point.y(), 0, 0);
    QWidget* canvas = window.layoutScroll()->widget();
    QWidget* target = canvas->childAt(point);
    QVERIFY2(target, "nothing under the point");
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(canvas, point));
}

} // namespace

class ShutdownTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exitAnswers_data()
    {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<QString>("suffix"); // of the snapshots; empty: none
        QTest::addColumn<QByteArray>("slo");
        QTest::addColumn<QByteArray>("notes");
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("Yes") << Dialogs::Answer::Yes << QStringLiteral("_EXIT") << QByteArray("new slo\r\n")
                             << QByteArray("new notes\r\n") << QByteArray("\"after\",#TRUE#\r\n");
        QTest::newRow("No") << Dialogs::Answer::No << QString() << QByteArray("old slo\r\n")
                            << QByteArray("old notes\r\n") << QByteArray("\"after\",#TRUE#\r\n");
        QTest::newRow("Cancel, then the close box")
            << Dialogs::Answer::Cancel << QStringLiteral("_BEFORESEEK") << QByteArray("new slo\r\n")
            << QByteArray("old notes\r\n") << QByteArray("\"before\",#TRUE#\r\n");
    }

    void exitAnswers()
    {
        QFETCH(Dialogs::Answer, answer);
        QFETCH(QString, suffix);
        ProjectApp f("old slo\r\n", "old vlo\r\n", "old notes\r\n", "\"before\",#TRUE#\r\n");
        QVERIFY(f.start());
        QSignalSpy ended(f.bench.get(), &Workbench::ended);
        MainWindow& form = f.form800();
        form.slo()->setText(QStringLiteral("new slo"));
        form.gameDirBox()->setText(QStringLiteral("after"));
        f.bench->notes().setText(QStringLiteral("new notes"));
        f.dialogs.clear();
        f.dialogs.answer(answer);
        f.click(form, QStringLiteral("Image1"));
        const ScriptedDialogs::Shown box = f.dialogs.shown().first();
        QCOMPARE(box.kind, ScriptedDialogs::Kind::YesNoCancel);
        QCOMPARE(box.title, QStringLiteral("On exit SAVE"));
        QCOMPARE(box.text, QStringLiteral("SAVE before exit?"));
        QCOMPARE(box.icon, Dialogs::Icon::Question);
        if (answer == Dialogs::Answer::Cancel) {
            QCOMPARE(ended.count(), 0);
            QVERIFY(form.isVisible() && !f.bench->state().exitConfirmed);
            QVERIFY(!f.root.exists(QStringLiteral("prog/backup")));
            form.close();
        }
        QCOMPARE(ended.count(), 1);
        const QStringList snapshots{QStringLiteral("SLO.qrb5.12.2026_9-5-7") + suffix,
                                    QStringLiteral("VLO.qrb5.12.2026_9-5-7") + suffix};
        QCOMPARE(f.root.entries(QStringLiteral("prog/backup")), suffix.isEmpty() ? QStringList() : snapshots);
        QTEST(f.work(QStringLiteral("SLO.qrb")), "slo");
        QTEST(f.work(QStringLiteral("Notes.qrb")), "notes");
        QTEST(f.work(QStringLiteral("QRB_DATA.DAT")), "settings");
        QVERIFY(!form.isVisible());
        // The sign of the exit save goes with the program.
        QTRY_VERIFY(!f.bench->signWindow());
    }

    void failedExitSaveKeepsTheProgramOpen()
    {
        ProjectApp f("old slo\r\n");
        f.root.write(QStringLiteral("prog/backup"), "a file where the backup folder belongs");
        QVERIFY(f.start());
        QSignalSpy ended(f.bench.get(), &Workbench::ended);
        f.form800().slo()->setText(QStringLiteral("precious"));
        f.dialogs.clear();
        f.dialogs.answer(Dialogs::Answer::Yes);
        f.dialogs.answer(Dialogs::Answer::No); // do not close without saving
        f.click(f.form800(), QStringLiteral("Image1"));
        QCOMPARE(ended.count(), 0);
        QVERIFY(f.form800().isVisible());
        QVERIFY(!f.bench->state().exitConfirmed);
        QCOMPARE(f.dialogs.shown().last().title, QStringLiteral("SAVE FAILED"));
        QCOMPARE(f.form800().slo()->text(), QStringLiteral("precious"));
        // The close box tries again, fails again, and the author stays.
        f.dialogs.answer(Dialogs::Answer::No);
        f.form800().close();
        QCOMPARE(ended.count(), 0);
        QVERIFY(f.form800().isVisible());
    }

    void eachPlacedAreaRunsItsOperation()
    {
        ProjectApp f("public int player;"); // a script the check finds clean
        QVERIFY(f.start());
        MainWindow& form = f.form800();
        f.bench->ensureForm1024();
        f.click(form, QStringLiteral("Image8"));
        MainWindow& wide = *f.bench->form1024();
        QVERIFY(wide.isVisible());
        const auto centre = [](double l, double t, double w, double h) {
            return twips::toPixels(l, t, w, h).center();
        };
        f.dialogs.clear();
        f.dialogs.answer(Dialogs::Answer::No);
        clickAt(wide, centre(2880, 2040, 1935, 495)); // Command1
        f.dialogs.answer(Dialogs::Answer::No);
        clickAt(wide, centre(10680, 2040, 1935, 495)); // Command2
        QCOMPARE(
            f.dialogs.texts(),
            (QStringList{QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .SLO FILES FOR EACH PLAYER???"),
                         QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???")}));
        clickAt(wide, centre(6720, 2040, 1935, 495)); // Command4
        QVERIFY(f.root.exists(QStringLiteral("prog/backup/SLO.qrb5.12.2026_9-5-7_MANUAL")));
        clickAt(wide, centre(6720, 1440, 1935, 495)); // Command10
        QVERIFY(f.bench->notesWindow() && f.bench->notesWindow()->isVisible());
        f.dialogs.answer(Dialogs::Answer::Cancel);
        clickAt(wide, centre(15000, 120, 255, 255)); // Image1
        QCOMPARE(f.dialogs.shown().last().text, QStringLiteral("SAVE before exit?"));
        clickAt(wide, centre(14760, 0, 135, 375)); // Image2
        QTRY_VERIFY(wide.isMinimized());
        wide.showNormal();
        clickAt(wide, centre(0, 0, 135, 135)); // Image8
        QVERIFY(form.isVisible());
        QVERIFY(!wide.isVisible());
    }
};

class GameLaunchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gameStartsInItsOwnFolder()
    {
        ProjectApp f;
        // A stand-in for the game that notes the folder it was started in.
        const QString script = f.root.file(QStringLiteral("game/warzone2100"));
        f.root.write(QStringLiteral("game/warzone2100"), "#!/bin/sh\npwd > started-in.txt\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(f.start());
        const QString game = f.root.file(QStringLiteral("game"));
        f.form800().gameDirBox()->setText(game);
        const QString before = QDir::currentPath();
        // The command picks the program and its folder; the real starter runs it there.
        f.click(f.form800(), QStringLiteral("Command7"));
        QCOMPARE(f.starter.starts.size(), 1);
        QCOMPARE(f.starter.starts.first().program, script);
        QCOMPARE(f.starter.starts.first().workingDirectory, game);
        DetachedProcessStarter real;
        QString reason;
        QVERIFY2(real.start(script, game, &reason), qPrintable(reason));
        // The file appears before the shell has written into it: wait for its line.
        QTRY_COMPARE(f.root.read(QStringLiteral("game/started-in.txt")).trimmed(),
                     QDir(game).canonicalPath().toLocal8Bit());
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(f.dialogs.shown().size(), 1); // only the load question of the start
    }

    void whatCannotStartIsReported()
    {
        ProjectApp f;
        f.root.mkdir(QStringLiteral("game"));
        QVERIFY(f.start());
        const QString game = f.root.file(QStringLiteral("game"));
        const auto launch = [&](const QString& dir) {
            f.dialogs.clear();
            f.form800().gameDirBox()->setText(dir);
            f.click(f.form800(), QStringLiteral("Command7"));
            return f.dialogs.shown().isEmpty() ? QString() : f.dialogs.shown().first().text;
        };
        QCOMPARE(launch(game),
                 QStringLiteral("The game could not be started: there is no game program at\n") + game +
                     QStringLiteral("/warzone.exe\n") + game + QStringLiteral("/warzone2100"));
        QCOMPARE(f.dialogs.shown().first().title, QStringLiteral("GAME NOT STARTED"));
        QCOMPARE(
            launch(f.root.file(QStringLiteral("nowhere"))),
            QStringLiteral(
                "The game folder \"%1\" does not exist. Put the game's folder into the GAME DIRECTORY box.")
                .arg(f.root.file(QStringLiteral("nowhere"))));
        // warzone.exe, in any letter case, comes before warzone2100.
        f.root.write(QStringLiteral("game/WARZONE.EXE"), "MZ");
        f.root.write(QStringLiteral("game/warzone2100"), "#!/bin/sh\n");
        f.starter.succeed = false;
        QCOMPARE(launch(game), QStringLiteral("The game could not be started:\n%1: refused by the test")
                                   .arg(f.root.file(QStringLiteral("game/WARZONE.EXE"))));
        QVERIFY(f.starter.starts.size() == 1);
    }
};

QRB_TEST(ShutdownTest)
QRB_TEST(GameLaunchTest)

#include "tst_shutdownandlaunch.moc"
