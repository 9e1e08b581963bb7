// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatefixtures.h"

class TemplateWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gateMtsThenCancelOpensNothing()
    {
        Tools t;
        t.dialogs.answer(Dialogs::Answer::Cancel);
        click(t.tools.showGate(), "Command16");
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
        // Without the folder: WDG stops at once; String tells instead of "DONE !!!".
        QVERIFY(QDir(t.dir.file(u"RTS"_s)).removeRecursively());
        click(form, "Command5");
        QCOMPARE(t.state.templateCounter, 32);
        click(form, "Command3");
        const QStringList boxes = t.boxes();
        QCOMPARE(boxes.size(), 3);
        QCOMPARE(boxes.at(0), "Tell None QRB2: DONE !!!");
        QVERIFY(boxes.at(1).startsWith(
            "Tell Critical EXPORT FAILED: THE EXPORT --> WDG STOPPED AFTER 0 OF 1719"));
        QVERIFY(boxes.at(2).startsWith("Tell Critical EXPORT FAILED: THE TEMPLATE LINES WERE NOT WRITTEN:\n" +
                                       t.dir.file(u"RTS/all.txt"_s)));
    }
};

QRB_TEST(TemplateWindowsTest)

#include "tst_templatewindows.moc"
