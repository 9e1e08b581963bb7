// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "editormenu.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>

namespace {

// Typed into TEXT_SEEKER (LINEINT1 for Command8 and Command9), the button, then the selection's start
// in the CR LF text, the selected text and SeekPosition afterwards.
using Move = std::tuple<const char*, const char*, int, const char*, int>;

// Runs the moves one second apart from 10:00:`first`, each of which must leave its own "_BEFORESEEK" pair.
void runMoves(AppFixture& f, int first, const QList<Move>& moves)
{
    MainWindow& w = f.form800();
    for (int i = first; const auto& [input, name, start, selected, seekPosition] : moves) {
        const QString button = QString::fromLatin1(name);
        const bool line = button == QLatin1String("Command8") || button == QLatin1String("Command9");
        (line ? w.lineBox() : w.textSeeker())->setText(QString::fromLatin1(input));
        f.clock.set(QTime(10, 0, i++), QDate(2026, 12, 5));
        f.click(w, button);
        const bool inVlo = QStringLiteral("Command11 Command13 Command9").split(u' ').contains(button);
        ScriptEditor* editor = inVlo ? w.vlo() : w.slo();
        const QLatin1String typed(input);
        auto show = [&](int at, const QString& text, int position) {
            return QStringLiteral("%1 %2: %3 '%4' %5")
                .arg(typed, button, QString::number(at), text, QString::number(position));
        };
        QCOMPARE(show(editor->selectionStart(), editor->selectedText(), f.bench->state().seekPosition),
                 show(start, QLatin1String(selected), seekPosition));
        QCOMPARE(w.focusWidget(), editor);
    }
    QCOMPARE(seekSnapshots(f).size(), 2 * (first + moves.size()));
}

} // namespace

class EditingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void snapshotKeys()
    {
        ProjectApp f;
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        f.click(w, QStringLiteral("Command10"));
        NotesWindow* notes = f.bench->notesWindow();
        // Backspace takes a snapshot in all but the 1024 layout's SLO and the notes.
        auto check = [](ScriptEditor* editor, HiddenTextBuffer* undo, bool backspace) {
            undo->setText(QStringLiteral("before"));
            editor->setText(QStringLiteral("abc"));
            editor->setCaret(3);
            QStringList seen{editor->window()->objectName() + u' ' + editor->objectName()};
            for (const Qt::Key key :
                 {Qt::Key_Q, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete}) {
                QTest::keyClick(editor, key);
                seen.append(undo->text());
            }
            QCOMPARE(seen.join(u'|'), (QStringList{seen[0], "before", backspace ? "abcq" : "before", "abc",
                                                   "abc\r\n", "abc\r\n\r\n"}
                                           .join(u'|')));
        };
        check(w.slo(), w.sloUndo(), true);
        check(w.vlo(), w.vloUndo(), true);
        check(notes->editor(), notes->undoBox(), false);
        f.click(w, QStringLiteral("Command6"));
        MainWindow& wide = *f.bench->ensureForm1024();
        check(wide.slo(), wide.sloUndo(), false);
        check(wide.vlo(), wide.vloUndo(), true);
    }

    void menuUndoAndClipboard()
    {
        ProjectApp f("", "", "n1\r\nn2");
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        ScriptEditor* slo = w.slo();
        // Start-up took the snapshot of the empty loaded script: Undo goes back to it.
        QTest::keyClicks(slo, QStringLiteral("abc"));
        chooseInMenu(slo, w.sloMenu(), 0);
        QCOMPARE(slo->text(), QString());
        slo->setText(QStringLiteral("hello world"));
        slo->setCaret(5);
        QTest::keyClick(slo, Qt::Key_Delete);
        QTest::keyClicks(slo, QStringLiteral("XYZ"));
        slo->setCaret(10); // after the change, which would move it to 8
        chooseInMenu(slo, w.sloMenu(), 0);
        QCOMPARE(slo->text(), QStringLiteral("hello world"));
        QCOMPARE(slo->selectionStart(), 10);
        QVERIFY(!w.sloMenu()->isVisible());
        QCOMPARE(w.focusWidget(), slo);

        // The list's corner goes under the pointer, even where the list then reaches past the
        // editor; near the window's bottom it moves up just enough to stay whole.
        const QPoint inside(5, 5);
        chooseInMenu(slo, w.sloMenu(), -1, inside);
        QCOMPARE(w.sloMenu()->pos(), slo->viewport()->mapTo(&w, inside));
        const QPoint corner = slo->viewport()->rect().bottomRight() - QPoint(3, 3);
        chooseInMenu(slo, w.sloMenu(), -1, corner);
        QCOMPARE(w.sloMenu()->x(), slo->viewport()->mapTo(&w, corner).x());
        QCOMPARE(w.sloMenu()->geometry().bottom(),
                 qMin(slo->viewport()->mapTo(&w, corner).y() + w.sloMenu()->height(), w.height()) - 1);
        QVERIFY(w.sloMenu()->geometry().bottom() > slo->geometry().bottom());
        // The separator does nothing and leaves the list open; a left press hides it.
        chooseInMenu(slo, w.sloMenu(), 1);
        QVERIFY(w.sloMenu()->isVisible());
        QTest::mousePress(slo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(!w.sloMenu()->isVisible());

        // The notes' Copy keeps other data on the clipboard; the old text in any form is replaced.
        QClipboard* clipboard = QGuiApplication::clipboard();
        auto* data = new QMimeData;
        data->setHtml(QStringLiteral("<b>old</b>"));
        data->setData(QStringLiteral("application/x-qrb-test"), "blob");
        clipboard->setMimeData(data);
        f.click(w, QStringLiteral("Command10"));
        NotesWindow* notes = f.bench->notesWindow();
        ScriptEditor* text1 = notes->editor();
        text1->setSelection(0, 4);
        chooseInMenu(text1, notes->menuList(), 2);
        QCOMPARE(clipboard->mimeData()->data(QStringLiteral("application/x-qrb-test")), QByteArray("blob"));
        QVERIFY(!clipboard->mimeData()->hasHtml());
        QCOMPARE(clipboard->text(), QStringLiteral("n1\n"));
        // Copy from a main editor leaves only text; Cut, then Paste with its line break made CR LF.
        slo->setText(QStringLiteral("one\r\ntwo"));
        slo->setSelection(2, 4);
        chooseInMenu(slo, w.sloMenu(), 2);
        QCOMPARE(clipboard->mimeData()->formats(), QStringList{"text/plain"});
        QCOMPARE(clipboard->text(), QStringLiteral("e\nt"));
        slo->setSelection(0, 5);
        chooseInMenu(slo, w.sloMenu(), 3);
        QCOMPARE(clipboard->text(), QStringLiteral("one\n"));
        slo->setCaret(3);
        chooseInMenu(slo, w.sloMenu(), 4);
        QCOMPARE(slo->text(), QStringLiteral("twoone\r\n"));

        // The notes have no snapshot until Enter or Delete: Undo leaves the text.
        text1->setCaret(0);
        QTest::keyClicks(text1, QStringLiteral("Y"));
        chooseInMenu(text1, notes->menuList(), 0);
        QCOMPARE(text1->text(), QStringLiteral("Yn1\r\nn2"));
        text1->setCaret(2);
        QTest::keyClick(text1, Qt::Key_Return);
        QTest::keyClicks(text1, QStringLiteral("Z"));
        chooseInMenu(text1, notes->menuList(), 0);
        QCOMPARE(f.bench->notes().text(), QStringLiteral("Yn1\r\nn2"));
    }

    void searchAndGoToLine()
    {
        ProjectApp f("on disk\r\n", "Alpha\r\nbeta ALPHA\r\ngamma");
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        w.slo()->setText(QStringLiteral("aaaa"));
        runMoves(f, 0,
                 {{"aa", "Command12", 0, "aa", 0},
                  {"aa", "NEXT_SEEK_CMD", 1, "aa", 1},
                  {"aa", "NEXT_SEEK_CMD", 2, "aa", 2},
                  {"aa", "NEXT_SEEK_CMD", 2, "aa", -1},
                  {"alpha", "Command11", 0, "Alpha", 0},
                  {"alpha", "Command13", 12, "ALPHA", 12},
                  {"alpha", "Command13", 12, "ALPHA", -1},
                  {"GAMMA", "Command11", 19, "gamma", 19}});
        // The save before the move wrote the editor's text.
        QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("aaaa\r\n"));

        // A line's selection ends before its line break; VLO line 12 is its first line, after the
        // 11 head lines of a generated playerN.vlo.
        w.slo()->setText(QStringLiteral("first\r\nsecond\r\nthird"));
        runMoves(f, 8,
                 {{"1", "Command8", 0, "first", 0},
                  {"3", "Command8", 15, "third", 15},
                  {" 2.7 ", "Command8", 7, "second", 7},
                  {"+2.", "Command8", 7, "second", 7},
                  {"99999999999999", "Command8", 15, "third", 15},
                  {"-2", "Command8", 0, "f", 15},
                  {"12", "Command9", 0, "Alpha", 0},
                  {"14", "Command9", 19, "gamma", 19},
                  {"11", "Command9", 0, "A", 19},
                  {"1", "Command9", 0, "A", 19}});

        // Empty boxes, no number, a number between -1 and 1, an empty editor: no save and no move.
        w.slo()->setText(QStringLiteral("typed"));
        w.slo()->setCaret(2);
        w.vlo()->setText(QString());
        const QList<QPair<const char*, const char*>> presses{
            {"", "Command12"},   {"", "NEXT_SEEK_CMD"},  {"t", "Command11"},    {"t", "Command13"},
            {"", "Command8"},    {"1e2", "Command8"},    {"12abc", "Command8"}, {"1,5", "Command8"},
            {"--1", "Command8"}, {"\u0661", "Command8"}, {"-0.2", "Command8"},  {"13", "Command9"}};
        for (const auto& [typed, button] : presses) {
            w.textSeeker()->setText(QString::fromUtf8(typed));
            w.lineBox()->setText(QString::fromUtf8(typed));
            f.click(w, QString::fromLatin1(button));
        }
        QCOMPARE(seekSnapshots(f).size(), 2 * 18);
        QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("first\r\nsecond\r\nthird\r\n"));
        QCOMPARE(w.slo()->selectionStart(), 2);
        QCOMPARE(f.bench->state().seekPosition, 19);

        // A press of any button on LINEINT1 empties it.
        QTest::mouseClick(w.lineBox(), Qt::LeftButton);
        QCOMPARE(w.lineBox()->text(), QString());
        w.lineBox()->setText(QStringLiteral("57"));
        QTest::mousePress(w.lineBox(), Qt::RightButton);
        QCOMPARE(w.lineBox()->text(), QString());
    }

    void runtimeNotes()
    {
        ProjectApp f("alpha beta", "v1", "old");
        QVERIFY(f.start());
        MainWindow& w = f.form800();
        const QString& notes = f.bench->notes().text();
        // F10 works before the notes window was ever opened; the window is created but not shown.
        w.slo()->setSelection(0, 5);
        QTest::keyClick(w.slo(), Qt::Key_F10);
        QVERIFY(f.bench->notesWindow() && !f.bench->notesWindow()->isVisible());
        w.vlo()->setSelection(0, 2);
        QTest::keyClick(w.vlo(), Qt::Key_F11);
        QCOMPARE(notes, QStringLiteral("v1\r\nalpha\r\nold"));

        // Edits go into the notes text, which outlives the window.
        f.click(w, QStringLiteral("Command10"));
        QPointer<NotesWindow> first = f.bench->notesWindow();
        // Its caret kept its place before "old" while the selections went in above it.
        QTest::keyClicks(first->editor(), QStringLiteral("!"));
        first->close();
        QTRY_VERIFY(!first);
        f.click(w, QStringLiteral("Label2"));
        w.vlo()->setCaret(1);
        f.click(w, QStringLiteral("Label3"));
        f.click(w, QStringLiteral("Command10"));
        const QString shown = QStringLiteral("\r\nalpha\r\nv1\r\nalpha\r\n!old");
        ScriptEditor* text1 = f.bench->notesWindow()->editor();
        QCOMPARE(text1->text(), shown);
        f.click(w, QStringLiteral("Command4"));
        QCOMPARE(f.work(QStringLiteral("Notes.qrb")), (shown + QStringLiteral("\r\n")).toLatin1());

        // A change of the notes text shows in the open window, as one step of its own undo.
        text1->setCaret(3);
        f.bench->notes().setText(shown + QStringLiteral("\r\nappended"));
        QCOMPARE(text1->text(), shown + QStringLiteral("\r\nappended"));
        QCOMPARE(text1->selectionStart(), 3);
        QTest::keyClick(text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(notes, shown);
    }
};

QRB_TEST(EditingTest)
#include "tst_editing.moc"
