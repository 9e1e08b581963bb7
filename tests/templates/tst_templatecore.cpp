// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatefixtures.h"

class TemplateCoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The other line kinds are checked byte for byte in the files and text boxes below.
    void formats()
    {
        QCOMPARE(ComponentLine({Kind::Body, 13, u"B", kQ}).text(), R"(BDY[13]    BODY    "B")");
        // The name goes to the next print zone (columns 15, 29, ...), never touching the identifier;
        // Names.txt below shows column 15.
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
        QCOMPARE(lines.first(), textLine(0, 0, 0, 1));
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
};

QRB_TEST(TemplateCoreTest)

#include "tst_templatecore.moc"
