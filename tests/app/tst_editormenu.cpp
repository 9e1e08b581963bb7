#include "support/appfixture.h"
#include "mainwindow/hiddentextbuffer.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"
#include "tst_editing.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QTest>

void rightPress(ScriptEditor* editor, QPoint at)
{
    QTest::mousePress(editor->viewport(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(editor->viewport(), Qt::RightButton, Qt::NoModifier, at);
}

void chooseMenuItem(QListWidget* list, int row)
{
    QVERIFY(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

QStringList seekSnapshots(const AppFixture& f)
{
    return f.root.entries(QStringLiteral("prog/backup")).filter(QStringLiteral("_BEFORESEEK"));
}

void EditorMenuTest::snapshotKeysFollowTheLayout()
{
    AppFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    for (MainWindow* w : {&f.form800(), f.bench->ensureForm1024()}) {
        const bool small = w == &f.form800();
        if (!small)
            f.click(f.form800(), QStringLiteral("Command6"));
        for (ScriptEditor* editor : {w->slo(), w->vlo()}) {
            HiddenTextBuffer* undo = editor == w->slo() ? w->sloUndo() : w->vloUndo();
            undo->setText(QStringLiteral("before"));
            editor->setText(QStringLiteral("abc"));
            editor->setCaret(3);
            QTest::keyClick(editor, Qt::Key_Q);
            QCOMPARE(undo->text(), QStringLiteral("before"));
            QTest::keyClick(editor, Qt::Key_Backspace);
            QCOMPARE(editor->text(), QStringLiteral("abc"));
            // Backspace takes no snapshot only in the 1024 layout's SLO.
            const bool snapshots = small || editor == w->vlo();
            QCOMPARE(undo->text(), snapshots ? QStringLiteral("abcq") : QStringLiteral("before"));
            QTest::keyClick(editor, Qt::Key_Return);
            QCOMPARE(undo->text(), QStringLiteral("abc"));
            editor->setCaret(0);
            QTest::keyClick(editor, Qt::Key_Delete, Qt::ShiftModifier);
            QCOMPARE(undo->text(), QStringLiteral("abc\r\n"));
            QTest::keyClick(editor, Qt::Key_F10);
            QTest::keyClick(editor, Qt::Key_F11);
            QCOMPARE(undo->text(), QStringLiteral("abc\r\n"));
        }
    }
}

void EditorMenuTest::deleteThenUndoKeepsTheCaretOfTheUndo()
{
    AppFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    ScriptEditor* slo = w.slo();
    slo->setText(QStringLiteral("hello world"));
    slo->setCaret(5);
    QTest::keyClick(slo, Qt::Key_Delete);
    QTest::keyClicks(slo, QStringLiteral("XYZ"));
    QCOMPARE(slo->text(), QStringLiteral("helloXYZworld"));
    slo->setCaret(2);
    rightPress(slo);
    chooseMenuItem(w.sloMenu(), 0);
    QCOMPARE(slo->text(), QStringLiteral("hello world"));
    QCOMPARE(slo->selectionStart(), 2);
    QCOMPARE(slo->selectionLength(), 0);
    QVERIFY(!w.sloMenu()->isVisible());
    QCOMPARE(w.focusWidget(), slo);

    // A caret past the end of the restored text ends up at its end; Undo restores the same
    // snapshot again, and the editor's own Ctrl+Z takes the menu's Undo back.
    slo->setCaret(11);
    QTest::keyClicks(slo, QStringLiteral("++"));
    rightPress(slo);
    chooseMenuItem(w.sloMenu(), 0);
    QCOMPARE(slo->text(), QStringLiteral("hello world"));
    QCOMPARE(slo->selectionStart(), 11);
    QCOMPARE(w.sloUndo()->text(), QStringLiteral("hello world"));
    QTest::keyClick(slo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(slo->text(), QStringLiteral("hello world++"));
}

void EditorMenuTest::undoNeedsASnapshotButAnEmptyOneCounts()
{
    AppFixture f;
    f.prepareProject("", "", "notes");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    // Start-up took the snapshot of the empty loaded script: Undo goes back to it.
    QTest::keyClicks(w.slo(), QStringLiteral("abc"));
    rightPress(w.slo());
    chooseMenuItem(w.sloMenu(), 0);
    QCOMPARE(w.slo()->text(), QString());
    // The notes window has no snapshot until Enter or Delete: Undo leaves the text.
    f.click(w, QStringLiteral("Command10"));
    NotesWindow* notes = f.bench->notesWindow();
    QTest::keyClicks(notes->editor(), QStringLiteral("X"));
    rightPress(notes->editor());
    chooseMenuItem(notes->menuList(), 0);
    QCOMPARE(notes->editor()->text(), QStringLiteral("Xnotes"));
    QVERIFY(!notes->menuList()->isVisible());
}

void EditorMenuTest::menuOpensAtThePointerAndHides()
{
    AppFixture f;
    f.prepareProject("some text", "", "");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    rightPress(w.slo(), QPoint(30, 40));
    QVERIFY(w.sloMenu()->isVisible());
    QVERIFY(!w.vloMenu()->isVisible());
    QCOMPARE(w.sloMenu()->pos(), w.slo()->viewport()->mapTo(&w, QPoint(30, 40)));
    // All five items lie inside the list.
    QVERIFY(w.sloMenu()->viewport()->rect().contains(w.sloMenu()->visualItemRect(w.sloMenu()->item(4))));

    QTest::mousePress(w.slo()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!w.sloMenu()->isVisible());

    // Near the bottom-right corner the list reaches out of the editor.
    const QPoint corner = w.vlo()->viewport()->rect().bottomRight() - QPoint(3, 3);
    rightPress(w.vlo(), corner);
    QCOMPARE(w.vloMenu()->pos(), w.vlo()->viewport()->mapTo(&w, corner));
    QVERIFY(w.vloMenu()->geometry().right() > w.vlo()->geometry().right());
    QVERIFY(w.vloMenu()->geometry().bottom() > w.vlo()->geometry().bottom());
    chooseMenuItem(w.vloMenu(), 1);
    QVERIFY(w.vloMenu()->isVisible());
    QTest::mousePress(w.vlo()->viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!w.vloMenu()->isVisible());
    QCOMPARE(w.slo()->text(), QStringLiteral("some text"));
}

void EditorMenuTest::clipboardUse()
{
    AppFixture f;
    f.prepareProject("one\r\ntwo\r\nthree", "", "n1\r\nn2");
    QVERIFY(f.start());
    MainWindow& w = f.form800();
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto fill = [clipboard] {
        auto* data = new QMimeData;
        data->setText(QStringLiteral("old"));
        data->setHtml(QStringLiteral("<b>old</b>"));
        data->setData(QStringLiteral("application/x-qrb-test"), "blob");
        clipboard->setMimeData(data);
    };

    fill();
    w.slo()->setSelection(5, 7);
    rightPress(w.slo());
    chooseMenuItem(w.sloMenu(), 2);
    QCOMPARE(clipboard->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
    QCOMPARE(clipboard->text(), QStringLiteral("two\nth"));
    QCOMPARE(w.slo()->text(), QStringLiteral("one\r\ntwo\r\nthree"));

    w.slo()->setSelection(0, 5);
    rightPress(w.slo());
    chooseMenuItem(w.sloMenu(), 3);
    QCOMPARE(clipboard->text(), QStringLiteral("one\n"));
    QCOMPARE(w.slo()->text(), QStringLiteral("two\r\nthree"));

    clipboard->setText(QStringLiteral("P\nQ"));
    w.slo()->setSelection(3, 2);
    rightPress(w.slo());
    chooseMenuItem(w.sloMenu(), 4);
    QCOMPARE(w.slo()->text(), QStringLiteral("twoP\r\nQthree"));
    clipboard->clear();
    w.slo()->setSelection(0, 4);
    rightPress(w.slo());
    chooseMenuItem(w.sloMenu(), 4);
    QCOMPARE(w.slo()->text(), QStringLiteral("\r\nQthree"));

    // The notes keep other data on the clipboard; the old text in any form is replaced.
    fill();
    f.click(w, QStringLiteral("Command10"));
    NotesWindow* notes = f.bench->notesWindow();
    notes->editor()->setSelection(0, 4);
    rightPress(notes->editor());
    chooseMenuItem(notes->menuList(), 3);
    QStringList formats = clipboard->mimeData()->formats();
    formats.sort();
    QCOMPARE(formats, (QStringList{QStringLiteral("application/x-qrb-test"), QStringLiteral("text/plain")}));
    QCOMPARE(clipboard->mimeData()->data(QStringLiteral("application/x-qrb-test")), QByteArray("blob"));
    QCOMPARE(clipboard->text(), QStringLiteral("n1\n"));
    QCOMPARE(f.bench->notes().text(), QStringLiteral("n2"));
}

QRB_TEST(EditorMenuTest)
