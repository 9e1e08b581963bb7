#include "editor/viewsettings.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

class ViewSettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsForWhatTheFileCannotTell_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<dir>" for a folder in the file's place
        QTest::addColumn<QString>("expected");
        QTest::newRow("no file") << QByteArray() << "1 1 0";
        QTest::newRow("unreadable") << QByteArray("<dir>") << "1 1 0";
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00[[[=\n==\x01garbage", 17) << "1 1 0";
        QTest::newRow("values not true or false")
            << QByteArray("[View]\nLineNumbers=maybe\nHighlighting=\nFixedWidthFont=1\n") << "1 1 0";
        QTest::newRow("all set")
            << QByteArray("[View]\r\nLineNumbers=false\r\nHighlighting=FALSE\r\nFixedWidthFont=true\r\n")
            << "0 0 1";
        QTest::newRow("one set") << QByteArray("[View]\nFixedWidthFont=true\n") << "1 1 1";
    }
    void defaultsForWhatTheFileCannotTell()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        TempFolder folder;
        if (content == "<dir>")
            folder.mkdir(QStringLiteral("QRB_VIEW.INI"));
        else if (!content.isEmpty())
            folder.write(QStringLiteral("QRB_VIEW.INI"), content);
        const ViewSettings s = viewsettings::read(folder.path());
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(s.lineNumbers).arg(s.highlighting).arg(s.fixedWidthFont),
                 expected);
    }

    void writtenAndReadBack()
    {
        TempFolder folder;
        const ViewSettings changed{false, true, true};
        QCOMPARE(viewsettings::write(folder.path(), changed), std::nullopt);
        QCOMPARE(folder.read(QStringLiteral("QRB_VIEW.INI")),
                 QByteArray("[View]\nFixedWidthFont=true\nHighlighting=true\nLineNumbers=false\n"));
        QCOMPARE(viewsettings::read(folder.path()), changed);
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("QRB_DATA.DAT"))));
    }

    void aFolderInTheWayIsNamed()
    {
        TempFolder folder;
        folder.mkdir(QStringLiteral("QRB_VIEW.INI"));
        const std::optional<FileFailure> failure = viewsettings::write(folder.path(), ViewSettings{});
        QVERIFY(failure);
        QCOMPARE(failure->path, QDir::toNativeSeparators(folder.file(QStringLiteral("QRB_VIEW.INI"))));
        QCOMPARE(failure->reason, QStringLiteral("a folder of that name is in the way"));
    }
};

QRB_TEST(ViewSettingsTest)

#include "tst_viewsettings.moc"
