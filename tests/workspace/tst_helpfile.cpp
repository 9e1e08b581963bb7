// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/helpfile.h"
#include "workspace/projectfiles.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Kind = helpfile::Content::Kind;

class HelpFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kindAndText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("no file") << QByteArray() << int(Kind::Empty) << QString();
        QTest::newRow("empty") << QByteArray("") << int(Kind::Empty) << QString();
        QTest::newRow("a line end only") << QByteArray("\r\n") << int(Kind::Empty) << QString();
        QTest::newRow("RTF without text")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 A;}}}") << int(Kind::Empty) << QString();
        const QByteArray plain("first\r\n\tsecond \xe9\xa0\x80\r\nthird\r\n\r\n");
        QTest::newRow("plain, every byte")
            << plain << int(Kind::Plain) << QString::fromLatin1(plain.chopped(2));
        QTest::newRow("RTF") << QByteArray("{\\rtf1\\ansi \\b Title\\b0\\par caf\\'e9\\par}")
                             << int(Kind::Rich) << u"Title\r\ncafé\r\n"_s;
        QTest::newRow("RTF further on") << QByteArray(" {\\rtf1 x}") << int(Kind::Plain) << " {\\rtf1 x}";
    }

    void kindAndText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(QString, text);
        TempFolder dir;
        if (!bytes.isNull())
            dir.write(u"HELP.qrb"_s, bytes);
        const helpfile::Content content = helpfile::read(dir.path());
        QVERIFY(!content.failure);
        QCOMPARE(int(content.kind), kind);
        QCOMPARE(content.kind == Kind::Rich ? content.rich.plainText() : content.plain, text);
    }

    void rtfProjectFilesLoadAsPlainTextOthersByteExact()
    {
        TempFolder dir;
        const auto loaded = [&](const QString& name, const QByteArray& bytes) {
            dir.write(name, bytes);
            return projectfiles::load(dir.path(), name).text;
        };
        QCOMPARE(loaded(projectfiles::kSlo, "{\\rtf1\\ansi event a(init)\\par{\\par}\\par}"),
                 u"event a(init)\r\n\r\n"_s);
        QCOMPARE(loaded(projectfiles::kNotes, "{\\rtf1 note \\u8364?\\line two}"), u"note €\r\ntwo"_s);
        QCOMPARE(loaded(projectfiles::kVlo, "x {\\rtf1 \\b not rtf}\r\n"), u"x {\\rtf1 \\b not rtf}"_s);
    }
};

QRB_TEST(HelpFileTest)
#include "tst_helpfile.moc"
