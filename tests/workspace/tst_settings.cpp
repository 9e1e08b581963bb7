// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/settingsfile.h"

#include <QElapsedTimer>

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
        QTest::newRow("default") << QByteArray("\"C:\\WZ2100\",#FALSE#\r\n") << u"C:\\WZ2100"_s << 0;
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

    void hugeFileIsReadQuickly()
    {
        TempFolder dir;
        dir.write(u"QRB_DATA.DAT"_s, "\"" + QByteArray(qsizetype{10} * 1024 * 1024, 'x') + "\",#TRUE#\r\n");
        QElapsedTimer timer;
        timer.start();
        const settingsfile::ReadResult read = settingsfile::read(dir.path());
        QVERIFY2(timer.elapsed() < 2000, "a 10 MB settings file must not stall the start");
        QVERIFY(read.record.gameDirectory.startsWith(u"xxxx"_s));
    }
};

QRB_TEST(SettingsTest)

#include "tst_settings.moc"
