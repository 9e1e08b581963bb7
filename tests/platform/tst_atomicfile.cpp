#include "platform/atomicfile.h"
#include "platform/fileresult.h"
#include "platform/textfile.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QDir>
#include <QTest>

namespace {

const QString kNoSpace = QStringLiteral("No space left on device");

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
            const QString name = QStringLiteral("player%1.slo").arg(i);
            dir.write(name, "old " + QByteArray::number(i));
            group.append({dir.file(name), {QByteArray(4000, 'a'), QByteArray(6000, 'b')}});
        }
        const FaultScope fault({file, atByte, ENOSPC});
        const QList<FileFailure> failures = atomicfile::replaceAll(group);
        QCOMPARE(failures, (QList<FileFailure>{{group.at(file - 1).path, kNoSpace}}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(dir.read(QStringLiteral("player%1.slo").arg(i)), "old " + QByteArray::number(i));
        QCOMPARE(dir.entries().size(), 4); // no temporary left
    }

    void aWrittenGroupReplacesEveryFileAndKeepsItsPermissions()
    {
        TempFolder dir;
        dir.write(QStringLiteral("a"), "old a");
        QFile::setPermissions(dir.file(QStringLiteral("a")), QFile::ReadOwner | QFile::WriteOwner);
        const QFile::Permissions ownerOnly = QFile::permissions(dir.file(QStringLiteral("a")));
        QVERIFY(!(ownerOnly & QFile::ReadOther));
        const QList<FileFailure> failures = atomicfile::replaceAll(
            {{dir.file(QStringLiteral("a")), {"new ", "a"}}, {dir.file(QStringLiteral("b")), {"new b"}}});
        QVERIFY(failures.isEmpty());
        QCOMPARE(dir.read(QStringLiteral("a")), QByteArray("new a"));
        QCOMPARE(dir.read(QStringLiteral("b")), QByteArray("new b"));
        QCOMPARE(QFile::permissions(dir.file(QStringLiteral("a"))), ownerOnly);
        QCOMPARE(dir.entries(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }

    void lineWriterDroppedWithoutCloseLeavesTheOldFile()
    {
        TempFolder dir;
        dir.write(QStringLiteral("Names.txt"), "old\r\n");
        {
            textfile::LineWriter writer;
            QVERIFY(!writer.open(dir.file(QStringLiteral("Names.txt"))));
            QVERIFY(!writer.writeLine(u"new"));
        }
        QCOMPARE(dir.read(QStringLiteral("Names.txt")), QByteArray("old\r\n"));
        textfile::LineWriter writer;
        QVERIFY(!writer.open(dir.file(QStringLiteral("Names.txt"))));
        QVERIFY(!writer.writeLine(u"new"));
        QVERIFY(!writer.close());
        QCOMPARE(dir.read(QStringLiteral("Names.txt")), QByteArray("new\r\n"));
        QCOMPARE(dir.entries(), QStringList{QStringLiteral("Names.txt")});
    }

    void temporariesNeverPassForProjectOrPlayerFilesAndOnlyTheyAreSwept()
    {
        TempFolder dir;
        dir.write(QStringLiteral("SLO.qrb"), "slo");
        atomicfile::PendingFile pending(dir.file(QStringLiteral("SLO.qrb")));
        QVERIFY(!pending.open());
        const QStringList during = dir.entries();
        QCOMPARE(during.size(), 2);
        const QString temporary = during.at(0) == QLatin1String("SLO.qrb") ? during.at(1) : during.at(0);
        for (const char* pattern : {"SLO.*", "VLO.*", "player*"})
            QVERIFY2(!QDir::match(QString::fromLatin1(pattern), temporary), qPrintable(temporary));
        pending.discard();

        // Left by a killed run: ours go, everything else stays.
        const QString stale = atomicfile::kTemporaryPrefix + QStringLiteral("player3.slo-999-1");
        const QStringList others{QStringLiteral("SLO.qrb.a1b2c3"), QStringLiteral(".other-writing-x"),
                                 QStringLiteral("qt_temp.XyZ123"), QStringLiteral("player3.slo")};
        for (const QString& name : others + QStringList{stale})
            dir.write(name, "x");
        QCOMPARE(atomicfile::sweepStale(dir.path()), QStringList{dir.file(stale)});
        QStringList left = others + QStringList{QStringLiteral("SLO.qrb")};
        left.sort();
        QCOMPARE(dir.entries(), left);
    }

    void aSharedReasonIsSaidOnce()
    {
        const QList<FileFailure> failures{{QStringLiteral("/g/player0.slo"), kNoSpace},
                                          {QStringLiteral("/w/SLO.qrb"), QStringLiteral("Permission denied")},
                                          {QStringLiteral("/g/player1.slo"), kNoSpace}};
        QCOMPARE(describeFailures(failures), QStringLiteral("No space left on device:\n"
                                                            "  /g/player0.slo\n"
                                                            "  /g/player1.slo\n"
                                                            "/w/SLO.qrb: Permission denied"));
    }

    void aRealFullDiskNamesTheSystemsReason()
    {
        TempFolder dir;
        TinyFilesystem disk(dir.file(QStringLiteral("disk")), 64);
        if (!disk.active())
            QSKIP(qPrintable(QStringLiteral("no full-disk test: ") + disk.why()));
        dir.write(QStringLiteral("disk/player0.slo"), QByteArray(20000, 'o'));
        dir.write(QStringLiteral("disk/player1.slo"), QByteArray(20000, 'o'));
        const QList<FileFailure> failures = atomicfile::replaceAll(
            {{dir.file(QStringLiteral("disk/player0.slo")), {QByteArray(30000, 'n')}},
             {dir.file(QStringLiteral("disk/player1.slo")), {QByteArray(30000, 'n')}}});
        QVERIFY(!failures.isEmpty());
        QCOMPARE(failures.first().reason, kNoSpace);
        QCOMPARE(dir.read(QStringLiteral("disk/player0.slo")), QByteArray(20000, 'o'));
        QCOMPARE(dir.read(QStringLiteral("disk/player1.slo")), QByteArray(20000, 'o'));
        QCOMPARE(dir.entries(QStringLiteral("disk")).size(), 2);
    }
};

QRB_TEST(AtomicFileTest)

#include "tst_atomicfile.moc"
