#include "platform/filelookup.h"
#include "platform/textfile.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QTest>

class LineWriterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesAndBlocksMakeOneFile()
    {
        TempFolder dir;
        dir.write(QStringLiteral("f.txt"), "old content that must go\r\n");
        textfile::LineWriter writer;
        QVERIFY(!writer.open(dir.file(QStringLiteral("f.txt"))));
        QVERIFY(writer.isOpen());
        QVERIFY(!writer.writeLine(u"caf\u00e9 \u20ac"));
        QVERIFY(!writer.writeLines("block 1\r\nblock 2\r\n"));
        QVERIFY(!writer.writeLine(QStringView()));
        QVERIFY(!writer.close());
        QVERIFY(!writer.isOpen());
        QCOMPARE(dir.read(QStringLiteral("f.txt")), QByteArray("caf\xe9 ?\r\nblock 1\r\nblock 2\r\n\r\n"));
    }

    void manyLinesGoOutWhole()
    {
        TempFolder dir;
        textfile::LineWriter writer;
        QVERIFY(!writer.open(dir.file(QStringLiteral("big.txt"))));
        QByteArray expected;
        for (int i = 0; i < 20000; ++i) {
            const QString line = QStringLiteral("line %1").arg(i);
            QVERIFY(!writer.writeLine(line));
            expected += line.toLatin1() + "\r\n";
        }
        QVERIFY(!writer.close());
        QCOMPARE(dir.read(QStringLiteral("big.txt")), expected);
    }

    void missingFolderFailsAtOpen()
    {
        TempFolder dir;
        textfile::LineWriter writer;
        const QString path = dir.file(QStringLiteral("none/f.txt"));
        const auto failure = writer.open(path);
        QVERIFY(failure);
        QCOMPARE(failure->path, path);
        QVERIFY(!failure->reason.isEmpty());
        QVERIFY(!writer.isOpen());
        QVERIFY(!writer.close());
    }

    void fullDiskIsReportedWithItsReason()
    {
        TempFolder dir;
        TinyFilesystem disk(dir.file(QStringLiteral("tiny")), 16);
        if (!disk.active())
            QSKIP(qPrintable(QStringLiteral("no full-disk test: ") + disk.why()));
        textfile::LineWriter writer;
        QVERIFY(!writer.open(dir.file(QStringLiteral("tiny/f.txt"))));
        std::optional<FileFailure> failure;
        for (int i = 0; i < 2000 && !failure; ++i)
            failure = writer.writeLine(QString(100, QLatin1Char('x')));
        if (!failure)
            failure = writer.close();
        QVERIFY(failure);
        QVERIFY2(failure->reason.contains(QStringLiteral("space"), Qt::CaseInsensitive),
                 qPrintable(failure->reason));
    }
};

class ResolveEachTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesInAnyCaseAndNewNames()
    {
        TempFolder dir;
        dir.write(QStringLiteral("RTS/templates.TXT"), "");
        dir.write(QStringLiteral("RTS/Names.txt"), "");
        const QString rts = dir.file(QStringLiteral("RTS"));
        QCOMPARE(filelookup::resolveEach(rts, {QStringLiteral("Templates.txt"), QStringLiteral("Names.txt"),
                                               QStringLiteral("X.vlo")}),
                 (QStringList{rts + QStringLiteral("/templates.TXT"), rts + QStringLiteral("/Names.txt"),
                              rts + QStringLiteral("/X.vlo")}));
        // The same answers as one name at a time.
        for (const char* name : {"TEMPLATES.txt", "names.txt", "x.VLO"}) {
            QCOMPARE(filelookup::resolveEach(rts, {QLatin1String(name)}),
                     QStringList{filelookup::resolve(rts, QLatin1String(name))});
        }
    }
};

QRB_TEST(LineWriterTest)
QRB_TEST(ResolveEachTest)

#include "tst_linewriter.moc"
