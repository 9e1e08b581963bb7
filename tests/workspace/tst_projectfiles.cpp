#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/projectfiles.h"

class ProjectFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFilesAreCreatedEmptyExistingOnesKept()
    {
        TempFolder dir;
        dir.write(QStringLiteral("vlo.QRB"), "vlo text\r\n");
        QVERIFY(projectfiles::ensureExist(dir.path()).ok());
        QCOMPARE(dir.entries(), (QStringList{QStringLiteral("Help.qrb"), QStringLiteral("Notes.qrb"),
                                             QStringLiteral("SLO.qrb"), QStringLiteral("vlo.QRB")}));
        QCOMPARE(dir.read(QStringLiteral("vlo.QRB")), QByteArray("vlo text\r\n"));
        QCOMPARE(dir.read(QStringLiteral("SLO.qrb")), QByteArray());
    }

    void saveLoadSaveDoesNotGrowTheText()
    {
        TempFolder dir;
        dir.write(QStringLiteral("Notes.qrb"), "old notes\r\n");
        dir.write(QStringLiteral("VLO.qrb"), "no line end");
        QCOMPARE(projectfiles::load(dir.path(), projectfiles::kVlo).text, QStringLiteral("no line end"));
        projectfiles::Texts texts{QStringLiteral("slo\r\ntext\r\n"), QString(), QStringLiteral("notes")};
        QVERIFY(projectfiles::write(dir.path(), texts, false).ok());
        QCOMPARE(dir.read(QStringLiteral("SLO.qrb")), QByteArray("slo\r\ntext\r\n\r\n"));
        QCOMPARE(dir.read(QStringLiteral("VLO.qrb")), QByteArray("\r\n"));
        QCOMPARE(dir.read(QStringLiteral("Notes.qrb")), QByteArray("old notes\r\n"));
        texts.slo = projectfiles::load(dir.path(), projectfiles::kSlo).text;
        QCOMPARE(texts.slo, QStringLiteral("slo\r\ntext\r\n"));
        QVERIFY(projectfiles::write(dir.path(), texts, true).ok());
        QCOMPARE(dir.read(QStringLiteral("SLO.qrb")), QByteArray("slo\r\ntext\r\n\r\n"));
        QCOMPARE(dir.read(QStringLiteral("Notes.qrb")), QByteArray("notes\r\n"));
    }
};

QRB_TEST(ProjectFilesTest)

#include "tst_projectfiles.moc"
