// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/linenumbergutter.h"
#include "editor/scripteditor.h"
#include "editormenu.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "mainwindow/signwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBlock>

namespace {

LineNumberGutter* gutterOf(ScriptEditor* editor)
{
    return editor->findChild<LineNumberGutter*>(editor->objectName() + QStringLiteral("_LINES"));
}

QString caretOf(ScriptEditor* editor)
{
    return editor->findChild<QLabel*>(editor->objectName() + QStringLiteral("_CARET"))->text();
}

void key(QWidget* target, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(target, static_cast<Qt::Key>(k), modifiers);
}

} // namespace

class CodeEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The gutter shows the numbers go to line uses, in both editors, at the widths they need.
    void gutterMatchesGoToLine()
    {
        for (const int lines : {9, 100000}) {
            ProjectApp f(numberedLines(lines), numberedLines(lines));
            QVERIFY(f.start());
            MainWindow& w = f.form800();
            const QList<int> wanted = lines == 9 ? QList<int>{1, 9} : QList<int>{9, 99999, 100000};
            for (const int n : wanted) {
                w.lineBox()->setText(QString::number(n));
                f.click(w, QStringLiteral("Command8"));
                const QTextCursor slo = w.slo()->textCursor();
                QCOMPARE(gutterOf(w.slo())->numberOfLine(slo.blockNumber()), n);
                QCOMPARE(slo.selectedText(), QStringLiteral("line %1").arg(n));
                // The game's playerN.vlo has 11 head lines: its line n + 11 is VLO line n.
                w.lineBox()->setText(QString::number(qMin(n, lines) + 11));
                f.click(w, QStringLiteral("Command9"));
                const QTextCursor vlo = w.vlo()->textCursor();
                QCOMPARE(vlo.selectedText(), QStringLiteral("line %1").arg(n));
                QCOMPARE(gutterOf(w.vlo())->numberOfLine(vlo.blockNumber()), n + 11);
            }
            QCOMPARE(gutterOf(w.slo())->width(), w.slo()->viewport()->x() - w.slo()->contentsRect().x());
        }
    }

    void gutterClickSelectsTheLineAndTheCaretPlaceFollows()
    {
        ProjectApp f("first\r\n\tsecond line\r\nthird");
        QVERIFY(f.start());
        ScriptEditor* slo = f.form800().slo();
        LineNumberGutter* gutter = gutterOf(slo);
        const QRect second = slo->cursorRect(QTextCursor(slo->document()->findBlockByNumber(1)));
        QTest::mouseClick(gutter, Qt::LeftButton, Qt::NoModifier, QPoint(4, second.center().y()));
        QCOMPARE(slo->selectedText(), QStringLiteral("\tsecond line"));
        QCOMPARE(caretOf(slo), QStringLiteral("Line 2, Col 13"));
        QTest::keyClicks(slo, QStringLiteral("x"));
        QCOMPARE(caretOf(slo), QStringLiteral("Line 2, Col 2"));
        const QRect third = slo->cursorRect(QTextCursor(slo->document()->findBlockByNumber(2)));
        QTest::mouseClick(slo->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(third.x() + 1, third.center().y()));
        QCOMPARE(caretOf(slo), QStringLiteral("Line 3, Col 1"));
        f.form800().textSeeker()->setText(QStringLiteral("IRD"));
        f.click(f.form800(), QStringLiteral("Command12"));
        QCOMPARE(caretOf(slo), QStringLiteral("Line 3, Col 6"));
    }

    // The caret's line and the bracket pair are drawn; a bracket in a comment does not pair.
    void caretLineAndBracketPair()
    {
        ProjectApp f("x\r\nif (a /* ) */ ) {");
        QVERIFY(f.start());
        ScriptEditor* slo = f.form800().slo();
        slo->setCaret(6); // before "(" on the second line
        QStringList marks;
        for (const QTextEdit::ExtraSelection& s : slo->extraSelections())
            marks.append(
                s.format.property(QTextFormat::FullWidthSelection).toBool()
                    ? QStringLiteral("line %1").arg(s.cursor.blockNumber() + 1)
                    : QStringLiteral("%1-%2").arg(s.cursor.selectionStart()).arg(s.cursor.selectionEnd()));
        QCOMPARE(marks.join(u' '), QStringLiteral("line 2 5-6 16-17"));
    }

    // Ctrl+S leaves the same project files, snapshots and sign as a click on SAVE.
    void ctrlSSavesAsSaveDoes()
    {
        QList<QStringList> seen;
        for (const bool byKey : {false, true}) {
            ProjectApp f("script", "vars", "notes");
            QVERIFY(f.startActive());
            MainWindow& w = f.form800();
            QTest::keyClicks(w.slo(), QStringLiteral("new "));
            f.clock.set(QTime(11, 2, 3), QDate(2026, 12, 5));
            if (byKey)
                key(w.slo(), Qt::Key_S, Qt::ControlModifier);
            else
                f.click(w, QStringLiteral("Command4"));
            QStringList state = f.root.entries(QStringLiteral("prog/backup"));
            for (const char* name : {"SLO.qrb", "VLO.qrb", "Notes.qrb"})
                state.append(QString::fromLatin1(f.work(QLatin1String(name))));
            seen.append(
                state << QString::number(f.bench->signWindow() && f.bench->signWindow()->isVisible()));
        }
        QCOMPARE(seen[1], seen[0]);
        QVERIFY(seen[0].contains(QStringLiteral("SLO.qrb5.12.2026_11-2-3_MANUAL")));
        QCOMPARE(seen[0].mid(seen[0].size() - 4),
                 QStringList({QStringLiteral("new script\r\n"), QStringLiteral("vars\r\n"),
                              QStringLiteral("notes\r\n"), QStringLiteral("1")}));
    }

    void findKeysSearchInTheEditorLastUsed()
    {
        ProjectApp f("alpha beta Alpha gamma alpha", "one\r\ntwo\r\nthree");
        QVERIFY(f.startActive());
        MainWindow& w = f.form800();
        ScriptEditor* slo = w.slo();
        slo->setFocus();
        slo->setCaret(2);
        key(slo, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(w.textSeeker()->text(), QStringLiteral("alpha"));
        QCOMPARE(QApplication::focusWidget(), w.textSeeker());
        key(w.textSeeker(), Qt::Key_F3);
        QCOMPARE(slo->selectionStart(), 11);
        QCOMPARE(slo->selectedText(), QStringLiteral("Alpha"));
        key(slo, Qt::Key_F3);
        QCOMPARE(slo->selectionStart(), 23);
        key(slo, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(slo->selectionStart(), 11);
        // Enter in TEXT_SEEKER searches on; Escape goes back to the editor.
        key(slo, Qt::Key_F, Qt::ControlModifier);
        key(w.textSeeker(), Qt::Key_Return);
        QCOMPARE(slo->selectionStart(), 23);
        key(slo, Qt::Key_F, Qt::ControlModifier);
        key(w.textSeeker(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), slo);
        // Ctrl+G, a number and Enter go to the line in VLO once VLO has been used.
        w.vlo()->setFocus();
        key(w.vlo(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), w.lineBox());
        QTest::keyClicks(w.lineBox(), QStringLiteral("13"));
        key(w.lineBox(), Qt::Key_Return);
        QCOMPARE(w.vlo()->selectedText(), QStringLiteral("two"));
        // Each move saved first, as the buttons do.
        QVERIFY(
            !f.root.entries(QStringLiteral("prog/backup")).filter(QStringLiteral("_BEFORESEEK")).isEmpty());
        // The search controls in tab order; SAVE's tooltip names its key and is read aloud with it.
        w.textSeeker()->setFocus();
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 7; ++i) {
            key(QApplication::focusWidget(), Qt::Key_Tab);
            order.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(order.join(u' '),
                 QStringLiteral(
                     "TEXT_SEEKER Command12 NEXT_SEEK_CMD Command11 Command13 LINEINT1 Command8 Command9"));
        QVERIFY(w.control(QStringLiteral("Command4"))->toolTip().contains(QStringLiteral("Ctrl+S")));
        QCOMPARE(w.control(QStringLiteral("Command4"))->accessibleName(),
                 w.control(QStringLiteral("Command4"))->toolTip());
    }

    void enterKeepsIndentationAndTabIndentsLines()
    {
        ProjectApp f("\tif (x) {\r\na\r\nb\r\nc");
        QVERIFY(f.startActive());
        ScriptEditor* slo = f.form800().slo();
        slo->setFocus();
        slo->setCaret(9);
        key(slo, Qt::Key_Return);
        QTest::keyClicks(slo, QStringLiteral("y;"));
        QCOMPARE(slo->text(), QStringLiteral("\tif (x) {\r\n\ty;\r\na\r\nb\r\nc"));
        // One undo step takes back the line break with its indentation.
        slo->undo();
        slo->undo();
        QCOMPARE(slo->text(), QStringLiteral("\tif (x) {\r\na\r\nb\r\nc"));
        slo->setSelection(12, 4); // from "a" into "b"
        key(slo, Qt::Key_Tab);
        QCOMPARE(slo->text(), QStringLiteral("\tif (x) {\r\n\ta\r\n\tb\r\nc"));
        key(slo, Qt::Key_Backtab, Qt::ShiftModifier);
        key(slo, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(slo->text(), QStringLiteral("\tif (x) {\r\na\r\nb\r\nc"));
        // With nothing selected Tab types a tab.
        slo->setCaret(0);
        key(slo, Qt::Key_Tab);
        QCOMPARE(slo->text(), QStringLiteral("\t\tif (x) {\r\na\r\nb\r\nc"));
    }

    void escapeClosesTheNotesAndTheHelp()
    {
        ProjectApp f;
        QVERIFY(f.startActive());
        f.click(f.form800(), QStringLiteral("Command10"));
        f.click(f.form800(), QStringLiteral("Command15"));
        QPointer<QWidget> notes = f.bench->notesWindow();
        QPointer<QWidget> help = shownWindow("HELP1");
        for (const QPointer<QWidget>& window : {notes, help}) {
            QVERIFY(window && window->isVisible());
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            key(window->focusWidget() ? window->focusWidget() : window.data(), Qt::Key_Escape);
            QTRY_VERIFY(!window || !window->isVisible());
        }
    }

    // The menu's three rows switch every code editor of both layouts, show their state, and are
    // kept in QRB_VIEW.INI across a restart.
    void viewSettingsFromTheMenu()
    {
        ProjectApp f("event e(every, 10) {}");
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        QListWidget* menu = w.sloMenu();
        QVERIFY(!QFile::exists(f.root.file(QStringLiteral("prog/QRB_VIEW.INI"))));

        chooseInMenu(w.slo(), menu, 5);
        QVERIFY(!menu->isVisible());
        QVERIFY(!gutterOf(w.slo())->isVisible());
        QVERIFY(!gutterOf(w.vlo())->isVisible());
        QCOMPARE(w.slo()->viewport()->x(), w.slo()->contentsRect().x());
        chooseInMenu(w.vlo(), w.vloMenu(), 7);
        QCOMPARE(w.slo()->font().family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(w.vloMenu()->item(5)->checkState(), Qt::Unchecked);
        QCOMPARE(menu->item(7)->checkState(), Qt::Checked);
        QCOMPARE(f.root.read(QStringLiteral("prog/QRB_VIEW.INI")),
                 QByteArray("[View]\nFixedWidthFont=true\nHighlighting=true\nLineNumbers=false\n"));

        f.click(w, QStringLiteral("Image8"));
        MainWindow* wide = f.bench->form1024();
        QVERIFY(wide && wide->isVisible());
        QVERIFY(!gutterOf(wide->slo())->isVisible());
        QCOMPARE(wide->slo()->font().family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(wide->sloMenu()->item(5)->checkState(), Qt::Unchecked);

        f.bench.reset();
        QVERIFY(f.start());
        QVERIFY(!gutterOf(f.form800().slo())->isVisible());
        QCOMPARE(f.form800().sloMenu()->item(7)->checkState(), Qt::Checked);
        QCOMPARE(f.form800().slo()->font().family(), QStringLiteral("DejaVu Sans Mono"));
    }

    void viewSettingsThatCannotBeWrittenAreToldOnce()
    {
        ProjectApp f;
        f.root.mkdir(QStringLiteral("prog/QRB_VIEW.INI"));
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        f.dialogs.clear();
        chooseInMenu(w.slo(), w.sloMenu(), 6);
        chooseInMenu(w.slo(), w.sloMenu(), 6);
        QCOMPARE(f.dialogs.shown().size(), 1);
        QCOMPARE(f.dialogs.shown()[0].title, QStringLiteral("VIEW SETTINGS NOT SAVED"));
        QVERIFY(f.dialogs.shown()[0].text.contains(QStringLiteral("QRB_VIEW.INI")));
        QCOMPARE(w.sloMenu()->item(6)->checkState(), Qt::Checked);
    }
};

QRB_TEST(CodeEditorTest)

#include "tst_codeeditor.moc"
