// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomicfile.h"
#include "support/fakeview.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/notestext.h"
#include "workspace/projectfolders.h"
#include "workspace/projectsaver.h"
#include "workspace/savewithsnapshot.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kOldProject = "old slo\r\n|old vlo\r\n|old notes\r\n|";

// A saver over the two folders, counting the save signs it shows.
struct SaveFixture : ProjectFolders {
    ScriptedDialogs dialogs;
    NotesText notes;
    ProjectSaver saver{folders, clock, dialogs, notes};
    FakeView view;
    int signs = 0;

    SaveFixture()
    {
        saver.setSignShower([this] { ++signs; });
    }
    // The old project on disk, new texts in the editors.
    void writeProject(const QByteArray& slo = "old slo\r\n", const QByteArray& vlo = "old vlo\r\n",
                      const QByteArray& notesBytes = "old notes\r\n")
    {
        root.write(u"work/SLO.qrb"_s, slo);
        root.write(u"work/VLO.qrb"_s, vlo);
        root.write(u"work/Notes.qrb"_s, notesBytes);
        view.slo = u"new slo"_s;
        view.vlo = u"new vlo"_s;
        notes.setText(u"new notes"_s);
    }
    QStringList workEntries() const { return root.entries(u"work"_s); }
};

const QStringList kProjectFiles{u"Notes.qrb"_s, u"SLO.qrb"_s, u"VLO.qrb"_s};

} // namespace

class SaveTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachSaveMakesItsSnapshotsOfThePreviousFiles_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QByteArray>("notes");
        QTest::addColumn<int>("signs");
        QTest::newRow("TRY_SAVE") << 0 << u"_BEFORECOMPILE"_s << "old notes\r\n"_ba << 0;
        QTest::newRow("FORCE_SAVE") << 1 << u"_BEFORESEEK"_s << "old notes\r\n"_ba << 0;
        QTest::newRow("manual") << 2 << u"_MANUAL"_s << "new notes\r\n"_ba << 1;
        QTest::newRow("exit") << 3 << u"_EXIT"_s << "new notes\r\n"_ba << 1;
    }

    void eachSaveMakesItsSnapshotsOfThePreviousFiles()
    {
        QFETCH(int, which);
        QFETCH(QString, suffix);
        QFETCH(QByteArray, notes);
        QFETCH(int, signs);
        SaveFixture f;
        f.writeProject();
        f.view.vlo = u"new\r\nvlo"_s;
        QVERIFY(which == 0   ? f.saver.trySave(f.view)
                : which == 1 ? f.saver.forceSave(f.view)
                : which == 2 ? f.saver.manualSave(f.view)
                             : f.saver.exitSave(f.view));
        const QString slo = u"SLO.qrb5.12.2026_9-5-7"_s + suffix, vlo = u"VLO.qrb5.12.2026_9-5-7"_s + suffix;
        QCOMPARE(f.backups(), (QStringList{slo, vlo}));
        QCOMPARE((QList{f.backup(slo), f.backup(vlo)}), (QList<QByteArray>{"old slo\r\n", "old vlo\r\n"}));
        QCOMPARE(f.project(), "new slo\r\n|new\r\nvlo\r\n|" + notes + '|');
        QCOMPARE(f.signs, signs);
        QVERIFY(f.dialogs.shown().isEmpty());
    }

    void sameSecondSaves()
    {
        SaveFixture f;
        // A first start left VLO.qrb empty and no SLO.qrb: only VLO.qrb has something to keep.
        f.root.write(u"work/VLO.qrb"_s, "");
        f.view.slo = u"second"_s;
        QVERIFY(f.saver.manualSave(f.view));
        QCOMPARE(f.backups(), QStringList{u"VLO.qrb5.12.2026_9-5-7_MANUAL"_s});
        QCOMPARE(f.backup(u"VLO.qrb5.12.2026_9-5-7_MANUAL"_s), QByteArray());
        f.view.slo = u"third"_s;
        QVERIFY(f.saver.manualSave(f.view));
        f.view.slo = u"fourth"_s;
        QVERIFY(f.saver.manualSave(f.view) && f.saver.forceSave(f.view));
        // Saves of one kind in one second: each later one gets the next free number.
        QCOMPARE(f.backups(),
                 (QStringList{u"SLO.qrb5.12.2026_9-5-7_BEFORESEEK"_s, u"SLO.qrb5.12.2026_9-5-7_MANUAL_2"_s,
                              u"SLO.qrb5.12.2026_9-5-7_MANUAL_3"_s, u"VLO.qrb5.12.2026_9-5-7_BEFORESEEK"_s,
                              u"VLO.qrb5.12.2026_9-5-7_MANUAL"_s, u"VLO.qrb5.12.2026_9-5-7_MANUAL_2"_s,
                              u"VLO.qrb5.12.2026_9-5-7_MANUAL_3"_s}));
        QCOMPARE(f.backup(u"SLO.qrb5.12.2026_9-5-7_MANUAL_2"_s), "second\r\n"_ba);
        QCOMPARE(f.backup(u"SLO.qrb5.12.2026_9-5-7_MANUAL_3"_s), "third\r\n"_ba);
        QCOMPARE(f.backup(u"SLO.qrb5.12.2026_9-5-7_BEFORESEEK"_s), "fourth\r\n"_ba);
    }

    void readOnlyProjectFolderIsReportedAndLosesNothing()
    {
        SaveFixture f;
        f.writeProject();
        ReadOnlyFolder readOnly(f.folders.workDir);
        if (!readOnly.active())
            QSKIP(qPrintable(readOnly.why()));
        QVERIFY(!f.saver.manualSave(f.view));
        QCOMPARE(f.project(), kOldProject);
        QCOMPARE(f.signs, 0);
        QCOMPARE(f.dialogs.shown().size(), 1);
        const QString text = f.dialogs.shown().first().text;
        // One reason for the three files, said once above them.
        QStringList lines = text.split(QLatin1Char('\n'));
        for (const char* name : {"Notes.qrb", "SLO.qrb", "VLO.qrb"})
            QCOMPARE(lines.takeLast(), u"  "_s + f.root.file(u"work/"_s + QLatin1String(name)));
        QVERIFY2(lines.takeLast().endsWith(QLatin1Char(':')), qPrintable(text));
        QCOMPARE(lines.takeLast(), u"Could not be written:"_s);
        // The snapshots were made before the failed writes.
        QCOMPARE(f.backups().size(), 2);
    }

    void fullDiskLeavesEachFileWhole()
    {
        SaveFixture f;
        TinyFilesystem disk(f.folders.workDir, 64);
        if (!disk.active())
            QSKIP(qPrintable(u"no full-disk test: "_s + disk.why()));
        const QByteArray oldSlo = QByteArray(8 * 1024, 's') + "\r\n";
        const QByteArray oldVlo = QByteArray(8 * 1024, 'v') + "\r\n";
        f.writeProject(oldSlo, oldVlo, "n\r\n");
        // 40 KiB each: the first may fit beside the old files, the second cannot.
        f.view.vlo = QString(40 * 1024, QLatin1Char('V'));
        f.view.slo = QString(40 * 1024, QLatin1Char('S'));
        QVERIFY(!f.saver.trySave(f.view));
        const QByteArray vlo = f.work(u"VLO.qrb"_s);
        QVERIFY2(vlo == oldVlo || vlo == f.view.vlo.toLatin1() + "\r\n", "VLO.qrb cut");
        QCOMPARE(f.work(u"SLO.qrb"_s), oldSlo);
        const QString text = f.dialogs.shown().first().text;
        QVERIFY2(text.endsWith(u"No space left on device:\n  "_s + f.root.file(u"work/VLO.qrb"_s) +
                               u"\n  "_s + f.root.file(u"work/SLO.qrb"_s)),
                 qPrintable(text));
        // No temporary files are left behind on the full disk.
        QCOMPARE(f.workEntries(), kProjectFiles);
    }

    void failedSnapshotOrWriteKeepsTheOldFiles_data()
    {
        QTest::addColumn<int>("file"); // the write that fails for want of space; 0: none
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QByteArray>("project");
        QTest::addColumn<QStringList>("backups");
        const QString slo = u"SLO.qrb5.12.2026_9-5-7_MANUAL"_s, vlo = u"VLO.qrb5.12.2026_9-5-7_MANUAL"_s;
        const QString notMade =
            u"\n\nNo backup copy could be made:\n%1: %2\nSo that the last saved text is not "
            "lost, these files were left as they were: "_s;
        // A file where the backup folder belongs: the folder cannot be made, even by root. The
        // notes have no snapshot, so nothing stops their save.
        QTest::newRow("backup folder in the way")
            << 0 << u"prog/backup"_s
            << notMade.arg(u"%1"_s, u"a file of that name stands where the backup folder belongs"_s) +
                   u"VLO.qrb, SLO.qrb."_s
            << "old slo\r\n|old vlo\r\n|new notes\r\n|"_ba << QStringList();
        // A save writes the VLO and SLO snapshots, then VLO.qrb, SLO.qrb and Notes.qrb.
        QTest::newRow("the SLO snapshot")
            << 2 << u"prog/backup/"_s + slo
            << notMade.arg(u"%1"_s, u"No space left on device"_s) + u"SLO.qrb."_s
            << "old slo\r\n|new vlo\r\n|new notes\r\n|"_ba << QStringList{vlo};
        QTest::newRow("Notes.qrb") << 5 << u"work/Notes.qrb"_s
                                   << u"\n\nCould not be written:\n%1: No space left on device"_s
                                   << kOldProject << QStringList{slo, vlo};
    }

    // Every project file stays whole: the old text, or (VLO.qrb, whose snapshot was made) the new.
    void failedSnapshotOrWriteKeepsTheOldFiles()
    {
        QFETCH(int, file);
        QFETCH(QString, failing);
        QFETCH(QString, expected);
        QFETCH(QByteArray, project);
        QFETCH(QStringList, backups);
        SaveFixture f;
        f.writeProject();
        if (file == 0)
            f.root.write(u"prog/backup"_s, "in the way");
        else
            atomicfile::injectWriteFault(atomicfile::WriteFault{file, 3, ENOSPC});
        QVERIFY(!f.saver.manualSave(f.view));
        atomicfile::injectWriteFault(std::nullopt);
        QCOMPARE(f.dialogs.shown().size(), 1);
        QCOMPARE(f.dialogs.shown().first().title, u"SAVE FAILED"_s);
        QCOMPARE(f.dialogs.shown().first().text,
                 u"THE PROJECT WAS NOT SAVED COMPLETELY. Your texts are still in the editors."_s +
                     expected.arg(f.root.file(failing)));
        QCOMPARE(f.project(), project);
        QCOMPARE(f.workEntries(), kProjectFiles);
        QCOMPARE(f.backups(), backups);
        QCOMPARE(f.signs, 0);
    }

    void saverTellsReplacedCharacters()
    {
        SaveFixture f;
        f.writeProject("", "", "");
        f.view.slo = u"cost: 5\u20ac"_s;
        QVERIFY(f.saver.manualSave(f.view));
        QCOMPARE(f.work(u"SLO.qrb"_s), "cost: 5?\r\n"_ba);
        QCOMPARE(f.dialogs.shown().size(), 1);
        QCOMPARE(f.dialogs.shown().first().title, u"CHARACTERS REPLACED"_s);
        QCOMPARE(
            f.dialogs.shown().first().text,
            u"These characters cannot be stored in the 8-bit text files and were written as '?': \u20ac"_s);
    }
};

QRB_TEST(SaveTest)

#include "tst_save.moc"
