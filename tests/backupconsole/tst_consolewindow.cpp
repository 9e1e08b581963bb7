#include "backupconsole/backupconsole.h"
#include "backupconsole/previewwindow.h"
#include "consolefixture.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"
#include "tst_backupconsole.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

const QString kSloManual = QStringLiteral("SLO.qrb1.12.2026_10-0-0_MANUAL");
const QString kVloManual = QStringLiteral("VLO.qrb1.12.2026_10-0-0_MANUAL");

QString backupFolder(const ConsoleFixture& f)
{
    return QDir(f.folders.programDir).filePath(QStringLiteral("backup"));
}

} // namespace

void ConsoleWindowTest::listsTheBackupFolderThroughTheWindow()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.snapshot(kSloManual, "s\r\n");
    f.snapshot(kVloManual, "v\r\n");
    f.snapshot(QStringLiteral("Notes.txt"), "n\r\n");
    f.snapshot(QStringLiteral("slo.qrb2.12.2026_10-0-0_EXIT"), "");
    f.snapshot(QStringLiteral("SLO.qrb5.12.2026_8-0-0_MANUAL"), "");
    f.snapshot(QStringLiteral("SLO.qrb10.12.2026_8-0-0_MANUAL"), "");
    QVERIFY(f.start());
    f.dialogs.clear();

    BackupConsole* console = f.openConsole(f.form800());
    QVERIFY(console);
    QVERIFY(console->isVisible());
    QCOMPARE(console->objectName(), QStringLiteral("Console1"));
    QCOMPARE(console->windowTitle(), QStringLiteral("QRB BACKUP CONSOLE"));
    QCOMPARE(console->size(), QSize(568, 366));
    QCOMPARE(console->minimumSize(), console->maximumSize());
    QCOMPARE(console->palette().color(QPalette::Window), QColor(0, 0, 128));
    // By name without regard to case: lower-case "slo." among the others, "qrb10" before "qrb5".
    QCOMPARE(f.names(QStringLiteral("File1")),
             (QStringList{kSloManual, "SLO.qrb10.12.2026_8-0-0_MANUAL", "slo.qrb2.12.2026_10-0-0_EXIT",
                          "SLO.qrb5.12.2026_8-0-0_MANUAL"}));
    QCOMPARE(f.names(QStringLiteral("File2")), QStringList{kVloManual});
    QVERIFY(f.dialogs.shown().isEmpty());

    QListView* left = f.list(QStringLiteral("File1"));
    QListView* right = f.list(QStringLiteral("File2"));
    QCOMPARE(left->geometry(), QRect(0, 0, 281, 366));
    QCOMPARE(right->geometry(), QRect(288, 0, 281, 366));
    QCOMPARE(left->palette().color(QPalette::Base), QColor(199, 211, 233));
    QCOMPARE(right->palette().color(QPalette::Base), QColor(199, 211, 233));
    QVERIFY(QTest::qWaitForWindowActive(console));
    QCOMPARE(QApplication::focusWidget(), left);
    QTest::keyClick(left, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), right);
}

void ConsoleWindowTest::folderIsReadOnlyOnceWhileOpen()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.snapshot(kSloManual, "s\r\n");
    QVERIFY(f.start());
    BackupConsole* console = f.openConsole(f.form800());
    f.snapshot(QStringLiteral("SLO.qrb2.12.2026_10-0-0_MANUAL"), "later\r\n");
    f.snapshot(QStringLiteral("VLO.qrb2.12.2026_10-0-0_MANUAL"), "later\r\n");
    QTest::qWait(50);
    QCOMPARE(f.names(QStringLiteral("File1")), QStringList{kSloManual});
    QCOMPARE(f.names(QStringLiteral("File2")), QStringList{});

    QVERIFY(console->close());
    QTRY_VERIFY(!f.bench->backupConsole());
    QVERIFY(f.openConsole(f.form800()));
    QCOMPARE(f.names(QStringLiteral("File1")), (QStringList{kSloManual, "SLO.qrb2.12.2026_10-0-0_MANUAL"}));
    QCOMPARE(f.names(QStringLiteral("File2")), QStringList{"VLO.qrb2.12.2026_10-0-0_MANUAL"});
}

void ConsoleWindowTest::windowsAreEnabledInTurn()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.snapshot(kSloManual, "from backup\r\n");
    QVERIFY(f.start());
    MainWindow& small = f.form800();
    f.bench->state().previewIsSlo = false;
    f.bench->state().consoleFrom800 = false;

    QPointer<BackupConsole> console = f.openConsole(small);
    QVERIFY(f.bench->state().consoleFrom800);
    QVERIFY(!small.isEnabled());
    QVERIFY(small.isVisible());
    QVERIFY(console->isEnabled());

    f.doubleClick(QStringLiteral("File1"), 0);
    QPointer<PreviewWindow> preview = f.preview();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QVERIFY(f.bench->state().previewIsSlo);
    QVERIFY(!console->isEnabled());
    QVERIFY(console->isVisible());
    QVERIFY(!small.isEnabled());

    // The console does not close under its open preview.
    QVERIFY(!console->close());
    QVERIFY(console->isVisible());
    QCOMPARE(f.preview(), preview.data());

    QVERIFY(preview->close());
    QVERIFY(!f.preview());
    QVERIFY(console->isEnabled());
    QVERIFY(!small.isEnabled());
    QTRY_VERIFY(preview.isNull());

    QVERIFY(console->close());
    QVERIFY(small.isEnabled());
    QVERIFY(small.isVisible());
    // The layout not in use is created for this, enabled, and stays hidden.
    MainWindow* big = f.bench->form1024();
    QVERIFY(big);
    QVERIFY(big->isEnabled());
    QVERIFY(!big->isVisible());
    QTRY_VERIFY(console.isNull());
    QVERIFY(!f.bench->backupConsole());
    QVERIFY(f.bench->state().consoleFrom800);
    QVERIFY(f.bench->state().previewIsSlo);

    // Usable again: the console opens anew.
    QVERIFY(f.openConsole(small));
    QVERIFY(!small.isEnabled());
}

void ConsoleWindowTest::consoleFrom1024GivesBothLayoutsBack()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.snapshot(kVloManual, "v\r\n");
    QVERIFY(f.start());
    MainWindow& small = f.form800();
    f.click(small, QStringLiteral("Command6"));
    MainWindow* big = f.bench->form1024();
    QVERIFY(big && big->isVisible());
    f.bench->state().previewIsSlo = true;

    BackupConsole* console = f.openConsole(*big);
    QVERIFY(console);
    QVERIFY(!f.bench->state().consoleFrom800);
    QVERIFY(!big->isEnabled());
    f.doubleClick(QStringLiteral("File2"), 0);
    QVERIFY(f.preview());
    QVERIFY(!f.bench->state().previewIsSlo);
    QVERIFY(f.preview()->close());
    QVERIFY(console->close());

    QVERIFY(big->isEnabled());
    QVERIFY(big->isVisible());
    QVERIFY(small.isEnabled());
    QVERIFY(!small.isVisible());
    QVERIFY(!f.bench->state().consoleFrom800);
    QVERIFY(!f.bench->state().previewIsSlo);
}

void ConsoleWindowTest::closingCreatesTheOtherLayoutHidden()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    // On a screen 1024 pixels wide the 1024 layout maximises itself when it loads.
    f.screen.m_twips = 15360;
    QVERIFY(f.start());
    QTRY_VERIFY(f.bench->state().startupDone);
    QVERIFY(!f.bench->form1024());
    BackupConsole* console = f.openConsole(f.form800());
    QVERIFY(console->close());

    MainWindow* big = f.bench->form1024();
    QVERIFY(big);
    QTRY_VERIFY(!big->resRecTimer()->isActive());
    QVERIFY(!big->isVisible());
    QVERIFY(big->isMaximized());
    QVERIFY(f.form800().isVisible());
    QVERIFY(f.form800().isEnabled());

    f.click(f.form800(), QStringLiteral("Command6"));
    QVERIFY(big->isVisible());
    QTRY_VERIFY(big->isMaximized());
}

void ConsoleWindowTest::nothingUnderThePointerOpensNoPreview()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    f.dialogs.clear();
    f.bench->state().previewIsSlo = true;

    // No save has run yet: there is no backup folder, and both lists are empty.
    BackupConsole* console = f.openConsole(f.form800());
    QVERIFY(f.dialogs.shown().isEmpty());
    QCOMPARE(f.names(QStringLiteral("File1")), QStringList{});
    f.doubleClick(QStringLiteral("File2"), -1);
    QVERIFY(!f.preview());
    QVERIFY(console->isEnabled());
    QVERIFY(f.bench->state().previewIsSlo);
    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown().at(0).kind, ScriptedDialogs::Kind::Tell);
    QCOMPARE(f.dialogs.shown().at(0).title, QStringLiteral("NO SNAPSHOT"));
    QCOMPARE(f.dialogs.shown().at(0).text,
             QStringLiteral("There is no VLO snapshot in the backup folder yet:\n") + backupFolder(f) +
                 QStringLiteral("\nEvery save keeps the previously saved SLO.qrb and "
                                "VLO.qrb there."));
    QCOMPARE(f.dialogs.shown().at(0).icon, Dialogs::Icon::Information);
    QVERIFY(console->close());

    // With names in the list, a double-click below the last one, even with one selected,
    // opens nothing either.
    f.snapshot(kSloManual, "s\r\n");
    f.openConsole(f.form800());
    QListView* left = f.list(QStringLiteral("File1"));
    left->setCurrentIndex(left->model()->index(0, 0));
    f.dialogs.clear();
    f.doubleClick(QStringLiteral("File1"), -1);
    QVERIFY(!f.preview());
    QVERIFY(f.bench->backupConsole()->isEnabled());
    QCOMPARE(
        f.dialogs.texts(),
        QStringList{"No snapshot was chosen. Double-click a name in the list to preview that snapshot."});
    QCOMPARE(f.dialogs.shown().at(0).title, QStringLiteral("NO SNAPSHOT"));
}

void ConsoleWindowTest::unreadableSnapshotOpensNoPreview()
{
    ConsoleFixture f;
    f.prepareProject("kept\r\n", "", "");
    f.snapshot(kSloManual, "gone soon\r\n");
    QVERIFY(f.start());
    f.dialogs.clear();
    f.bench->state().previewIsSlo = false;
    BackupConsole* console = f.openConsole(f.form800());
    const QString path = backupFolder(f) + QStringLiteral("/") + kSloManual;
    QVERIFY(QFile::remove(path));

    f.doubleClick(QStringLiteral("File1"), 0);
    QVERIFY(!f.preview());
    QVERIFY(console->isEnabled());
    QVERIFY(!f.bench->state().previewIsSlo);
    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown().at(0).title, QStringLiteral("SNAPSHOT NOT READ"));
    QCOMPARE(f.dialogs.shown().at(0).text,
             QStringLiteral("This snapshot could not be read, so no preview was opened:\n") + path +
                 QStringLiteral(": No such file or directory"));
    QCOMPARE(f.dialogs.shown().at(0).icon, Dialogs::Icon::Warning);
    QCOMPARE(f.form800().slo()->text(), QStringLiteral("kept"));
}

void ConsoleWindowTest::enterOpensTheCurrentEntry()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.snapshot(QStringLiteral("VLO.qrb1.1.2027_0-0-0_EXIT"), "first\r\n");
    f.snapshot(QStringLiteral("VLO.qrb2.1.2027_0-0-0_EXIT"), "second\r\n");
    QVERIFY(f.start());
    f.openConsole(f.form800());
    QListView* right = f.list(QStringLiteral("File2"));
    right->setFocus();
    right->setCurrentIndex(right->model()->index(1, 0));
    QTest::keyPress(right, Qt::Key_Return);
    QVERIFY(f.preview());
    QCOMPARE(f.preview()->textBox()->text(), QStringLiteral("second"));
    QVERIFY(!f.bench->state().previewIsSlo);
}

void ConsoleWindowTest::fileInPlaceOfTheFolderIsTold()
{
    ConsoleFixture f;
    f.prepareProject("", "", "");
    f.root.write(QStringLiteral("prog/backup"), "not a folder");
    QVERIFY(f.start());
    f.dialogs.clear();
    BackupConsole* console = f.openConsole(f.form800());
    QVERIFY(console->isVisible());
    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown().at(0).title, QStringLiteral("BACKUP FOLDER NOT READ"));
    QCOMPARE(f.dialogs.shown().at(0).text,
             QStringLiteral("The backup folder could not be listed, so the console shows no snapshots:\n") +
                 backupFolder(f) +
                 QStringLiteral(": a file of that name stands where the backup folder belongs"));
    QCOMPARE(f.names(QStringLiteral("File1")), QStringList{});
    QCOMPARE(f.names(QStringLiteral("File2")), QStringList{});
}

QRB_TEST(ConsoleWindowTest)
