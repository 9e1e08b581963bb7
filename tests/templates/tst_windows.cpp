#include "platform/dialogs.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"
#include "templatefixture.h"
#include "templates/generatorstate.h"
#include "templates/generatorwindow.h"
#include "templates/manualselectorstate.h"
#include "templates/manualselectorwindow.h"
#include "templates/selectorgate.h"
#include "templates/templatetextbox.h"
#include "templates/templatetools.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kDefaultText = QStringLiteral(
    "WZCK.2.0.Text\r\nNew.Units.201\r\n\"ZNULLDESIGN\",\"New Design\",1,0,\"\",\"\",\"\",\"\",\"\",\"{Wp}\","
    "\"ZNULLWEAPON\"\r\n");

// The three tools over one working folder, as the workbench holds them.
struct Tools {
    TempFolder dir;
    ScriptedDialogs dialogs;
    ManualSelectorState manual;
    GeneratorState generator;
    TemplateTools tools{manual, generator, dialogs, dir.path()};

    void writeMtsLists() const
    {
        dir.write(QStringLiteral("mts/prop.id"), "wheeled01\r\ntracked01\r\n");
        dir.write(QStringLiteral("mts/prop.nm"), "Wheels\r\nTracks\r\n");
        dir.write(QStringLiteral("mts/body.id"), "Body1REC\r\nBody5REC\r\n");
        dir.write(QStringLiteral("mts/body.nm"), "Viper\r\nCobra\r\n");
        dir.write(QStringLiteral("mts/weapon.id"), "MG1Mk1\r\nCannon1Mk1\r\nRocket-LtA-T\r\n");
        dir.write(QStringLiteral("mts/weapon.nm"), "Machinegun\r\nLight Cannon\r\nLancer\r\n");
    }
};

template <typename T> T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

void click(QWidget* window, const char* name)
{
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

QString text(QWidget* window, const char* name)
{
    return child<TemplateTextBox>(window, name)->text();
}

// The names of the window's own controls in its focus chain from `first`, hidden ones
// included; the inner parts of a control (a viewport, a line edit) and labels are left out.
QStringList focusChain(QWidget* first, int count)
{
    QStringList names;
    for (QWidget* w = first; names.size() < count; w = w->nextInFocusChain()) {
        if (w->parentWidget() == first->window() && w->focusPolicy() != Qt::NoFocus)
            names << w->objectName();
    }
    return names;
}

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

class SelectorGateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void looksAsDesigned()
    {
        Tools t;
        SelectorGate* gate = t.tools.showGate();
        QCOMPARE(gate->objectName(), QStringLiteral("Selector_gate1"));
        QCOMPARE(gate->windowTitle(), QStringLiteral("Template selectors"));
        QCOMPARE(gate->size(), QSize(242, 57));
        QCOMPARE(gate->palette().color(QPalette::Window), QColor(0, 0, 128));
        QPushButton* rts = child<QPushButton>(gate, "Command3");
        QPushButton* mts = child<QPushButton>(gate, "Command16");
        QCOMPARE(rts->text(), QStringLiteral("RTS"));
        QCOMPARE(mts->text(), QStringLiteral("MTS"));
        QCOMPARE(rts->geometry(), QRect(16, 8, 81, 41));
        QCOMPARE(mts->geometry(), QRect(144, 8, 81, 41));
        QCOMPARE(mts->palette().color(QPalette::Button), QColor(199, 211, 233));
        // A second opening only brings the same window forward.
        QCOMPARE(t.tools.showGate(), gate);
    }

    void mtsThenCancelOpensNothing()
    {
        Tools t;
        t.writeMtsLists();
        SelectorGate* gate = t.tools.showGate();
        t.dialogs.answer(Dialogs::Answer::Cancel);
        click(gate, "Command16");
        QCOMPARE(t.dialogs.shown().size(), 1);
        const ScriptedDialogs::Shown& box = t.dialogs.shown().first();
        QCOMPARE(box.kind, ScriptedDialogs::Kind::RetryCancel);
        QCOMPARE(box.title, QStringLiteral("QRB2"));
        QCOMPARE(box.icon, Dialogs::Icon::None);
        QCOMPARE(box.text,
                 QStringLiteral("WARNING - SAVE YOUR PROJECT BEFORE ENTER - Make sure that you have "
                                "installed template folder if errors occur"));
        QTRY_VERIFY(!t.tools.gate());
        QVERIFY(!t.tools.manualSelector());
        QVERIFY(!t.tools.generator());
    }

    void rtsThenRetryOpensTheGenerator()
    {
        Tools t;
        writeNumberedRtsLists(t.dir);
        click(t.tools.showGate(), "Command3");
        QCOMPARE(t.dialogs.shown().size(), 1);
        const ScriptedDialogs::Shown& box = t.dialogs.shown().first();
        QCOMPARE(box.kind, ScriptedDialogs::Kind::RetryCancel);
        QCOMPARE(box.title, QStringLiteral("Warning"));
        QCOMPARE(box.icon, Dialogs::Icon::None);
        QCOMPARE(box.text,
                 QStringLiteral(
                     "WARNING - You are entering a resricted area. Use this function at your own risk. "
                     "There are some buttons which generates templates stored in txt files in \\RTS dir! "
                     "Actual .txt files includes TOLK mod templates, so make external adjustments as "
                     "needed... SAVE YOUR PROJECT BEFORE ENTER"));
        QVERIFY(t.tools.generator());
        QVERIFY(t.tools.generator()->isVisible());
        QCOMPARE(t.generator.weaponNames[32], QStringLiteral("W32"));
        QTRY_VERIFY(!t.tools.gate());
    }

    void mtsAgainBringsTheOpenSelectorForwardUnchanged()
    {
        Tools t;
        t.writeMtsLists();
        click(t.tools.showGate(), "Command16");
        ManualSelectorWindow* mts = t.tools.manualSelector();
        QVERIFY(mts);
        for (const char* combo : {"Combo1", "Combo2", "Combo3"})
            child<QComboBox>(mts, combo)->setCurrentIndex(1);
        click(mts, "Command1");
        const QString records = text(mts, "Text1");
        // The lists on disk change; an open selector does not read them again.
        t.dir.write(QStringLiteral("mts/prop.nm"), "Legs\r\n");
        QTRY_VERIFY(!t.tools.gate());
        click(t.tools.showGate(), "Command16");
        QCOMPARE(t.tools.manualSelector(), mts);
        QCOMPARE(text(mts, "Text1"), records);
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text(), QStringLiteral("1"));
        QCOMPARE(t.manual.mtsNextNumber, QStringLiteral("1"));
        QCOMPARE(child<QComboBox>(mts, "Combo1")->itemText(1), QStringLiteral("Tracks"));
        QCOMPARE(t.dialogs.shown().size(), 2);
    }
};

class ManualSelectorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void looksAsDesigned()
    {
        Tools t;
        t.writeMtsLists();
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        QCOMPARE(mts->objectName(), QStringLiteral("MTS1"));
        QCOMPARE(mts->windowTitle(), QStringLiteral("MANUAL TEMPLATE SELECTOR"));
        QCOMPARE(mts->size(), QSize(676, 418));
        QCOMPARE(child<QComboBox>(mts, "Combo1")->geometry().topLeft(), QPoint(0, 16));
        QCOMPARE(child<QComboBox>(mts, "Combo3")->geometry().left(), 448);
        QCOMPARE(child<QComboBox>(mts, "Combo3")->width(), 225);
        QCOMPARE(child<QLineEdit>(mts, "Text4")->geometry(), QRect(48, 48, 65, 19));
        QCOMPARE(child<TemplateTextBox>(mts, "Text2")->geometry(), QRect(0, 208, 673, 105));
        QCOMPARE(child<QLabel>(mts, "Label3")->text(), QStringLiteral("AssignWeapons.txt"));
        QCOMPARE(child<QLabel>(mts, "Label1")->pos(), QPoint(8, 48));
        QPushButton* validate = child<QPushButton>(mts, "Command1");
        QCOMPARE(validate->text(), QStringLiteral(">> VALIDATE <<"));
        QCOMPARE(validate->geometry(), QRect(248, 48, 177, 25));
        QVERIFY(validate->isDefault());
        QVERIFY(validate->font().bold());
        QCOMPARE(validate->toolTip(), QStringLiteral("USE ENTER FOR QUICK ACCESS !!!"));
        QLineEdit* quote = child<QLineEdit>(mts, "I");
        QCOMPARE(quote->text(), QStringLiteral("\""));
        QVERIFY(quote->isHidden());
        QCOMPARE(focusChain(child<QWidget>(mts, "Text1"), 10),
                 (QStringList{"Text1", "Combo1", "Combo2", "Combo3", "Command1", "Text2", "Text3", "I",
                              "Text4", "Text1"}));
        QCOMPARE(mts->focusWidget(), child<QWidget>(mts, "Text1"));

        QComboBox* propulsion = child<QComboBox>(mts, "Combo1");
        QCOMPARE(propulsion->count(), 2);
        QCOMPARE(propulsion->itemText(1), QStringLiteral("Tracks"));
        QCOMPARE(propulsion->currentIndex(), -1);
        QCOMPARE(propulsion->currentText(), QStringLiteral("Select propulsion"));
        QCOMPARE(child<QComboBox>(mts, "Combo2")->currentText(), QStringLiteral("Select body"));
        QCOMPARE(child<QComboBox>(mts, "Combo3")->currentText(), QStringLiteral("Select weapon"));
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text(), QStringLiteral("0"));
        QVERIFY(t.dialogs.shown().isEmpty());
    }

    void tracksGiveTracked01AndTheNextNumber()
    {
        Tools t;
        t.writeMtsLists();
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        child<QComboBox>(mts, "Combo1")->setCurrentIndex(1);
        child<QComboBox>(mts, "Combo2")->setCurrentIndex(0);
        child<QComboBox>(mts, "Combo3")->setCurrentIndex(2);
        click(mts, "Command1");
        QCOMPARE(text(mts, "Text1"),
                 QStringLiteral(
                     "\r\nZEL_ID0,102,Body1REC,ZNULLBRAIN,ZNULLCONSTRUCT,ZNULLECM,6,tracked01,ZNULLREPAIR,"
                     "DROID,NavGunSensor,1"));
        QCOMPARE(text(mts, "Text2"), QStringLiteral("\r\nZEL_ID0,Rocket-LtA-T,5"));
        QCOMPARE(text(mts, "Text3"), QStringLiteral("\r\nZEL_ID0      \"TMPLNO0\""));
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text(), QStringLiteral("1"));

        // Enter in a box validates again with the same choices; it breaks no line.
        QTest::keyClick(child<QWidget>(mts, "Text2"), Qt::Key_Return);
        // And so does Enter in the number box.
        QTest::keyClick(child<QWidget>(mts, "Text4"), Qt::Key_Enter);
        QCOMPARE(
            text(mts, "Text2"),
            QStringLiteral("\r\nZEL_ID0,Rocket-LtA-T,5\r\nZEL_ID1,Rocket-LtA-T,5\r\nZEL_ID2,Rocket-LtA-T,5"));
        QCOMPARE(text(mts, "Text3").count(QStringLiteral("\r\n")), 3);
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text(), QStringLiteral("3"));
        QVERIFY(t.dialogs.shown().isEmpty());
    }

    void validateWithoutAChoiceChangesNothing()
    {
        Tools t;
        t.writeMtsLists();
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        click(mts, "Command1");
        QCOMPARE(t.dialogs.shown().size(), 1);
        const ScriptedDialogs::Shown& box = t.dialogs.shown().first();
        QCOMPARE(box.kind, ScriptedDialogs::Kind::Tell);
        QCOMPARE(box.title, QStringLiteral("QRB2"));
        QCOMPARE(box.text, QStringLiteral("ERROR - choose a valid template and try again !!"));
        QCOMPARE(box.icon, Dialogs::Icon::None);
        QCOMPARE(text(mts, "Text1"), QString());
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text(), QStringLiteral("0"));
        QCOMPARE(t.manual.mtsNextNumber, QStringLiteral("0"));

        // A choice typed over is no choice.
        for (const char* combo : {"Combo1", "Combo2", "Combo3"})
            child<QComboBox>(mts, combo)->setCurrentIndex(0);
        QComboBox* body = child<QComboBox>(mts, "Combo2");
        body->lineEdit()->selectAll();
        QTest::keyClicks(body->lineEdit(), QStringLiteral("Python"));
        click(mts, "Command1");
        QCOMPARE(t.dialogs.shown().size(), 2);
        QCOMPARE(text(mts, "Text2"), QString());
        QCOMPARE(t.manual.mtsNextNumber, QStringLiteral("0"));
    }

    void typedNumbers()
    {
        Tools t;
        t.writeMtsLists();
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        for (const char* combo : {"Combo1", "Combo2", "Combo3"})
            child<QComboBox>(mts, combo)->setCurrentIndex(0);
        QLineEdit* number = child<QLineEdit>(mts, "Text4");
        const auto typeAndValidate = [&](const QString& typed) {
            number->selectAll();
            QTest::keyClicks(number, typed);
            click(mts, "Command1");
            return text(mts, "Text2").split(QStringLiteral("\r\n")).last();
        };
        QCOMPARE(typeAndValidate(QStringLiteral("12")), QStringLiteral("ZEL_ID12,MG1Mk1,5"));
        QCOMPARE(number->text(), QStringLiteral("13"));
        QCOMPARE(typeAndValidate(QStringLiteral("2.7")), QStringLiteral("ZEL_ID2,MG1Mk1,5"));
        QCOMPARE(number->text(), QStringLiteral("3"));
        QCOMPARE(typeAndValidate(QStringLiteral("-1.5")), QStringLiteral("ZEL_ID-2,MG1Mk1,5"));
        QCOMPARE(number->text(), QStringLiteral("-1"));
        // A letter after 40: the last number that read as one is used.
        QCOMPARE(typeAndValidate(QStringLiteral("40x")), QStringLiteral("ZEL_ID40,MG1Mk1,5"));
        QCOMPARE(number->text(), QStringLiteral("41"));
        QCOMPARE(typeAndValidate(QStringLiteral("y")), QStringLiteral("ZEL_ID41,MG1Mk1,5"));
    }

    void reopeningStartsAgainFromZero()
    {
        Tools t;
        t.writeMtsLists();
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        for (const char* combo : {"Combo1", "Combo2", "Combo3"})
            child<QComboBox>(mts, combo)->setCurrentIndex(0);
        click(mts, "Command1");
        click(mts, "Command1");
        QCOMPARE(t.manual.mtsNextNumber, QStringLiteral("2"));
        mts->close();
        QTRY_VERIFY(!t.tools.manualSelector());
        mts = t.tools.showManualSelector();
        QCOMPARE(t.manual.mtsNextNumber, QStringLiteral("0"));
        QCOMPARE(text(mts, "Text1"), QString());
        QCOMPARE(child<QLineEdit>(mts, "Text4")->text(), QStringLiteral("0"));
        QCOMPARE(child<QComboBox>(mts, "Combo3")->currentIndex(), -1);
    }

    void missingListOpensTheWindowAndNamesIt()
    {
        Tools t;
        t.writeMtsLists();
        QFile::remove(t.dir.file(QStringLiteral("mts/body.nm")));
        ManualSelectorWindow* mts = t.tools.showManualSelector();
        QVERIFY(mts->isVisible());
        QCOMPARE(child<QComboBox>(mts, "Combo2")->count(), 0);
        QCOMPARE(child<QComboBox>(mts, "Combo3")->count(), 3);
        QCOMPARE(t.dialogs.shown().size(), 1);
        const ScriptedDialogs::Shown& box = t.dialogs.shown().first();
        QCOMPARE(box.title, QStringLiteral("TEMPLATE LISTS"));
        QCOMPARE(box.icon, Dialogs::Icon::Warning);
        QCOMPARE(
            box.text,
            QStringLiteral("THE COMPONENT LISTS ARE NOT COMPLETE. The window holds what could be read:\n") +
                t.dir.file(QStringLiteral("mts/body.nm")) + QStringLiteral(": the file does not exist"));
    }
};

class GeneratorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void looksAsDesigned()
    {
        Tools t;
        writeNumberedRtsLists(t.dir);
        GeneratorWindow* form = t.tools.showGenerator();
        QCOMPARE(form->objectName(), QStringLiteral("Form3"));
        QCOMPARE(form->windowTitle(), QStringLiteral("USE AT OWN RISK"));
        const QStringList captions = {"Rnd",
                                      "Ord",
                                      "String",
                                      "Feed",
                                      "--> WDG",
                                      " --> VLO (FULL)",
                                      "--> VLO (DIVIDED)",
                                      "FINAL",
                                      "RESET VARIABLES (function switch) "};
        for (int i = 0; i < captions.size(); ++i) {
            const QByteArray name = "Command" + QByteArray::number(i + 1);
            QCOMPARE(child<QPushButton>(form, name.constData())->text(), captions.at(i));
        }
        QCOMPARE(child<QLineEdit>(form, "Aim1")->text(), QStringLiteral("32"));
        QVERIFY(child<QLineEdit>(form, "I")->isHidden());
        QCOMPARE(child<QLineEdit>(form, "I")->text(), QStringLiteral("\""));
        QCOMPARE(child<QLabel>(form, "Label2")->text(), QStringLiteral("Max. Number only for few"));
        QCOMPARE(child<QLabel>(form, "Label1")->text(),
                 QStringLiteral("EXPORT DIRECTORY IS APP.DIR (where is stored program .exe)"));
        QCOMPARE(
            child<QLabel>(form, "Label3")->text(),
            QStringLiteral("You have to try it on your own...  I can't provide any support, because I simply "
                           "don't remember what it suppose to do :)"));
        QVERIFY(form->findChild<QWidget*>(QStringLiteral("Line1")));
        QCOMPARE(text(form, "Text1"), kDefaultText);
        QCOMPARE(focusChain(child<QWidget>(form, "Command1"), 13),
                 (QStringList{"Command1", "Text1", "Aim1", "I", "Command2", "Command3", "Command4",
                              "Command5", "Command6", "Command7", "Command8", "Command9", "Command1"}));
        QCOMPARE(form->focusWidget(), child<QWidget>(form, "Command1"));
        // Below its buttons the text area takes the rest of the window.
        TemplateTextBox* area = child<TemplateTextBox>(form, "Text1");
        QVERIFY(area->geometry().top() > child<QLabel>(form, "Label3")->geometry().bottom());
        form->resize(form->width() + 100, form->height() + 60);
        QTRY_COMPARE(area->geometry().bottom(), form->height() - 9);
        QVERIFY(t.dialogs.shown().isEmpty());
    }

    void rndAppendsAfterTheDefaultLines()
    {
        Tools t;
        writeNumberedRtsLists(t.dir);
        GeneratorWindow* form = t.tools.showGenerator();
        click(form, "Command1");
        QStringList expected;
        for (int k = 0; k < 32; ++k)
            expected << textLine(k, k % 4, k % 14, k % 33);
        QCOMPARE(text(form, "Text1"),
                 kDefaultText + QStringLiteral("\r\n") + expected.join(QStringLiteral("\r\n")));
        QCOMPARE(t.dir.read(QStringLiteral("RTS/all.txt")), QByteArray());
        QVERIFY(t.dialogs.shown().isEmpty());
    }

    void limitFollowsTheBoxAsItIsTyped()
    {
        Tools t;
        writeNumberedRtsLists(t.dir);
        GeneratorWindow* form = t.tools.showGenerator();
        QLineEdit* aim = child<QLineEdit>(form, "Aim1");
        aim->selectAll();
        QTest::keyClick(aim, Qt::Key_5);
        QCOMPARE(t.generator.templateLimit, qint16(5));
        aim->clear();
        QCOMPARE(t.generator.templateLimit, qint16(5));
        QTest::keyClick(aim, Qt::Key_1);
        QCOMPARE(t.generator.templateLimit, qint16(1));
        QTest::keyClicks(aim, QStringLiteral("20"));
        QCOMPARE(t.generator.templateLimit, qint16(120));
        QTest::keyClicks(aim, QStringLiteral("x"));
        QCOMPARE(t.generator.templateLimit, qint16(120));
    }

    void resetStringFeedAndReopening()
    {
        Tools t;
        writeNumberedRtsLists(t.dir);
        GeneratorWindow* form = t.tools.showGenerator();
        click(form, "Command9");
        QCOMPARE(t.generator.templateCounter, 1);
        child<QLineEdit>(form, "Aim1")->setText(QStringLiteral("3"));
        click(form, "Command3");
        QCOMPARE(t.dialogs.shown().size(), 1);
        QCOMPARE(t.dialogs.shown().first().title, QStringLiteral("QRB2"));
        QCOMPARE(t.dialogs.shown().first().text, QStringLiteral("DONE !!!"));
        QCOMPARE(t.dialogs.shown().first().icon, Dialogs::Icon::None);
        // Templates 1 and 2; line 0 was never filled.
        QCOMPARE(t.dir.read(QStringLiteral("RTS/all.txt")), "\r\n" + textLine(1, 0, 0, 1).toLatin1() +
                                                                "\r\n" + textLine(2, 0, 0, 2).toLatin1() +
                                                                "\r\n");
        QCOMPARE(text(form, "Text1"), kDefaultText);

        click(form, "Command4");
        const QStringList feed = text(form, "Text1").split(QStringLiteral("\r\n"));
        QCOMPARE(feed.size(), 4 + 51);
        QCOMPARE(feed.at(4), QStringLiteral(R"(WPN[0]    WEAPON    "W0")"));
        QCOMPARE(feed.last(), QStringLiteral(R"(PRP[3]    PROPULSION    "P3")"));
        QCOMPARE(t.generator.templateCounter, 4);

        t.generator.propulsionIndex = 2;
        form->close();
        QTRY_VERIFY(!t.tools.generator());
        form = t.tools.showGenerator();
        QCOMPARE(text(form, "Text1"), kDefaultText);
        QCOMPARE(child<QLineEdit>(form, "Aim1")->text(), QStringLiteral("32"));
        QCOMPARE(t.generator.templateLimit, qint16(32));
        QCOMPARE(t.generator.templateCounter, 4);
        QCOMPARE(t.generator.propulsionIndex, 2);
    }

    void exportsSaySomethingOnlyWhenFilesFail()
    {
        Tools t;
        writeNumberedRtsLists(t.dir);
        GeneratorWindow* form = t.tools.showGenerator();
        for (const char* button : {"Command5", "Command6", "Command7", "Command8"})
            click(form, button);
        QVERIFY(t.dialogs.shown().isEmpty());
        QCOMPARE(t.generator.templateCounter, 4 * 1719);
        QCOMPARE(fileLines(t.dir.read(QStringLiteral("RTS/X.vlo"))).first(),
                 QByteArray("tmpl8[7]  TEMPLATE    \"ZEL_ID5157\""));

        // Without the folder: WDG stops at once, DIVIDED goes on through every template.
        QVERIFY(QDir(t.dir.file(QStringLiteral("RTS"))).removeRecursively());
        click(form, "Command5");
        QCOMPARE(t.generator.templateCounter, 4 * 1719);
        click(form, "Command7");
        QCOMPARE(t.generator.templateCounter, 5 * 1719);
        QCOMPARE(t.dialogs.shown().size(), 2);
        for (const ScriptedDialogs::Shown& box : t.dialogs.shown()) {
            QCOMPARE(box.title, QStringLiteral("EXPORT FAILED"));
            QCOMPARE(box.icon, Dialogs::Icon::Critical);
        }
        QVERIFY(t.dialogs.shown().at(0).text.startsWith(
            QStringLiteral("THE EXPORT --> WDG STOPPED AFTER 0 OF 1719")));
        QVERIFY(t.dialogs.shown().at(1).text.contains(t.dir.file(QStringLiteral("RTS/X.vlo"))));

        // String without the folder tells instead of "DONE !!!".
        click(form, "Command3");
        QCOMPARE(t.dialogs.shown().size(), 3);
        QCOMPARE(t.dialogs.shown().last().title, QStringLiteral("EXPORT FAILED"));
        QVERIFY(t.dialogs.shown().last().text.startsWith(
            QStringLiteral("THE TEMPLATE LINES WERE NOT WRITTEN:\n")));
    }

    void missingListsOpenTheWindowAndAreNamed()
    {
        Tools t;
        GeneratorWindow* form = t.tools.showGenerator();
        QVERIFY(form->isVisible());
        QCOMPARE(t.dialogs.shown().size(), 1);
        const QString text = t.dialogs.shown().first().text;
        for (const char* name : {"weapons.txt", "bodies.txt", "propulsions.txt", "propulsions_2.txt"})
            QVERIFY2(text.contains(t.dir.file(QStringLiteral("RTS/") + QLatin1String(name)) +
                                   QStringLiteral(": the folder ")),
                     qPrintable(text));
        // Rnd still works with empty identifiers.
        child<QLineEdit>(form, "Aim1")->setText(QStringLiteral("1"));
        click(form, "Command1");
        QVERIFY(::text(form, "Text1")
                    .endsWith(QStringLiteral(
                        R"("ZEL_ID0","ZEL_RANDOM_TEMPLATE0",1,6,"","","NavGunSensor","","","{Wp}","")")));
    }
};

QRB_TEST(SelectorGateTest)
QRB_TEST(ManualSelectorWindowTest)
QRB_TEST(GeneratorWindowTest)

#include "tst_windows.moc"
