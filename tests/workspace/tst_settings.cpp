#include "support/testregistry.h"
#include "tst_workspace.h"

#include "support/tempfolder.h"
#include "workspace/settingsfile.h"

#include <QElapsedTimer>
#include <QTest>

void SettingsTest::recordIsWrittenToTheByte()
{
    QCOMPARE(settingsfile::format(QStringLiteral("C:\\WZ2100"), false), QByteArray("\"C:\\WZ2100\",#FALSE#\r\n"));
    QCOMPARE(settingsfile::format(QString(), false), QByteArray("\"\",#FALSE#\r\n"));
    QCOMPARE(settingsfile::format(QStringLiteral("/games/wz"), true), QByteArray("\"/games/wz\",#TRUE#\r\n"));
}

void SettingsTest::writeAndReadBack()
{
    TempFolder dir;
    QVERIFY(settingsfile::write(dir.path(), QStringLiteral("D:\\Games\\Warzone 2100"), true).ok());
    QCOMPARE(dir.read(QStringLiteral("QRB_DATA.DAT")), QByteArray("\"D:\\Games\\Warzone 2100\",#TRUE#\r\n"));
    const settingsfile::ReadResult read = settingsfile::read(dir.path());
    QVERIFY(!read.failure);
    QCOMPARE(read.record.gameDirectory, QStringLiteral("D:\\Games\\Warzone 2100"));
    QCOMPARE(read.record.hideInternalHelp, std::optional<bool>(true));
}

void SettingsTest::readerCases_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<int>("flag"); // -1: no flag read

    QTest::newRow("default") << QByteArray("\"C:\\WZ2100\",#FALSE#\r\n") << QStringLiteral("C:\\WZ2100") << 0;
    QTest::newRow("empty file") << QByteArray() << QString() << -1;
    QTest::newRow("one field") << QByteArray("\"C:\\WZ2100\"\r\n") << QStringLiteral("C:\\WZ2100") << -1;
    QTest::newRow("no closing quote") << QByteArray("\"C:\\WZ2100,#TRUE#\r\n") << QStringLiteral("C:\\WZ2100,#TRUE#")
                                      << -1;
    QTest::newRow("unquoted, blanks trimmed") << QByteArray("  C:\\Games\\wz  , #TRUE#") << QStringLiteral("C:\\Games\\wz")
                                               << 1;
    QTest::newRow("quote inside cuts the directory") << QByteArray("\"C:\\a\"b\",#TRUE#\r\n") << QStringLiteral("C:\\a")
                                                     << 1;
    QTest::newRow("text after the record ignored") << QByteArray("\"x\",#TRUE#\r\n\"y\",#FALSE#\r\n")
                                                   << QStringLiteral("x") << 1;
    QTest::newRow("flag not a boolean") << QByteArray("\"x\",maybe\r\n") << QStringLiteral("x") << -1;
    QTest::newRow("latin-1 bytes") << QByteArray("\"C:\\Spiele\\\xe9t\xe9\",#FALSE#") << QStringLiteral("C:\\Spiele\\\u00e9t\u00e9")
                                   << 0;
}

void SettingsTest::readerCases()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, directory);
    QFETCH(int, flag);
    const settingsfile::Record record = settingsfile::parse(bytes);
    QCOMPARE(record.gameDirectory, directory);
    QCOMPARE(record.hideInternalHelp.has_value(), flag >= 0);
    if (flag >= 0)
        QCOMPARE(*record.hideInternalHelp, flag == 1);
}

void SettingsTest::garbageAndHugeFilesAreReadQuickly()
{
    TempFolder dir;
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919) & 0xff));
    dir.write(QStringLiteral("QRB_DATA.DAT"), garbage);
    settingsfile::read(dir.path()); // must simply return

    dir.write(QStringLiteral("QRB_DATA.DAT"), "\"" + QByteArray(10 * 1024 * 1024, 'x') + "\",#TRUE#\r\n");
    QElapsedTimer timer;
    timer.start();
    const settingsfile::ReadResult read = settingsfile::read(dir.path());
    QVERIFY2(timer.elapsed() < 2000, "a 10 MB settings file must not stall the start");
    QVERIFY(read.record.gameDirectory.startsWith(QStringLiteral("xxxx")));
}

void SettingsTest::fileNameIsMatchedWithoutCase()
{
    TempFolder dir;
    dir.write(QStringLiteral("qrb_data.dat"), "\"lower\",#FALSE#\r\n");
    QVERIFY(settingsfile::exists(dir.path()));
    QCOMPARE(settingsfile::read(dir.path()).record.gameDirectory, QStringLiteral("lower"));
    // Writing replaces that file rather than adding a second one.
    QVERIFY(settingsfile::write(dir.path(), QStringLiteral("new"), false).ok());
    QCOMPARE(dir.entries(), QStringList{QStringLiteral("qrb_data.dat")});
}

void SettingsTest::missingFileReadsAsEmpty()
{
    TempFolder dir;
    QVERIFY(!settingsfile::exists(dir.path()));
    const settingsfile::ReadResult read = settingsfile::read(dir.path());
    QVERIFY(read.failure.has_value());
    QCOMPARE(read.record.gameDirectory, QString());
}

void SettingsTest::unmappableDirectoryCharactersAreReported()
{
    TempFolder dir;
    const FileOutcome outcome = settingsfile::write(dir.path(), QStringLiteral("C:\\\u0416"), false);
    QVERIFY(outcome.ok());
    QCOMPARE(outcome.replacedCharacters, QStringLiteral("\u0416"));
    QCOMPARE(dir.read(QStringLiteral("QRB_DATA.DAT")), QByteArray("\"C:\\?\",#FALSE#\r\n"));
}

QRB_TEST(SettingsTest)
