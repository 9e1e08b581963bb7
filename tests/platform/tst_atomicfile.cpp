// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomicfile.h"
#include "platform/fileresult.h"
#include "platform/processinfo.h"
#include "platform/textfile.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kNoSpace = u"No space left on device"_s;

// Disarms the seam when a test ends, whatever happened in it.
struct FaultScope {
    explicit FaultScope(atomicfile::WriteFault fault) { atomicfile::injectWriteFault(fault); }
    ~FaultScope() { atomicfile::injectWriteFault(std::nullopt); }
};

} // namespace

// Groups of files replaced together under kills and full disks.
class AtomicFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFailingFileLeavesTheWholeGroupAsItWas_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<qint64>("atByte");
        QTest::newRow("first file, nothing written") << 1 << qint64(0);
        QTest::newRow("third file, cut in the middle") << 3 << qint64(5000);
        QTest::newRow("last file, one byte short") << 4 << qint64(9999);
    }

    void aFailingFileLeavesTheWholeGroupAsItWas()
    {
        QFETCH(int, file);
        QFETCH(qint64, atByte);
        TempFolder dir;
        QList<atomicfile::Replacement> group;
        for (int i = 0; i < 4; ++i) {
            const QString name = u"player%1.slo"_s.arg(i);
            dir.write(name, "old " + QByteArray::number(i));
            group.append({dir.file(name), {QByteArray(4000, 'a'), QByteArray(6000, 'b')}});
        }
        const FaultScope fault({file, atByte, ENOSPC});
        const QList<FileFailure> failures = atomicfile::replaceAll(group);
        QCOMPARE(failures, (QList<FileFailure>{{group.at(file - 1).path, kNoSpace}}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(dir.read(u"player%1.slo"_s.arg(i)), "old " + QByteArray::number(i));
        QCOMPARE(dir.entries().size(), 4); // no temporary left
    }

    void aWrittenGroupReplacesEveryFileAndKeepsItsPermissions()
    {
        TempFolder dir;
        dir.write(u"a"_s, "old a");
        QFile::setPermissions(dir.file(u"a"_s), QFile::ReadOwner | QFile::WriteOwner);
        const QFile::Permissions ownerOnly = QFile::permissions(dir.file(u"a"_s));
        QVERIFY(!(ownerOnly & QFile::ReadOther));
        const QList<FileFailure> failures =
            atomicfile::replaceAll({{dir.file(u"a"_s), {"new ", "a"}}, {dir.file(u"b"_s), {"new b"}}});
        QVERIFY(failures.isEmpty());
        QCOMPARE(dir.read(u"a"_s), QByteArray("new a"));
        QCOMPARE(dir.read(u"b"_s), QByteArray("new b"));
        QCOMPARE(QFile::permissions(dir.file(u"a"_s)), ownerOnly);
        QCOMPARE(dir.entries(), (QStringList{u"a"_s, u"b"_s}));
    }

    // Lines and blocks go out in order over the old bytes; a writer dropped unclosed replaces nothing.
    void lineWriterReplacesTheFileOnlyWhenClosed()
    {
        TempFolder dir;
        dir.write(u"Names.txt"_s, "old\r\n");
        {
            textfile::LineWriter writer;
            QVERIFY(!writer.open(dir.file(u"Names.txt"_s)));
            QVERIFY(!writer.writeLine(u"new"));
        }
        QCOMPARE(dir.read(u"Names.txt"_s), QByteArray("old\r\n"));
        textfile::LineWriter writer;
        QVERIFY(!writer.open(dir.file(u"Names.txt"_s)));
        QVERIFY(!writer.writeLine(u"caf\u00e9 \u20ac"));
        QVERIFY(!writer.writeLines("block 1\r\nblock 2\r\n"));
        QByteArray expected = "caf\xe9 ?\r\nblock 1\r\nblock 2\r\n";
        for (int i = 0; i < 20000; ++i) {
            QVERIFY(!writer.writeLine(QString::number(i)));
            expected += QByteArray::number(i) + "\r\n";
        }
        QVERIFY(!writer.close());
        QCOMPARE(dir.read(u"Names.txt"_s), expected);
        QCOMPARE(dir.entries(), QStringList{u"Names.txt"_s});
    }

    void temporariesNeverPassForProjectOrPlayerFilesAndOnlyTheyAreSwept()
    {
        TempFolder dir;
        dir.write(u"SLO.qrb"_s, "slo");
        atomicfile::PendingFile pending(dir.file(u"SLO.qrb"_s));
        QVERIFY(!pending.open());
        const QStringList during = dir.entries();
        QCOMPARE(during.size(), 2);
        const QString temporary = during.at(0) == QLatin1String("SLO.qrb") ? during.at(1) : during.at(0);
        for (const char* pattern : {"SLO.*", "VLO.*", "player*"})
            QVERIFY2(!QDir::match(QString::fromLatin1(pattern), temporary), qPrintable(temporary));
        pending.discard();

        // Left by a killed run: ours go, everything else stays, and so does what a running copy
        // of the program (here this test, by its process id and start time) is writing. The
        // same id with another start time is a writer that is gone, whose number a running
        // process got later; a name without a start time is from a run that cannot be going.
        const QString pid = QString::number(QCoreApplication::applicationPid());
        const quint64 started = processinfo::ownStartTime();
        QVERIFY(started > 0);
        const QString writing =
            atomicfile::kTemporaryPrefix + u"SLO.qrb5.12.2026_9-5-7_MANUAL-%1-%2-7"_s.arg(pid).arg(started);
        const QStringList stale{atomicfile::kTemporaryPrefix + u"player3.slo-999999999-5-1"_s,
                                atomicfile::kTemporaryPrefix + u"VLO.qrb-%1-%2-8"_s.arg(pid).arg(started + 1),
                                atomicfile::kTemporaryPrefix + u"SLO.qrb-%1-9"_s.arg(pid)};
        const QStringList others{u"SLO.qrb.a1b2c3"_s, u".other-writing-x"_s, u"qt_temp.XyZ123"_s,
                                 u"player3.slo"_s, writing};
        for (const QString& name : others + stale)
            dir.write(name, "x");
        QStringList swept = atomicfile::sweepStale(dir.path());
        swept.sort();
        QStringList expected;
        for (const QString& name : stale)
            expected << dir.file(name);
        expected.sort();
        QCOMPARE(swept, expected);
        QStringList left = others + QStringList{u"SLO.qrb"_s};
        left.sort();
        QCOMPARE(dir.entries(), left);
    }

    void aChainOfLinksStaysLinksAndItsLastFileIsReplaced()
    {
        TempFolder dir;
        dir.write(u"real/SLO.qrb"_s, "old");
        QCOMPARE(::symlink(qPrintable(dir.file(u"real/SLO.qrb"_s)), qPrintable(dir.file(u"middle"_s))), 0);
        QCOMPARE(::symlink("middle", qPrintable(dir.file(u"SLO.qrb"_s))), 0);
        QCOMPARE(atomicfile::replace(dir.file(u"SLO.qrb"_s), "new"), std::nullopt);
        QVERIFY(QFileInfo(dir.file(u"SLO.qrb"_s)).isSymLink());
        QVERIFY(QFileInfo(dir.file(u"middle"_s)).isSymLink());
        QCOMPARE(dir.read(u"real/SLO.qrb"_s), "new"_ba);
        QCOMPARE(dir.entries(u"real"_s), QStringList{u"SLO.qrb"_s});

        // A loop is named and nothing is written.
        QCOMPARE(::symlink("loop-b", qPrintable(dir.file(u"loop-a"_s))), 0);
        QCOMPARE(::symlink("loop-a", qPrintable(dir.file(u"loop-b"_s))), 0);
        QCOMPARE(atomicfile::replace(dir.file(u"loop-a"_s), "x"),
                 (FileFailure{dir.file(u"loop-a"_s), u"Too many levels of symbolic links"_s}));
        QCOMPARE(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
            (QStringList{u"SLO.qrb"_s, u"loop-a"_s, u"loop-b"_s, u"middle"_s, u"real"_s}));
    }
};

QRB_TEST(AtomicFileTest)

#include "tst_atomicfile.moc"
