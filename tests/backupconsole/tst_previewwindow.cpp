#include "backupconsole/backupconsole.h"
#include "backupconsole/previewwindow.h"
#include "consolefixture.h"
#include "mainwindow/hiddentextbuffer.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"
#include "tst_backupconsole.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kSloManual = QStringLiteral("SLO.qrb1.12.2026_10-0-0_MANUAL");
const QString kVloManual = QStringLiteral("VLO.qrb1.12.2026_10-0-0_MANUAL");
const QString kHeader = QStringLiteral("///////// SCRIPT IMPORTED FROM BACKUP: ///////// ");
const QString kFooter = QStringLiteral("///////// BACKUP SCRIPT END: /////////");

} // namespace

void PreviewWindowTest::showsTheSnapshotWithoutTheWritersLineEnd()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.snapshot(kSloManual, "line one\r\nline \xe9two\r\n\r\n");
    QVERIFY(f.start());
    f.openConsole(f.form800());
    f.doubleClick(QStringLiteral("File1"), 0);

    PreviewWindow* preview = f.preview();
    QVERIFY(preview);
    QCOMPARE(preview->objectName(), QStringLiteral("Preview1"));
    QCOMPARE(preview->windowTitle(), QStringLiteral("Script preview"));
    QCOMPARE(preview->size(), QSize(792, 564));
    QCOMPARE(preview->palette().color(QPalette::Window), QColor(199, 211, 233));
    ScriptEditor* text = preview->findChild<ScriptEditor*>(QStringLiteral("Text1"));
    QCOMPARE(text, preview->textBox());
    // Only the CR LF the writer appended is gone; the empty last line of the text stays.
    QCOMPARE(text->text(), QStringLiteral("line one\r\nline \u00e9two\r\n"));
    QCOMPARE(text->pos(), QPoint(0, 0));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->palette().color(QPalette::Base), QColor(199, 211, 233));

    auto* revert = preview->findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* toNotes = preview->findChild<QPushButton*>(QStringLiteral("Command2"));
    QCOMPARE(revert->text(), QStringLiteral("Revert all"));
    QCOMPARE(toNotes->text(), QStringLiteral("Add selected to NOTES"));
    QCOMPARE(revert->geometry(), QRect(288, 8, 105, 17));
    QCOMPARE(toNotes->geometry(), QRect(400, 8, 145, 17));
    // The buttons lie over the text box, not under it.
    QCOMPARE(preview->childAt(revert->geometry().center()), revert);
    QCOMPARE(preview->childAt(toNotes->geometry().center()), toNotes);
}

void PreviewWindowTest::revertChoosesTheEditor_data()
{
    QTest::addColumn<bool>("from800");
    QTest::addColumn<bool>("sloList");
    QTest::addColumn<QString>("target"); // layout and editor that take the snapshot
    QTest::newRow("SLO list, 800 layout") << true << true << QStringLiteral("small slo");
    QTest::newRow("VLO list, 800 layout") << true << false << QStringLiteral("small vlo");
    QTest::newRow("SLO list, 1024 layout") << false << true << QStringLiteral("big slo");
    QTest::newRow("VLO list, 1024 layout") << false << false << QStringLiteral("big vlo");
}

void PreviewWindowTest::revertChoosesTheEditor()
{
    QFETCH(bool, from800);
    QFETCH(bool, sloList);
    QFETCH(QString, target);

    ConsoleFixture f;
    f.prepareProject("disk slo\r\n", "disk vlo\r\n", "");
    f.snapshot(kSloManual, "snapshot slo\r\n");
    f.snapshot(kVloManual, "snapshot vlo\r\n");
    QVERIFY(f.start());
    MainWindow& small = f.form800();
    small.slo()->setText(QStringLiteral("small slo"));
    small.vlo()->setText(QStringLiteral("small vlo"));
    if (!from800)
        f.click(small, QStringLiteral("Command6"));
    MainWindow* big = f.bench->form1024();
    if (big) {
        big->slo()->setText(QStringLiteral("big slo"));
        big->vlo()->setText(QStringLiteral("big vlo"));
    }
    QList<MainWindow*> layouts{&small};
    if (big)
        layouts << big;
    for (MainWindow* w : layouts) {
        w->sloUndo()->setText(w->slo()->text() + QStringLiteral(" undo"));
        w->vloUndo()->setText(w->vlo()->text() + QStringLiteral(" undo"));
    }

    BackupConsole* console = f.openConsole(from800 ? small : *big);
    f.doubleClick(sloList ? QStringLiteral("File1") : QStringLiteral("File2"), 0);
    PreviewWindow* preview = f.preview();
    QVERIFY(preview);
    bool previewOpenAtMessage = true;
    bool consoleEnabledAtMessage = false;
    f.dialogs.clear();
    f.dialogs.onShow = [&](const ScriptedDialogs::Shown&) {
        previewOpenAtMessage = preview->isVisible();
        consoleEnabledAtMessage = console->isEnabled();
    };
    f.clickPreview(QStringLiteral("Command1"));
    f.dialogs.onShow = nullptr;

    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown().at(0).kind, ScriptedDialogs::Kind::Tell);
    QCOMPARE(f.dialogs.shown().at(0).title, QStringLiteral("QRB2"));
    QCOMPARE(f.dialogs.shown().at(0).text, QStringLiteral("Script has been reverted from backup!"));
    QCOMPARE(f.dialogs.shown().at(0).icon, Dialogs::Icon::None);
    // The preview has closed and the console is usable before the message comes.
    QVERIFY(!previewOpenAtMessage);
    QVERIFY(consoleEnabledAtMessage);
    QVERIFY(!f.preview());
    QVERIFY(!(from800 ? small : *big).isEnabled());

    // Exactly one editor holds the snapshot; every other editor and every undo snapshot is
    // as it was.
    const QString snapshot = sloList ? QStringLiteral("snapshot slo") : QStringLiteral("snapshot vlo");
    auto expect = [&](const QString& name) { return name == target ? snapshot : name; };
    QCOMPARE(small.slo()->text(), expect(QStringLiteral("small slo")));
    QCOMPARE(small.vlo()->text(), expect(QStringLiteral("small vlo")));
    QCOMPARE(small.sloUndo()->text(), QStringLiteral("small slo undo"));
    QCOMPARE(small.vloUndo()->text(), QStringLiteral("small vlo undo"));
    if (from800) {
        QVERIFY(!f.bench->form1024());
    } else {
        QCOMPARE(big->slo()->text(), expect(QStringLiteral("big slo")));
        QCOMPARE(big->vlo()->text(), expect(QStringLiteral("big vlo")));
        QCOMPARE(big->sloUndo()->text(), QStringLiteral("big slo undo"));
        QCOMPARE(big->vloUndo()->text(), QStringLiteral("big vlo undo"));
    }
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("disk slo\r\n"));
    QCOMPARE(f.work(QStringLiteral("VLO.qrb")), QByteArray("disk vlo\r\n"));
}

void PreviewWindowTest::revertWritesNothingUntilTheNextSave()
{
    ConsoleFixture f;
    f.prepareProject("earlier\r\n", "v\r\n", "");
    f.snapshot(kSloManual, "reverted text\r\nsecond\r\n");
    QVERIFY(f.start());
    MainWindow& small = f.form800();
    QCOMPARE(small.slo()->text(), QStringLiteral("earlier"));
    QCOMPARE(small.sloUndo()->text(), QStringLiteral("earlier"));
    small.slo()->setText(QStringLiteral("edited, never saved"));

    BackupConsole* console = f.openConsole(small);
    f.doubleClick(QStringLiteral("File1"), 0);
    f.clickPreview(QStringLiteral("Command1"));
    QCOMPARE(small.slo()->text(), QStringLiteral("reverted text\r\nsecond"));
    // What Undo puts back: the editor's last snapshot, taken before the revert.
    QCOMPARE(small.sloUndo()->text(), QStringLiteral("earlier"));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("earlier\r\n"));
    QCOMPARE(f.root.entries(QStringLiteral("prog/backup")), QStringList{kSloManual});

    QVERIFY(console->close());
    QVERIFY(small.isEnabled());
    f.clock.set(QTime(9, 30, 0), QDate(2026, 12, 5));
    f.click(small, QStringLiteral("Command4"));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("reverted text\r\nsecond\r\n"));
    QCOMPARE(f.root.read(QStringLiteral("prog/backup/SLO.qrb5.12.2026_9-30-0_MANUAL")),
             QByteArray("earlier\r\n"));
    QCOMPARE(f.root.read(QStringLiteral("prog/backup/") + kSloManual),
             QByteArray("reverted text\r\nsecond\r\n"));
}

void PreviewWindowTest::addSelectedToNotesAppendsFramedBlocks()
{
    ConsoleFixture f;
    f.prepareProject("", "", "notes on disk\r\n");
    f.snapshot(kVloManual, "one\r\nabc\r\nthree\r\n");
    QVERIFY(f.start());
    NotesText& notes = f.bench->notes();
    notes.setText(QStringLiteral("x"));
    BackupConsole* console = f.openConsole(f.form800());
    f.doubleClick(QStringLiteral("File2"), 0);
    ScriptEditor* text = f.preview()->textBox();
    QSignalSpy changes(&notes, &NotesText::changed);

    text->setSelection(5, 3);
    QCOMPARE(text->selectedText(), QStringLiteral("abc"));
    f.clickPreview(QStringLiteral("Command2"));
    QCOMPARE(notes.text().toLatin1(),
             QByteArray("x\r\n\r\n///////// SCRIPT IMPORTED FROM BACKUP: ///////// \r\n"
                        "abc\r\n///////// BACKUP SCRIPT END: /////////"));
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), notes.text());
    // The preview stays open with its selection, and the console stays disabled under it.
    QVERIFY(f.preview() && f.preview()->isVisible());
    QCOMPARE(text->selectionStart(), 5);
    QCOMPARE(text->selectionLength(), 3);
    QVERIFY(!console->isEnabled());

    notes.setText(QStringLiteral("x"));
    text->setCaret(4);
    f.clickPreview(QStringLiteral("Command2"));
    QCOMPARE(notes.text().toLatin1(),
             QByteArray("x\r\n\r\n///////// SCRIPT IMPORTED FROM BACKUP: ///////// \r\n"
                        "\r\n///////// BACKUP SCRIPT END: /////////"));

    // Positions are CR LF indices: from the "e" of "one" across a line break to "abc". Each
    // click appends its own block.
    notes.setText(QStringLiteral("x"));
    text->setSelection(2, 6);
    f.clickPreview(QStringLiteral("Command2"));
    f.clickPreview(QStringLiteral("Command2"));
    const QString block = QStringLiteral("\r\n\r\n") + kHeader + QStringLiteral("\r\ne\r\nabc\r\n") + kFooter;
    QCOMPARE(notes.text(), QStringLiteral("x") + block + block);
    QCOMPARE(f.work(QStringLiteral("Notes.qrb")), QByteArray("notes on disk\r\n"));
}

void PreviewWindowTest::textBoxFollowsTheWindowSize()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.snapshot(kSloManual, "s\r\n");
    QVERIFY(f.start());
    f.openConsole(f.form800());
    f.doubleClick(QStringLiteral("File1"), 0);
    PreviewWindow* preview = f.preview();
    ScriptEditor* text = preview->textBox();
    const QSize frame = preview->frameGeometry().size() - preview->size();

    // 400 x 267 pixels outside is 6000 x 4005 twips: the box is 5890 x 3505 twips.
    preview->resize(QSize(400, 267) - frame);
    QTRY_COMPARE(preview->frameGeometry().size(), QSize(400, 267));
    QCOMPARE(text->size(), QSize(393, 234));
    QCOMPARE(text->pos(), QPoint(0, 0));

    // 7 x 30 pixels outside is 105 x 450 twips, too small for the rule: the box keeps its size.
    QVERIFY(frame.width() < 7);
    preview->resize(QSize(7, 30) - frame);
    QTRY_COMPARE(preview->frameGeometry().size(), QSize(7, 30));
    QCOMPARE(text->size(), QSize(393, 234));

    preview->resize(QSize(600, 450) - frame);
    QTRY_COMPARE(preview->frameGeometry().size(), QSize(600, 450));
    QCOMPARE(text->size(), QSize(593, 417));
    QCOMPARE(preview->findChild<QPushButton*>(QStringLiteral("Command1"))->pos(), QPoint(288, 8));
}

QRB_TEST(PreviewWindowTest)
