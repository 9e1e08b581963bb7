#include "platform/filelookup.h"
#include "platform/textfile.h"
#include "platform/twips.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QFile>

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
        QCOMPARE(read.text.at(0xA0), QChar(0xA0));
        QVERIFY(!textfile::replaceAtomically(dir.file(QStringLiteral("out")), textfile::encode(read.text, nullptr)));
        QCOMPARE(dir.read(QStringLiteral("out")), all);
    }

    void wholeTextWriteAppendsOneCrLf()
    {
        TempFolder dir;
        const FileOutcome outcome =
            textfile::writeWithLineEnd(dir.file(QStringLiteral("f")), QStringLiteral("a\r\nb"), true);
        QVERIFY(outcome.ok());
        QCOMPARE(dir.read(QStringLiteral("f")), QByteArray("a\r\nb\r\n"));
    }

    void charactersOutsideLatin1BecomeQuestionMarksAndAreNamed()
    {
        QString replaced;
        // Euro sign, a Cyrillic letter twice and an emoji (a surrogate pair): one '?' each.
        const QString text = QStringLiteral("a\u20ac b\u0416\u0416 c") + QString::fromUtf8("\xF0\x9F\x98\x80") +
                             QStringLiteral(" \u00e9");
        const QByteArray bytes = textfile::encode(text, &replaced);
        QCOMPARE(bytes, QByteArray("a? b?? c? \xe9"));
        QCOMPARE(replaced, QStringLiteral("\u20ac\u0416") + QString::fromUtf8("\xF0\x9F\x98\x80"));
    }

    void failedAtomicReplaceLeavesTheOldFile()
    {
        if (runningAsRoot())
            QSKIP("permission bits do not stop root; the full-disk test covers this as root");
        TempFolder dir;
        dir.write(QStringLiteral("ro/f"), "old\r\n");
        QFile::setPermissions(dir.file(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
        const auto failure = textfile::replaceAtomically(dir.file(QStringLiteral("ro/f")), "new");
        QFile::setPermissions(dir.file(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(failure.has_value());
        QCOMPARE(failure->path, dir.file(QStringLiteral("ro/f")));
        QVERIFY(!failure->reason.isEmpty());
        QCOMPARE(dir.read(QStringLiteral("ro/f")), QByteArray("old\r\n"));
    }

    void writeIntoMissingFolderFailsNamingTheFile()
    {
        TempFolder dir;
        const QString path = dir.file(QStringLiteral("nope/player0.slo"));
        const auto failure = textfile::write(path, "x");
        QVERIFY(failure.has_value());
        QCOMPARE(failure->path, path);
        QVERIFY(!QFile::exists(path));
    }

    void createEmptyLeavesExistingFilesAlone()
    {
        TempFolder dir;
        dir.write(QStringLiteral("keep"), "text");
        QVERIFY(!textfile::createEmpty(dir.file(QStringLiteral("keep"))));
        QVERIFY(!textfile::createEmpty(dir.file(QStringLiteral("new"))));
        QCOMPARE(dir.read(QStringLiteral("keep")), QByteArray("text"));
        QCOMPARE(dir.read(QStringLiteral("new")), QByteArray());
    }
};

class FileLookupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesMatchWithoutRegardToCase()
    {
        TempFolder dir;
        dir.write(QStringLiteral("vlo.QRB"), "v");
        QCOMPARE(filelookup::resolve(dir.path(), QStringLiteral("VLO.qrb")), dir.file(QStringLiteral("vlo.QRB")));
        QVERIFY(filelookup::exists(dir.path(), QStringLiteral("VLO.QRB")));
        // A missing file resolves to the spelling asked for, which is the one created.
        QCOMPARE(filelookup::resolve(dir.path(), QStringLiteral("SLO.qrb")), dir.file(QStringLiteral("SLO.qrb")));
    }

    void exactSpellingWins()
    {
        TempFolder dir;
        dir.write(QStringLiteral("a.txt"), "1");
        dir.write(QStringLiteral("A.TXT"), "2");
        QCOMPARE(filelookup::resolve(dir.path(), QStringLiteral("A.TXT")), dir.file(QStringLiteral("A.TXT")));
    }

    void pathStepsResolveInTurn()
    {
        TempFolder dir;
        dir.write(QStringLiteral("rts/Weapons.TXT"), "w");
        QCOMPARE(filelookup::resolvePath(dir.path(), QStringLiteral("RTS/weapons.txt")),
                 dir.file(QStringLiteral("rts/Weapons.TXT")));
    }
};

class TwipsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fifteenTwipsMakeAPixel()
    {
        QCOMPARE(twips::toPixels(15345), 1023);
        QCOMPARE(twips::toPixels(7455), 497);
        QCOMPARE(twips::toPixels(0.0), 0);
        QCOMPARE(twips::toPixels(120, 2880, 7695, 7455), QRect(8, 192, 513, 497));
        QCOMPARE(twips::fromPixels(800), 12000.0);
    }
};

QRB_TEST(TextFileTest)
QRB_TEST(FileLookupTest)
QRB_TEST(TwipsTest)

#include "tst_platform.moc"
