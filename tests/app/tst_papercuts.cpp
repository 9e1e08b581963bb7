// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scriptcheck.h"
#include "editor/elidinglabel.h"
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/problemswindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTreeView>

namespace {

QLabel* unsavedMark(MainWindow& w)
{
    return w.findChild<QLabel*>(QStringLiteral("UNSAVED_MARK"));
}

} // namespace

class PapercutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Go to line, a search hit and F3 bring a line out of sight to the middle, not to the foot.
    void jumpsBringTheLineToTheMiddle()
    {
        ProjectApp f(numberedLines(600, "    line "));
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        ScriptEditor* slo = w.slo();
        w.lineBox()->setText(QStringLiteral("200"));
        f.click(w, QStringLiteral("Command8"));
        QCOMPARE(slo->textCursor().blockNumber(), 199);
        QVERIFY(inTheMiddle(slo));
        w.textSeeker()->setText(QStringLiteral("line 300"));
        f.click(w, QStringLiteral("Command12"));
        QCOMPARE(slo->textCursor().blockNumber(), 299);
        QVERIFY(inTheMiddle(slo));
        w.textSeeker()->setText(QStringLiteral("line 39"));
        QTest::keyClick(slo, Qt::Key_F3);
        QCOMPARE(slo->textCursor().blockNumber(), 389);
        QVERIFY(inTheMiddle(slo));
        // A line already in sight: the view stays.
        const int scrolled = slo->verticalScrollBar()->value();
        w.lineBox()->setText(QStringLiteral("392"));
        f.click(w, QStringLiteral("Command8"));
        QCOMPARE(slo->verticalScrollBar()->value(), scrolled);
    }

    // Go to line on a line wider than the editor shows the line's start, not only its end; a
    // search hit far along such a line stays in sight.
    void aLongLineShowsItsStart()
    {
        QByteArray text = numberedLines(300, "    line ");
        const QByteArray line200 = "    line 200";
        text.replace(line200, QByteArray(line200 + QByteArray(" + far").repeated(60) + " + lastWord;"));
        ProjectApp f(text);
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        ScriptEditor* slo = w.slo();
        w.lineBox()->setText(QStringLiteral("200"));
        f.click(w, QStringLiteral("Command8"));
        QCOMPARE(slo->textCursor().selectedText().size(), line200.size() + 6 * 60 + 12);
        QCOMPARE(slo->horizontalScrollBar()->value(), 0);
        QVERIFY(inTheMiddle(slo));
        w.textSeeker()->setText(QStringLiteral("lastWord"));
        f.click(w, QStringLiteral("Command12"));
        QCOMPARE(slo->textCursor().selectedText(), QStringLiteral("lastWord"));
        QTextCursor start = slo->textCursor();
        start.setPosition(start.selectionStart());
        QVERIFY(slo->cursorRect(start).left() >= 0);
        QVERIFY(slo->cursorRect().right() <= slo->viewport()->width());
    }

    // Ctrl+Z after Tab or Shift+Tab on selected lines leaves the caret and the view at them.
    void undoOfAnIndentStaysAtTheLines()
    {
        ProjectApp f(numberedLines(300, "    line "));
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        slo->setFocus();
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            QTextCursor lines(slo->document()->findBlockByNumber(200));
            lines.setPosition(slo->document()->findBlockByNumber(202).position() + 3,
                              QTextCursor::KeepAnchor);
            slo->setTextCursor(lines);
            const int scrolled = slo->verticalScrollBar()->value();
            QTest::keyClick(slo, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QTest::keyClick(slo, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(slo->document()->findBlockByNumber(201).text(), QStringLiteral("    line 202"));
            QCOMPARE(slo->textCursor().blockNumber(), 202);
            QCOMPARE(slo->verticalScrollBar()->value(), scrolled);
        }
    }

    // Home: the first character that is not a blank, then column 1, and back; Shift+Home selects.
    // Ctrl+F takes the word the caret touches on either side.
    void homeAndTheWordAtTheCaret()
    {
        ProjectApp f("\t  count = 1;");
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        ScriptEditor* slo = w.slo();
        slo->setFocus();
        slo->setCaret(9);
        QStringList columns;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(slo, Qt::Key_Home);
            columns.append(QString::number(slo->textCursor().positionInBlock()));
        }
        QCOMPARE(columns, (QStringList{"3", "0", "3"}));
        slo->setCaret(8);
        QTest::keyClick(slo, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(slo->selectedText(), QStringLiteral("count"));
        for (const int caret : {3, 8}) {
            w.textSeeker()->clear();
            slo->setCaret(caret);
            QTest::keyClick(slo, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(w.textSeeker()->text(), QStringLiteral("count"));
        }
    }

    // The title strip's mark: none after the load, one after typing, none after a save or after
    // undoing back to the saved text; the other layout takes it along.
    void unsavedChangesMark()
    {
        ProjectApp f("saved");
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        QLabel* mark = unsavedMark(w);
        QVERIFY(mark && mark->isHidden());
        QCOMPARE(mark->text(), QStringLiteral("\u25cf unsaved changes"));
        QTest::keyClicks(w.slo(), QStringLiteral("x"));
        QVERIFY(!mark->isHidden());
        QTest::keyClick(w.slo(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(mark->isHidden());
        QTest::keyClicks(w.vlo(), QStringLiteral("y"));
        f.click(w, QStringLiteral("Command6"));
        MainWindow& wide = *f.bench->ensureForm1024();
        QVERIFY(!unsavedMark(wide)->isHidden());
        f.click(wide, QStringLiteral("Command4"));
        QVERIFY(unsavedMark(wide)->isHidden());
    }

    // An empty new project shows no mistake before the author has typed anything.
    void emptyProjectShowsNoError()
    {
        ProjectApp f;
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        QTest::qWait(2 * 500 + 100);
        QVERIFY(slo->decorations(ScriptEditor::DecorationLayer::Findings).isEmpty());
        QCOMPARE(slo->findChild<QLabel*>(QStringLiteral("SLO_CARET"))->text(),
                 QStringLiteral("Line 1, Col 1"));
        // Once there is text, the check speaks again.
        QTest::keyClicks(f.form800().vlo(), QStringLiteral("x INT 1"));
        QTRY_VERIFY_WITH_TIMEOUT(!slo->decorations(ScriptEditor::DecorationLayer::Findings).isEmpty(), 3000);
    }

    // The strip under the editor cuts a long message short and shows it whole as tooltip; the
    // Problems window does the same in its rows and closes on Escape.
    void longMessagesAreCutShortWithTheWholeAsTooltip()
    {
        const QByteArray name(120, 'q');
        ProjectApp f("public int player;\r\nevent e(init) { player = " + name + "; }");
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        QTest::keyClick(slo, Qt::Key_F7);
        ProblemsWindow* problems = f.bench->scriptCheck().problemsWindow();
        QVERIFY(problems);
        const QString message = QStringLiteral("undeclared name '") + QLatin1String(name) + u'\'';
        QTreeView* list = problems->list();
        for (int column = 0; column < 5; ++column)
            QCOMPARE(list->model()->index(0, column).data(Qt::ToolTipRole).toString(), message);
        QCOMPARE(list->textElideMode(), Qt::ElideRight);
        QTest::keyClick(list, Qt::Key_Return);
        auto* strip = slo->findChild<ElidingLabel*>(QStringLiteral("SLO_CARET"));
        QCOMPARE(strip->text(), QStringLiteral("Line 2, Col 26: ") + message);
        QVERIFY(strip->shownText().endsWith(QStringLiteral("\u2026")));
        QVERIFY(strip->shownText().size() < strip->text().size());
        QCOMPARE(strip->toolTip(), message);
        problems->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(problems));
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!problems->isVisible());
    }

    // START GAME finds warzone2100 on the PATH when the game folder holds no program.
    void gameOnThePath()
    {
        ProjectApp f;
        f.root.mkdir(QStringLiteral("game"));
        f.root.write(QStringLiteral("games/warzone2100"), "#!/bin/sh\n");
        QFile::setPermissions(f.root.file(QStringLiteral("games/warzone2100")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        f.programFolders = {f.root.file(QStringLiteral("bin")), f.root.file(QStringLiteral("games"))};
        QVERIFY(f.start());
        f.form800().gameDirBox()->setText(f.root.file(QStringLiteral("game")));
        f.click(f.form800(), QStringLiteral("Command7"));
        QCOMPARE(f.starter.starts.size(), 1);
        QCOMPARE(f.starter.starts.first().program, f.root.file(QStringLiteral("games/warzone2100")));
        QCOMPARE(f.starter.starts.first().workingDirectory, f.root.file(QStringLiteral("game")));
        // Nowhere to be found: the box names the PATH's folders as well.
        QFile::remove(f.root.file(QStringLiteral("games/warzone2100")));
        f.click(f.form800(), QStringLiteral("Command7"));
        const QString game = f.root.file(QStringLiteral("game"));
        QCOMPARE(f.dialogs.texts().last(),
                 QStringLiteral("The game could not be started: there is no game program at\n") + game +
                     QStringLiteral("/warzone.exe\n") + game +
                     QStringLiteral("/warzone2100\nwarzone2100 in ") +
                     f.programFolders.join(QStringLiteral(", ")));
    }
};

// A 1280 x 1024 screen: room beside the 800 layout.
class WideScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (QGuiApplication::primaryScreen()->geometry().size() != QSize(1280, 1024))
            QSKIP("needs the 1280 x 1024 screen of ctest's tst_app_wide");
    }

    // The Problems window opens beside the main window, not over its buttons.
    void problemsOpenBesideTheMainWindow()
    {
        ProjectApp f("public int player;\r\nx");
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        QTest::keyClick(w.slo(), Qt::Key_F7);
        ProblemsWindow* problems = f.bench->scriptCheck().problemsWindow();
        QVERIFY(problems && problems->isVisible());
        QVERIFY(!problems->frameGeometry().intersects(w.frameGeometry()));
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(problems->frameGeometry()));
        // Right and left have no room for it on this screen: it fills the room below, at full width.
        QCOMPARE(problems->frameGeometry().top(), w.frameGeometry().bottom() + 1);
        QCOMPARE(problems->frameGeometry().bottom(),
                 QGuiApplication::primaryScreen()->availableGeometry().bottom());
        QCOMPARE(problems->width(), 720);
    }
};

// 200 % on a 1920 x 1080 screen: the layout is larger than the screen and scrolls.
class FullHdScaledTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (QGuiApplication::primaryScreen()->geometry().size() != QSize(960, 540))
            QSKIP("needs the 1920 x 1080 screen at scale 2 of ctest's tst_app_fullhd");
    }

    // Ctrl+G and Ctrl+F bring the search row into sight; Ctrl+H the find and replace bar.
    void searchRowComesIntoSight()
    {
        ProjectApp f("text");
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        QVERIFY(!w.fitsScreen());
        const auto inSight = [&w](QWidget* control) {
            return w.rect().contains(QRect(control->mapTo(&w, QPoint(0, 0)), control->size()));
        };
        QVERIFY(!inSight(w.lineBox()));
        QTest::keyClick(w.slo(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(w.lineBox()->hasFocus() && inSight(w.lineBox()));
        w.layoutScroll()->ensureVisible(0, 0);
        QVERIFY(!inSight(w.textSeeker()));
        QTest::keyClick(w.slo(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(w.textSeeker()->hasFocus() && inSight(w.textSeeker()));
        w.layoutScroll()->ensureVisible(0, 0);
        QTest::keyClick(w.slo(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(inSight(w.findChild<QLineEdit*>(QStringLiteral("ReplaceFind"))));
    }
};

QRB_TEST(PapercutTest)
QRB_TEST(WideScreenTest)
QRB_TEST(FullHdScaledTest)

#include "tst_papercuts.moc"
