// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editormenu.h"
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/problemswindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QLabel>
#include <QListWidget>
#include <QTextBlock>
#include <QTreeView>

namespace {

// The second error far below, out of sight.
const QByteArray kTwoErrors = "public int player;\r\n"
                              "event start(every, 10)\r\n"
                              "{\r\n"
                              "\tx = 1;\r\n" +
                              QByteArray(200, '\n') + "\tplayer = foo(2);\r\n" + QByteArray(200, '\n') + "}";

ProblemsWindow* problemsWindow()
{
    return shownWindow<ProblemsWindow>("PROBLEMS");
}

} // namespace

class ScriptCheckWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void f7ListsTheProblemsAndEnterGoesToOne()
    {
        ProjectApp f(kTwoErrors);
        QVERIFY(f.start());
        ScriptEditor* slo = f.form800().slo();
        slo->setFocus();
        QTest::keyClick(slo, Qt::Key_F7);
        ProblemsWindow* problems = problemsWindow();
        QVERIFY(problems);
        QCOMPARE(problems->windowTitle(), QStringLiteral("Problems"));
        auto* list = problems->findChild<QTreeView*>(QStringLiteral("ProblemList"));
        QVERIFY(list);
        QCOMPARE(modelRows(list->model()), (QStringList{"error|SLO|4|2|undeclared name 'x'",
                                                        "error|SLO|205|11|unknown function 'foo'"}));
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(slo->textCursor().blockNumber(), 204);
        QCOMPARE(slo->textCursor().positionInBlock(), 10);
        QCOMPARE(slo->textCursor().selectedText(), QStringLiteral("foo"));
        QVERIFY(inTheMiddle(slo));
        // The export box names the count and the first error.
        f.dialogs.answer(Dialogs::Answer::No);
        f.click(f.form800(), QStringLiteral("Command2"));
        QCOMPARE(
            f.dialogs.texts().last(),
            QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???\n\nThe script check finds 2 "
                           "errors that the game would refuse; the first: SLO line 4, column 2: undeclared "
                           "name 'x'"));
        // Enter keeps the old files when the check finds errors.
        QCOMPARE(f.dialogs.shown().last().defaultAnswer, Dialogs::Answer::No);
    }

    void f8GoesRoundTheFindingsOfItsEditor()
    {
        ProjectApp f(kTwoErrors);
        QVERIFY(f.start());
        ScriptEditor* slo = f.form800().slo();
        auto* place = slo->findChild<QLabel*>(slo->objectName() + QStringLiteral("_CARET"));
        QVERIFY(place);
        QTest::keyClick(slo, Qt::Key_F7);
        slo->moveCursor(QTextCursor::Start);
        QStringList visited;
        for (const Qt::KeyboardModifier modifier :
             {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier}) {
            QTest::keyClick(slo, Qt::Key_F8, modifier);
            visited << slo->textCursor().selectedText() + QStringLiteral(" | ") + place->text();
        }
        const QString x = QStringLiteral("x | Line 4, Col 2: undeclared name 'x'");
        const QString foo = QStringLiteral("foo | Line 205, Col 11: unknown function 'foo'");
        QCOMPARE(visited, (QStringList{x, foo, x, foo}));
        // Off the mistake, the place alone.
        slo->moveCursor(QTextCursor::Start);
        QCOMPARE(place->text(), QStringLiteral("Line 1, Col 1"));
    }

    void theMenuItemChecksAndVloLinesCountFromTheHead()
    {
        ProjectApp f("public int player, count;", "count INT 1\r\nplayer INT 3");
        QVERIFY(f.start());
        ScriptEditor* vlo = f.form800().vlo();
        auto* menuList = f.form800().findChild<QListWidget*>(QStringLiteral("VLO_MENU"));
        QVERIFY(menuList);
        const QList<QListWidgetItem*> item =
            menuList->findItems(QStringLiteral("Check script"), Qt::MatchExactly);
        QCOMPARE(item.size(), 1);
        vlo->findChild<EditorMenu*>()->choose(menuList->row(item.first()));
        ProblemsWindow* problems = problemsWindow();
        QVERIFY(problems);
        auto* list = problems->findChild<QTreeView*>(QStringLiteral("ProblemList"));
        QCOMPARE(modelRows(list->model()),
                 QStringList{"warning|VLO|13|1|the generated head already binds 'player' to the player's "
                             "number; this later binding wins, so every player would get the same "
                             "number"});
        QVERIFY(QTest::qWaitForWindowExposed(problems));
        const QPoint row = list->visualRect(list->model()->index(0, 4)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(vlo->textCursor().blockNumber(), 1);
        QCOMPARE(vlo->textCursor().selectedText(), QStringLiteral("player"));
    }

    void typingUnderlinesAfterAPause()
    {
        ProjectApp f("public int player;\r\nevent start(every, 10)\r\n{\r\n}");
        QVERIFY(f.start());
        ScriptEditor* slo = f.form800().slo();
        QTextCursor cursor(slo->document()->findBlockByNumber(2));
        cursor.movePosition(QTextCursor::EndOfBlock);
        slo->setTextCursor(cursor);
        QTest::keyClicks(slo, QStringLiteral(" y = 1;"));
        const auto underlined = [slo](QLatin1String message, QLatin1String text) {
            for (const QTextEdit::ExtraSelection& s : slo->extraSelections()) {
                if (s.format.toolTip() == message)
                    return s.cursor.selectedText() == text && s.format.fontUnderline() == false &&
                           s.format.underlineStyle() == QTextCharFormat::WaveUnderline;
            }
            return false;
        };
        const QLatin1String undeclared("undeclared name 'y'");
        // Not on the keystroke itself: the check waits for a pause and runs off the GUI thread.
        QVERIFY(!underlined(undeclared, QLatin1String("y")));
        QTRY_VERIFY_WITH_TIMEOUT(underlined(undeclared, QLatin1String("y")), 5000);
        QCOMPARE(problemsWindow(), nullptr);
        // Once open, the Problems window follows the typing as well.
        QTest::keyClick(slo, Qt::Key_F7);
        auto* list = problemsWindow()->findChild<QTreeView*>(QStringLiteral("ProblemList"));
        QCOMPARE(modelRows(list->model()).size(), 1);
        QTest::keyClicks(slo, QStringLiteral(" z = 2;"));
        QTRY_COMPARE_WITH_TIMEOUT(
            modelRows(list->model()),
            (QStringList{"error|SLO|3|3|undeclared name 'y'", "error|SLO|3|10|undeclared name 'z'"}), 5000);
        // A refresh keeps the row the author is on.
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClicks(slo, QStringLiteral(" w = 3;"));
        QTRY_COMPARE_WITH_TIMEOUT(modelRows(list->model()).size(), 3, 5000);
        QCOMPARE(list->currentIndex().row(), 1);
        // A ';' missing at the line's end underlines the line's last character.
        QTest::keyClicks(slo, QStringLiteral(" v = 4"));
        QTRY_VERIFY_WITH_TIMEOUT(
            underlined(QLatin1String("missing ';' after the assignment"), QLatin1String("4")), 5000);
    }
};

QRB_TEST(ScriptCheckWindowTest)
#include "tst_scriptcheck.moc"
