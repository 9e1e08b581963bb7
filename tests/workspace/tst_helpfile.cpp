#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/helpfile.h"
#include "workspace/projectfiles.h"

#include <QDir>

using Kind = helpfile::Content::Kind;

class HelpFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingEmptyAndBlankFilesAskForTheBuiltInHelp()
    {
        TempFolder dir;
        helpfile::Content content = helpfile::read(dir.path());
        QCOMPARE(content.kind, Kind::Empty);
        QVERIFY(!content.failure);

        for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n"), QByteArray("{\\rtf1}"),
                                        QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}}")}) {
            dir.write(QStringLiteral("Help.qrb"), bytes);
            content = helpfile::read(dir.path());
            QVERIFY2(content.kind == Kind::Empty, bytes.constData());
            QVERIFY(!content.failure);
        }
    }

    void plainTextKeepsEveryByte()
    {
        TempFolder dir;
        QByteArray bytes("first\r\n\tsecond \xe9\xa0\x80\r\nthird\r\n\r\n");
        dir.write(QStringLiteral("HELP.QRB"), bytes);
        const helpfile::Content content = helpfile::read(dir.path());
        QCOMPARE(content.kind, Kind::Plain);
        QCOMPARE(content.plain, QString::fromLatin1(bytes.chopped(2)));
    }

    void richTextIsReadAsADocument()
    {
        TempFolder dir;
        dir.write(QStringLiteral("help.qrb"), "{\\rtf1\\ansi \\b Title\\b0\\par caf\\'e9\\par}");
        const helpfile::Content content = helpfile::read(dir.path());
        QCOMPARE(content.kind, Kind::Rich);
        QCOMPARE(content.rich.plainText(), QStringLiteral("Title\r\ncafé\r\n"));
        QVERIFY(content.rich.paragraphs[0].runs[0].bold);
        // A text that merely mentions RTF further on is plain text.
        dir.write(QStringLiteral("help.qrb"), " {\\rtf1 not at the start}");
        QCOMPARE(helpfile::read(dir.path()).kind, Kind::Plain);
    }

    void unreadableFileIsReportedWithItsPath()
    {
        TempFolder dir;
        dir.mkdir(QStringLiteral("Help.qrb"));
        const helpfile::Content content = helpfile::read(dir.path());
        QCOMPARE(content.kind, Kind::Empty);
        QVERIFY(content.failure.has_value());
        QCOMPARE(content.failure->path, QDir(dir.path()).filePath(QStringLiteral("Help.qrb")));
        QVERIFY(!content.failure->reason.isEmpty());
    }

    void rtfProjectFilesLoadAsPlainTextOthersByteExact()
    {
        TempFolder dir;
        dir.write(QStringLiteral("SLO.qrb"),
                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier;}}\\f0 event a(init)\\par {\\par}\\par}");
        dir.write(QStringLiteral("Notes.qrb"), "{\\rtf1 note \\u8364?\\line two}");
        dir.write(QStringLiteral("VLO.qrb"), "x {\\rtf1 \\b not rtf}\r\n");
        QCOMPARE(projectfiles::load(dir.path(), projectfiles::kSlo).text,
                 QStringLiteral("event a(init)\r\n\r\n"));
        QCOMPARE(projectfiles::load(dir.path(), projectfiles::kNotes).text,
                 QStringLiteral("note \u20ac\r\ntwo"));
        QCOMPARE(projectfiles::load(dir.path(), projectfiles::kVlo).text,
                 QStringLiteral("x {\\rtf1 \\b not rtf}"));
    }
};

QRB_TEST(HelpFileTest)
#include "tst_helpfile.moc"
