// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/consolefixture.h"
#include "editor/linenumbergutter.h"
#include "editor/scripteditor.h"
#include "mainwindow/fillrule.h"
#include "mainwindow/noteswindow.h"
#include "support/testregistry.h"
#include "workspace/notestext.h"

#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

class BackupConsoleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheFolderOnceWhenOpened()
    {
        Bench f;
        for (const char* name :
             {"SLO.qrb5.12.2026_15-6-11_MANUAL", "slo.qrb2.12.2026_10-0-0_EXIT", "Notes.txt",
              "SLO.qrb10.12.2026_8-0-0_MANUAL", "VLO.qrb1.12.2026_10-0-0_MANUAL", "XSLO.qrb", "SLOqrb",
              "SLO.qrb5.12.2026_15-6-1_MANUAL"})
            f.snapshot(QString::fromLatin1(name), "x\r\n");
        f.root.mkdir(u"prog/backup/VLO.folder"_s);
        QVERIFY(f.start());
        f.dialogs.clear();
        BackupConsole* console = f.open(f.form800());
        QVERIFY(console && console->isVisible());
        // Oldest first by the time in the name, a lower-case "slo." among the others: 15:06:01 before
        // 15:06:11, the 5th before the 10th.
        const QStringList slo{u"slo.qrb2.12.2026_10-0-0_EXIT"_s, u"SLO.qrb5.12.2026_15-6-1_MANUAL"_s,
                              u"SLO.qrb5.12.2026_15-6-11_MANUAL"_s, u"SLO.qrb10.12.2026_8-0-0_MANUAL"_s};
        QCOMPARE(f.names("File1"), slo);
        QCOMPARE(f.names("File2"), QStringList{kVlo});
        QVERIFY(f.dialogs.shown().isEmpty());

        // Read once: a snapshot saved while the console is open shows after reopening.
        f.snapshot(kSlo, "later\r\n");
        QTest::qWait(50);
        QCOMPARE(f.names("File1"), slo);
        QVERIFY(console->close());
        QTRY_VERIFY(!f.console());
        f.open(f.form800());
        QCOMPARE(f.names("File1"), QStringList{kSlo} + slo);
    }

    void windowsAreEnabledInTurn()
    {
        Bench f;
        f.snapshot(kSlo, "s\r\n");
        // On a screen 1024 pixels wide the 1024 layout maximises itself when it loads.
        f.screen.m_twips = 15360;
        QVERIFY(f.start());
        MainWindow& small = f.form800();
        QPointer<BackupConsole> console = f.open(small);
        QVERIFY(console && console->isEnabled() && !small.isEnabled() && small.isVisible());

        f.doubleClick("File1", 0);
        QPointer<PreviewWindow> preview = f.preview();
        QVERIFY(preview && preview->isVisible());
        QVERIFY(!console->isEnabled() && !small.isEnabled());
        // The console does not close under its open preview.
        QVERIFY(!console->close());
        QVERIFY(preview->close());
        QVERIFY(console->isEnabled() && console->isVisible() && !small.isEnabled());
        QTRY_VERIFY(preview.isNull());

        QVERIFY(!f.bench->form1024());
        QVERIFY(console->close());
        QVERIFY(small.isEnabled() && small.isVisible());
        // The layout not in use is created for this, enabled, and stays hidden.
        MainWindow* big = f.bench->form1024();
        QVERIFY(big && big->isEnabled());
        QTRY_VERIFY(!big->resRecTimer()->isActive());
        QVERIFY(!big->isVisible() && big->isMaximized());
        QTRY_VERIFY(console.isNull());
        QVERIFY(f.open(small) && !small.isEnabled());
    }

    void revertReplacesOnlyItsTarget_data()
    {
        QTest::addColumn<bool>("from800");
        QTest::addColumn<bool>("sloList");
        QTest::addColumn<bool>("fromCompareView");
        QTest::newRow("SLO list, 800 layout") << true << true << false;
        QTest::newRow("VLO list, 800 layout, compare view") << true << false << true;
        QTest::newRow("SLO list, 1024 layout, compare view") << false << true << true;
        QTest::newRow("VLO list, 1024 layout") << false << false << false;
    }

    void revertReplacesOnlyItsTarget()
    {
        QFETCH(bool, from800);
        QFETCH(bool, sloList);
        QFETCH(bool, fromCompareView);
        Bench f("disk slo\r\n", "disk vlo\r\n");
        // Only the CR LF the writer appended is dropped; the bytes are Latin-1.
        f.snapshot(kSlo, "caf\xe9 slo\r\n\r\n");
        f.snapshot(kVlo, "vlo\r\n");
        QVERIFY(f.start());
        if (!from800)
            f.click(f.form800(), u"Command6"_s);
        MainWindow& from = from800 ? f.form800() : *f.bench->form1024();
        auto editors = [&] {
            QList<ScriptEditor*> out{f.form800().slo(), f.form800().vlo()};
            if (MainWindow* big = f.bench->form1024())
                out << big->slo() << big->vlo();
            return out;
        };
        QStringList texts;
        for (ScriptEditor* editor : editors()) {
            texts << u"editor %1"_s.arg(texts.size());
            editor->setText(texts.last());
        }

        QPointer<PreviewWindow> preview = f.openPreview(from, sloList ? "File1" : "File2");
        QVERIFY(preview);
        if (fromCompareView)
            f.press("Command3");
        QCOMPARE(preview->comparing(), fromCompareView);
        bool closedBeforeMessage = false;
        f.dialogs.clear();
        f.dialogs.onShow = [&](const ScriptedDialogs::Shown&) {
            closedBeforeMessage = (!preview || !preview->isVisible()) && f.console()->isEnabled();
        };
        f.press("Command1");
        f.dialogs.onShow = nullptr;
        QCOMPARE(f.dialogs.texts(), QStringList{u"Script has been reverted from backup!"_s});
        QVERIFY(closedBeforeMessage);
        QVERIFY(!f.preview());

        // Exactly one editor holds the snapshot (never the diff), and no layout was created for it.
        texts[(from800 ? 0 : 2) + (sloList ? 0 : 1)] = sloList ? u"caf\u00e9 slo\r\n"_s : u"vlo"_s;
        QStringList after;
        for (ScriptEditor* editor : editors())
            after << editor->text();
        QCOMPARE(after, texts);
        QCOMPARE(f.work(u"SLO.qrb"_s) + f.work(u"VLO.qrb"_s), "disk slo\r\ndisk vlo\r\n"_ba);
        QVERIFY(f.console()->close());
        QVERIFY(from.isEnabled() && from.isVisible());
    }

    void revertWritesNothingAndUndoes()
    {
        Bench f("earlier\r\n");
        f.snapshot(kSlo, "reverted\r\n");
        QVERIFY(f.start());
        MainWindow& small = f.form800();
        ScriptEditor* slo = small.slo();
        slo->setText(u"earlier\r\ntyped"_s);
        // Enter takes a snapshot of the text as it stands.
        slo->setCaret(slo->text().size());
        QTest::keyClick(slo, Qt::Key_Return);
        QTest::keyClicks(slo, u"more"_s);
        auto revert = [&] {
            f.openPreview(small, "File1");
            f.press("Command1");
            return f.console()->close();
        };
        QVERIFY(revert());
        QCOMPARE(slo->text(), u"reverted"_s);
        QCOMPARE(f.work(u"SLO.qrb"_s), "earlier\r\n"_ba);
        QCOMPARE(f.root.entries(u"prog/backup"_s), QStringList{kSlo});

        // The revert is one edit: Ctrl+Z brings back the text it replaced, and Ctrl+Y redoes it.
        QTest::keyClick(slo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(slo->text(), u"earlier\r\ntyped\r\nmore"_s);
        QTest::keyClick(slo, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(slo->text(), u"reverted"_s);

        // Typed on and reverted once more: Undo from the editor's menu brings back the replaced
        // text too.
        slo->setCaret(slo->text().size());
        QTest::keyClicks(slo, u"X"_s);
        QVERIFY(revert());
        QCOMPARE(slo->text(), u"reverted"_s);
        QTest::mousePress(slo->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QListWidget* menu = small.sloMenu();
        QVERIFY(menu->isVisible());
        QTest::mouseClick(menu->viewport(), Qt::LeftButton, Qt::NoModifier,
                          menu->visualItemRect(menu->item(0)).center());
        QCOMPARE(slo->text(), u"revertedX"_s);
    }

    void addSelectedToNotes()
    {
        Bench f("", "", "notes on disk\r\n");
        f.snapshot(kVlo, "one\r\nabc\r\n");
        QVERIFY(f.start());
        QVERIFY(!f.bench->notesWindow());
        NotesText& notes = f.bench->notes();
        notes.setText(u"x"_s);
        ScriptEditor* text = f.openPreview(f.form800(), "File2")->textBox();
        text->setSelection(5, 3);
        QCOMPARE(text->selectedText(), u"abc"_s);
        f.press("Command2");
        QCOMPARE(notes.text().toLatin1(), "x" + kNotesHeader + "abc" + kNotesFooter);
        // The preview stays open with its selection, the console disabled under it.
        QCOMPARE(text->selectedText(), u"abc"_s);
        QVERIFY(f.preview() && !f.console()->isEnabled());

        notes.setText(u"x"_s);
        text->setCaret(4);
        f.press("Command2");
        QCOMPARE(notes.text().toLatin1(), "x" + kNotesHeader + kNotesFooter);
        QCOMPARE(f.work(u"Notes.qrb"_s), "notes on disk\r\n"_ba);

        // The notes window opened afterwards shows the block at the end.
        QVERIFY(f.preview()->close() && f.console()->close());
        f.click(f.form800(), u"Command10"_s);
        NotesWindow* window = f.bench->notesWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->editor()->text().toLatin1(), "x" + kNotesHeader + kNotesFooter);
    }

    // The preview numbers a VLO snapshot as the game numbers playerN.vlo and a script from 1; its
    // gutter runs the height of the text and numbers every line in sight. Escape closes the
    // preview, then the console, which gives the main window back.
    void previewLineNumbersAndEscape()
    {
        QByteArray lines;
        for (int i = 1; i <= 60; ++i)
            lines += "line " + QByteArray::number(i) + "\r\n";
        Bench f;
        f.snapshot(kVlo, "one\r\ntwo\r\n");
        f.snapshot(kSlo, lines);
        QVERIFY(f.start());
        for (const auto& [list, first] : {std::pair{"File2", 12}, std::pair{"File1", 1}}) {
            QPointer<PreviewWindow> preview = f.openPreview(f.form800(), list);
            QVERIFY(preview);
            ScriptEditor* text = preview->textBox();
            auto* gutter = text->findChild<LineNumberGutter*>(u"Text1_LINES"_s);
            QVERIFY(gutter && gutter->isVisible());
            QCOMPARE(gutter->numberOfLine(1), first + 1);
            preview->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(preview));
            QCOMPARE(gutter->height(), text->viewport()->height());
            const int lastInSight =
                text->cursorForPosition(QPoint(0, text->viewport()->height() - 1)).blockNumber();
            QVERIFY(first == 12 || lastInSight > 20);
            QCOMPARE(gutter->numberOfLine(lastInSight), first + lastInSight);
            QTest::keyClick(preview->textBox(), Qt::Key_Escape);
            QTRY_VERIFY(preview.isNull());
            QPointer<BackupConsole> console = f.console();
            console->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(console));
            QTest::keyClick(console, Qt::Key_Escape);
            QTRY_VERIFY(console.isNull() || !console->isVisible());
            QVERIFY(f.form800().isEnabled());
        }
    }

    void noPreviewWithoutAReadableSnapshot()
    {
        Bench f;
        f.root.write(u"prog/backup"_s, "not a folder");
        QVERIFY(f.start());
        f.dialogs.clear();
        // A file where the backup folder belongs: told, and both lists stay empty.
        BackupConsole* console = f.open(f.form800());
        QCOMPARE(f.names("File1") + f.names("File2"), QStringList{});
        f.doubleClick("File2", -1);
        QVERIFY(!f.preview() && console->isEnabled());
        QCOMPARE(
            f.dialogs.texts(),
            (QStringList{u"The backup folder could not be listed, so the console shows no snapshots:\n"_s +
                             f.backup() + u": a file of that name stands where the backup folder belongs"_s,
                         u"There is no VLO snapshot in the backup folder yet:\n"_s + f.backup() +
                             u"\nEvery save keeps the previously saved SLO.qrb and VLO.qrb there."_s}));
        QVERIFY(console->close());

        // A snapshot gone after the listing, and a double-click below the last name.
        QVERIFY(QFile::remove(f.backup()));
        f.snapshot(kSlo, "gone soon\r\n");
        console = f.open(f.form800());
        QVERIFY(QFile::remove(f.backup() + u"/"_s + kSlo));
        f.dialogs.clear();
        f.doubleClick("File1", 0);
        f.doubleClick("File1", -1);
        QVERIFY(!f.preview() && console->isEnabled());
        QCOMPARE(f.dialogs.shown().size(), 2);
        QCOMPARE(f.dialogs.shown().at(0).title, u"SNAPSHOT NOT READ"_s);
        QVERIFY(f.dialogs.shown().at(1).text.startsWith(u"No snapshot was chosen."_s));
    }

    void textBoxFollowsTheWindow()
    {
        const auto textBoxSize = [](QSizeF outer, QSizeF room, QSizeF previous) {
            return fillrule::boxSize(outer, room, previous, fillrule::kPreview);
        };
        const QSizeF roomy(20000, 20000);
        QCOMPARE(textBoxSize({110, 500}, roomy, {1, 1}), QSizeF(0, 0));
        // Below zero a dimension keeps its previous value, each on its own.
        QCOMPARE(textBoxSize({109, 4000}, roomy, {700, 800}), QSizeF(700, 3500));
        QCOMPARE(textBoxSize({6000, 499}, roomy, {700, 800}), QSizeF(5890, 800));
        // A frame thicker than the allowance does not push the box past the client area.
        QCOMPARE(textBoxSize({6000, 4000}, {5800, 3400}, {1, 1}), QSizeF(5800, 3400));

        Bench f;
        f.snapshot(kSlo, "s\r\n");
        QVERIFY(f.start());
        PreviewWindow* preview = f.openPreview(f.form800(), "File1");
        // 400 x 267 pixels outside is 6000 x 4005 twips: the box is 5890 x 3505 twips.
        const QSize frame = preview->frameGeometry().size() - preview->size();
        preview->resize(QSize(400, 267) - frame);
        QTRY_COMPARE(preview->frameGeometry().size(), QSize(400, 267));
        QCOMPARE(preview->textBox()->size(), QSize(393, 234));
        // The buttons lie over the text box, not under it.
        auto* revert = preview->findChild<QPushButton*>(u"Command1"_s);
        QCOMPARE(preview->childAt(revert->geometry().center()), revert);
    }
};

QRB_TEST(BackupConsoleTest)

#include "tst_backupconsole.moc"
