#include "backupconsole/backupconsole.h"
#include "backupconsole/previewwindow.h"
#include "consolefixture.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"

#include <QListWidget>
#include <QTest>

// The console together with the editor menu and the notes window.
class ConsoleAndEditingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void undoRightAfterRevertBringsBackTheLastSnapshot()
    {
        ConsoleFixture f;
        f.prepareProject("saved\r\n", "", "");
        f.snapshot(QStringLiteral("SLO.qrb1.12.2026_10-0-0_MANUAL"), "from the backup\r\n");
        QVERIFY(f.start());
        MainWindow& form = f.form800();
        ScriptEditor* slo = form.slo();
        slo->setText(QStringLiteral("saved\r\ntyped since"));
        // Enter takes a snapshot of the text as it stands.
        slo->setCaret(slo->text().size());
        QTest::keyClick(slo, Qt::Key_Return);
        QTest::keyClicks(slo, QStringLiteral("more"));

        BackupConsole* console = f.openConsole(form);
        f.doubleClick(QStringLiteral("File1"), 0);
        f.clickPreview(QStringLiteral("Command1"));
        QCOMPARE(slo->text(), QStringLiteral("from the backup"));
        QVERIFY(console->close());

        QTest::mousePress(slo->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QListWidget* menu = form.sloMenu();
        QVERIFY(menu->isVisible());
        QTest::mouseClick(menu->viewport(), Qt::LeftButton, Qt::NoModifier,
                          menu->visualItemRect(menu->item(0)).center());
        QCOMPARE(slo->text(), QStringLiteral("saved\r\ntyped since"));
    }

    void notesOpenedAfterAnImportShowTheBlockAtTheirEnd()
    {
        ConsoleFixture f;
        f.prepareProject("", "", "my notes\r\n");
        f.snapshot(QStringLiteral("VLO.qrb1.12.2026_10-0-0_MANUAL"), "abc\r\n");
        QVERIFY(f.start());
        QVERIFY(!f.bench->notesWindow());
        BackupConsole* console = f.openConsole(f.form800());
        f.doubleClick(QStringLiteral("File2"), 0);
        f.preview()->findChild<ScriptEditor*>(QStringLiteral("Text1"))->setSelection(0, 3);
        f.clickPreview(QStringLiteral("Command2"));
        f.clickPreview(QStringLiteral("Command1"));
        QVERIFY(console->close());

        f.click(f.form800(), QStringLiteral("Command10"));
        NotesWindow* notes = f.bench->notesWindow();
        QVERIFY(notes && notes->isVisible());
        QCOMPARE(notes->findChild<ScriptEditor*>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("my notes\r\n\r\n///////// SCRIPT IMPORTED FROM BACKUP: ///////// \r\nabc\r\n"
                                "///////// BACKUP SCRIPT END: /////////"));
    }
};

QRB_TEST(ConsoleAndEditingTest)

#include "tst_consoleandediting.moc"
