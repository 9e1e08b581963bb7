// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/settingsfile.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordIsWrittenToTheByte()
    {
        TempFolder dir;
        QCOMPARE(settingsfile::format(QString(), false), QByteArray("\"\",#FALSE#\r\n"));
        // Any letter case of the name is the same file, and a write replaces it.
        dir.write(u"qrb_data.dat"_s, "\"old\",#FALSE#\r\n");
        QVERIFY(settingsfile::exists(dir.path()));
        const FileOutcome written = settingsfile::write(dir.path(), u"D:\\Games\\WZ \u0416"_s, true);
        QVERIFY(written.ok());
        // Latin-1 cannot hold the folder's name: it goes in UTF-8, whole, and comes back.
        QCOMPARE(written.replacedCharacters, QString());
        QCOMPARE(dir.entries(), QStringList{u"qrb_data.dat"_s});
        QCOMPARE(dir.read(u"qrb_data.dat"_s), QByteArray("\"D:\\Games\\WZ \xd0\x96\",#TRUE#\r\n"));
        QCOMPARE(settingsfile::read(dir.path()).record.gameDirectory, u"D:\\Games\\WZ \u0416"_s);
        // A name that Latin-1 holds keeps its one byte per character.
        QCOMPARE(settingsfile::format(u"C:\\\u00e9t\u00e9"_s, false),
                 QByteArray("\"C:\\\xe9t\xe9\",#FALSE#\r\n"));
    }

    void readerCases_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<int>("flag"); // -1: no flag read
        QTest::newRow("empty file") << QByteArray() << QString() << -1;
        QTest::newRow("one field") << QByteArray("\"C:\\WZ2100\"\r\n") << u"C:\\WZ2100"_s << -1;
        QTest::newRow("no closing quote") << QByteArray("\"C:\\WZ,#TRUE#\r\n") << u"C:\\WZ,#TRUE#"_s << -1;
        QTest::newRow("unquoted, trimmed")
            << QByteArray("  C:\\Games\\wz  , #TRUE#") << u"C:\\Games\\wz"_s << 1;
        QTest::newRow("quote cuts") << QByteArray("\"C:\\a\"b\",#TRUE#\r\n") << u"C:\\a"_s << 1;
        QTest::newRow("text after record") << QByteArray("\"x\",#TRUE#\r\n\"y\",#FALSE#\r\n") << u"x"_s << 1;
        QTest::newRow("flag not a boolean") << QByteArray("\"x\",maybe\r\n") << u"x"_s << -1;
        QTest::newRow("latin-1") << QByteArray("\"C:\\\xe9t\xe9\",#FALSE#") << u"C:\\\u00e9t\u00e9"_s << 0;
        QTest::newRow("utf-8") << QByteArray("\"/home/user/gry/warzone-\xc5\x82\",#FALSE#")
                               << u"/home/user/gry/warzone-\u0142"_s << 0;
        QTest::newRow("utf-8 cut: latin-1") << QByteArray("\"a\xc5\",#TRUE#") << u"a\u00c5"_s << 1;
        // Never cut at the line end: a folder that does not exist, not the first line's one.
        QTest::newRow("line break in quotes")
            << QByteArray("\"/home/u/game\r\n/x\",#TRUE#\r\n") << u"/home/u/game\r\n/x"_s << 1;
    }

    void readerCases()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, directory);
        QFETCH(int, flag);
        const settingsfile::Record record = settingsfile::parse(bytes);
        QCOMPARE(record.gameDirectory, directory);
        QCOMPARE(record.hideInternalHelp, flag < 0 ? std::optional<bool>() : std::optional<bool>(flag == 1));
    }

    void latin1NameThatIsAlsoUtf8RoundTripsWhenItsFolderExists()
    {
        TempFolder dir;
        const QString game = dir.file(u"game\u00df\u00b2"_s);
        dir.mkdir(u"game\u00df\u00b2"_s);
        QVERIFY(settingsfile::write(dir.path(), game, false).ok());
        QCOMPARE(dir.read(u"QRB_DATA.DAT"_s), "\"" + game.toLatin1() + "\",#FALSE#\r\n");
        QCOMPARE(settingsfile::read(dir.path()).record.gameDirectory, game);
        // Without such a folder the UTF-8 reading stands, as before.
        QCOMPARE(settingsfile::parse("\"game\xdf\xb2\",#FALSE#").gameDirectory, u"game\u07f2"_s);
    }

    void aFileWithoutARecordIsKeptAndItsLinkReplaced()
    {
        TempFolder dir;
        const QByteArray passwd("root:x:0:0:root:/root:/bin/bash\nuser:x:1000:1000::/home/user:/bin/sh\n");
        dir.write(u"etc/passwd"_s, passwd);
        dir.mkdir(u"work"_s);
        QVERIFY(QFile::link(dir.file(u"etc/passwd"_s), dir.file(u"work/QRB_DATA.DAT"_s)));
        QVERIFY(settingsfile::write(dir.file(u"work"_s), u"C:\\WZ"_s, false).ok());
        QCOMPARE(dir.read(u"etc/passwd"_s), passwd);
        QVERIFY(!QFileInfo(dir.file(u"work/QRB_DATA.DAT"_s)).isSymLink());
        QCOMPARE(dir.read(u"work/QRB_DATA.DAT"_s), "\"C:\\WZ\",#FALSE#\r\n"_ba);
        QCOMPARE(dir.read(u"work/QRB_DATA.DAT.bad"_s), passwd);

        // A second bad file does not take the first one's place; an empty one leaves nothing.
        dir.write(u"work/QRB_DATA.DAT"_s, "garbage");
        QVERIFY(settingsfile::write(dir.file(u"work"_s), u"D"_s, true).ok());
        QCOMPARE(dir.read(u"work/QRB_DATA.DAT.bad"_s), passwd);
        QCOMPARE(dir.read(u"work/QRB_DATA.DAT.bad.2"_s), "garbage"_ba);
        dir.write(u"work/QRB_DATA.DAT"_s, "");
        QVERIFY(settingsfile::write(dir.file(u"work"_s), u"E"_s, false).ok());
        QCOMPARE(dir.entries(u"work"_s),
                 (QStringList{u"QRB_DATA.DAT"_s, u"QRB_DATA.DAT.bad"_s, u"QRB_DATA.DAT.bad.2"_s}));
    }

    void aRecordBehindAChainOfLinksIsWrittenThroughIt()
    {
        TempFolder dir;
        dir.write(u"store/settings"_s, "\"old\",#TRUE#\r\n");
        QVERIFY(QFile::link(dir.file(u"store/settings"_s), dir.file(u"middle"_s)));
        QVERIFY(QFile::link(dir.file(u"middle"_s), dir.file(u"QRB_DATA.DAT"_s)));
        QVERIFY(settingsfile::write(dir.path(), u"new"_s, false).ok());
        QCOMPARE(dir.read(u"store/settings"_s), "\"new\",#FALSE#\r\n"_ba);
        QVERIFY(QFileInfo(dir.file(u"QRB_DATA.DAT"_s)).isSymLink());
        QVERIFY(QFileInfo(dir.file(u"middle"_s)).isSymLink());
        QVERIFY(!dir.exists(u"QRB_DATA.DAT.bad"_s));
    }
};

QRB_TEST(SettingsTest)

#include "tst_settings.moc"
