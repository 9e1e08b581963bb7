#include "mainwindow/textchange.h"
#include "mainwindow/textseek.h"
#include "support/testregistry.h"

#include <QRandomGenerator>

using textseek::LineJump;
using Kind = textseek::LineJump::Kind;
Q_DECLARE_METATYPE(Kind)

class TextSeekTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchFindsFromTheFirstCharacterIgnoringCase()
    {
        const QString text = QStringLiteral("Alpha\r\nbeta ALPHA\r\nalp");
        QCOMPARE(textseek::findFrom(text, QStringLiteral("aLPHA"), textseek::searchStart(true, 9)), 0);
        QCOMPARE(textseek::findFrom(text, QStringLiteral("alpha"), textseek::searchStart(false, 0)), 12);
        QCOMPARE(textseek::findFrom(text, QStringLiteral("alpha"), textseek::searchStart(false, 12)), -1);
        QCOMPARE(textseek::findFrom(text, QStringLiteral("A\r\nB"), 0), 4);
        QCOMPARE(textseek::findFrom(text, QString(), 0), -1);
        QCOMPARE(textseek::findFrom(text, QStringLiteral("alp"), -5), 0);
        QCOMPARE(textseek::findFrom(text, QStringLiteral("p"), static_cast<int>(text.size()) + 1), -1);
    }

    void lineNumbersAreParsedStrictly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("number"); // -999 stands for "no number"
        const QList<QPair<const char*, double>> rows{
            {"12", 12}, {" 7 ", 7},    {"2.5", 2.5},  {"-3", -3},      {"+4", 4},     {".5", 0.5},  {"3.", 3},
            {"", -999}, {"   ", -999}, {"1e3", -999}, {"12abc", -999}, {"1,5", -999}, {"--1", -999}};
        for (const auto& [typed, number] : rows)
            QTest::newRow(typed) << QString::fromLatin1(typed) << number;
        QTest::newRow("arabic digits") << QStringLiteral("\u0661\u0662") << -999.0;
    }
    void lineNumbersAreParsedStrictly()
    {
        QFETCH(QString, typed);
        QFETCH(double, number);
        QCOMPARE(textseek::parseLineNumber(typed).value_or(-999), number);
    }

    void lineJumps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("offset");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        const QString three = QStringLiteral("first\r\nsecond\r\nthird");
        QTest::newRow("line 1 with its CR") << three << 1.0 << 0 << Kind::Line << 0 << 6;
        QTest::newRow("huge number: last line") << three << 1e300 << 0 << Kind::Line << 15 << 5;
        QTest::newRow("between -1 and 0") << three << -0.7 << 0 << Kind::Nothing << 0 << 0;
        QTest::newRow("VLO 12.5") << three << 12.5 << 12 << Kind::FirstCharacter << 0 << 1;
        QTest::newRow("VLO 14.99") << three << 14.99 << 12 << Kind::Line << 7 << 7;
        QTest::newRow("empty text") << QString() << 1.0 << 0 << Kind::Nothing << 0 << 0;
        QTest::newRow("empty last line") << QStringLiteral("a\r\n") << 5.0 << 0 << Kind::Line << 3 << 0;
        QTest::newRow("lone CR is no break")
            << QStringLiteral("a\rb\r\nc") << 1.0 << 0 << Kind::Line << 0 << 4;
        QTest::newRow("after a lone CR") << QStringLiteral("a\rb\r\nc") << 2.0 << 0 << Kind::Line << 5 << 1;
    }
    void lineJumps()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(int, offset);
        const LineJump jump = textseek::lineJump(text, number, offset);
        QTEST(jump.kind, "kind");
        if (jump.kind != Kind::Nothing) {
            QTEST(jump.range.start, "start");
            QTEST(jump.range.length, "length");
        }
    }

    void changesNeverSplitALineBreak()
    {
        const textchange::Change c =
            textchange::between(QStringLiteral("line\r\nend"), QStringLiteral("line\rnew\r\nend"));
        QCOMPARE(c.start, 4);
        QCOMPARE(c.removed, 2);
        QCOMPARE(c.inserted, QStringLiteral("\rnew\r\n"));
        const textchange::Change append =
            textchange::between(QStringLiteral("abc"), QStringLiteral("abc\r\nmore"));
        QCOMPARE(append.start, 3);
        QCOMPARE(append.removed, 0);
        QCOMPARE(append.inserted, QStringLiteral("\r\nmore"));

        // Random texts of a, CR LF and b: the change rebuilds the new text and cuts no pair.
        QRandomGenerator random(4711);
        const QStringList pieces{QStringLiteral("a"), QStringLiteral("\r\n"), QStringLiteral("b")};
        auto make = [&] {
            QString s;
            for (int i = random.bounded(8); i > 0; --i)
                s += pieces[random.bounded(3)];
            return s;
        };
        for (int round = 0; round < 2000; ++round) {
            const QString before = make();
            const QString after = make();
            const textchange::Change c2 = textchange::between(before, after);
            QCOMPARE(before.left(c2.start) + c2.inserted + before.mid(c2.start + c2.removed), after);
            for (const int cut : {c2.start, c2.start + c2.removed})
                QVERIFY(cut == 0 || before.mid(cut - 1, 2) != QLatin1String("\r\n"));
            for (const qsizetype cut : {qsizetype(c2.start), c2.start + c2.inserted.size()})
                QVERIFY(cut == 0 || after.mid(cut - 1, 2) != QLatin1String("\r\n"));
        }
    }
};

QRB_TEST(TextSeekTest)
#include "tst_textseek.moc"
