// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "workspace/projectfiles.h"

using namespace Qt::StringLiterals;

class ProjectFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFilesAreCreatedEmptyExistingOnesKept()
    {
        TempFolder dir;
        dir.write(u"vlo.QRB"_s, "vlo text\r\n");
        QVERIFY(projectfiles::ensureExist(dir.path()).ok());
        QCOMPARE(dir.entries(), (QStringList{u"Help.qrb"_s, u"Notes.qrb"_s, u"SLO.qrb"_s, u"vlo.QRB"_s}));
        QCOMPARE(dir.read(u"vlo.QRB"_s), QByteArray("vlo text\r\n"));
        QCOMPARE(dir.read(u"SLO.qrb"_s), QByteArray());
    }

    void saveLoadSaveDoesNotGrowTheText()
    {
        TempFolder dir;
        dir.write(u"Notes.qrb"_s, "old notes\r\n");
        dir.write(u"VLO.qrb"_s, "no line end");
        QCOMPARE(projectfiles::load(dir.path(), projectfiles::kVlo).text, u"no line end"_s);
        projectfiles::Texts texts{u"slo\r\ntext\r\n"_s, QString(), u"notes"_s};
        QVERIFY(projectfiles::write(dir.path(), texts, false).ok());
        QCOMPARE(dir.read(u"SLO.qrb"_s), QByteArray("slo\r\ntext\r\n\r\n"));
        QCOMPARE(dir.read(u"VLO.qrb"_s), QByteArray("\r\n"));
        QCOMPARE(dir.read(u"Notes.qrb"_s), QByteArray("old notes\r\n"));
        texts.slo = projectfiles::load(dir.path(), projectfiles::kSlo).text;
        QCOMPARE(texts.slo, u"slo\r\ntext\r\n"_s);
        QVERIFY(projectfiles::write(dir.path(), texts, true).ok());
        QCOMPARE(dir.read(u"SLO.qrb"_s), QByteArray("slo\r\ntext\r\n\r\n"));
        QCOMPARE(dir.read(u"Notes.qrb"_s), QByteArray("notes\r\n"));
    }
};

QRB_TEST(ProjectFilesTest)

#include "tst_projectfiles.moc"
