// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "support/appfixture.h"
#include "support/testregistry.h"

#include <QSignalSpy>
#include <optional>

namespace {

using Kind = ScriptedDialogs::Kind;
using Answer = Dialogs::Answer;

// How the author leaves.
enum class Way { ExitButton, CloseBox };

// A started program with an unsaved change in SLO, its working folder made read-only.
struct ReadOnlyProject : AppFixture {
    std::optional<ReadOnlyFolder> readOnly;
    bool begin()
    {
        prepareProject("old slo\r\n", "old vlo\r\n", "old notes\r\n");
        if (!start())
            return false;
        readOnly.emplace(folders.workDir);
        form800().slo()->setText(QStringLiteral("precious"));
        dialogs.clear();
        return true;
    }
};

} // namespace

Q_DECLARE_METATYPE(Way)

// Leaving a program whose folder cannot be written, and the temporaries a killed save leaves,
// through the real windows.
class NothingLostTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readOnlyFolderNeverTrapsTheAuthor_data()
    {
        QTest::addColumn<Way>("way");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QList<Kind>>("boxes");
        QTest::addColumn<bool>("ends");
        QTest::newRow("exit, do not save") << Way::ExitButton << QList<Answer>{Answer::No}
                                           << QList<Kind>{Kind::YesNoCancel, Kind::Tell} << true;
        QTest::newRow("exit, save, close without")
            << Way::ExitButton << QList<Answer>{Answer::Yes, Answer::Yes}
            << QList<Kind>{Kind::YesNoCancel, Kind::YesNo, Kind::Tell} << true;
        QTest::newRow("exit, save, stay") << Way::ExitButton << QList<Answer>{Answer::Yes, Answer::No}
                                          << QList<Kind>{Kind::YesNoCancel, Kind::YesNo} << false;
        QTest::newRow("close box, close without")
            << Way::CloseBox << QList<Answer>{Answer::Yes} << QList<Kind>{Kind::YesNo} << true;
        QTest::newRow("close box, stay")
            << Way::CloseBox << QList<Answer>{Answer::No} << QList<Kind>{Kind::YesNo} << false;
    }

    void readOnlyFolderNeverTrapsTheAuthor()
    {
        QFETCH(Way, way);
        QFETCH(QList<Answer>, answers);
        QFETCH(QList<Kind>, boxes);
        QFETCH(bool, ends);
        ReadOnlyProject f;
        QVERIFY(f.begin());
        if (!f.readOnly->active())
            QSKIP(qPrintable(f.readOnly->why()));
        QSignalSpy ended(f.bench.get(), &Workbench::ended);
        MainWindow& form = f.form800();
        for (const Answer a : answers)
            f.dialogs.answer(a);
        if (way == Way::ExitButton)
            f.click(form, QStringLiteral("Image1"));
        else
            form.close();

        QList<Kind> shown;
        for (const ScriptedDialogs::Shown& box : f.dialogs.shown())
            shown << box.kind;
        QCOMPARE(shown, boxes);
        for (const ScriptedDialogs::Shown& box : f.dialogs.shown()) {
            const QString& t = box.text;
            if (box.kind == Kind::YesNo) {
                QCOMPARE(box.title, QStringLiteral("SAVE FAILED"));
                QVERIFY2(t.startsWith(QStringLiteral("THE PROJECT WAS NOT SAVED COMPLETELY.")) &&
                             t.contains(f.root.file(QStringLiteral("work/SLO.qrb"))) &&
                             t.endsWith(QStringLiteral("\n\nClose the program without saving?")),
                         qPrintable(t));
            } else if (box.kind == Kind::Tell) {
                QCOMPARE(box.title, QStringLiteral("SETTINGS NOT SAVED"));
                QVERIFY2(box.text.startsWith(
                             QStringLiteral(
                                 "The settings could not be written; the program closes without them:\n") +
                             f.root.file(QStringLiteral("work/QRB_DATA.DAT")) + QStringLiteral(": ")),
                         qPrintable(box.text));
            }
        }
        QCOMPARE(ended.count(), ends ? 1 : 0);
        QCOMPARE(form.isVisible(), !ends);
        QCOMPARE(form.slo()->text(), QStringLiteral("precious"));
        QCOMPARE(f.bench->state().exitConfirmed, ends && way == Way::ExitButton);
        QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("old slo\r\n"));
        if (!ends) {
            // Still a working program: the folder writable again, the exit saves.
            f.readOnly.reset();
            f.dialogs.answer(Answer::Yes);
            f.click(form, QStringLiteral("Image1"));
            QCOMPARE(ended.count(), 1);
            QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("precious\r\n"));
        }
    }

    void endOfSessionTakesTheRoadOfTheClose()
    {
        ReadOnlyProject f;
        QVERIFY(f.begin());
        if (!f.readOnly->active())
            QSKIP(qPrintable(f.readOnly->why()));
        QSignalSpy ended(f.bench.get(), &Workbench::ended);
        f.dialogs.answer(Answer::No);
        QVERIFY(!f.bench->endSession(true));
        QCOMPARE(f.dialogs.shown().size(), 1);
        QCOMPARE(f.dialogs.shown().first().title, QStringLiteral("SAVE FAILED"));
        QCOMPARE(ended.count(), 0);
        // Without a way to ask, the save is tried and the session ends.
        QVERIFY(f.bench->endSession(false));
        QCOMPARE(f.dialogs.shown().size(), 1);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("old slo\r\n"));
    }

    void staleTemporariesGoAtStartAndNothingElse()
    {
        AppFixture f;
        f.prepareProject("", "", "", "\"" + f.root.file(QStringLiteral("game")).toUtf8() + "\",#FALSE#\r\n");
        const QStringList stale{
            QStringLiteral("work/.qrb2-writing-SLO.qrb-999999999-0"),
            QStringLiteral("prog/backup/.qrb2-writing-VLO.qrb5.12.2026_9-5-7_EXIT-999999999-1"),
            QStringLiteral("game/multiplay/skirmish/.qrb2-writing-player3.slo-999999999-2"),
            QStringLiteral("work/RTS/.qrb2-writing-Names.txt-999999999-3")};
        const QStringList kept{QStringLiteral("work/.hidden"), QStringLiteral("prog/backup/SLO.qrb.x1y2"),
                               QStringLiteral("game/multiplay/skirmish/player3.slo")};
        for (const QString& path : stale + kept)
            f.root.write(path, "x");
        QVERIFY(f.start());
        for (const QString& path : stale)
            QVERIFY2(!f.root.exists(path), qPrintable(path));
        for (const QString& path : kept)
            QVERIFY2(f.root.exists(path), qPrintable(path));
    }
};

QRB_TEST(NothingLostTest)

#include "tst_nothinglost.moc"
