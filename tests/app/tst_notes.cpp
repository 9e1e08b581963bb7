#include "support/appfixture.h"
#include "mainwindow/hiddentextbuffer.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "mainwindow/scripteditor.h"
#include "platform/twips.h"
#include "support/testregistry.h"
#include "tst_editing.h"

#include <QListWidget>
#include <QTest>

void NotesTest::selectionsGoToTheTopNewestFirst()
{
    AppFixture f;
    f.prepareProject("alpha beta", "v1", "old notes");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    const QString& notes = f.bench->notes().text();
    w.slo()->setSelection(0, 5);
    QTest::keyClick(w.slo(), Qt::Key_F10);
    // The notes window is created for it, but not shown.
    QVERIFY(f.bench->notesWindow());
    QVERIFY(!f.bench->notesWindow()->isVisible());
    QCOMPARE(notes, QStringLiteral("alpha\r\nold notes"));
    QCOMPARE(w.slo()->selectedText(), QStringLiteral("alpha"));
    w.vlo()->setSelection(0, 2);
    QTest::keyClick(w.vlo(), Qt::Key_F11);
    QCOMPARE(notes, QStringLiteral("v1\r\nalpha\r\nold notes"));
    QTest::keyClick(w.vlo(), Qt::Key_F10);
    QTest::keyClick(w.slo(), Qt::Key_F11);
    QCOMPARE(notes, QStringLiteral("v1\r\nalpha\r\nold notes"));
    w.slo()->setCaret(3);
    f.click(w, QStringLiteral("Label2"));
    w.vlo()->setSelection(1, 1);
    f.click(w, QStringLiteral("Label3"));
    QCOMPARE(notes, QStringLiteral("1\r\n\r\nv1\r\nalpha\r\nold notes"));
    f.click(w, QStringLiteral("Command10"));
    QVERIFY(f.bench->notesWindow()->isVisible());
    QCOMPARE(f.bench->notesWindow()->editor()->text(), notes);
}

void NotesTest::closingKeepsTheTextForTheNextOpening()
{
    AppFixture f;
    f.prepareProject("sel", "", "keep");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    f.click(w, QStringLiteral("Command10"));
    QPointer<NotesWindow> first = f.bench->notesWindow();
    QCOMPARE(first->objectName(), QStringLiteral("CORE"));
    QCOMPARE(first->windowTitle(), QStringLiteral("Runtime Notes"));
    first->editor()->setCaret(4);
    QTest::keyClicks(first->editor(), QStringLiteral("!"));
    QCOMPARE(f.bench->notes().text(), QStringLiteral("keep!"));
    // Command10 brings a minimised or maximised window back at its normal size.
    first->showMinimized();
    f.click(w, QStringLiteral("Command10"));
    QVERIFY(first->isVisible() && !first->isMinimized());
    first->showMaximized();
    f.click(w, QStringLiteral("Command10"));
    QVERIFY(!first->isMaximized());
    QVERIFY(w.isEnabled());

    first->close();
    QTRY_VERIFY(!first);
    QVERIFY(!f.bench->notesWindow());
    w.slo()->setSelection(0, 3);
    f.click(w, QStringLiteral("Label2"));
    f.click(w, QStringLiteral("Command10"));
    QCOMPARE(f.bench->notesWindow()->editor()->text(), QStringLiteral("sel\r\nkeep!"));
    f.click(w, QStringLiteral("Command4"));
    QCOMPARE(f.work(QStringLiteral("Notes.qrb")), QByteArray("sel\r\nkeep!\r\n"));
}

void NotesTest::undoInTheNotes()
{
    AppFixture f;
    f.prepareProject("", "", "Xabc");
    QVERIFY(f.start());
    f.click(f.form800(), QStringLiteral("Command10"));
    NotesWindow* notes = f.bench->notesWindow();
    ScriptEditor* text1 = notes->editor();
    text1->setCaret(1);
    QTest::keyClick(text1, Qt::Key_Return);
    QCOMPARE(notes->undoBox()->text(), QStringLiteral("Xabc"));
    QTest::keyClicks(text1, QStringLiteral("YZ"));
    QCOMPARE(text1->text(), QStringLiteral("X\r\nYZabc"));
    rightPress(text1);
    chooseMenuItem(notes->menuList(), 0);
    QCOMPARE(text1->text(), QStringLiteral("Xabc"));
    QCOMPARE(text1->selectionStart(), 4);
    QCOMPARE(f.bench->notes().text(), QStringLiteral("Xabc"));
    text1->setCaret(0);
    QTest::keyClick(text1, Qt::Key_Delete);
    QTest::keyClick(text1, Qt::Key_Backspace);
    QCOMPARE(notes->undoBox()->text(), QStringLiteral("Xabc"));
    rightPress(text1);
    chooseMenuItem(notes->menuList(), 0);
    QCOMPARE(text1->text(), QStringLiteral("Xabc"));
}

void NotesTest::outsideChangesShowAndCanBeTakenBack()
{
    AppFixture f;
    f.prepareProject("", "", "line one\r\nline two");
    QVERIFY(f.start());
    f.click(f.form800(), QStringLiteral("Command10"));
    ScriptEditor* text1 = f.bench->notesWindow()->editor();
    text1->setCaret(3);
    // As the backup preview does: text added to the notes while the window is open.
    f.bench->notes().setText(f.bench->notes().text() + QStringLiteral("\r\nappended"));
    QCOMPARE(text1->text(), QStringLiteral("line one\r\nline two\r\nappended"));
    QCOMPARE(text1->selectionStart(), 3);
    QTest::keyClick(text1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text1->text(), QStringLiteral("line one\r\nline two"));
    QCOMPARE(f.bench->notes().text(), QStringLiteral("line one\r\nline two"));
}

void NotesTest::editorFillsTheWindow()
{
    AppFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    f.click(f.form800(), QStringLiteral("Command10"));
    NotesWindow* notes = f.bench->notesWindow();
    ScriptEditor* text1 = notes->editor();
    QCOMPARE(text1->pos(), QPoint(0, 0));
    const QSize frame = notes->frameGeometry().size() - notes->geometry().size();
    auto expect = [&](int outerPixels, double margin) { return twips::toPixels(outerPixels * 15 - margin); };
    notes->resize(600, 400);
    QCOMPARE(text1->size(), QSize(expect(600 + frame.width(), 110), expect(400 + frame.height(), 520)));
    // Too small for the height margin: only the width follows.
    notes->resize(300, 20 - frame.height());
    QCOMPARE(text1->size(), QSize(expect(300 + frame.width(), 110), expect(400 + frame.height(), 520)));
}

QRB_TEST(NotesTest)
