#include "platform/filelookup.h"
#include "platform/textfile.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteReadsAndWritesBackUnchanged()
    {
        TempFolder dir;
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        dir.write(QStringLiteral("in"), all);
        const textfile::ReadResult read = textfile::read(dir.file(QStringLiteral("in")));
        QVERIFY(read.ok());
        QCOMPARE(read.text.size(), 256);
        QVERIFY(textfile::writeWithLineEnd(dir.file(QStringLiteral("out")), read.text).ok());
        QCOMPARE(dir.read(QStringLiteral("out")), all + "\r\n");
    }

    void charactersOutsideLatin1BecomeQuestionMarksAndAreNamed()
    {
        QString replaced;
        // Euro sign, a Cyrillic letter twice and an emoji (a surrogate pair): one '?' each.
        const QString text = QStringLiteral("a\u20ac b\u0416\u0416 c") + QString::fromUtf8("\xF0\x9F\x98\x80") +
                             QStringLiteral(" \u00e9");
        QCOMPARE(textfile::encode(text, &replaced), QByteArray("a? b?? c? \xe9"));
        QCOMPARE(replaced, QStringLiteral("\u20ac\u0416") + QString::fromUtf8("\xF0\x9F\x98\x80"));
    }

    void namesMatchWithoutRegardToCase()
    {
        TempFolder dir;
        dir.write(QStringLiteral("vlo.QRB"), "v");
        dir.write(QStringLiteral("a.txt"), "1");
        dir.write(QStringLiteral("A.TXT"), "2");
        dir.write(QStringLiteral("rts/Weapons.TXT"), "w");
        QCOMPARE(filelookup::resolve(dir.path(), QStringLiteral("VLO.qrb")), dir.file(QStringLiteral("vlo.QRB")));
        // The exact spelling wins; a missing file resolves to the spelling asked for.
        QCOMPARE(filelookup::resolve(dir.path(), QStringLiteral("A.TXT")), dir.file(QStringLiteral("A.TXT")));
        QCOMPARE(filelookup::resolve(dir.path(), QStringLiteral("SLO.qrb")), dir.file(QStringLiteral("SLO.qrb")));
        QCOMPARE(filelookup::resolvePath(dir.path(), QStringLiteral("RTS/weapons.txt")),
                 dir.file(QStringLiteral("rts/Weapons.TXT")));
    }
};

QRB_TEST(TextFileTest)

#include "tst_platform.moc"
