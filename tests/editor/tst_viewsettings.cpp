// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/viewsettings.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

using namespace Qt::StringLiterals;

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
            folder.mkdir(u"QRB_VIEW.INI"_s);
        else if (!content.isEmpty())
            folder.write(u"QRB_VIEW.INI"_s, content);
        const ViewSettings s = viewsettings::read(folder.path());
        QCOMPARE(u"%1 %2 %3"_s.arg(s.lineNumbers).arg(s.highlighting).arg(s.fixedWidthFont), expected);
    }

    void aFolderInTheWayIsNamed()
    {
        TempFolder folder;
        folder.mkdir(u"QRB_VIEW.INI"_s);
        const std::optional<FileFailure> failure = viewsettings::write(folder.path(), ViewSettings{});
        QVERIFY(failure);
        QCOMPARE(failure->path, QDir::toNativeSeparators(folder.file(u"QRB_VIEW.INI"_s)));
        QCOMPARE(failure->reason, u"a folder of that name is in the way"_s);
    }
};

QRB_TEST(ViewSettingsTest)

#include "tst_viewsettings.moc"
