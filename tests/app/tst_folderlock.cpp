// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandlinelock.h"
#include "app/folderaccess.h"
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"
#include "workspace/folderlock.h"

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// The program name a lock records: this test program's.
QString thisProgram()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

// A second copy of the program on the fixture's folders, with boxes of its own.
struct SecondCopy {
    ScriptedDialogs dialogs;
    std::unique_ptr<Workbench> bench;

    explicit SecondCopy(AppFixture& f)
        : bench(std::make_unique<Workbench>(
              Services{f.folders, dialogs, f.clock, f.starter, f.screen, f.opener}))
    {
    }
    bool start()
    {
        bench->start();
        return QTest::qWaitFor([this] { return bench->form800() && bench->form800()->isVisible(); }, 5000);
    }
};

QString heldBy(const QString& folder, qint64 pid, const QString& program)
{
    return u"the folder %1 is held by another copy of QRB2 (%2, process %3 on host %4)"_s.arg(
        folder, program, QString::number(pid), QSysInfo::machineHostName());
}

} // namespace

// Two copies on one folder: the second asks, reads, and writes nothing.
class FolderLockTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondCopyAsksAndReadOnlyRefusesEveryWrite()
    {
        ProjectApp f("slo\r\n", "vlo\r\n", "notes\r\n");
        QVERIFY(f.start());
        const QString work = f.folders.workDir;
        const QStringList filesBefore = f.root.entries(u"work"_s);
        SecondCopy second(f);
        second.dialogs.answerChoice(0);
        QVERIFY(second.start());
        const ScriptedDialogs::Shown question = second.dialogs.shown().first();
        QCOMPARE(question.kind, ScriptedDialogs::Kind::Choice);
        QCOMPARE(question.title, u"FOLDER IN USE"_s);
        QCOMPARE(question.buttons, (QStringList{u"Open read-only"_s, u"Quit"_s}));
        QCOMPARE(question.text,
                 u"Another copy of QRB2 is working in this folder:\n%1\n\nIt is %2, process %3 on host %4 "
                 "(lock file %1/.qrb2.lock).\n\nTwo copies saving into one folder would overwrite each "
                 "other's work. \"Open read-only\" lets you read and copy the project here, while every "
                 "command that writes is refused; \"Quit\" leaves the folder to the other copy."_s.arg(
                     work, thisProgram(), QString::number(QCoreApplication::applicationPid()),
                     QSysInfo::machineHostName()));

        MainWindow& form = *second.bench->form800();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.readOnlyMark()->text(),
                 u"READ-ONLY \u00b7 another copy of QRB2 works in this folder"_s);
        QVERIFY(form.readOnlyMark()->isVisible());
        QVERIFY(form.windowTitle().contains(u"READ-ONLY"_s));
        QCOMPARE(form.slo()->text(), u"slo"_s);

        // Every command that writes, by click and by key, and the notes with SAVE.
        form.slo()->setText(u"typed here"_s);
        second.bench->notes().setText(u"new notes"_s);
        second.dialogs.clear();
        f.click(form, u"Command4"_s);
        QTest::keyClick(form.slo(), Qt::Key_S, Qt::ControlModifier);
        f.click(form, u"Command1"_s);
        f.click(form, u"Command2"_s);
        const QString because = u" IS REFUSED: this copy of QRB2 is READ-ONLY, because "_s +
                                heldBy(work, QCoreApplication::applicationPid(), thisProgram()) +
                                u".\n\nNothing was written, and nothing you typed is lost: copy what you "
                                "need into the other copy, or close this one."_s;
        QCOMPARE(second.dialogs.texts(),
                 (QStringList{u"SAVE"_s + because, u"SAVE"_s + because, u"EXPORT .SLO"_s + because,
                              u"EXPORT .VLO"_s + because}));
        QCOMPARE(second.dialogs.shown().first().title, u"READ-ONLY"_s);

        // The exit save is refused with the reason and the author decides; the settings stay.
        second.dialogs.clear();
        QSignalSpy ended(second.bench.get(), &Workbench::ended);
        second.dialogs.answer(Dialogs::Answer::Yes); // SAVE before exit?
        second.dialogs.answer(Dialogs::Answer::Yes); // close without saving
        f.click(form, u"Image1"_s);
        QCOMPARE(second.dialogs.texts().at(1),
                 u"THE EXIT SAVE"_s + because + u"\n\nClose the program without saving?"_s);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(f.work(u"SLO.qrb"_s) + f.work(u"VLO.qrb"_s) + f.work(u"Notes.qrb"_s),
                 "slo\r\nvlo\r\nnotes\r\n"_ba);
        QCOMPARE(f.work(u"QRB_DATA.DAT"_s), "\"GAME\",#FALSE#\r\n"_ba);
        QCOMPARE(f.root.entries(u"work"_s), filesBefore);
        QVERIFY(!f.root.exists(u"prog/backup"_s));
        // The first copy writes as ever.
        f.click(f.form800(), u"Command4"_s);
        QCOMPARE(f.root.entries(u"prog/backup"_s).size(), 2);
    }

    void quitLeavesTheFolderAndTheNextCopyOpensNormally()
    {
        ProjectApp f;
        QVERIFY(f.start());
        SecondCopy quitting(f);
        quitting.dialogs.answerChoice(1);
        QSignalSpy ended(quitting.bench.get(), &Workbench::ended);
        quitting.bench->start();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!quitting.bench->form800() && !quitting.bench->waitWindow());

        // A read-only copy in which nothing changed closes by its close box without a question.
        SecondCopy reader(f);
        QVERIFY(reader.start());
        QSignalSpy readerEnded(reader.bench.get(), &Workbench::ended);
        reader.bench->form800()->close();
        QCOMPARE(readerEnded.count(), 1);
        QCOMPARE(reader.dialogs.shown().size(), 2); // the lock question, the load question

        f.bench.reset(); // the first copy ends
        QVERIFY(!f.root.exists(u"work/.qrb2.lock"_s));
        SecondCopy next(f);
        QVERIFY(next.start());
        QCOMPARE(next.dialogs.texts(), QStringList{u"Do you want to load last saved project?"_s});
        QVERIFY(!next.bench->form800()->readOnlyMark());
        QVERIFY(f.root.read(u"work/.qrb2.lock"_s)
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid())));
    }

    void aCopyWhoseLockWasTakenStopsWriting()
    {
        ProjectApp f("slo\r\n");
        QVERIFY(f.start());
        // Another copy took the folder over meanwhile.
        QVERIFY(QFile::remove(f.root.file(u"work/.qrb2.lock"_s)));
        f.root.write(u"work/.qrb2.lock"_s, "4242\nqrb2\nfar-away\n");
        f.dialogs.clear();
        f.click(f.form800(), u"Command4"_s);
        QCOMPARE(
            f.dialogs.texts(),
            QStringList{
                u"SAVE IS REFUSED: this copy of QRB2 is READ-ONLY, because its lock of the folder %1 "
                "was removed or taken over by another copy of QRB2.\n\nNothing was written, and "
                "nothing you typed is lost: copy what you need into the other copy, or close this one."_s.arg(
                    f.folders.workDir)});
        QTRY_VERIFY(f.form800().readOnlyMark());
        QCOMPARE(f.form800().readOnlyMark()->text(),
                 u"READ-ONLY \u00b7 this copy lost the lock of its folder"_s);
        QVERIFY(!f.root.exists(u"prog/backup"_s));
        // Ending, it leaves the other copy's lock alone.
        f.bench.reset();
        QCOMPARE(f.root.read(u"work/.qrb2.lock"_s), "4242\nqrb2\nfar-away\n"_ba);
    }

    // The real program, killed with SIGKILL while it holds the folder.
    void killedHoldersLockIsTakenOver()
    {
        ProjectApp f;
        QProcess holder;
        holder.start(QStringLiteral(QRB_PROGRAM),
                     {u"--folder"_s, f.folders.workDir, u"-platform"_s, u"offscreen"_s});
        QVERIFY(holder.waitForStarted());
        const qint64 pid = holder.processId();
        // Killed between making the lock file and writing it, the holder would leave an empty
        // lock, which is taken for one being made: wait until it names the holder.
        const QByteArray named = QByteArray::number(pid) + '\n';
        QVERIFY(QTest::qWaitFor([&] { return f.root.read(u"work/.qrb2.lock"_s).startsWith(named); }, 10000));
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QVERIFY(f.root.exists(u"work/.qrb2.lock"_s));
        QVERIFY(f.start());
        const ScriptedDialogs::Shown box = f.dialogs.shown().first();
        QCOMPARE(box.title, u"FOLDER LOCK"_s);
        QCOMPARE(box.text, u"QRB2 took over the lock of %1 from qrb2, process %2 on host %3, which is no "
                           "longer running."_s.arg(f.folders.workDir, QString::number(pid),
                                                   QSysInfo::machineHostName()));
        QVERIFY(!f.form800().readOnlyMark());
        f.click(f.form800(), u"Command4"_s);
        QCOMPARE(f.root.entries(u"prog/backup"_s).size(), 2);
    }

    void commandLineWaitsThenNamesTheHolder()
    {
        TempFolder dir;
        FolderLock held(dir.path());
        QCOMPARE(held.acquire(), FolderLock::Outcome::Locked);
        QString messages;
        QTextStream err(&messages);
        bool ran = false;
        const auto work = [&] {
            ran = true;
            return 0;
        };
        QCOMPARE(commandline::runLocked({dir.path(), dir.path()}, err, work, std::chrono::seconds(2)), 1);
        QVERIFY(!ran);
        const QString holder = heldBy(dir.path(), QCoreApplication::applicationPid(), thisProgram());
        QCOMPARE(messages,
                 u"qrb2: %1; waiting up to 2 seconds\nqrb2: nothing was written: %1; its lock file is "
                 "%2/.qrb2.lock\n"_s.arg(holder, dir.path()));

        // A holder that lets go within the wait: the command runs, and its stale temporaries go.
        dir.write(u".qrb2-writing-SLO.qrb-999999999-5-1"_s, "left by a killed run");
        messages.clear();
        std::thread releasing([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            held.release();
        });
        QCOMPARE(commandline::runLocked({dir.path(), dir.path()}, err, work, std::chrono::seconds(5)), 0);
        releasing.join();
        QVERIFY(ran);
        QCOMPARE(dir.entries(), QStringList());
    }
};

QRB_TEST(FolderLockTest)

#include "tst_folderlock.moc"
