#include "backupconsole/previewsizing.h"
#include "backupconsole/snapshotfolder.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "tst_backupconsole.h"

#include <QTest>

using snapshotfolder::Kind;

void SnapshotFolderTest::listsEachKindByNameWithoutRegardToCase()
{
    TempFolder dir;
    for (const char* name :
         {"SLO.qrb5.12.2026_8-0-0_MANUAL", "slo.qrb2.12.2026_10-0-0_EXIT", "SLO.qrb10.12.2026_8-0-0_MANUAL",
          "SLO.qrb1.12.2026_10-0-0_MANUAL", "Slo.B", "SLO.b", "slo.b", "VLO.qrb1.12.2026_10-0-0_MANUAL",
          "vLo.qrb", "Notes.txt", "SLO", "SLOqrb", "XSLO.qrb1.12.2026_10-0-0_MANUAL", "QRB_DATA.DAT"})
        dir.write(QString::fromLatin1(name), "x");
    // Folders are not snapshots, whatever their names.
    dir.mkdir(QStringLiteral("SLO.folder"));
    dir.mkdir(QStringLiteral("VLO.folder"));

    const snapshotfolder::Listing listing = snapshotfolder::list(dir.path());
    QVERIFY(!listing.failure);
    // "qrb1." before "qrb10" ('.' sorts before '0'), lower-case names among the others, and
    // names equal but for case in one fixed order.
    QCOMPARE(listing.slo, (QStringList{"SLO.b", "Slo.B", "slo.b", "SLO.qrb1.12.2026_10-0-0_MANUAL",
                                       "SLO.qrb10.12.2026_8-0-0_MANUAL", "slo.qrb2.12.2026_10-0-0_EXIT",
                                       "SLO.qrb5.12.2026_8-0-0_MANUAL"}));
    QCOMPARE(listing.vlo, (QStringList{"vLo.qrb", "VLO.qrb1.12.2026_10-0-0_MANUAL"}));
    QCOMPARE(listing.names(Kind::Slo), listing.slo);
    QCOMPARE(listing.names(Kind::Vlo), listing.vlo);
}

void SnapshotFolderTest::loadDropsOnlyTheWritersLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("one line") << QByteArray("old line\r\n") << QStringLiteral("old line");
    QTest::newRow("only the last of two") << QByteArray("a\r\n\r\n") << QStringLiteral("a\r\n");
    QTest::newRow("no line end") << QByteArray("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("bare line feed kept") << QByteArray("a\n") << QStringLiteral("a\n");
    QTest::newRow("empty snapshot") << QByteArray() << QString();
    QTest::newRow("line end alone") << QByteArray("\r\n") << QString();
    QTest::newRow("high bytes") << QByteArray("caf\xe9 \xa0\xff\r\n")
                                << QStringLiteral("caf\u00e9 \u00a0\u00ff");
}

void SnapshotFolderTest::loadDropsOnlyTheWritersLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TempFolder dir;
    dir.write(QStringLiteral("SLO.qrb5.12.2026_9-5-7_MANUAL"), bytes);
    const snapshotfolder::Loaded loaded =
        snapshotfolder::load(dir.path(), QStringLiteral("SLO.qrb5.12.2026_9-5-7_MANUAL"));
    QVERIFY(!loaded.failure);
    QCOMPARE(loaded.text, text);
}

void SnapshotFolderTest::folderInPlaceOfASnapshotIsReported()
{
    // A snapshot replaced by a folder after the listing: told as such, not as a failed read.
    TempFolder dir;
    dir.mkdir(QStringLiteral("VLO.now_a_folder"));
    const snapshotfolder::Loaded folder =
        snapshotfolder::load(dir.path(), QStringLiteral("VLO.now_a_folder"));
    QVERIFY(folder.failure);
    QCOMPARE(*folder.failure, (FileFailure{dir.file(QStringLiteral("VLO.now_a_folder")),
                                           "it is a folder, not a snapshot file"}));
    QVERIFY(folder.text.isEmpty());
}

void PreviewRulesTest::textBoxFollowsTheWindow()
{
    using previewsizing::textBoxSize;
    const QSizeF roomy(20000, 20000);
    QCOMPARE(textBoxSize({6000, 4000}, roomy, {1, 1}), QSizeF(5890, 3500));
    QCOMPARE(textBoxSize({110, 500}, roomy, {1, 1}), QSizeF(0, 0));
    // Below zero a dimension keeps its previous value, each on its own.
    QCOMPARE(textBoxSize({109, 4000}, roomy, {700, 800}), QSizeF(700, 3500));
    QCOMPARE(textBoxSize({6000, 499}, roomy, {700, 800}), QSizeF(5890, 800));
    // A frame thicker than the allowance does not push the box past the client area.
    QCOMPARE(textBoxSize({6000, 4000}, {5800, 3400}, {1, 1}), QSizeF(5800, 3400));
}

QRB_TEST(SnapshotFolderTest)
QRB_TEST(PreviewRulesTest)
