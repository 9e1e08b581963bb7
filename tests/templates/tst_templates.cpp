#include "platform/atomicfile.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "templates/generatorlists.h"
#include "templates/generatorwindow.h"
#include "templates/manuallists.h"
#include "templates/manualselector.h"
#include "templates/manualselectorwindow.h"
#include "templates/selectorgate.h"
#include "templates/templateexport.h"
#include "templates/templatefiles.h"
#include "templates/templategeneration.h"
#include "templates/templatelines.h"
#include "templates/templatesteps.h"
#include "templates/templatetextbox.h"
#include "templates/templatetools.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <set>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace templategeneration;
using templateexport::Button;
using Wheels = std::tuple<int, int, int>; // propulsion, body, weapon
using Kind = ComponentLine::Kind;

namespace {

const QString kQ = u"\""_s;

// Component lists whose entries tell their place: weapons W0..W32, bodies B0..B13, propulsions
// P0..P3 and the second propulsions Q0..Q3, so that a line shows which indices made it.
QByteArray numberedLines(const char* prefix, int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += prefix + QByteArray::number(i) + "\r\n";
    return out;
}

// The lines of a file that ends every line with CR LF; a last line without them is marked.
QList<QByteArray> fileLines(QByteArray bytes)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        bytes += "<no CR LF>\r\n";
    QList<QByteArray> lines = bytes.replace("\r\n", "\n").split('\n');
    lines.removeLast();
    return lines;
}

// The generator's text line of template n, made of propulsion p, body b and weapon w.
QString textLine(int n, int p, int b, int w)
{
    return QString::asprintf(R"("ZEL_ID%d","ZEL_RANDOM_TEMPLATE%d",1,6,"B%d","P%d",)"
                             R"("NavGunSensor","","","{Wp}","W%d")",
                             n, n, b, p, w);
}

// A working folder with the numbered lists, loaded into a fresh generator state.
struct NumberedLists {
    TempFolder dir;
    GeneratorState state;
    NumberedLists()
    {
        dir.write(u"RTS/weapons.txt"_s, numberedLines("W", 33));
        dir.write(u"RTS/bodies.txt"_s, numberedLines("B", 14));
        dir.write(u"RTS/propulsions.txt"_s, numberedLines("P", 4));
        dir.write(u"RTS/propulsions_2.txt"_s, numberedLines("Q", 4));
        generatorlists::load(state, dir.path());
    }
    templateexport::Outcome run(Button button) { return templateexport::run(button, state, dir.path(), kQ); }
    QList<QByteArray> lines(const QString& name) const { return fileLines(dir.read("RTS/" + name)); }
    QString rts(const QString& name) const { return dir.file("RTS/" + name); }
};

QByteArray record(int n, int b, const char* propulsion)
{
    return "ZEL_ID" + QByteArray::number(n) + ",102,B" + QByteArray::number(b) +
           ",ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6," + propulsion + ",ZNULLREPAIR,DROID,NavGunSensor,1";
}

const QString kDefaultText = QStringLiteral(
    "WZCK.2.0.Text\r\nNew.Units.201\r\n\"ZNULLDESIGN\",\"New Design\",1,0,\"\",\"\",\"\",\"\",\"\",\"{Wp}\","
    "\"ZNULLWEAPON\"\r\n");

// The three tools over one working folder with both sets of lists, as the workbench holds them.
struct Tools : NumberedLists {
    ScriptedDialogs dialogs;
    ManualSelectorState manual;
    TemplateTools tools{manual, state, dialogs, dir.path()};
    Tools()
    {
        dir.write(u"mts/prop.id"_s, "wheeled01\r\ntracked01\r\n");
        dir.write(u"mts/prop.nm"_s, "Wheels\r\nTracks\r\n");
        dir.write(u"mts/body.id"_s, "Body1REC\r\nBody5REC\r\n");
        dir.write(u"mts/body.nm"_s, "Viper\r\nCobra\r\n");
        dir.write(u"mts/weapon.id"_s, "MG1Mk1\r\nCannon1Mk1\r\nRocket-LtA-T\r\n");
        dir.write(u"mts/weapon.nm"_s, "Machinegun\r\nLight Cannon\r\nLancer\r\n");
    }
    // The boxes shown so far, each as its kind, icon, title and text.
    QStringList boxes() const
    {
        static const char* const kinds[] = {"YesNo", "YesNoCancel", "RetryCancel", "Tell", "AskText"};
        static const char* const icons[] = {"None", "Question", "Information", "Warning", "Critical"};
        QStringList out;
        for (const ScriptedDialogs::Shown& s : dialogs.shown())
            out << u"%1 %2 %3: %4"_s.arg(kinds[static_cast<int>(s.kind)], icons[static_cast<int>(s.icon)],
                                         s.title, s.text);
        return out;
    }
};

template <typename T = QWidget> T* child(QWidget* window, const char* name)
{
    if (T* found = window->findChild<T*>(QLatin1String(name)))
        return found;
    qFatal("no %s", name);
}

void click(QWidget* window, const char* name)
{
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

QString text(QWidget* window, const char* name)
{
    return child<TemplateTextBox>(window, name)->text();
}

void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}

void choose(QWidget* mts, int propulsion, int body, int weapon)
{
    child<QComboBox>(mts, "Combo1")->setCurrentIndex(propulsion);
    child<QComboBox>(mts, "Combo2")->setCurrentIndex(body);
    child<QComboBox>(mts, "Combo3")->setCurrentIndex(weapon);
}

} // namespace

class TemplateCoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formats()
    {
        QCOMPARE(TemplateRecord({u"7", u"B", u"P"}).text(),
                 "ZEL_ID7,102,B,ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6,P,ZNULLREPAIR,DROID,NavGunSensor,1");
        QCOMPARE(WeaponAssignment({u"7", u"W"}).text(), "ZEL_ID7,W,5");
        QCOMPARE(ManualNameLine({u"7", kQ}).text(), "ZEL_ID7      \"TMPLNO7\"");
        QCOMPARE(TextTemplateLine({u"7", u"B", u"P", u"W", kQ}).text(),
                 R"("ZEL_ID7","ZEL_RANDOM_TEMPLATE7",1,6,"B","P","NavGunSensor","","","{Wp}","W")");
        QCOMPARE(ComponentLine({Kind::Weapon, 5, u"W", kQ}).text(), R"(WPN[5]    WEAPON    "W")");
        QCOMPARE(ComponentLine({Kind::Body, 13, u"B", kQ}).text(), R"(BDY[13]    BODY    "B")");
        QCOMPARE(ComponentLine({Kind::Propulsion, 0, u"P", kQ}).text(), R"(PRP[0]    PROPULSION    "P")");
        QCOMPARE(VloTemplateEntry({u"", u"7", u"7", kQ}).text(), R"(tmpl[7]  TEMPLATE    "ZEL_ID7")");
        QCOMPARE(VloTemplateEntry({u"1", u"6", u"220", kQ}).text(), R"(tmpl1[6]  TEMPLATE    "ZEL_ID220")");
        // The name goes to the next print zone (columns 15, 29, ...), never touching the identifier.
        QCOMPARE(TemplateNameLine({u"7", u"\"TMPLNO7\""}).text(), "ZEL_ID7       \"TMPLNO7\"");
        QCOMPARE(TemplateNameLine({u"12345678", u"\"x\""}).text(), "ZEL_ID12345678              \"x\"");
        QCOMPARE(TemplateNameLine({u"123456789", u"\"x\""}).text(), "ZEL_ID123456789             \"x\"");
        // The bytes the exports write are the same, and what Latin-1 cannot hold becomes '?'.
        Latin1Line bytes;
        TemplateNameLine{u"1234567", u"\"\u00e9\u20ac\""}.appendTo(bytes);
        QCOMPARE(bytes.bytes().toByteArray(), QByteArray("ZEL_ID1234567 \"\xe9?\""));
    }

    void lockstepWrapsEachListOnItsOwn()
    {
        LockstepStep step;
        for (int k = 0; k < 33 * 14 * 4 + 5; ++k) {
            step.apply();
            QCOMPARE(Wheels(step.propulsion, step.body, step.weapon), Wheels(k % 4, k % 14, k % 33));
        }
    }

    void odometerRunGives1719Templates()
    {
        qint32 p = 0;
        int b = 0, w = 0;
        QList<Wheels> run;
        for (OdometerStep::apply(p, b, w); p <= GeneratorState::kLastPropulsion; OdometerStep::apply(p, b, w))
            run.append({p, b, w});
        QCOMPARE(run.size(), 1719);
        QCOMPARE(run.first(), Wheels(0, 0, 1));
        QCOMPARE(run.at(428), Wheels(0, 13, 0));
        QCOMPARE(run.at(429), Wheels(1, 0, 0));
        QCOMPARE(run.last(), Wheels(3, 13, 0));
        QCOMPARE(std::set<Wheels>(run.cbegin(), run.cend()).size(), 1719u);
    }

    void ordAtLimit32AndAt2000()
    {
        NumberedLists g;
        QStringList lines = ord(g.state, g.dir.path(), kQ).lines;
        QCOMPARE(lines.size(), 32);
        QCOMPARE(lines.last(), textLine(31, 0, 0, 32));
        NumberedLists h;
        h.state.templateLimit = 2000;
        lines = ord(h.state, h.dir.path(), kQ).lines;
        QCOMPARE(lines.size(), 1719);
        QCOMPARE(lines.at(428), textLine(428, 0, 13, 0));
        QCOMPARE(lines.at(429), textLine(429, 1, 0, 0));
        QCOMPARE(lines.last(), textLine(1718, 3, 13, 0));
        QCOMPARE(h.state.templateCounter, 2000);
    }

    // String writes its entries up to the limit: those of earlier clicks again, those never
    // filled (here by Rnd) empty. Each click starts the wheels at weapon 1 again.
    void stringWritesEveryEntryUpToTheLimit()
    {
        NumberedLists g;
        g.state.templateLimit = 2;
        rnd(g.state, g.dir.path(), kQ);
        for (const qint16 limit : {qint16(4), qint16(6)}) {
            g.state.templateLimit = limit;
            QVERIFY(!string(g.state, g.dir.path(), kQ).failure);
        }
        const QList<QByteArray> lines = fileLines(g.dir.read(u"RTS/all.txt"_s));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.at(1), QByteArray());
        QCOMPARE(lines.at(3), textLine(3, 0, 0, 2).toLatin1());
        QCOMPARE(lines.at(4), textLine(4, 0, 0, 1).toLatin1());
    }

    void typedNumbers()
    {
        QCOMPARE(limitFromText(u"32768"_s), std::nullopt);
        QCOMPARE(manualselector::wholeNumberText(u"-0.5"_s), u"-1"_s);
        QCOMPARE(manualselector::wholeNumberText(u" +1e3 "_s), u"1000"_s);
        QCOMPARE(manualselector::wholeNumberText(u"1e20"_s), std::nullopt);
    }

    void splitLines()
    {
        QCOMPARE(templatefiles::splitLines(u"a\r\nb\rc\n\rd\n\n e \r"),
                 (QStringList{u"a"_s, u"b"_s, u"c"_s, {}, u"d"_s, {}, u" e "_s}));
    }

    void manualListsInAnyCaseAndWithProblemsNamed()
    {
        TempFolder dir;
        dir.write(u"MTS/Prop.ID"_s, "wheeled01\r\n");
        dir.write(u"MTS/PROP.NM"_s, "Wheels\r\nTracks\r\n");
        ManualSelectorState state;
        const QList<FileFailure> problems = manuallists::load(state, dir.path());
        const QString mts = dir.file(u"MTS"_s);
        QCOMPARE(problems.size(), 5);
        QCOMPARE(problems.at(3), (FileFailure{mts + "/body.nm", u"the file does not exist"_s}));
        QCOMPARE(problems.at(4),
                 (FileFailure{mts + "/PROP.NM", u"more names (2) than prop.id has identifiers (1)"_s}));
        QCOMPARE(state.mtsPropIds.entries[0], u"wheeled01"_s);
    }

    void shippedListsLoadWhole()
    {
        GeneratorState state;
        QCOMPARE(generatorlists::load(state, QStringLiteral(QRB_RESOURCES_DIR)), QList<FileFailure>());
        QVERIFY(std::ranges::none_of(state.weaponNames, &QString::isEmpty));
        ManualSelectorState manual;
        QCOMPARE(manuallists::load(manual, QStringLiteral(QRB_RESOURCES_DIR)), QList<FileFailure>());
        QCOMPARE(manual.mtsPropNames.entries[2] + manual.mtsPropIds.entries[2], u"Trackstracked01"_s);
    }

    // Each list fills its entries from the start; short and empty files leave the rest alone.
    void generatorListsInAnyCaseAndWithProblemsNamed()
    {
        NumberedLists g;
        QVERIFY(QFile::remove(g.dir.file(u"RTS/weapons.txt"_s)));
        g.dir.write(u"RTS/WEAPONS.TXT"_s, numberedLines("w", 40));
        g.dir.write(u"RTS/bodies.txt"_s, "b0\r\n");
        g.dir.write(u"RTS/propulsions.txt"_s, "");
        g.dir.write(u"RTS/propulsions_2.txt"_s, numberedLines("q", 9));
        const FileFailure overlong{g.dir.file(u"RTS/WEAPONS.TXT"_s),
                                   u"40 lines; only the first 33 are used"_s};
        QCOMPARE(generatorlists::load(g.state, g.dir.path()), QList<FileFailure>{overlong});
        QCOMPARE(g.state.weaponNames[32] + g.state.bodyNames[0] + g.state.bodyNames[1], u"w32b0B1"_s);
        QCOMPARE(g.state.propulsionNames[0] + g.state.propulsionNames2[3] + g.state.propulsionAlt,
                 u"P0q3q8"_s);
    }

    void wdgWritesThreeFilesOf1719Lines()
    {
        NumberedLists e;
        e.dir.write(u"RTS/TEMPLATES.TXT"_s, "old\r\n"); // found in any letter case
        QVERIFY(e.run(Button::Wdg).ok());
        const QList<QByteArray> records = e.lines(u"TEMPLATES.TXT"_s);
        const QList<QByteArray> weapons = e.lines(u"AssignWeapons.txt"_s);
        const QList<QByteArray> names = e.lines(u"Names.txt"_s);
        QCOMPARE((QList{records.size(), weapons.size(), names.size()}), QList<qsizetype>(3, 1719));
        QVERIFY(!e.dir.exists(u"RTS/X.vlo"_s));
        QCOMPARE(records.first(), record(0, 0, "P0"));
        QCOMPARE(weapons.first(), "ZEL_ID0,W1,5");
        QCOMPARE(names.first(), "ZEL_ID0       \"W1\"");
        QCOMPARE(records.at(429), record(429, 0, "P1"));
        QCOMPARE(records.last(), record(1718, 13, "P3"));
        QCOMPARE(e.state.templateCounter, 1719);
    }

    void fullTakesTheSecondPropulsionsAndOneArray()
    {
        NumberedLists e;
        e.state.templateCounter = 5;
        QVERIFY(e.run(Button::Full).ok());
        QCOMPARE(e.lines(u"X.vlo"_s).last(), "tmpl[1723]  TEMPLATE    \"ZEL_ID1723\"");
        QCOMPARE(e.lines(u"Templates.txt"_s).at(429), record(434, 0, "Q1"));
        QCOMPARE(e.lines(u"Names.txt"_s).at(2), "ZEL_ID7       \"TMPLNO7\"");
    }

    void dividedThenFinalContinueTheArrays()
    {
        NumberedLists e;
        QVERIFY(e.run(Button::Divided).ok());
        QList<QByteArray> vlo = e.lines(u"X.vlo"_s);
        QCOMPARE(vlo.size(), 1719);
        QCOMPARE(vlo.at(214), "tmpl1[0]  TEMPLATE    \"ZEL_ID214\"");
        QCOMPARE(vlo.last(), "tmpl8[6]  TEMPLATE    \"ZEL_ID1718\"");
        // Every template of DIVIDED goes on the last line of propulsions_2.txt.
        QCOMPARE(e.lines(u"Templates.txt"_s).at(429), record(429, 0, "Q3"));
        QVERIFY(e.run(Button::Final).ok());
        vlo = e.lines(u"X.vlo"_s);
        QCOMPARE(vlo.size(), 1719);
        QCOMPARE(vlo.first(), "tmpl8[7]  TEMPLATE    \"ZEL_ID1719\"");
        QCOMPARE(vlo.at(207), "tmpl9[0]  TEMPLATE    \"ZEL_ID1926\"");
        QCOMPARE(e.lines(u"Templates.txt"_s).at(429), record(2148, 0, "P1"));
    }

    void missingFolderStopsAllButDivided()
    {
        for (const Button button : {Button::Wdg, Button::Full, Button::Final, Button::Divided}) {
            GeneratorState state;
            TempFolder dir;
            const templateexport::Outcome outcome = templateexport::run(button, state, dir.path(), kQ);
            const bool divided = button == Button::Divided;
            QCOMPARE(outcome.stopped, !divided);
            QCOMPARE(outcome.failures.size(), divided ? 4 : 1);
            QCOMPARE(state.templateCounter, divided ? 1719 : 0);
            if (button == Button::Wdg) {
                QCOMPARE(templateexport::describe(button, outcome),
                         uR"(THE EXPORT --> WDG STOPPED AFTER 0 OF 1719 TEMPLATES.
Could not be written:
%1/Templates.txt: the folder %1 does not exist
Left as they were:
%1/AssignWeapons.txt
%1/Names.txt)"_s.arg(dir.file(u"RTS"_s)));
            }
        }
    }

    void oneUnwritableFileStopsFinalAndReplacesNothing()
    {
        NumberedLists e;
        e.dir.write(u"RTS/Templates.txt"_s, "old templates\r\n");
        e.dir.mkdir(u"RTS/Names.txt"_s);
        const templateexport::Outcome final = e.run(Button::Final);
        QCOMPARE(e.dir.read(u"RTS/Templates.txt"_s), QByteArray("old templates\r\n"));
        QVERIFY(!e.dir.exists(u"RTS/AssignWeapons.txt"_s));
        QCOMPARE(e.state.templateCounter, 0);
        const QString text = templateexport::describe(Button::Final, final);
        QVERIFY2(text.endsWith("\nLeft as they were:\n" + e.rts(u"Templates.txt"_s) + "\n" +
                               e.rts(u"AssignWeapons.txt"_s) + "\n" + e.rts(u"X.vlo"_s)),
                 qPrintable(text));
    }

    void fullDiskStopsAndKeepsEveryOldFile_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<qint64>("atByte");
        QTest::newRow("Templates.txt at its first block") << 1 << qint64(100);
        QTest::newRow("X.vlo past its start") << 4 << qint64(40000);
    }

    void fullDiskStopsAndKeepsEveryOldFile()
    {
        QFETCH(int, file);
        QFETCH(qint64, atByte);
        NumberedLists e;
        const QStringList names{u"Templates.txt"_s, u"AssignWeapons.txt"_s, u"Names.txt"_s, u"X.vlo"_s};
        for (const QString& name : names)
            e.dir.write(u"RTS/"_s + name, "old " + name.toLatin1());
        atomicfile::injectWriteFault(atomicfile::WriteFault{file, atByte, ENOSPC});
        const templateexport::Outcome outcome = e.run(Button::Full);
        atomicfile::injectWriteFault(std::nullopt);
        QVERIFY(outcome.stopped);
        QCOMPARE(outcome.failures,
                 (QList<FileFailure>{{e.rts(names.at(file - 1)), u"No space left on device"_s}}));
        QCOMPARE(e.state.templateCounter, 0);
        for (const QString& name : names)
            QCOMPARE(e.dir.read(u"RTS/"_s + name), "old " + name.toLatin1());
        QCOMPARE(e.dir.entries(u"RTS"_s).filter(u".qrb2"_s), QStringList());
    }

    void fullDiskStopsWithTheOldFiles()
    {
        NumberedLists e;
        TinyFilesystem disk(e.dir.file(u"RTS"_s), 64);
        if (!disk.active())
            QSKIP(qPrintable("no full-disk test: " + disk.why()));
        e.dir.write(u"RTS/Templates.txt"_s, "old\r\n");
        const templateexport::Outcome outcome = e.run(Button::Wdg);
        QVERIFY(outcome.stopped);
        QVERIFY(outcome.templates > 0 && outcome.templates < 1719);
        QCOMPARE(e.state.templateCounter, 0);
        QCOMPARE(outcome.failures.first().reason, u"No space left on device"_s);
        QCOMPARE(e.dir.read(u"RTS/Templates.txt"_s), QByteArray("old\r\n"));
    }
};

class TemplateWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gateMtsThenCancelOpensNothing()
    {
        Tools t;
        SelectorGate* gate = t.tools.showGate();
        QCOMPARE(child<QPushButton>(gate, "Command3")->text() + child<QPushButton>(gate, "Command16")->text(),
                 u"RTSMTS"_s);
        t.dialogs.answer(Dialogs::Answer::Cancel);
        click(gate, "Command16");
        QCOMPARE(t.boxes(),
                 QStringList{"RetryCancel None QRB2: WARNING - SAVE YOUR PROJECT BEFORE ENTER - Make "
                             "sure that you have installed template folder if errors occur"});
        QTRY_VERIFY(!t.tools.gate());
        QVERIFY(!t.tools.manualSelector() && !t.tools.generator());
    }

    void gateRetryWhileTheSelectorIsOpenBringsItForwardUnchanged()
    {
        Tools t;
        click(t.tools.showGate(), "Command16");
        ManualSelectorWindow* mts = t.tools.manualSelector();
        QVERIFY(mts && mts->isVisible());
        choose(mts, 1, 1, 1);
        click(mts, "Command1");
        const QString records = text(mts, "Text1");
        // The lists on disk change; an open selector does not read them again.
        t.dir.write(u"mts/prop.nm"_s, "Legs\r\n");
        QTRY_VERIFY(!t.tools.gate());
        click(t.tools.showGate(), "Command16");
        QCOMPARE(t.tools.manualSelector(), mts);
        QCOMPARE(text(mts, "Text1"), records);
        QCOMPARE(child<QComboBox>(mts, "Combo1")->itemText(1), u"Tracks"_s);
    }

    void selectorValidatesAChoiceByClickOrEnter()
    {
        Tools t;
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        click(mts, "Command1");
        // A choice typed over is no choice either.
        choose(mts, 1, 0, 2);
        type(child<QComboBox>(mts, "Combo2")->lineEdit(), u"Python"_s);
        click(mts, "Command1");
        QCOMPARE(t.boxes(),
                 QStringList(2, "Tell None QRB2: ERROR - choose a valid template and try again !!"));
        QCOMPARE(text(mts, "Text1") + text(mts, "Text2") + text(mts, "Text3"), QString());
        choose(mts, 1, 0, 2);
        click(mts, "Command1");
        QCOMPARE(text(mts, "Text1"),
                 "\r\nZEL_ID0,102,Body1REC,ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6,tracked01,"
                 "ZNULLREPAIR,DROID,NavGunSensor,1");
        QCOMPARE(text(mts, "Text3"), u"\r\nZEL_ID0      \"TMPLNO0\""_s);
        // Enter in a text box and in the number box validates again; it breaks no line.
        QTest::keyClick(child(mts, "Text2"), Qt::Key_Return);
        QTest::keyClick(child(mts, "Text4"), Qt::Key_Enter);
        QCOMPARE(text(mts, "Text2"),
                 "\r\nZEL_ID0,Rocket-LtA-T,5\r\nZEL_ID1,Rocket-LtA-T,5\r\nZEL_ID2,Rocket-LtA-T,5");
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text(), u"3"_s);
        QCOMPARE(t.dialogs.shown().size(), 2);
    }

    void selectorTypedNumbersAndReopening()
    {
        Tools t;
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        choose(mts, 0, 0, 0);
        QLineEdit* number = child<QLineEdit>(mts, "Text4");
        const auto typeAndValidate = [&](const QString& typed) -> QString {
            type(number, typed);
            click(mts, "Command1");
            return text(mts, "Text2").split(u"\r\n"_s).last() + " then " + number->text();
        };
        QCOMPARE(typeAndValidate(u"12"_s), u"ZEL_ID12,MG1Mk1,5 then 13"_s);
        QCOMPARE(typeAndValidate(u"2.7"_s), u"ZEL_ID2,MG1Mk1,5 then 3"_s);
        QCOMPARE(typeAndValidate(u"-1.5"_s), u"ZEL_ID-2,MG1Mk1,5 then -1"_s);
        // A letter: the last text that read as a number is used.
        QCOMPARE(typeAndValidate(u"40x"_s), u"ZEL_ID40,MG1Mk1,5 then 41"_s);
        mts->close();
        QTRY_VERIFY(!t.tools.manualSelector());
        mts = t.tools.showManualSelector();
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text() + t.manual.mtsNextNumber, u"00"_s);
        QCOMPARE(text(mts, "Text2"), QString());
        QCOMPARE(child<QComboBox>(mts, "Combo3")->currentIndex(), -1);
    }

    void missingListsOpenTheWindowsAndAreNamed()
    {
        Tools t;
        QVERIFY(QFile::remove(t.dir.file(u"mts/body.nm"_s)));
        QVERIFY(QDir(t.dir.file(u"RTS"_s)).removeRecursively());
        QVERIFY(t.tools.showManualSelector()->isVisible());
        QCOMPARE(child<QComboBox>(t.tools.manualSelector(), "Combo3")->count(), 3);
        QVERIFY(t.tools.showGenerator()->isVisible());
        const QStringList boxes = t.boxes();
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes.at(0),
                 "Tell Warning TEMPLATE LISTS: THE COMPONENT LISTS ARE NOT COMPLETE. The window holds "
                 "what could be read:\n" +
                     t.dir.file(u"mts/body.nm"_s) + ": the file does not exist");
        QVERIFY2(boxes.at(1).contains("the folder " + t.dir.file(u"RTS"_s) + " does not exist:"),
                 qPrintable(boxes.at(1)));
        for (const char* name : {"weapons.txt", "bodies.txt", "propulsions.txt", "propulsions_2.txt"})
            QVERIFY(boxes.at(1).contains("\n  " + t.dir.file("RTS/" + QLatin1String(name))));
    }

    void generatorFromTheGateRndAt32Then40()
    {
        Tools t;
        click(t.tools.showGate(), "Command3");
        QCOMPARE(
            t.boxes(),
            QStringList{"RetryCancel None Warning: WARNING - You are entering a resricted area. Use this "
                        "function at your own risk. There are some buttons which generates templates stored "
                        "in txt files in \\RTS dir! Actual .txt files includes TOLK mod templates, so make "
                        "external adjustments as needed... SAVE YOUR PROJECT BEFORE ENTER"});
        QTRY_VERIFY(!t.tools.gate());
        GeneratorWindow* form = t.tools.generator();
        QVERIFY(form && form->isVisible());
        t.dir.write(u"RTS/all.txt"_s, "old\r\n");
        click(form, "Command1");
        QCOMPARE(t.dir.read(u"RTS/all.txt"_s), QByteArray());
        type(child<QLineEdit>(form, "Aim1"), u"40"_s);
        click(form, "Command1");
        const QStringList lines = text(form, "Text1").split(u"\r\n"_s);
        QCOMPARE(lines.size(), 4 + 40);
        QCOMPARE(lines.at(4 + 31), textLine(31, 3, 3, 31));
        QCOMPARE(lines.at(4 + 32), textLine(32, 0, 0, 0));
        QCOMPARE(lines.last(), textLine(39, 3, 7, 7));
    }

    void generatorStringFeedAndReopening()
    {
        Tools t;
        GeneratorWindow* form = t.tools.showGenerator();
        type(child<QLineEdit>(form, "Aim1"), u"250"_s);
        click(form, "Command3");
        const QList<QByteArray> lines = fileLines(t.dir.read(u"RTS/all.txt"_s));
        QCOMPARE(lines.size(), 201);
        QCOMPARE(lines.last(), textLine(200, 0, 6, 3).toLatin1());
        QCOMPARE(t.boxes(), QStringList{"Tell None QRB2: DONE !!!"});
        QCOMPARE(t.state.templateCounter, 250);
        click(form, "Command9");
        click(form, "Command4");
        const QStringList feed = text(form, "Text1").split(u"\r\n"_s);
        QCOMPARE(feed.size(), 4 + 51);
        QCOMPARE(feed.at(4), uR"(WPN[0]    WEAPON    "W0")"_s);
        QCOMPARE(feed.last(), uR"(PRP[3]    PROPULSION    "P3")"_s);
        QCOMPARE(t.state.templateCounter, 2);
        form->close();
        QTRY_VERIFY(!t.tools.generator());
        form = t.tools.showGenerator();
        QCOMPARE(text(form, "Text1"), kDefaultText);
        QCOMPARE(t.state.templateLimit, qint16(32));
        QCOMPARE(t.state.templateCounter, 2);
    }

    void generatorExportsSaySomethingOnlyWhenFilesFail()
    {
        Tools t;
        GeneratorWindow* form = t.tools.showGenerator();
        for (const char* button : {"Command5", "Command6", "Command7", "Command8"})
            click(form, button);
        QCOMPARE(t.state.templateCounter, 4 * 1719);
        // After an export, even after a reset, Ord and String have no template left to give.
        for (const char* button : {"Command9", "Command2", "Command9", "Command3"})
            click(form, button);
        QCOMPARE(text(form, "Text1"), kDefaultText);
        QCOMPARE(t.dir.read(u"RTS/all.txt"_s), QByteArray("\r\n").repeated(32));
        // Without the folder: WDG stops at once, DIVIDED goes on through every template; String
        // tells instead of "DONE !!!".
        QVERIFY(QDir(t.dir.file(u"RTS"_s)).removeRecursively());
        click(form, "Command5");
        QCOMPARE(t.state.templateCounter, 32);
        click(form, "Command7");
        QCOMPARE(t.state.templateCounter, 32 + 1719);
        click(form, "Command3");
        const QStringList boxes = t.boxes();
        QCOMPARE(boxes.size(), 4);
        QCOMPARE(boxes.at(0), "Tell None QRB2: DONE !!!");
        QVERIFY(boxes.at(1).startsWith(
            "Tell Critical EXPORT FAILED: THE EXPORT --> WDG STOPPED AFTER 0 OF 1719"));
        QVERIFY(
            boxes.at(2).startsWith("Tell Critical EXPORT FAILED: THE EXPORT --> VLO (DIVIDED) COULD NOT"));
        QVERIFY(boxes.at(3).startsWith("Tell Critical EXPORT FAILED: THE TEMPLATE LINES WERE NOT WRITTEN:\n" +
                                       t.dir.file(u"RTS/all.txt"_s)));
    }
};

QRB_TEST(TemplateCoreTest)
QRB_TEST(TemplateWindowsTest)

#include "tst_templates.moc"
