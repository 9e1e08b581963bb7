// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/replacebar.h"
#include "editor/scripteditor.h"
#include "editormenu.h"
#include "mainwindow/mainwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>

namespace {

struct Bar {
    ReplaceBar* bar;
    QLineEdit* find() const { return bar->findChild<QLineEdit*>(QStringLiteral("ReplaceFind")); }
    QLineEdit* with() const { return bar->findChild<QLineEdit*>(QStringLiteral("ReplaceWith")); }
    void check(const char* option, bool on) const
    {
        bar->findChild<QCheckBox*>(QLatin1String(option))->setChecked(on);
    }
    void click(const char* button) const
    {
        QTest::mouseClick(bar->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }
    // Types into the boxes as the author does, then clicks the button.
    void run(const QString& findText, const QString& withText, const char* button) const
    {
        find()->selectAll();
        QTest::keyClicks(find(), findText);
        with()->selectAll();
        QTest::keyClicks(with(), withText);
        click(button);
    }
};

// Ctrl+H in the editor opens its bar.
Bar openBar(ScriptEditor* editor)
{
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
    return Bar{editor->findChild<ReplaceBar*>()};
}

int marksInSight(ScriptEditor* editor)
{
    return int(editor->decorations(ScriptEditor::DecorationLayer::SearchMatches).size());
}

} // namespace

class FindReplaceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Replace all of a name in the game's 2.3 AI: the count, one snapshot pair, one Ctrl+Z back.
    void replaceAllInTheGamesAi()
    {
        const QByteArray ai = corpusFile(QStringLiteral("2.3/player0.slo")).replace("\n", "\r\n");
        ProjectApp f(ai, "me INT 0");
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        const QString before = slo->text();
        const Bar bar = openBar(slo);
        QVERIFY(bar.bar && bar.bar->isVisible() && bar.find()->hasFocus());
        bar.run(QStringLiteral("basex"), QStringLiteral("homeX"), "ReplaceAll");
        QCOMPARE(bar.bar->status(), QStringLiteral("Replaced 30 matches"));
        QCOMPARE(slo->text(), QString(before).replace(QStringLiteral("baseX"), QStringLiteral("homeX")));
        QCOMPARE(seekSnapshots(f).size(), 2);
        // The save ran before the replace: the snapshot keeps the file as it was, the project file
        // the text before the replace.
        QCOMPARE(f.root.read(QStringLiteral("prog/backup/") + seekSnapshots(f).first()), ai);
        QCOMPARE(f.work(QStringLiteral("SLO.qrb")), before.toLatin1() + "\r\n");
        slo->setFocus();
        QTest::keyClick(slo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(slo->text().toLatin1(), before.toLatin1());
        // The editor menu's Undo brings it back too, from the snapshot Replace all took.
        QTest::keyClick(slo, Qt::Key_Y, Qt::ControlModifier);
        chooseInMenu(slo, f.form800().sloMenu(), 0);
        QCOMPARE(slo->text(), before);
    }

    // Whole word with letter case, a regular expression with groups and a line break, and the
    // empty matches of ^: each one Replace all and one Ctrl+Z.
    void wholeWordAndRegularExpressions()
    {
        ProjectApp f("count Count counter count_2 recount count\r\nnum[1] = num[12];\r\nx");
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        const QString original = slo->text();
        const Bar bar = openBar(slo);
        struct Case {
            bool matchCase, wholeWord, regex;
            const char *find, *with, *result, *status;
        };
        const Case cases[] = {
            {true, true, false, "count", "n", "n Count counter count_2 recount n\r\nnum[1] = num[12];\r\nx",
             "Replaced 2 matches"},
            {false, true, false, "COUNT", "n", "n n counter count_2 recount n\r\nnum[1] = num[12];\r\nx",
             "Replaced 3 matches"},
            {false, false, true, "(\\w+)\\[(\\d+)\\]", "\\2:\\1\\n",
             "count Count counter count_2 recount count\r\n1:num\r\n = 12:num\r\n;\r\nx",
             "Replaced 2 matches"},
            {false, false, true, "^", "// ",
             "// count Count counter count_2 recount count\r\n// num[1] = num[12];\r\n// x",
             "Replaced 3 matches"},
        };
        for (const Case& c : cases) {
            bar.check("MatchCase", c.matchCase);
            bar.check("WholeWord", c.wholeWord);
            bar.check("RegularExpression", c.regex);
            bar.run(QLatin1String(c.find), QLatin1String(c.with), "ReplaceAll");
            QCOMPARE(slo->text(), QLatin1String(c.result));
            QCOMPARE(bar.bar->status(), QLatin1String(c.status));
            slo->undo();
            QCOMPARE(slo->text(), original);
        }
    }

    // A bad regular expression is named, and nothing is saved or replaced.
    void badRegularExpression()
    {
        ProjectApp f("a(b");
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        const Bar bar = openBar(slo);
        bar.check("RegularExpression", true);
        bar.run(QStringLiteral("a(b"), QStringLiteral("x"), "ReplaceAll");
        QCOMPARE(bar.bar->status(),
                 QStringLiteral("Bad regular expression: missing closing parenthesis at character 4"));
        bar.click("FindNext");
        bar.click("ReplaceOne");
        QCOMPARE(slo->text(), QStringLiteral("a(b"));
        QVERIFY(seekSnapshots(f).isEmpty());
        QCOMPARE(bar.find()->palette().color(QPalette::Base), QColor(255, 200, 200));
        bar.check("RegularExpression", false);
        bar.click("ReplaceAll");
        QCOMPARE(slo->text(), QStringLiteral("x"));
    }

    // Next and Previous go round the text, every match in sight is marked, Replace replaces the
    // selected match and goes on, Escape closes the bar and clears the marks.
    void findNextReplaceOneAndMarks()
    {
        QByteArray text;
        for (int i = 1; i <= 300; ++i)
            text +=
                (i == 2 || i == 150 || i == 151 ? "droid = " : "other = ") + QByteArray::number(i) + "\r\n";
        ProjectApp f(text.chopped(2));
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        Bar bar = openBar(slo);
        bar.find()->setText(QStringLiteral("DROID"));
        QTRY_COMPARE(bar.bar->status(), QStringLiteral("3 matches"));
        QTRY_COMPARE(marksInSight(slo), 1);
        QTest::keyClick(bar.find(), Qt::Key_Return);
        QCOMPARE(slo->textCursor().blockNumber(), 1);
        QTest::keyClick(bar.find(), Qt::Key_Return);
        // A line out of sight comes to the middle, and the marks follow the view.
        QCOMPARE(slo->textCursor().blockNumber(), 149);
        QVERIFY(inTheMiddle(slo));
        QTRY_COMPARE(marksInSight(slo), 2);
        // While the bar is open, F3 and Shift+F3 go through its matches, not the TEXT box's.
        f.form800().textSeeker()->setText(QStringLiteral("other"));
        slo->setFocus();
        QTest::keyClick(slo, Qt::Key_F3);
        QCOMPARE(slo->textCursor().blockNumber(), 150);
        QTest::keyClick(slo, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(slo->textCursor().blockNumber(), 149);
        QCOMPARE(slo->textCursor().selectedText(), QStringLiteral("droid"));
        QTest::keyClick(bar.find(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(slo->textCursor().blockNumber(), 1);
        QTest::keyClick(bar.find(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(bar.bar->status(), QStringLiteral("Continued from the bottom"));
        QCOMPARE(slo->textCursor().blockNumber(), 150);

        bar.with()->setText(QStringLiteral("unit"));
        bar.click("ReplaceOne");
        QCOMPARE(slo->document()->findBlockByNumber(150).text(), QStringLiteral("unit = 151"));
        QCOMPARE(bar.bar->status(), QStringLiteral("Continued from the top"));
        QCOMPARE(slo->textCursor().selectedText(), QStringLiteral("droid"));
        QCOMPARE(slo->textCursor().blockNumber(), 1);
        QCOMPARE(seekSnapshots(f).size(), 2 * 7);

        QTest::keyClick(bar.find(), Qt::Key_Escape);
        QVERIFY(!bar.bar->isVisible());
        QCOMPARE(marksInSight(slo), 0);
        QCOMPARE(f.form800().focusWidget(), slo);
    }

    // Ctrl+R and the editors' menu row open the bar too, with the word at the caret or the
    // selection; Tab stays in the bar.
    void otherWaysInAndTab()
    {
        ProjectApp f("first second", "alpha beta\r\ngamma");
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        w.slo()->setCaret(12);
        w.slo()->setFocus();
        QTest::keyClick(w.slo(), Qt::Key_R, Qt::ControlModifier);
        const Bar sloBar{w.slo()->findChild<ReplaceBar*>()};
        QCOMPARE(sloBar.find()->text(), QStringLiteral("second"));
        QTest::keyClick(sloBar.find(), Qt::Key_Tab);
        QVERIFY(sloBar.with()->hasFocus());
        QCOMPARE(w.slo()->text(), QStringLiteral("first second"));

        w.vlo()->setSelection(6, 4);
        const QList<QListWidgetItem*> row =
            w.vloMenu()->findItems(QStringLiteral("Find and replace"), Qt::MatchExactly);
        QCOMPARE(row.size(), 1);
        chooseInMenu(w.vlo(), w.vloMenu(), w.vloMenu()->row(row.first()));
        const Bar vloBar{w.vlo()->findChild<ReplaceBar*>()};
        QVERIFY(vloBar.bar->isVisible());
        QCOMPARE(vloBar.find()->text(), QStringLiteral("beta"));
        // Escape in the editor closes its bar too.
        w.vlo()->setFocus();
        QTest::keyClick(w.vlo(), Qt::Key_Escape);
        QVERIFY(!vloBar.bar->isVisible());
        QVERIFY(sloBar.bar->isVisible());
    }
};

QRB_TEST(FindReplaceTest)

#include "tst_findreplace.moc"
