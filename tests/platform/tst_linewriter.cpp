#include "platform/textfile.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QTest>

class LineWriterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Lines and blocks go out in the order given, over what the file held, in several blocks.
    void linesAndBlocksMakeOneFile()
    {
        TempFolder dir;
        dir.write(QStringLiteral("f.txt"), "old content that must go\r\n");
        textfile::LineWriter writer;
        QVERIFY(!writer.open(dir.file(QStringLiteral("f.txt"))));
        QVERIFY(!writer.writeLine(u"caf\u00e9 \u20ac"));
        QVERIFY(!writer.writeLines("block 1\r\nblock 2\r\n"));
        QByteArray expected = "caf\xe9 ?\r\nblock 1\r\nblock 2\r\n";
        for (int i = 0; i < 20000; ++i) {
            QVERIFY(!writer.writeLine(QString::number(i)));
            expected += QByteArray::number(i) + "\r\n";
        }
        QVERIFY(!writer.close());
        QCOMPARE(dir.read(QStringLiteral("f.txt")), expected);
    }
};

QRB_TEST(LineWriterTest)

#include "tst_linewriter.moc"
