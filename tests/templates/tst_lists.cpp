#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "templatefixture.h"
#include "templates/generatorlists.h"
#include "templates/manuallists.h"
#include "templates/templatefiles.h"

#include <QDir>
#include <QTest>

class ListFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one line, no end") << QStringLiteral("a") << QStringList{QStringLiteral("a")};
        QTest::newRow("crlf ends") << QStringLiteral("a\r\nb\r\n")
                                   << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("empty lines count")
            << QStringLiteral("\r\n\r\nx") << QStringList{QString(), QString(), QStringLiteral("x")};
        QTest::newRow("lone cr and lf") << QStringLiteral("a\rb\nc\n\rd")
                                        << QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                                       QStringLiteral("c"), QString(), QStringLiteral("d")};
        QTest::newRow("blanks kept") << QStringLiteral(" a \t\r\n") << QStringList{QStringLiteral(" a \t")};
        QTest::newRow("cr at the very end") << QStringLiteral("a\r") << QStringList{QStringLiteral("a")};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(templatefiles::splitLines(text), lines);
    }
};

class ManualListsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sixFilesFillTheListsInOrder()
    {
        TempFolder dir;
        dir.write(QStringLiteral("mts/prop.id"), "wheeled01\r\ntracked01");
        dir.write(QStringLiteral("mts/prop.nm"), "Wheels\r\nTracks\r\n");
        dir.write(QStringLiteral("mts/body.id"), "Body1REC\r\n");
        dir.write(QStringLiteral("mts/body.nm"), "Viper\r\n");
        dir.write(QStringLiteral("mts/weapon.id"), "MG1Mk1\r\n\r\nCannon1Mk1\r\n");
        dir.write(QStringLiteral("mts/weapon.nm"), "Machinegun\r\n\r\nLight \xe9 Cannon\r\n");
        ManualSelectorState state;
        state.mtsNextNumber = QStringLiteral("12");
        QCOMPARE(manuallists::load(state, dir.path()), QList<FileFailure>());
        QCOMPARE(state.mtsPropIds.count, 2);
        QCOMPARE(state.mtsPropIds.entries[1], QStringLiteral("tracked01"));
        QCOMPARE(state.mtsPropNames.entries[1], QStringLiteral("Tracks"));
        QCOMPARE(state.mtsWeaponIds.count, 3);
        QCOMPARE(state.mtsWeaponIds.entries[1], QString());
        QCOMPARE(state.mtsWeaponNames.entries[2], QStringLiteral("Light \u00e9 Cannon"));
        QCOMPARE(state.mtsNextNumber, QStringLiteral("0"));
    }

    void longListsKeepTheirFirstHundredAndCountAll()
    {
        TempFolder dir;
        for (const char* name : {"weapon.id", "body.id", "prop.id", "body.nm", "prop.nm"})
            dir.write(QStringLiteral("mts/") + QLatin1String(name), "x\r\n");
        dir.write(QStringLiteral("mts/weapon.nm"), numberedLines("N", 130));
        ManualSelectorState state;
        state.mtsWeaponNames.entries[0] = QStringLiteral("old");
        manuallists::load(state, dir.path());
        QCOMPARE(state.mtsWeaponNames.count, 130);
        QCOMPARE(state.mtsWeaponNames.used(), 100);
        QCOMPARE(state.mtsWeaponNames.entries[0], QStringLiteral("N0"));
        QCOMPARE(state.mtsWeaponNames.entries[99], QStringLiteral("N99"));
    }

    void countStopsAtItsSixteenBitTop()
    {
        MtsList list;
        manuallists::fill(list, QStringList(40000, QStringLiteral("x")));
        QCOMPARE(list.count, qint16(32767));
        QCOMPARE(list.used(), 100);
    }

    void missingFilesGiveEmptyListsAndAreNamed()
    {
        TempFolder dir;
        dir.write(QStringLiteral("MTS/Prop.ID"), "wheeled01\r\n");
        dir.write(QStringLiteral("MTS/PROP.NM"), "Wheels\r\nTracks\r\n");
        ManualSelectorState state;
        state.mtsBodyNames.count = 5;
        const QList<FileFailure> problems = manuallists::load(state, dir.path());
        const QString mts = dir.file(QStringLiteral("MTS"));
        QCOMPARE(problems.size(), 5);
        QCOMPARE(problems.at(0), (FileFailure{mts + QStringLiteral("/weapon.id"),
                                              QStringLiteral("the file does not exist")}));
        QCOMPARE(problems.at(3).path, mts + QStringLiteral("/body.nm"));
        // The names were read through the folder and file names in other letter case; one of
        // them has no identifier.
        QCOMPARE(problems.at(4),
                 (FileFailure{mts + QStringLiteral("/PROP.NM"),
                              QStringLiteral("more names (2) than prop.id has identifiers (1)")}));
        QCOMPARE(state.mtsBodyNames.count, 0);
        QCOMPARE(state.mtsPropNames.count, 2);
    }

    void missingFolderIsSaidInWords()
    {
        TempFolder dir;
        ManualSelectorState state;
        const QList<FileFailure> problems = manuallists::load(state, dir.path());
        QCOMPARE(problems.size(), 6);
        const QString mts = dir.file(QStringLiteral("mts"));
        QCOMPARE(problems.at(5), (FileFailure{mts + QStringLiteral("/prop.nm"),
                                              QStringLiteral("the folder %1 does not exist").arg(mts)}));
    }
};

class GeneratorListsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shippedListsFillEveryEntry()
    {
        GeneratorState state;
        QCOMPARE(generatorlists::load(state, QStringLiteral(QRB_RESOURCES_DIR)), QList<FileFailure>());
        QCOMPARE(state.templateLimit, qint16(32));
        QCOMPARE(state.weaponNames[0], QStringLiteral("MG1Mk1"));
        for (const QString& entry : state.weaponNames)
            QVERIFY(!entry.isEmpty());
        for (const QString& entry : state.bodyNames)
            QVERIFY(!entry.isEmpty());
        QCOMPARE(state.propulsionNames[3], QStringLiteral("hover01"));
        QCOMPARE(state.propulsionNames2[0], QStringLiteral("wheeled02"));
        QCOMPARE(state.propulsionAlt, QStringLiteral("hover02"));

        ManualSelectorState manual;
        QCOMPARE(manuallists::load(manual, QStringLiteral(QRB_RESOURCES_DIR)), QList<FileFailure>());
        QCOMPARE(manual.mtsPropNames.entries[2], QStringLiteral("Tracks"));
        QCOMPARE(manual.mtsPropIds.entries[2], QStringLiteral("tracked01"));
    }

    void shortListsLeaveTheRestAsItWas()
    {
        TempFolder dir;
        writeNumberedRtsLists(dir);
        GeneratorState state;
        state.bodyNames[12] = QStringLiteral("from before");
        dir.write(QStringLiteral("RTS/bodies.txt"), numberedLines("b", 10));
        dir.write(QStringLiteral("RTS/propulsions_2.txt"), "a\r\nb\r\nc");
        QCOMPARE(generatorlists::load(state, dir.path()), QList<FileFailure>());
        QCOMPARE(state.bodyNames[9], QStringLiteral("b9"));
        QCOMPARE(state.bodyNames[10], QString());
        QCOMPARE(state.bodyNames[12], QStringLiteral("from before"));
        QCOMPARE(state.propulsionAlt, QStringLiteral("c"));
        QCOMPARE(state.propulsionNames2[2], QStringLiteral("c"));
        QCOMPARE(state.propulsionNames2[3], QString());

        // An empty file changes nothing.
        dir.write(QStringLiteral("RTS/propulsions_2.txt"), "");
        dir.write(QStringLiteral("RTS/weapons.txt"), "");
        generatorlists::load(state, dir.path());
        QCOMPARE(state.propulsionAlt, QStringLiteral("c"));
        QCOMPARE(state.weaponNames[32], QStringLiteral("W32"));
    }

    void missingAndOverlongFilesAreNamed()
    {
        TempFolder dir;
        dir.write(QStringLiteral("rts/WEAPONS.TXT"), numberedLines("W", 40));
        dir.write(QStringLiteral("rts/propulsions_2.txt"), numberedLines("Q", 9));
        GeneratorState state;
        state.templateLimit = 7;
        state.bodyNames[0] = QStringLiteral("kept");
        const QList<FileFailure> problems = generatorlists::load(state, dir.path());
        const QString rts = dir.file(QStringLiteral("rts"));
        QCOMPARE(problems,
                 (QList<FileFailure>{
                     {rts + QStringLiteral("/WEAPONS.TXT"),
                      QStringLiteral("40 lines; only the first 33 are used")},
                     {rts + QStringLiteral("/bodies.txt"), QStringLiteral("the file does not exist")},
                     {rts + QStringLiteral("/propulsions.txt"), QStringLiteral("the file does not exist")}}));
        QCOMPARE(state.weaponNames[32], QStringLiteral("W32"));
        QCOMPARE(state.bodyNames[0], QStringLiteral("kept"));
        QCOMPARE(state.propulsionNames2[3], QStringLiteral("Q3"));
        QCOMPARE(state.propulsionAlt, QStringLiteral("Q8"));
        QCOMPARE(state.templateLimit, qint16(32));
    }
};

QRB_TEST(ListFilesTest)
QRB_TEST(ManualListsTest)
QRB_TEST(GeneratorListsTest)

#include "tst_lists.moc"
