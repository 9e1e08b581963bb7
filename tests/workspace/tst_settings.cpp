#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/settingsfile.h"

#include <QElapsedTimer>

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordIsWrittenToTheByte()
    {
        TempFolder dir;
        QCOMPARE(settingsfile::format(QString(), false), QByteArray("\"\",#FALSE#\r\n"));
        // Any letter case of the name is the same file, and a write replaces it.
        dir.write(QStringLiteral("qrb_data.dat"), "\"old\",#FALSE#\r\n");
        QVERIFY(settingsfile::exists(dir.path()));
        const FileOutcome written = settingsfile::write(dir.path(), QStringLiteral("D:\\Games\\WZ \u0416"), true);
        QVERIFY(written.ok());
        // Latin-1 cannot hold the folder's name: it goes in UTF-8, whole, and comes back.
        QCOMPARE(written.replacedCharacters, QString());
        QCOMPARE(dir.entries(), QStringList{QStringLiteral("qrb_data.dat")});
        QCOMPARE(dir.read(QStringLiteral("qrb_data.dat")),
                 QByteArray("\"D:\\Games\\WZ \xd0\x96\",#TRUE#\r\n"));
        QCOMPARE(settingsfile::read(dir.path()).record.gameDirectory, QStringLiteral("D:\\Games\\WZ \u0416"));
        QCOMPARE(settingsfile::read(dir.path()).record.hideInternalHelp, std::optional<bool>(true));
        // A name that Latin-1 holds keeps its one byte per character.
        QCOMPARE(settingsfile::format(QStringLiteral("C:\\\u00e9t\u00e9"), false),
                 QByteArray("\"C:\\\xe9t\xe9\",#FALSE#\r\n"));
    }

    void readerCases_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<int>("flag"); // -1: no flag read
        QTest::newRow("default") << QByteArray("\"C:\\WZ2100\",#FALSE#\r\n") << QStringLiteral("C:\\WZ2100") << 0;
        QTest::newRow("empty file") << QByteArray() << QString() << -1;
        QTest::newRow("one field") << QByteArray("\"C:\\WZ2100\"\r\n") << QStringLiteral("C:\\WZ2100") << -1;
        QTest::newRow("no closing quote") << QByteArray("\"C:\\WZ,#TRUE#\r\n") << QStringLiteral("C:\\WZ,#TRUE#") << -1;
        QTest::newRow("unquoted, trimmed") << QByteArray("  C:\\Games\\wz  , #TRUE#") << QStringLiteral("C:\\Games\\wz") << 1;
        QTest::newRow("quote cuts") << QByteArray("\"C:\\a\"b\",#TRUE#\r\n") << QStringLiteral("C:\\a") << 1;
        QTest::newRow("text after record") << QByteArray("\"x\",#TRUE#\r\n\"y\",#FALSE#\r\n") << QStringLiteral("x") << 1;
        QTest::newRow("flag not a boolean") << QByteArray("\"x\",maybe\r\n") << QStringLiteral("x") << -1;
        QTest::newRow("latin-1") << QByteArray("\"C:\\\xe9t\xe9\",#FALSE#") << QStringLiteral("C:\\\u00e9t\u00e9") << 0;
        QTest::newRow("utf-8") << QByteArray("\"/home/user/gry/warzone-\xc5\x82\",#FALSE#")
                               << QStringLiteral("/home/user/gry/warzone-\u0142") << 0;
        QTest::newRow("utf-8 cut: latin-1")
            << QByteArray("\"a\xc5\",#TRUE#") << QStringLiteral("a\u00c5") << 1;
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
        dir.write(QStringLiteral("QRB_DATA.DAT"), "\"" + QByteArray(10 * 1024 * 1024, 'x') + "\",#TRUE#\r\n");
        QElapsedTimer timer;
        timer.start();
        const settingsfile::ReadResult read = settingsfile::read(dir.path());
        QVERIFY2(timer.elapsed() < 2000, "a 10 MB settings file must not stall the start");
        QVERIFY(read.record.gameDirectory.startsWith(QStringLiteral("xxxx")));
    }
};

QRB_TEST(SettingsTest)

#include "tst_settings.moc"
