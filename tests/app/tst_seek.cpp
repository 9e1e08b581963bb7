#include "support/appfixture.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"
#include "tst_editing.h"

#include <QLineEdit>
#include <QTest>

namespace {

struct Move {
    const char* input; // into TEXT_SEEKER or LINEINT1
    const char* button;
    int start;
    int length;
    const char* selected;
    int seekPosition;
};

// Runs the moves one second apart, each of which must leave its own "_BEFORESEEK" snapshots.
void runMoves(AppFixture& f, QLineEdit* box, const QList<Move>& moves)
{
    MainWindow& w = f.form800();
    for (int i = 0; i < moves.size(); ++i) {
        const Move& m = moves[i];
        const QString context = QStringLiteral("%1 %2").arg(QLatin1String(m.input), QLatin1String(m.button));
        box->setText(QString::fromLatin1(m.input));
        f.clock.set(QTime(10, 0, i), QDate(2026, 12, 5));
        f.click(w, QString::fromLatin1(m.button));
        const QStringList vloButtons{QStringLiteral("Command11"), QStringLiteral("Command13"),
                                     QStringLiteral("Command9")};
        ScriptEditor* editor = vloButtons.contains(QLatin1String(m.button)) ? w.vlo() : w.slo();
        QVERIFY2(editor->selectionStart() == m.start, qPrintable(context));
        QVERIFY2(editor->selectionLength() == m.length, qPrintable(context));
        QVERIFY2(editor->selectedText() == QLatin1String(m.selected), qPrintable(context));
        QVERIFY2(f.bench->state().seekPosition == m.seekPosition, qPrintable(context));
        QCOMPARE(w.focusWidget(), editor);
        QVERIFY2(f.root.exists(QStringLiteral("prog/backup/SLO.qrb5.12.2026_10-0-%1_BEFORESEEK").arg(i)),
                 qPrintable(context));
    }
    QCOMPARE(seekSnapshots(f).size(), 2 * moves.size());
}

} // namespace

void SeekTest::searchWalksOverlapsAndSavesBeforeEachMove()
{
    AppFixture f;
    f.prepareProject("on disk\r\n", "", "");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    w.slo()->setText(QStringLiteral("aaaa"));
    w.textSeeker()->setText(QStringLiteral("aa"));
    runMoves(f, w.textSeeker(),
             {{"aa", "Command12", 0, 2, "aa", 0},
              {"aa", "NEXT_SEEK_CMD", 1, 2, "aa", 1},
              {"aa", "NEXT_SEEK_CMD", 2, 2, "aa", 2},
              {"aa", "NEXT_SEEK_CMD", 2, 2, "aa", -1},
              {"aa", "NEXT_SEEK_CMD", 2, 2, "aa", -1}});
    // The first snapshot holds the file as it was; the save wrote the editor's text.
    QCOMPARE(f.root.read(QStringLiteral("prog/backup/SLO.qrb5.12.2026_10-0-0_BEFORESEEK")),
             QByteArray("on disk\r\n"));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("aaaa\r\n"));
    // The search box keeps its text, caret and (absent) selection.
    w.textSeeker()->setCursorPosition(1);
    f.click(w, QStringLiteral("Command12"));
    QCOMPARE(w.textSeeker()->text(), QStringLiteral("aa"));
    QCOMPARE(w.textSeeker()->cursorPosition(), 1);
    QVERIFY(!w.textSeeker()->hasSelectedText());
}

void SeekTest::searchIgnoresCaseAcrossLineBreaks()
{
    AppFixture f;
    f.prepareProject("", "Alpha\r\nbeta ALPHA\r\ngamma", "");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    runMoves(f, w.textSeeker(),
             {{"alpha", "Command11", 0, 5, "Alpha", 0},
              {"alpha", "Command13", 12, 5, "ALPHA", 12},
              {"alpha", "Command13", 12, 5, "ALPHA", -1},
              {"GAMMA", "Command11", 19, 5, "gamma", 19},
              {"zzz", "Command11", 19, 5, "gamma", -1}});
}

void SeekTest::emptyInputsNeitherSaveNorMove()
{
    AppFixture f;
    f.prepareProject("on disk\r\n", "", "");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    w.slo()->setText(QStringLiteral("typed"));
    w.slo()->setCaret(2);
    f.click(w, QStringLiteral("Command12"));
    f.click(w, QStringLiteral("NEXT_SEEK_CMD"));
    w.textSeeker()->setText(QStringLiteral("t"));
    f.click(w, QStringLiteral("Command11"));
    f.click(w, QStringLiteral("Command13"));
    for (const char* typed : {"", "abc", "0.5", "-0.2", "1e2"}) {
        w.lineBox()->setText(QString::fromLatin1(typed));
        f.click(w, QStringLiteral("Command8"));
    }
    w.lineBox()->setText(QStringLiteral("13"));
    f.click(w, QStringLiteral("Command9"));
    QVERIFY(seekSnapshots(f).isEmpty());
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("on disk\r\n"));
    QCOMPARE(w.slo()->selectionStart(), 2);
    QCOMPARE(w.slo()->selectionLength(), 0);
    QCOMPARE(f.bench->state().seekPosition, 0);
}

void SeekTest::failedSaveIsToldAndTheMoveStillHappens()
{
    AppFixture f;
    f.prepareProject("find me\r\nline two", "", "");
    f.root.write(QStringLiteral("prog/backup"), "a file in the way");
    QVERIFY(f.start());
    f.dialogs.clear();
    MainWindow& w = f.form800();
    w.textSeeker()->setText(QStringLiteral("ME"));
    f.click(w, QStringLiteral("Command12"));
    QCOMPARE(w.slo()->selectedText(), QStringLiteral("me"));
    w.lineBox()->setText(QStringLiteral("2"));
    f.click(w, QStringLiteral("Command8"));
    QCOMPARE(w.slo()->selectedText(), QStringLiteral("line two"));
    QCOMPARE(f.dialogs.shown().size(), 2);
    QCOMPARE(f.dialogs.shown().at(1).title, QStringLiteral("SAVE FAILED"));
}

void SeekTest::goToLineSelectsTheLine()
{
    AppFixture f;
    f.prepareProject("first\r\nsecond\r\nthird", "v1\r\nv2\r\nv3", "");
    QVERIFY(f.start());
    // The editor keeps CR LF as one break, so a line's selection ends before its CR.
    runMoves(f, f.form800().lineBox(),
             {{"1", "Command8", 0, 5, "first", 0},
              {"3", "Command8", 15, 5, "third", 15},
              {" 2.7", "Command8", 7, 6, "second", 7},
              {"9", "Command8", 15, 5, "third", 15},
              {"99999999999999", "Command8", 15, 5, "third", 15},
              {"-2", "Command8", 0, 1, "f", 15},
              {"13", "Command9", 0, 2, "v1", 0},
              {"14", "Command9", 4, 2, "v2", 4},
              {"12", "Command9", 0, 1, "v", 4},
              {"5", "Command9", 0, 1, "v", 4}});
}

void SeekTest::lineBoxEmptiesOnAnyPress()
{
    AppFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    QLineEdit* box = f.form800().lineBox();
    box->setText(QStringLiteral("42"));
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(box->text(), QString());
    QTest::keyClicks(box, QStringLiteral("57"));
    QCOMPARE(box->text(), QStringLiteral("57"));
    QTest::mousePress(box, Qt::RightButton);
    QCOMPARE(box->text(), QString());
}

QRB_TEST(SeekTest)
