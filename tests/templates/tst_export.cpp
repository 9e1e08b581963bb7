#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "templatefixture.h"
#include "templates/generatorlists.h"
#include "templates/templateexport.h"
#include "templates/templategeneration.h"

#include <QDir>
#include <QTest>

using templateexport::Button;

namespace {

const QString kQ = QStringLiteral("\"");

struct Exporter {
    TempFolder dir;
    GeneratorState state;
    Exporter()
    {
        writeNumberedRtsLists(dir);
        generatorlists::load(state, dir.path());
    }
    templateexport::Outcome run(Button button) { return templateexport::run(button, state, dir.path(), kQ); }
    QList<QByteArray> lines(const char* name) const
    {
        return fileLines(dir.read(QStringLiteral("RTS/") + QLatin1String(name)));
    }
    QString rts(const char* name) const { return dir.file(QStringLiteral("RTS/") + QLatin1String(name)); }
};

QByteArray record(int n, int b, const char* propulsion)
{
    return "ZEL_ID" + QByteArray::number(n) + ",102,B" + QByteArray::number(b) +
           ",ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6," + propulsion + ",ZNULLREPAIR,DROID,NavGunSensor,1";
}

} // namespace

class TemplateExportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wdgWritesThreeFilesOf1719Lines()
    {
        Exporter e;
        e.dir.write(QStringLiteral("RTS/X.vlo"), "untouched\r\n");
        const templateexport::Outcome outcome = e.run(Button::Wdg);
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.templates, 1719);
        const QList<QByteArray> records = e.lines("Templates.txt");
        const QList<QByteArray> weapons = e.lines("AssignWeapons.txt");
        const QList<QByteArray> names = e.lines("Names.txt");
        QCOMPARE(records.size(), 1719);
        QCOMPARE(weapons.size(), 1719);
        QCOMPARE(names.size(), 1719);
        QCOMPARE(records.first(), record(0, 0, "P0"));
        QCOMPARE(weapons.first(), QByteArray("ZEL_ID0,W1,5"));
        QCOMPARE(names.first(), QByteArray("ZEL_ID0       \"W1\""));
        QCOMPARE(records.at(429), record(429, 0, "P1"));
        QCOMPARE(weapons.at(429), QByteArray("ZEL_ID429,W0,5"));
        QCOMPARE(names.at(1718), QByteArray("ZEL_ID1718    \"W0\""));
        QCOMPARE(records.last(), record(1718, 13, "P3"));
        QCOMPARE(e.dir.read(QStringLiteral("RTS/X.vlo")), QByteArray("untouched\r\n"));
        QCOMPARE(e.state.templateCounter, 1719);
        QCOMPARE(e.state.propulsionIndex, 4);
        // WDG has no VLO arrays, so it leaves the division state alone.
        QCOMPARE(e.state.divisionIndex, qint16(0));
        QCOMPARE(e.state.divisionName, QString());
    }

    void fullTakesTheSecondPropulsionsAndOneArray()
    {
        Exporter e;
        e.state.templateCounter = 5;
        QVERIFY(e.run(Button::Full).ok());
        const QList<QByteArray> records = e.lines("Templates.txt");
        const QList<QByteArray> vlo = e.lines("X.vlo");
        QCOMPARE(vlo.size(), 1719);
        QCOMPARE(records.first(), record(5, 0, "Q0"));
        QCOMPARE(records.at(429), record(434, 0, "Q1"));
        QCOMPARE(records.last(), record(1723, 13, "Q3"));
        QCOMPARE(vlo.first(), QByteArray("tmpl[5]  TEMPLATE    \"ZEL_ID5\""));
        QCOMPARE(vlo.last(), QByteArray("tmpl[1723]  TEMPLATE    \"ZEL_ID1723\""));
        QCOMPARE(e.lines("Names.txt").at(2), QByteArray("ZEL_ID7       \"TMPLNO7\""));
    }

    void dividedThenFinalContinueTheArrays()
    {
        Exporter e;
        QVERIFY(e.run(Button::Divided).ok());
        const QList<QByteArray> vlo = e.lines("X.vlo");
        QCOMPARE(vlo.size(), 1719);
        QCOMPARE(vlo.at(0), QByteArray("tmpl0[0]  TEMPLATE    \"ZEL_ID0\""));
        QCOMPARE(vlo.at(213), QByteArray("tmpl0[213]  TEMPLATE    \"ZEL_ID213\""));
        QCOMPARE(vlo.at(214), QByteArray("tmpl1[0]  TEMPLATE    \"ZEL_ID214\""));
        QCOMPARE(vlo.at(220), QByteArray("tmpl1[6]  TEMPLATE    \"ZEL_ID220\""));
        QCOMPARE(vlo.last(), QByteArray("tmpl8[6]  TEMPLATE    \"ZEL_ID1718\""));
        const QList<QByteArray> records = e.lines("Templates.txt");
        for (const QByteArray& line : records)
            QCOMPARE(line.split(',').at(7), QByteArray("Q3"));
        QCOMPARE(e.lines("Names.txt").at(214), QByteArray("ZEL_ID214     \"TMPLNO214\""));

        QVERIFY(e.run(Button::Final).ok());
        const QList<QByteArray> next = e.lines("X.vlo");
        QCOMPARE(next.size(), 1719);
        QCOMPARE(next.first(), QByteArray("tmpl8[7]  TEMPLATE    \"ZEL_ID1719\""));
        QCOMPARE(next.at(206), QByteArray("tmpl8[213]  TEMPLATE    \"ZEL_ID1925\""));
        QCOMPARE(next.at(207), QByteArray("tmpl9[0]  TEMPLATE    \"ZEL_ID1926\""));
        QCOMPARE(e.lines("Templates.txt").first(), record(1719, 0, "P0"));
        QCOMPARE(e.state.templateCounter, 3438);
        QCOMPARE(e.state.divisionName, QStringLiteral("16"));
    }

    void resetBetweenExportsNumbersFromOne()
    {
        Exporter e;
        QVERIFY(e.run(Button::Wdg).ok());
        e.state.templateCounter = 1;
        QVERIFY(e.run(Button::Wdg).ok());
        QCOMPARE(e.lines("Templates.txt").first(), record(1, 0, "P0"));
        QCOMPARE(e.lines("Templates.txt").size(), 1719);
    }

    void ordAndStringWriteNothingAfterAnExport()
    {
        Exporter e;
        QVERIFY(e.run(Button::Final).ok());
        e.state.templateCounter = 1;
        e.state.templateLimit = 100;
        QVERIFY(templategeneration::ord(e.state, e.dir.path(), kQ).lines.isEmpty());
        QCOMPARE(e.state.templateCounter, 100);
        e.state.templateCounter = 1;
        QVERIFY(!templategeneration::string(e.state, e.dir.path(), kQ).failure);
        // Line 0 was never filled; nothing new came.
        QCOMPARE(e.dir.read(QStringLiteral("RTS/all.txt")), QByteArray("\r\n").repeated(100));
    }

    void missingFolderStopsAllButDivided()
    {
        for (const Button button : {Button::Wdg, Button::Full, Button::Final}) {
            GeneratorState state;
            TempFolder dir;
            state.templateCounter = 40;
            state.propulsionIndex = 2;
            const templateexport::Outcome outcome = templateexport::run(button, state, dir.path(), kQ);
            QVERIFY(outcome.stopped);
            QCOMPARE(outcome.templates, 0);
            QCOMPARE(outcome.failures.size(), 1);
            QCOMPARE(state.templateCounter, 40);
            QCOMPARE(state.propulsionIndex, 2);
            QVERIFY(!dir.exists(QStringLiteral("RTS")));
        }

        TempFolder dir;
        GeneratorState state;
        const templateexport::Outcome wdg = templateexport::run(Button::Wdg, state, dir.path(), kQ);
        const QString rts = dir.file(QStringLiteral("RTS"));
        QCOMPARE(templateexport::describe(Button::Wdg, wdg),
                 QStringLiteral("THE EXPORT --> WDG STOPPED AFTER 0 OF 1719 TEMPLATES.\n"
                                "Could not be written:\n"
                                "%1/Templates.txt: the folder %1 does not exist\n"
                                "Not written:\n"
                                "%1/AssignWeapons.txt\n"
                                "%1/Names.txt")
                     .arg(rts));

        const templateexport::Outcome divided = templateexport::run(Button::Divided, state, dir.path(), kQ);
        QVERIFY(!divided.stopped);
        QCOMPARE(divided.failures.size(), 4);
        QCOMPARE(divided.templates, 1719);
        QCOMPARE(state.templateCounter, 1719);
        QCOMPARE(state.divisionName, QStringLiteral("8"));
        QCOMPARE(state.divisionIndex, qint16(7));
        QCOMPARE(templateexport::describe(Button::Divided, divided),
                 QStringLiteral(
                     "THE EXPORT --> VLO (DIVIDED) COULD NOT WRITE EVERY FILE. The other files hold all "
                     "1719 templates.\n"
                     "Could not be written:\n"
                     "%1/Templates.txt: the folder %1 does not exist\n"
                     "%1/AssignWeapons.txt: the folder %1 does not exist\n"
                     "%1/Names.txt: the folder %1 does not exist\n"
                     "%1/X.vlo: the folder %1 does not exist")
                     .arg(rts));
    }

    void oneUnwritableFile()
    {
        // A folder standing where Names.txt belongs: FINAL stops there, DIVIDED writes the rest.
        Exporter e;
        e.dir.mkdir(QStringLiteral("RTS/Names.txt"));
        const templateexport::Outcome final = e.run(Button::Final);
        QVERIFY(final.stopped);
        QCOMPARE(final.failures.size(), 1);
        QCOMPARE(final.failures.first().path, e.rts("Names.txt"));
        QCOMPARE(final.incomplete, (QStringList{e.rts("Templates.txt"), e.rts("AssignWeapons.txt")}));
        QCOMPARE(final.notOpened, QStringList{e.rts("X.vlo")});
        QCOMPARE(e.dir.read(QStringLiteral("RTS/Templates.txt")), QByteArray());
        QVERIFY(!e.dir.exists(QStringLiteral("RTS/X.vlo")));
        QCOMPARE(e.state.templateCounter, 0);
        const QString text = templateexport::describe(Button::Final, final);
        QVERIFY2(text.startsWith(
                     QStringLiteral(
                         "THE EXPORT FINAL STOPPED AFTER 0 OF 1719 TEMPLATES.\nCould not be written:\n") +
                     e.rts("Names.txt") + QStringLiteral(": ")),
                 qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("\nHolding only the templates written before the stop:\n") +
                               e.rts("Templates.txt") + QLatin1Char('\n') + e.rts("AssignWeapons.txt") +
                               QStringLiteral("\nNot written:\n") + e.rts("X.vlo")),
                 qPrintable(text));

        const templateexport::Outcome divided = e.run(Button::Divided);
        QVERIFY(!divided.stopped);
        QCOMPARE(divided.failures.size(), 1);
        QCOMPARE(e.lines("Templates.txt").size(), 1719);
        QCOMPARE(e.lines("X.vlo").size(), 1719);
    }

    void fullDiskStopsWithTheLinesWrittenSoFar()
    {
        Exporter e;
        TinyFilesystem disk(e.dir.file(QStringLiteral("RTS")), 64);
        if (!disk.active())
            QSKIP(qPrintable(QStringLiteral("no full-disk test: ") + disk.why()));
        const templateexport::Outcome outcome = e.run(Button::Wdg);
        QVERIFY(outcome.stopped);
        QVERIFY(outcome.templates > 0);
        QVERIFY(outcome.templates < 1719);
        QCOMPARE(e.state.templateCounter, outcome.templates);
        // Templates.txt, with the longest lines, runs out of room first; the others fail as
        // their last lines go out when they are closed.
        QCOMPARE(outcome.failures.first().path, e.rts("Templates.txt"));
        for (const FileFailure& failure : outcome.failures)
            QVERIFY2(failure.reason.contains(QStringLiteral("space"), Qt::CaseInsensitive),
                     qPrintable(failure.reason));
        // The lists were on the tiny disk too and went with the mount; what was written starts
        // with the first template.
        const QByteArray records = e.dir.read(QStringLiteral("RTS/Templates.txt"));
        QVERIFY(records.startsWith(QByteArray(record(0, 0, "P0") + "\r\n")));
        QVERIFY(records.size() <= 64 * 1024);
    }
};

QRB_TEST(TemplateExportTest)

#include "tst_export.moc"
