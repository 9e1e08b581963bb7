// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"
#include "templates/generatorwindow.h"
#include "templates/selectorgate.h"
#include "templates/templatetools.h"

#include <QPushButton>
#include <QTest>

class TemplateGateFromMainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Image3 opens the gate, once; the generator behind it reads and writes the working folder.
    void image3OpensTheGate()
    {
        ProjectApp f;
        f.root.write(QStringLiteral("work/RTS/weapons.txt"), "MG1Mk1\r\n");
        QVERIFY(f.start());
        f.dialogs.clear();
        f.click(f.form800(), QStringLiteral("Image3"));
        SelectorGate* gate = f.bench->templateTools().gate();
        QVERIFY(gate && gate->isVisible());
        f.click(f.form800(), QStringLiteral("Image3"));
        QCOMPARE(f.bench->templateTools().gate(), gate);
        QVERIFY(f.dialogs.shown().isEmpty());
        QTest::mouseClick(gate->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
        GeneratorWindow* form = f.bench->templateTools().generator();
        QVERIFY(form);
        QCOMPARE(f.bench->generatorState().weaponNames[0], QStringLiteral("MG1Mk1"));
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
        QCOMPARE(f.work(QStringLiteral("RTS/Templates.txt")).count("\r\n"), 1719);
    }
};

QRB_TEST(TemplateGateFromMainWindowTest)

#include "tst_templategate.moc"
