#include "support/appfixture.h"
#include "mainwindow/mainwindow.h"
#include "support/testregistry.h"
#include "templates/generatorwindow.h"
#include "templates/selectorgate.h"
#include "templates/templatetools.h"

#include <QPushButton>
#include <QTest>

class TemplateGateFromMainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void image3OpensTheGateOnce()
    {
        AppFixture f;
        f.prepareProject("", "", "");
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Image3"));
        SelectorGate* gate = f.bench->templateTools().gate();
        QVERIFY(gate);
        QVERIFY(gate->isVisible());
        QCOMPARE(gate->objectName(), QStringLiteral("Selector_gate1"));
        f.click(f.form800(), QStringLiteral("Image3"));
        QCOMPARE(f.bench->templateTools().gate(), gate);
        QVERIFY(f.dialogs.shown().isEmpty());
    }

    void generatorCountsAcrossReopeningInTheWorkingFolder()
    {
        AppFixture f;
        f.prepareProject("", "", "");
        f.root.write(QStringLiteral("work/RTS/weapons.txt"), "MG1Mk1\r\n");
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Image3"));
        QTest::mouseClick(
            f.bench->templateTools().gate()->findChild<QPushButton*>(QStringLiteral("Command3")),
            Qt::LeftButton);
        GeneratorWindow* form = f.bench->templateTools().generator();
        QVERIFY(form);
        // The lists are read from the working folder: weapons.txt is there, the others are named.
        QCOMPARE(f.bench->generatorState().weaponNames[0], QStringLiteral("MG1Mk1"));
        QCOMPARE(f.dialogs.shown().size(), 2);
        QVERIFY(f.dialogs.shown().at(1).text.contains(f.root.file(QStringLiteral("work/RTS/bodies.txt"))));
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
        QCOMPARE(f.root.read(QStringLiteral("work/RTS/Templates.txt")).count("\r\n"), 1719);
        QCOMPARE(f.bench->generatorState().templateCounter, 1719);
    }
};

QRB_TEST(TemplateGateFromMainWindowTest)

#include "tst_templategate.moc"
