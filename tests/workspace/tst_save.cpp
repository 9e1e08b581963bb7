#include "platform/atomicfile.h"
#include "support/fakeview.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/backupstore.h"
#include "workspace/notestext.h"
#include "workspace/projectsaver.h"
#include "workspace/savewithsnapshot.h"

#include <QDir>
#include <QTest>

namespace {

const QTime kNineOhFive(9, 5, 7);
const QDate kFifthDecember(2026, 12, 5);

// A program folder and a working folder side by side, with a saver over them.
struct SaveFixture {
    TempFolder root;
    Folders folders{root.file(QStringLiteral("prog")), root.file(QStringLiteral("work"))};
    FixedClock clock{kNineOhFive, kFifthDecember};
    ScriptedDialogs dialogs;
    NotesText notes;
    ProjectSaver saver{folders, clock, dialogs, notes};
    FakeView view;
    int signs = 0;

    SaveFixture()
    {
        root.mkdir(QStringLiteral("prog"));
        root.mkdir(QStringLiteral("work"));
        saver.setSignShower([this] { ++signs; });
    }
    void writeProject(const QByteArray& slo, const QByteArray& vlo, const QByteArray& notesBytes)
    {
        root.write(QStringLiteral("work/SLO.qrb"), slo);
        root.write(QStringLiteral("work/VLO.qrb"), vlo);
        root.write(QStringLiteral("work/Notes.qrb"), notesBytes);
    }
    QStringList backups() const { return root.entries(QStringLiteral("prog/backup")); }
    QByteArray backup(const QString& name) const { return root.read(QStringLiteral("prog/backup/") + name); }
    QByteArray work(const QString& name) const { return root.read(QStringLiteral("work/") + name); }
};

} // namespace

class SaveTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stampHasNoLeadingZeros();
    void eachSaveMakesItsSnapshotsOfThePreviousFiles_data();
    void eachSaveMakesItsSnapshotsOfThePreviousFiles();
    void sameSecondSaves();
    void unwritableBackupFolderKeepsTheProjectFiles();
    void readOnlyProjectFolderIsReportedAndLosesNothing();
    void fullDiskLeavesEachFileWhole();
    void fullDiskAtAnyFileOfTheSaveKeepsTheOldFiles_data();
    void fullDiskAtAnyFileOfTheSaveKeepsTheOldFiles();
    void saverTellsReplacedCharacters();
};

void SaveTest::stampHasNoLeadingZeros()
{
    QCOMPARE(backupstore::stamp(kNineOhFive, kFifthDecember), QStringLiteral("5.12.2026_9-5-7"));
    QCOMPARE(backupstore::stamp(QTime(23, 59, 59), QDate(2026, 10, 31)), QStringLiteral("31.10.2026_23-59-59"));
    QCOMPARE(backupstore::snapshotName(QStringLiteral("VLO.qrb"), QStringLiteral("5.12.2026_9-5-7"),
                                       backupstore::kSuffixManual),
             QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL"));
}

void SaveTest::eachSaveMakesItsSnapshotsOfThePreviousFiles_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("notesWritten");
    QTest::addColumn<bool>("signShown");
    QTest::newRow("TRY_SAVE") << 0 << QStringLiteral("_BEFORECOMPILE") << false << false;
    QTest::newRow("FORCE_SAVE") << 1 << QStringLiteral("_BEFORESEEK") << false << false;
    QTest::newRow("manual") << 2 << QStringLiteral("_MANUAL") << true << true;
    QTest::newRow("exit") << 3 << QStringLiteral("_EXIT") << true << true;
}

void SaveTest::eachSaveMakesItsSnapshotsOfThePreviousFiles()
{
    QFETCH(int, which);
    QFETCH(QString, suffix);
    QFETCH(bool, notesWritten);
    QFETCH(bool, signShown);

    SaveFixture f;
    f.writeProject("old slo\r\n", "old vlo\r\n", "old notes\r\n");
    f.view.slo = QStringLiteral("new slo");
    f.view.vlo = QStringLiteral("new\r\nvlo");
    f.notes.setText(QStringLiteral("new notes"));

    const bool ok = which == 0   ? f.saver.trySave(f.view)
                    : which == 1 ? f.saver.forceSave(f.view)
                    : which == 2 ? f.saver.manualSave(f.view)
                                 : f.saver.exitSave(f.view);
    QVERIFY(ok);
    const QString slo = QStringLiteral("SLO.qrb5.12.2026_9-5-7") + suffix;
    const QString vlo = QStringLiteral("VLO.qrb5.12.2026_9-5-7") + suffix;
    QCOMPARE(f.backups(), (QStringList{slo, vlo}));
    QCOMPARE(f.backup(slo), QByteArray("old slo\r\n"));
    QCOMPARE(f.backup(vlo), QByteArray("old vlo\r\n"));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("new slo\r\n"));
    QCOMPARE(f.work(QStringLiteral("VLO.qrb")), QByteArray("new\r\nvlo\r\n"));
    QCOMPARE(f.work(QStringLiteral("Notes.qrb")), notesWritten ? QByteArray("new notes\r\n") : QByteArray("old notes\r\n"));
    QCOMPARE(f.signs, signShown ? 1 : 0);
    QVERIFY(f.dialogs.shown().isEmpty());
}

void SaveTest::sameSecondSaves()
{
    SaveFixture f;
    // A first start left VLO.qrb empty and no SLO.qrb: only VLO.qrb has something to keep.
    f.root.write(QStringLiteral("work/VLO.qrb"), "");
    f.view.slo = QStringLiteral("second");
    QVERIFY(f.saver.manualSave(f.view));
    QCOMPARE(f.backups(), QStringList{QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL")});
    QCOMPARE(f.backup(QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL")), QByteArray());
    f.view.slo = QStringLiteral("third");
    QVERIFY(f.saver.manualSave(f.view));
    f.view.slo = QStringLiteral("fourth");
    QVERIFY(f.saver.manualSave(f.view));
    QVERIFY(f.saver.forceSave(f.view));
    // Saves of one kind in one second: each later one gets the next free number.
    QCOMPARE(f.backups(), (QStringList{QStringLiteral("SLO.qrb5.12.2026_9-5-7_BEFORESEEK"),
                                       QStringLiteral("SLO.qrb5.12.2026_9-5-7_MANUAL_2"),
                                       QStringLiteral("SLO.qrb5.12.2026_9-5-7_MANUAL_3"),
                                       QStringLiteral("VLO.qrb5.12.2026_9-5-7_BEFORESEEK"),
                                       QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL"),
                                       QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL_2"),
                                       QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL_3")}));
    QCOMPARE(f.backup(QStringLiteral("SLO.qrb5.12.2026_9-5-7_MANUAL_2")), QByteArray("second\r\n"));
    QCOMPARE(f.backup(QStringLiteral("SLO.qrb5.12.2026_9-5-7_MANUAL_3")), QByteArray("third\r\n"));
    QCOMPARE(f.backup(QStringLiteral("SLO.qrb5.12.2026_9-5-7_BEFORESEEK")), QByteArray("fourth\r\n"));
}

void SaveTest::unwritableBackupFolderKeepsTheProjectFiles()
{
    SaveFixture f;
    f.writeProject("old slo\r\n", "old vlo\r\n", "old notes\r\n");
    // A file where the backup folder belongs: the folder cannot be made, even by root.
    f.root.write(QStringLiteral("prog/backup"), "in the way");
    f.view.slo = QStringLiteral("new slo");
    f.notes.setText(QStringLiteral("new notes"));
    QVERIFY(!f.saver.manualSave(f.view));

    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("old slo\r\n"));
    QCOMPARE(f.work(QStringLiteral("VLO.qrb")), QByteArray("old vlo\r\n"));
    // The notes have no snapshot, so nothing stops their save.
    QCOMPARE(f.work(QStringLiteral("Notes.qrb")), QByteArray("new notes\r\n"));
    QCOMPARE(f.signs, 0);
    QCOMPARE(f.dialogs.shown().size(), 1);
    const ScriptedDialogs::Shown& box = f.dialogs.shown().first();
    QCOMPARE(box.title, QStringLiteral("SAVE FAILED"));
    QCOMPARE(box.text, QStringLiteral("THE PROJECT WAS NOT SAVED COMPLETELY. Your texts are still in the editors.\n\n"
                                      "No backup copy could be made:\n") +
                           f.root.file(QStringLiteral("prog/backup")) +
                           QStringLiteral(": a file of that name stands where the backup folder belongs\n"
                                          "So that the last saved text is not lost, these files were left as they "
                                          "were: VLO.qrb, SLO.qrb."));
}

void SaveTest::readOnlyProjectFolderIsReportedAndLosesNothing()
{
    SaveFixture f;
    f.writeProject("old slo\r\n", "old vlo\r\n", "old notes\r\n");
    ReadOnlyFolder readOnly(f.folders.workDir);
    if (!readOnly.active())
        QSKIP(qPrintable(readOnly.why()));
    f.view.slo = QStringLiteral("new slo");
    QVERIFY(!f.saver.manualSave(f.view));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("old slo\r\n"));
    QCOMPARE(f.work(QStringLiteral("VLO.qrb")), QByteArray("old vlo\r\n"));
    QCOMPARE(f.work(QStringLiteral("Notes.qrb")), QByteArray("old notes\r\n"));
    QCOMPARE(f.signs, 0);
    QCOMPARE(f.dialogs.shown().size(), 1);
    const QString text = f.dialogs.shown().first().text;
    QVERIFY2(text.contains(QStringLiteral("Could not be written:\n")), qPrintable(text));
    // One reason for the three files, said once above them.
    QStringList lines = text.split(QLatin1Char('\n'));
    QCOMPARE(lines.takeLast(), QStringLiteral("  ") + f.root.file(QStringLiteral("work/Notes.qrb")));
    QCOMPARE(lines.takeLast(), QStringLiteral("  ") + f.root.file(QStringLiteral("work/SLO.qrb")));
    QCOMPARE(lines.takeLast(), QStringLiteral("  ") + f.root.file(QStringLiteral("work/VLO.qrb")));
    QVERIFY2(lines.takeLast().endsWith(QLatin1Char(':')), qPrintable(text));
    QCOMPARE(lines.takeLast(), QStringLiteral("Could not be written:"));
    // The snapshots were made before the failed writes.
    QCOMPARE(f.backups().size(), 2);
}

void SaveTest::fullDiskLeavesEachFileWhole()
{
    SaveFixture f;
    TinyFilesystem disk(f.folders.workDir, 64);
    if (!disk.active())
        QSKIP(qPrintable(QStringLiteral("no full-disk test: ") + disk.why()));
    const QByteArray oldSlo = QByteArray(8 * 1024, 's') + "\r\n";
    const QByteArray oldVlo = QByteArray(8 * 1024, 'v') + "\r\n";
    f.writeProject(oldSlo, oldVlo, "n\r\n");
    // 40 KiB each: the first may fit beside the old files, the second cannot.
    f.view.vlo = QString(40 * 1024, QLatin1Char('V'));
    f.view.slo = QString(40 * 1024, QLatin1Char('S'));
    QVERIFY(!f.saver.trySave(f.view));

    const QByteArray slo = f.work(QStringLiteral("SLO.qrb"));
    const QByteArray vlo = f.work(QStringLiteral("VLO.qrb"));
    QVERIFY2(slo == oldSlo || slo == f.view.slo.toLatin1() + "\r\n", "SLO.qrb cut");
    QVERIFY2(vlo == oldVlo || vlo == f.view.vlo.toLatin1() + "\r\n", "VLO.qrb cut");
    QCOMPARE(slo, oldSlo);
    const QString text = f.dialogs.shown().first().text;
    QVERIFY2(text.endsWith(QStringLiteral("No space left on device:\n  ") +
                           f.root.file(QStringLiteral("work/VLO.qrb")) + QStringLiteral("\n  ") +
                           f.root.file(QStringLiteral("work/SLO.qrb"))),
             qPrintable(text));
    // No temporary files are left behind on the full disk.
    QCOMPARE(f.root.entries(QStringLiteral("work")),
             (QStringList{QStringLiteral("Notes.qrb"), QStringLiteral("SLO.qrb"), QStringLiteral("VLO.qrb")}));
}

void SaveTest::fullDiskAtAnyFileOfTheSaveKeepsTheOldFiles_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("expected");
    // A save writes the VLO and SLO snapshots, then VLO.qrb, SLO.qrb and Notes.qrb.
    QTest::newRow("the SLO snapshot")
        << 2 << QStringLiteral("prog/backup/SLO.qrb5.12.2026_9-5-7_MANUAL")
        << QStringLiteral("\n\nNo backup copy could be made:\n%1: No space left on device\n"
                          "So that the last saved text is not lost, these files were "
                          "left as they were: SLO.qrb.");
    QTest::newRow("Notes.qrb") << 5 << QStringLiteral("work/Notes.qrb")
                               << QStringLiteral("\n\nCould not be written:\n%1: No space left on device");
}

void SaveTest::fullDiskAtAnyFileOfTheSaveKeepsTheOldFiles()
{
    QFETCH(int, file);
    QFETCH(QString, failing);
    QFETCH(QString, expected);
    SaveFixture f;
    f.writeProject("old slo\r\n", "old vlo\r\n", "old notes\r\n");
    f.view.slo = QStringLiteral("new slo");
    f.view.vlo = QStringLiteral("new vlo");
    f.notes.setText(QStringLiteral("new notes"));
    atomicfile::injectWriteFault(atomicfile::WriteFault{file, 3, ENOSPC});
    QVERIFY(!f.saver.manualSave(f.view));
    atomicfile::injectWriteFault(std::nullopt);
    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown().first().text,
             QStringLiteral("THE PROJECT WAS NOT SAVED COMPLETELY. Your texts are still in the editors.") +
                 expected.arg(f.root.file(failing)));
    // Every project file is whole: the old text, or (VLO.qrb, whose snapshot was made) the new.
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("old slo\r\n"));
    QCOMPARE(f.work(QStringLiteral("Notes.qrb")),
             file == 5 ? QByteArray("old notes\r\n") : QByteArray("new notes\r\n"));
    QCOMPARE(f.work(QStringLiteral("VLO.qrb")),
             file == 5 ? QByteArray("old vlo\r\n") : QByteArray("new vlo\r\n"));
    QCOMPARE(
        f.root.entries(QStringLiteral("work")),
        (QStringList{QStringLiteral("Notes.qrb"), QStringLiteral("SLO.qrb"), QStringLiteral("VLO.qrb")}));
    QCOMPARE(f.backups(), file == 5 ? (QStringList{QStringLiteral("SLO.qrb5.12.2026_9-5-7_MANUAL"),
                                                   QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL")})
                                    : QStringList{QStringLiteral("VLO.qrb5.12.2026_9-5-7_MANUAL")});
}

void SaveTest::saverTellsReplacedCharacters()
{
    SaveFixture f;
    f.writeProject("", "", "");
    f.view.slo = QStringLiteral("cost: 5\u20ac");
    QVERIFY(f.saver.manualSave(f.view));
    QCOMPARE(f.work(QStringLiteral("SLO.qrb")), QByteArray("cost: 5?\r\n"));
    QCOMPARE(f.dialogs.shown().size(), 1);
    QCOMPARE(f.dialogs.shown().first().title, QStringLiteral("CHARACTERS REPLACED"));
    QCOMPARE(f.dialogs.shown().first().text,
             QStringLiteral("These characters cannot be stored in the 8-bit text files and were written as '?': \u20ac"));
}

QRB_TEST(SaveTest)

#include "tst_save.moc"
