#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "templatefixture.h"
#include "templates/generatorlists.h"
#include "templates/manualselector.h"
#include "templates/templategeneration.h"

#include <QTest>

namespace {

const QString kQ = QStringLiteral("\"");

// A fresh run with the numbered lists loaded: limit 32, counter 0.
struct Generator {
    TempFolder dir;
    GeneratorState state;
    Generator()
    {
        writeNumberedRtsLists(dir);
        generatorlists::load(state, dir.path());
    }
    QString path() const { return dir.path(); }
    QByteArray allTxt() const { return dir.read(QStringLiteral("RTS/all.txt")); }
};

QString textLine(int n, int p, int b, int w)
{
    return QStringLiteral(
               R"("ZEL_ID%1","ZEL_RANDOM_TEMPLATE%1",1,6,"B%3","P%2","NavGunSensor","","","{Wp}","W%4")")
        .arg(n)
        .arg(p)
        .arg(b)
        .arg(w);
}

} // namespace

class GenerationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rndAtLimit32ThenAt40()
    {
        Generator g;
        g.dir.write(QStringLiteral("RTS/all.txt"), "old content\r\n");
        const templategeneration::Result first = templategeneration::rnd(g.state, g.path(), kQ);
        QVERIFY(!first.failure);
        QCOMPARE(first.lines.size(), 32);
        QCOMPARE(first.lines.first(), textLine(0, 0, 0, 0));
        QCOMPARE(first.lines.at(13), textLine(13, 1, 13, 13));
        QCOMPARE(first.lines.at(14), textLine(14, 2, 0, 14));
        QCOMPARE(first.lines.last(), textLine(31, 3, 3, 31));
        QCOMPARE(g.allTxt(), QByteArray());
        QCOMPARE(g.state.templateCounter, 32);

        QVERIFY(templategeneration::rnd(g.state, g.path(), kQ).lines.isEmpty());
        g.state.templateLimit = 40;
        const QStringList more = templategeneration::rnd(g.state, g.path(), kQ).lines;
        QCOMPARE(more.size(), 8);
        QCOMPARE(more.first(), textLine(32, 0, 0, 0));
        QCOMPARE(more.last(), textLine(39, 3, 7, 7));
    }

    void ordPairsTheFirstBodyWithWeaponsOneTo32()
    {
        Generator g;
        const QStringList lines = templategeneration::ord(g.state, g.path(), kQ).lines;
        QCOMPARE(lines.size(), 32);
        for (int n = 0; n < 32; ++n)
            QCOMPARE(lines.at(n), textLine(n, 0, 0, n + 1));
        QCOMPARE(g.state.propulsionIndex, 0);
        QCOMPARE(g.allTxt(), QByteArray());
    }

    void ordAt2000RunsOutAfter1719()
    {
        Generator g;
        g.state.templateLimit = 2000;
        const QStringList lines = templategeneration::ord(g.state, g.path(), kQ).lines;
        QCOMPARE(lines.size(), 1719);
        QCOMPARE(lines.at(428), textLine(428, 0, 13, 0));
        QCOMPARE(lines.at(429), textLine(429, 1, 0, 0));
        QCOMPARE(lines.last(), textLine(1718, 3, 13, 0));
        QCOMPARE(g.state.templateCounter, 2000);
        // Steps past the last propulsion still turn the wheel.
        QCOMPARE(g.state.propulsionIndex, 4 + (2000 - 1720));

        // The next Ord, even after a reset, has nothing left to give.
        g.state.templateCounter = 1;
        QVERIFY(templategeneration::ord(g.state, g.path(), kQ).lines.isEmpty());
        QCOMPARE(g.state.templateCounter, 2000);
    }

    void stringAt250WritesItsFirst201Lines()
    {
        Generator g;
        g.state.templateLimit = 250;
        const templategeneration::Result result = templategeneration::string(g.state, g.path(), kQ);
        QVERIFY(!result.failure);
        QVERIFY(result.lines.isEmpty());
        const QList<QByteArray> lines = fileLines(g.allTxt());
        QCOMPARE(lines.size(), 201);
        QCOMPARE(lines.first(), textLine(0, 0, 0, 1).toLatin1());
        QCOMPARE(lines.at(200), textLine(200, 0, 6, 3).toLatin1());
        QCOMPARE(g.state.stringLines[200], textLine(200, 0, 6, 3));
        QCOMPARE(g.state.templateCounter, 250);
    }

    void stringAfterRndWritesTheOldEntries()
    {
        Generator g;
        templategeneration::rnd(g.state, g.path(), kQ);
        QVERIFY(!templategeneration::string(g.state, g.path(), kQ).failure);
        QCOMPARE(g.allTxt(), QByteArray("\r\n").repeated(32));

        // Entries filled by an earlier click are written again with their old content.
        g.state.templateCounter = 0;
        g.state.templateLimit = 3;
        templategeneration::string(g.state, g.path(), kQ);
        g.state.templateLimit = 5;
        templategeneration::string(g.state, g.path(), kQ);
        const QList<QByteArray> lines = fileLines(g.allTxt());
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(2), textLine(2, 0, 0, 3).toLatin1());
        QCOMPARE(lines.at(3), textLine(3, 0, 0, 1).toLatin1());
    }

    void limitOfZeroOrBelowGivesNothing()
    {
        Generator g;
        g.dir.write(QStringLiteral("RTS/all.txt"), "old\r\n");
        for (const qint16 limit : {qint16(0), qint16(-5)}) {
            g.state.templateLimit = limit;
            QVERIFY(templategeneration::rnd(g.state, g.path(), kQ).lines.isEmpty());
            QVERIFY(templategeneration::ord(g.state, g.path(), kQ).lines.isEmpty());
            QVERIFY(!templategeneration::string(g.state, g.path(), kQ).failure);
            QCOMPARE(g.allTxt(), QByteArray());
        }
        QCOMPARE(g.state.templateCounter, 0);
    }

    void feedDeclaresTheListsAndTakesOneNumber()
    {
        Generator g;
        g.state.templateCounter = 9;
        const QStringList lines = templategeneration::feed(g.state, g.path(), kQ).lines;
        QCOMPARE(lines.size(), 51);
        QCOMPARE(lines.at(0), QStringLiteral(R"(WPN[0]    WEAPON    "W0")"));
        QCOMPARE(lines.at(32), QStringLiteral(R"(WPN[32]    WEAPON    "W32")"));
        QCOMPARE(lines.at(33), QStringLiteral(R"(BDY[0]    BODY    "B0")"));
        QCOMPARE(lines.at(46), QStringLiteral(R"(BDY[13]    BODY    "B13")"));
        QCOMPARE(lines.at(50), QStringLiteral(R"(PRP[3]    PROPULSION    "P3")"));
        QCOMPARE(g.state.templateCounter, 10);
    }

    void missingFolderStillGeneratesAndIsReported()
    {
        GeneratorState state;
        TempFolder dir;
        state.templateLimit = 3;
        const templategeneration::Result rnd = templategeneration::rnd(state, dir.path(), kQ);
        QCOMPARE(rnd.lines.size(), 3);
        QVERIFY(rnd.failure);
        const templategeneration::Result string = templategeneration::string(state, dir.path(), kQ);
        QVERIFY(string.failure);
        const QString rts = dir.file(QStringLiteral("RTS"));
        QCOMPARE(
            templategeneration::describeStringFailure(*string.failure),
            QStringLiteral("THE TEMPLATE LINES WERE NOT WRITTEN:\n%1/all.txt: the folder %1 does not exist")
                .arg(rts));
        QVERIFY(!dir.exists(QStringLiteral("RTS")));
    }

    void limitText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::newRow("plain") << QStringLiteral("120") << 120;
        QTest::newRow("blanks") << QStringLiteral(" 5 ") << 5;
        QTest::newRow("negative") << QStringLiteral("-3") << -3;
        QTest::newRow("top") << QStringLiteral("32767") << 32767;
        QTest::newRow("too big") << QStringLiteral("32768") << 7;
        QTest::newRow("empty") << QString() << 7;
        QTest::newRow("letters") << QStringLiteral("12a") << 7;
        QTest::newRow("fraction") << QStringLiteral("2.5") << 7;
    }
    void limitText()
    {
        QFETCH(QString, text);
        QFETCH(int, limit);
        QCOMPARE(templategeneration::limitFromText(text).value_or(7), limit);
    }

    void wholeNumberText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("number");
        QTest::newRow("12") << QStringLiteral("12") << QStringLiteral("12");
        QTest::newRow("2.7") << QStringLiteral("2.7") << QStringLiteral("2");
        QTest::newRow("-1.5") << QStringLiteral("-1.5") << QStringLiteral("-2");
        QTest::newRow("-0.5") << QStringLiteral("-0.5") << QStringLiteral("-1");
        QTest::newRow("blanks and plus") << QStringLiteral(" +7 ") << QStringLiteral("7");
        QTest::newRow("exponent") << QStringLiteral("1e3") << QStringLiteral("1000");
        QTest::newRow(".5") << QStringLiteral(".5") << QStringLiteral("0");
        QTest::newRow("letter") << QStringLiteral("12a") << QStringLiteral("none");
        QTest::newRow("empty") << QString() << QStringLiteral("none");
        QTest::newRow("comma") << QStringLiteral("1,5") << QStringLiteral("none");
        QTest::newRow("inf") << QStringLiteral("inf") << QStringLiteral("none");
        QTest::newRow("too large") << QStringLiteral("1e20") << QStringLiteral("none");
    }
    void wholeNumberText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, number);
        QCOMPARE(manualselector::wholeNumberText(typed).value_or(QStringLiteral("none")), number);
    }
};

QRB_TEST(GenerationTest)

#include "tst_generation.moc"
