#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "tst_workspace.h"
#include "workspace/projectfiles.h"

#include <QTest>

void ProjectFilesTest::missingFilesAreCreatedEmptyExistingOnesKept()
{
    TempFolder dir;
    dir.write(QStringLiteral("vlo.QRB"), "vlo text\r\n");
    QVERIFY(projectfiles::ensureExist(dir.path()).ok());
    QCOMPARE(dir.entries(), (QStringList{QStringLiteral("Help.qrb"), QStringLiteral("Notes.qrb"),
                                         QStringLiteral("SLO.qrb"), QStringLiteral("vlo.QRB")}));
    QCOMPARE(dir.read(QStringLiteral("vlo.QRB")), QByteArray("vlo text\r\n"));
    QCOMPARE(dir.read(QStringLiteral("SLO.qrb")), QByteArray());
    QCOMPARE(dir.read(QStringLiteral("Help.qrb")), QByteArray());
}

void ProjectFilesTest::loadDropsTheWritersLineEnd()
{
    TempFolder dir;
    dir.write(QStringLiteral("SLO.qrb"), "line 1\r\nline 2\r\n\r\n");
    dir.write(QStringLiteral("VLO.qrb"), "no line end");
    dir.write(QStringLiteral("Notes.qrb"), "");
    QCOMPARE(projectfiles::load(dir.path(), projectfiles::kSlo).text, QStringLiteral("line 1\r\nline 2\r\n"));
    QCOMPARE(projectfiles::load(dir.path(), projectfiles::kVlo).text, QStringLiteral("no line end"));
    QCOMPARE(projectfiles::load(dir.path(), projectfiles::kNotes).text, QString());
    QVERIFY(projectfiles::load(dir.path(), projectfiles::kHelp).failure.has_value());
}

void ProjectFilesTest::writeAppendsOneCrLfToEachText()
{
    TempFolder dir;
    dir.write(QStringLiteral("Notes.qrb"), "old notes\r\n");
    projectfiles::Texts texts{QStringLiteral("slo\r\ntext"), QString(), QStringLiteral("notes")};
    QVERIFY(projectfiles::write(dir.path(), texts, false).ok());
    QCOMPARE(dir.read(QStringLiteral("SLO.qrb")), QByteArray("slo\r\ntext\r\n"));
    QCOMPARE(dir.read(QStringLiteral("VLO.qrb")), QByteArray("\r\n"));
    QCOMPARE(dir.read(QStringLiteral("Notes.qrb")), QByteArray("old notes\r\n"));
    QVERIFY(projectfiles::write(dir.path(), texts, true).ok());
    QCOMPARE(dir.read(QStringLiteral("Notes.qrb")), QByteArray("notes\r\n"));
    // Saved, loaded and saved again: the text does not grow.
    texts.slo = projectfiles::load(dir.path(), projectfiles::kSlo).text;
    QVERIFY(projectfiles::write(dir.path(), texts, true).ok());
    QCOMPARE(dir.read(QStringLiteral("SLO.qrb")), QByteArray("slo\r\ntext\r\n"));
}

void ProjectFilesTest::highBytesRoundTrip()
{
    TempFolder dir;
    QByteArray high;
    for (int b = 0x80; b <= 0xff; ++b)
        high.append(static_cast<char>(b));
    dir.write(QStringLiteral("SLO.qrb"), high + "\r\n");
    const QString text = projectfiles::load(dir.path(), projectfiles::kSlo).text;
    QVERIFY(projectfiles::write(dir.path(), {text, QString(), QString()}, false).ok());
    QCOMPARE(dir.read(QStringLiteral("SLO.qrb")), high + "\r\n");
}

QRB_TEST(ProjectFilesTest)
