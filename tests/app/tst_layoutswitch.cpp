#include "support/appfixture.h"
#include "mainwindow/hiddentextbuffer.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/scripteditor.h"
#include "support/testregistry.h"
#include "tst_app.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>

void LayoutSwitchTest::switchCarriesTheProjectBothWays()
{
    AppFixture f;
    f.prepareProject("", "", "");
    QVERIFY(f.start());
    MainWindow& small = f.form800();
    small.slo()->setText(QStringLiteral("line one\r\nline two\r\nline three"));
    small.vlo()->setText(QStringLiteral("v1\r\nv2"));
    small.gameDirBox()->setText(QStringLiteral("/games/wz"));
    small.slo()->setCaret(14);
    small.vlo()->setCaret(4);
    small.sloUndo()->setText(QStringLiteral("slo snapshot"));
    small.vloUndo()->setText(QStringLiteral("vlo snapshot"));

    f.click(small, QStringLiteral("Command6"));
    MainWindow* big = f.bench->form1024();
    QVERIFY(big);
    QCOMPARE(big->objectName(), QStringLiteral("form1024"));
    QVERIFY(big->isVisible());
    QVERIFY(big->isEnabled());
    QVERIFY(!small.isVisible());
    QVERIFY(!small.isEnabled());
    QCOMPARE(big->slo()->text(), QStringLiteral("line one\r\nline two\r\nline three"));
    QCOMPARE(big->vlo()->text(), QStringLiteral("v1\r\nv2"));
    QCOMPARE(big->gameDirBox()->text(), QStringLiteral("/games/wz"));
    QCOMPARE(big->slo()->selectionStart(), 14);
    QCOMPARE(big->slo()->selectionLength(), 0);
    QCOMPARE(big->vlo()->selectionStart(), 4);
    QCOMPARE(big->sloUndo()->text(), QStringLiteral("slo snapshot"));
    QCOMPARE(big->vloUndo()->text(), QStringLiteral("vlo snapshot"));
    QCOMPARE(f.bench->activeLayout(), big);

    big->slo()->setText(QStringLiteral("edited in 1024"));
    big->slo()->setCaret(6);
    big->vlo()->setCaret(2);
    big->sloUndo()->setText(QStringLiteral("newer snapshot"));
    f.click(*big, QStringLiteral("Image8"));
    QVERIFY(small.isVisible());
    QVERIFY(small.isEnabled());
    QVERIFY(!big->isVisible());
    QVERIFY(!big->isEnabled());
    QCOMPARE(small.slo()->text(), QStringLiteral("edited in 1024"));
    QCOMPARE(small.slo()->selectionStart(), 6);
    QCOMPARE(small.vlo()->selectionStart(), 2);
    // The snapshots come back too, so Undo never returns to a text older than the one left.
    QCOMPARE(small.sloUndo()->text(), QStringLiteral("newer snapshot"));

    // The second switch reuses the same 1024 window.
    f.click(small, QStringLiteral("Image8"));
    QCOMPARE(f.bench->form1024(), big);
    QVERIFY(big->isVisible());
}

void LayoutSwitchTest::layout1024LoadsItsOwnSettingsAndTimers()
{
    AppFixture f;
    f.prepareProject("", "", "", "\"/from/settings\",#FALSE#\r\n");
    f.screen.m_twips = 15360; // 1024 pixels: the 1024 layout maximises
    QVERIFY(f.start());
    QTRY_VERIFY(f.bench->state().startupDone);
    MainWindow* big = f.bench->ensureForm1024();
    QVERIFY(!big->isVisible());
    QCOMPARE(big->gameDirBox()->text(), QStringLiteral("/from/settings"));
    QCOMPARE(big->slo()->width(), 497); // 7455 twips at the splitter's middle
    QTRY_VERIFY(!big->resRecTimer()->isActive());
    QTRY_VERIFY(!big->firstStartTimer()->isActive());
    QVERIFY(big->isMaximized());
    QCOMPARE(big->exportBuffer()->text(), QStringLiteral("Text1"));
    QCOMPARE(f.form800().exportBuffer()->text(), QStringLiteral("EXPORT\r\n"));
}

void LayoutSwitchTest::hiddenHelpStaysHiddenAfterSwitchingBack()
{
    AppFixture f;
    f.prepareProject("", "", "", "\"x\",#TRUE#\r\n");
    QVERIFY(f.start());
    f.click(f.form800(), QStringLiteral("Command6"));
    f.click(*f.bench->form1024(), QStringLiteral("Command5"));
    QVERIFY(f.form800().isVisible());
    QVERIFY(f.form800().control(QStringLiteral("Command15"))->isHidden());
}

QRB_TEST(LayoutSwitchTest)
