#include "support/testregistry.h"
#include "templates/generatorstate.h"
#include "templates/templatelines.h"
#include "templates/templatesteps.h"

#include <QTest>
#include <limits>
#include <tuple>

using Wheels = std::tuple<int, int, int>; // propulsion, body, weapon

class TemplateLinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void manualSelectorLinesForTemplate7()
    {
        QCOMPARE(
            TemplateRecord({u"7", u"B", u"P"}).text(),
            QStringLiteral(
                "ZEL_ID7,102,B,ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6,P,ZNULLREPAIR,DROID,NavGunSensor,1"));
        QCOMPARE(TemplateRecord({u"7", u"B", u"P"}).text().split(QLatin1Char(',')).size(), 12);
        QCOMPARE(WeaponAssignment({u"7", u"W"}).text(), QStringLiteral("ZEL_ID7,W,5"));
        QCOMPARE(ManualNameLine({u"7", u"\""}).text(), QStringLiteral("ZEL_ID7      \"TMPLNO7\""));
        QCOMPARE(ManualNameLine({u"-2", u"\""}).text(), QStringLiteral("ZEL_ID-2      \"TMPLNO-2\""));
    }

    void textTemplateLine()
    {
        QCOMPARE(TextTemplateLine({u"7", u"B", u"P", u"W", u"\""}).text(),
                 QStringLiteral(
                     R"("ZEL_ID7","ZEL_RANDOM_TEMPLATE7",1,6,"B","P","NavGunSensor","","","{Wp}","W")"));
        // Empty identifiers stay as empty quoted fields.
        QCOMPARE(
            TextTemplateLine({u"31", u"", u"", u"", u"\""}).text(),
            QStringLiteral(R"("ZEL_ID31","ZEL_RANDOM_TEMPLATE31",1,6,"","","NavGunSensor","","","{Wp}","")"));
    }

    void componentLines()
    {
        QCOMPARE(ComponentLine({ComponentLine::Kind::Weapon, 5, u"W", u"\""}).text(),
                 QStringLiteral(R"(WPN[5]    WEAPON    "W")"));
        QCOMPARE(ComponentLine({ComponentLine::Kind::Body, 13, u"Body14SUP", u"\""}).text(),
                 QStringLiteral(R"(BDY[13]    BODY    "Body14SUP")"));
        QCOMPARE(ComponentLine({ComponentLine::Kind::Propulsion, 0, u"wheeled01", u"\""}).text(),
                 QStringLiteral(R"(PRP[0]    PROPULSION    "wheeled01")"));
    }

    void nameLineFillsToTheNextPrintZone()
    {
        // Seven characters of identifier, seven blanks: the name starts in column 15.
        QCOMPARE(TemplateNameLine({u"7", u"\"TMPLNO7\""}).text(),
                 QStringLiteral("ZEL_ID7       \"TMPLNO7\""));
        QCOMPARE(TemplateNameLine({u"1234567", u"\"x\""}).text(), QStringLiteral("ZEL_ID1234567 \"x\""));
        // Fourteen characters fill the first zone; the name goes to column 29, never touching it.
        QCOMPARE(TemplateNameLine({u"12345678", u"\"x\""}).text(),
                 QStringLiteral("ZEL_ID12345678") + QString(14, QLatin1Char(' ')) + QStringLiteral("\"x\""));
        // A nine-digit number: fifteen characters, thirteen blanks, column 29.
        const QString nine = TemplateNameLine({u"123456789", u"\"TMPLNO123456789\""}).text();
        QCOMPARE(nine, QStringLiteral("ZEL_ID123456789             \"TMPLNO123456789\""));
        QCOMPARE(nine.indexOf(QLatin1Char('"')), 28);
        QCOMPARE(TemplateNameLine::gapAfter(27), 1);
        QCOMPARE(TemplateNameLine::gapAfter(28), 14);
    }

    void latin1LinesMatchTheTextAndReplaceWhatLatin1CannotHold()
    {
        // The byte form the exports write is the text form, byte for byte.
        const TemplateNameLine name{u"1234567", u"\"TMPLNO1234567\""};
        Latin1Line line;
        name.appendTo(line);
        QCOMPARE(line.bytes(), QByteArrayView(name.text().toLatin1()));
        line.clear();
        TemplateRecord{u"3", u"Body\u00e9", u"prop\u20ac"}.appendTo(line);
        QCOMPARE(
            line.bytes().toByteArray(),
            QByteArray("ZEL_ID3,102,Body\xe9,ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6,prop?,ZNULLREPAIR,DROID,"
                       "NavGunSensor,1"));
        line.clear();
        VloTemplateEntry{u"1", u"6", u"220", u"\""}.appendTo(line);
        WeaponAssignment{u"220", u"W"}.appendTo(line);
        QCOMPARE(line.bytes().toByteArray(), QByteArray("tmpl1[6]  TEMPLATE    \"ZEL_ID220\"ZEL_ID220,W,5"));
    }

    void decimalText()
    {
        QCOMPARE(DecimalText(0).view(), u"0");
        QCOMPARE(DecimalText(1719).view(), u"1719");
        QCOMPARE(DecimalText(-2).view(), u"-2");
        QCOMPARE(DecimalText(std::numeric_limits<qint64>::min()).view(), u"-9223372036854775808");
        QCOMPARE(DecimalText(std::numeric_limits<qint64>::max()).view(), u"9223372036854775807");
    }

    void vloEntries()
    {
        QCOMPARE(VloTemplateEntry({u"", u"7", u"7", u"\""}).text(),
                 QStringLiteral(R"(tmpl[7]  TEMPLATE    "ZEL_ID7")"));
        QCOMPARE(VloTemplateEntry({u"1", u"6", u"220", u"\""}).text(),
                 QStringLiteral(R"(tmpl1[6]  TEMPLATE    "ZEL_ID220")"));
        QCOMPARE(numberedDisplayName(u"42", u"\""), QStringLiteral("\"TMPLNO42\""));
    }
};

class TemplateStepsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lockstepWrapsEachListOnItsOwn()
    {
        LockstepStep step;
        for (int k = 0; k < 33 * 14 * 4 + 5; ++k) {
            step.apply();
            QCOMPARE(step.weapon, k % 33);
            QCOMPARE(step.propulsion, k % 4);
            QCOMPARE(step.body, k % 14);
        }
    }

    void odometerFromZeroStartsAtWeaponOne()
    {
        qint32 p = 0;
        int b = 0;
        int w = 0;
        QList<Wheels> seen;
        for (int i = 0; i < 36; ++i) {
            OdometerStep::apply(p, b, w);
            seen.append({p, b, w});
        }
        QCOMPARE(seen.at(0), Wheels(0, 0, 1));
        QCOMPARE(seen.at(31), Wheels(0, 0, 32));
        QCOMPARE(seen.at(32), Wheels(0, 1, 0));
        QCOMPARE(seen.at(35), Wheels(0, 1, 3));
    }

    void bodyIsTestedBeforeWeapon()
    {
        // At body 13 the propulsion turns and the weapon stays where it was.
        qint32 p = 2;
        int b = 13;
        int w = 32;
        OdometerStep::apply(p, b, w);
        QCOMPARE(Wheels(p, b, w), Wheels(3, 0, 32));
        OdometerStep::apply(p, b, w);
        QCOMPARE(Wheels(p, b, w), Wheels(3, 1, 0));
    }

    void fullRunGives1719TemplatesInOdometerOrder()
    {
        qint32 p = 0;
        int b = 0;
        int w = 0;
        QList<Wheels> run;
        while (true) {
            OdometerStep::apply(p, b, w);
            if (p > GeneratorState::kLastPropulsion)
                break;
            run.append({p, b, w});
        }
        QCOMPARE(run.size(), 1719);
        QCOMPARE(run.at(427), Wheels(0, 12, 32));
        QCOMPARE(run.at(428), Wheels(0, 13, 0));
        QCOMPARE(run.at(429), Wheels(1, 0, 0));
        QCOMPARE(run.at(429 + 430), Wheels(2, 0, 0));
        QCOMPARE(run.last(), Wheels(3, 13, 0));
        // Every combination but those of body 13 with weapons 1..32 comes once; (0, 0, 0) never.
        QSet<int> distinct;
        for (const auto& [wp, wb, ww] : run)
            distinct.insert(wp * 10000 + wb * 100 + ww);
        QCOMPARE(distinct.size(), 1719);
        QVERIFY(!distinct.contains(0));
        QVERIFY(!distinct.contains(1 * 10000 + 13 * 100 + 1));
        QCOMPARE(p, 4);
    }
};

QRB_TEST(TemplateLinesTest)
QRB_TEST(TemplateStepsTest)

#include "tst_lines.moc"
