// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/backupstore.h"
#include "workspace/projectfolders.h"
#include "workspace/savewithsnapshot.h"
#include "workspace/snapshotlink.h"
#include "workspace/snapshotname.h"

#include <QDir>
#include <QFile>
#include <filesystem>

using namespace Qt::StringLiterals;

namespace {

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Each save runs at the next second of 5 December from 9:00:00, over an SLO.qrb holding "a".
struct Saves : ProjectFolders {
    int second = 0;

    Saves() { root.write(u"work/SLO.qrb"_s, "a\r\n"); }

    savewithsnapshot::Result save(const QString& slo, const QString& vlo = u"v"_s)
    {
        clock.set(QTime(9, 0, second++), QDate(2026, 12, 5));
        return savewithsnapshot::run(folders, clock, {slo, vlo, QString()}, u"_MANUAL"_s, false);
    }
    QString snapshot(const QString& name) const { return root.file(u"prog/backup/"_s + name); }
    static QString sloAt(int second) { return u"SLO.qrb5.12.2026_9-0-%1_MANUAL"_s.arg(second); }
    bool sameFile(const QString& a, const QString& b) const
    {
        return std::filesystem::equivalent(fsPath(snapshot(a)), fsPath(snapshot(b)));
    }
    int links(const QString& name) const
    {
        return int(std::filesystem::hard_link_count(fsPath(snapshot(name))));
    }
};

} // namespace

class SnapshotTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tooltipTellsTimeKindAndSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("links");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("manual") << u"SLO.qrb5.12.2026_9-5-7_MANUAL"_s << qint64(614400) << 1
                                << u"Saturday, 5 December 2026 at 9:05:07\nManual save\n614,400 bytes"_s;
        QTest::newRow("exit") << u"VLO.qrb31.10.2026_23-59-59_EXIT"_s << qint64(1) << 1
                              << u"Saturday, 31 October 2026 at 23:59:59\nExit save\n1 byte"_s;
        QTest::newRow("before export")
            << u"SLO.qrb1.1.2027_0-0-0_BEFORECOMPILE"_s << qint64(0) << 1
            << u"Friday, 1 January 2027 at 0:00:00\nSave before export\n0 bytes (empty)"_s;
        QTest::newRow("before search, linked")
            << u"SLO.qrb7.12.2026_14-3-9_BEFORESEEK"_s << qint64(12) << 3
            << u"Monday, 7 December 2026 at 14:03:09\nSave before search or go to line, or when the system "
               "closed the window\n12 bytes\nSame bytes as 2 other snapshots, stored once"_s;
        QTest::newRow("second in the same second, one twin")
            << u"VLO.qrb5.12.2026_9-5-7_MANUAL_2"_s << qint64(5) << 2
            << u"Saturday, 5 December 2026 at 9:05:07\nManual save (snapshot 2 of that second)\n5 bytes\n"
               "Same bytes as 1 other snapshot, stored once"_s;
        QTest::newRow("lower case, unknown suffix")
            << u"slo.qrb5.12.2026_9-5-7_OTHER"_s << qint64(5) << 1
            << u"Saturday, 5 December 2026 at 9:05:07\nSave of an unknown "
               "kind (_OTHER)\n5 bytes"_s;
        QTest::newRow("no stamp") << u"SLO.qrb.bak"_s << qint64(5) << 1
                                  << u"No save time in this name: not made by a save\n5 bytes"_s;
        QTest::newRow("impossible date")
            << u"SLO.qrb31.2.2026_9-5-7_MANUAL"_s << qint64(-1) << 1
            << u"No save time in this name: not made by a save\nSize unknown: the "
               "file could not be read"_s;
    }

    void tooltipTellsTimeKindAndSize()
    {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(int, links);
        QFETCH(QString, tooltip);
        QCOMPARE(snapshotname::describe(name, size >= 0 ? std::optional(size) : std::nullopt, links),
                 tooltip);
    }

    void oldestFirstByTheTimeInTheName()
    {
        QStringList names{u"SLO.qrb5.12.2026_9-5-7_MANUAL"_s,      u"SLO.qrb.bak"_s,
                          u"SLO.qrb10.12.2026_8-0-0_EXIT"_s,       u"SLO.qrb5.12.2026_9-5-7_MANUAL_2"_s,
                          u"SLO.qrb5.12.2026_10-0-0_BEFORESEEK"_s, u"SLO.qrb5.12.2026_9-5-7_MANUAL_10"_s,
                          u"SLO.qrb4.12.2027_0-0-0_MANUAL"_s,      u"SLO.qrb.abc"_s,
                          u"SLO.qrb5.12.2026_15-6-11_MANUAL"_s,    u"SLO.qrb5.12.2026_15-6-1_MANUAL"_s};
        snapshotname::sortByTime(names);
        QCOMPARE(names,
                 (QStringList{u"SLO.qrb5.12.2026_9-5-7_MANUAL"_s, u"SLO.qrb5.12.2026_9-5-7_MANUAL_2"_s,
                              u"SLO.qrb5.12.2026_9-5-7_MANUAL_10"_s, u"SLO.qrb5.12.2026_10-0-0_BEFORESEEK"_s,
                              u"SLO.qrb5.12.2026_15-6-1_MANUAL"_s, u"SLO.qrb5.12.2026_15-6-11_MANUAL"_s,
                              u"SLO.qrb10.12.2026_8-0-0_EXIT"_s, u"SLO.qrb4.12.2027_0-0-0_MANUAL"_s,
                              u"SLO.qrb.abc"_s, u"SLO.qrb.bak"_s}));
    }

    void unchangedFileLinksToTheNewestSnapshot()
    {
        Saves f;
        f.root.write(u"work/VLO.qrb"_s, "v\r\n");
        // Texts a, a, b, b: the disk holds a for the first three snapshots, b for the fourth.
        for (const QString& text : {u"a"_s, u"a"_s, u"b"_s, u"b"_s})
            QVERIFY(f.save(text).ok());
        const QString s0 = f.sloAt(0), s1 = f.sloAt(1), s2 = f.sloAt(2), s3 = f.sloAt(3);
        QCOMPARE((QList{f.backup(s0), f.backup(s1), f.backup(s2), f.backup(s3)}),
                 (QList<QByteArray>{"a\r\n", "a\r\n", "a\r\n", "b\r\n"}));
        QVERIFY(f.sameFile(s0, s1) && f.sameFile(s1, s2));
        QVERIFY(!f.sameFile(s2, s3));
        QCOMPARE((QList<int>{f.links(s0), f.links(s3)}), (QList<int>{3, 1}));
        // The VLO file never changed: one file under four names, and no stray names.
        QCOMPARE(f.links(u"VLO.qrb5.12.2026_9-0-3_MANUAL"_s), 4);
        QCOMPARE(f.backups().size(), 8);
    }

    void anExistingSnapshotNameIsNeverReplaced()
    {
        Saves f;
        QVERIFY(f.save(u"a"_s).ok());
        QVERIFY(f.save(u"changed"_s).ok());
        QCOMPARE(f.links(f.sloAt(0)), 2);
        // Neither a copy nor a link takes a name that exists: the linked twins keep their bytes.
        const backupstore::Made made =
            backupstore::copySnapshot(f.root.file(u"work/SLO.qrb"_s), f.snapshot(f.sloAt(1)));
        QVERIFY(made.nameTaken && !made.failure);
        QCOMPARE(f.backup(f.sloAt(1)), "a\r\n"_ba);
        QCOMPARE(f.links(f.sloAt(0)), 2);
        // The same bytes as the newest snapshot: the link is refused by the name as well.
        f.root.write(u"work/SLO.qrb"_s, "a\r\n");
        f.root.write(u"prog/backup/SLO.qrb5.12.2026_9-0-9_MANUAL"_s, "someone else's");
        QVERIFY(backupstore::copySnapshot(f.root.file(u"work/SLO.qrb"_s),
                                          f.snapshot(u"SLO.qrb5.12.2026_9-0-9_MANUAL"_s))
                    .nameTaken);
        QCOMPARE(f.backup(u"SLO.qrb5.12.2026_9-0-9_MANUAL"_s), "someone else's"_ba);
    }

    void newestSnapshotOfAnEarlierRunIsFound_data()
    {
        QTest::addColumn<QByteArray>("newestBytes");
        QTest::addColumn<bool>("linked");
        QTest::newRow("newest holds the same bytes") << "a\r\n"_ba << true;
        QTest::newRow("only an older one does") << "other\r\n"_ba << false;
    }

    void newestSnapshotOfAnEarlierRunIsFound()
    {
        QFETCH(QByteArray, newestBytes);
        QFETCH(bool, linked);
        Saves f;
        f.root.mkdir(u"prog/backup"_s);
        // By name "10.11." sorts first; by time 4 December is the newest.
        f.root.write(u"prog/backup/SLO.qrb10.11.2026_8-0-0_EXIT"_s, "a\r\n");
        f.root.write(u"prog/backup/SLO.qrb4.12.2026_8-0-0_MANUAL"_s, newestBytes);
        f.root.write(u"prog/backup/SLO.qrb.bak"_s, "a\r\n");
        QVERIFY(f.save(u"a"_s).ok());
        QCOMPARE(f.backup(f.sloAt(0)), "a\r\n"_ba);
        QCOMPARE(f.sameFile(f.sloAt(0), u"SLO.qrb4.12.2026_8-0-0_MANUAL"_s), linked);
        QVERIFY(!f.sameFile(f.sloAt(0), u"SLO.qrb10.11.2026_8-0-0_EXIT"_s));
    }

    void refusedLinksFallBackToCopies()
    {
        Saves f;
        const snapshotlink::RefusingLinks refusing;
        QVERIFY(f.save(u"a"_s).ok());
        const savewithsnapshot::Result second = f.save(u"a"_s);
        QVERIFY(second.ok());
        QCOMPARE(second.snapshots,
                 (QStringList{f.snapshot(u"VLO.qrb5.12.2026_9-0-1_MANUAL"_s), f.snapshot(f.sloAt(1))}));
        QCOMPARE(f.backup(f.sloAt(1)), "a\r\n"_ba);
        QVERIFY(!f.sameFile(f.sloAt(0), f.sloAt(1)));
        QCOMPARE(f.backups().size(), 3);
    }

    void readOnlyFolderReportsAsACopyWould()
    {
        Saves f;
        f.root.write(u"work/VLO.qrb"_s, "v\r\n");
        QVERIFY(f.save(u"a"_s).ok());
        const QString backup = f.root.file(u"prog/backup"_s);
        ReadOnlyFolder readOnly(backup);
        if (!readOnly.active())
            QSKIP(qPrintable(readOnly.why()));
        const savewithsnapshot::Result result = f.save(u"changed"_s);
        QCOMPARE(result.backupFailures.size(), 2);
        QCOMPARE(result.backupFailures.at(1).path, f.snapshot(f.sloAt(1)));
        // The link is refused like the copy; the copy's reason is the one told, as before: the
        // read-only mount's as root, the permission bits' otherwise.
        QCOMPARE(result.backupFailures.at(1).reason,
                 runningAsRoot() ? u"Read-only file system"_s : u"Permission denied"_s);
        QCOMPARE(result.keptUnwritten, (QStringList{u"VLO.qrb"_s, u"SLO.qrb"_s}));
        QCOMPARE(f.root.read(u"work/SLO.qrb"_s), "a\r\n"_ba);
        QCOMPARE(f.backups().size(), 2);
    }
};

QRB_TEST(SnapshotTest)
#include "tst_snapshots.moc"
