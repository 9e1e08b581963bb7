// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/scripteditor.h"
#include "mainwindow/clickarea.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/splitter.h"
#include "mainwindow/windowdrag.h"
#include "platform/twips.h"
#include "support/testregistry.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

// The splitter, the handle strip and the maximise toggle of both layouts.
class WindowGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // SLO width, VLO left and VLO width in twips at 0, 50 and 100, for the 1024 then the 800 layout.
    void splitterWidthsInTwips()
    {
        QStringList widths;
        for (const layout::Table* table : {&layout::table1024(), &layout::table800()}) {
            for (const int value : {0, 50, 100}) {
                const splitter::Geometry g = splitter::compute(*table, value);
                widths << u"%1 %2 %3"_s.arg(g.sloWidth).arg(g.vloLeft).arg(g.vloWidth);
            }
        }
        QCOMPARE(widths, (QStringList{u"0 200 14910"_s, u"7455 7655 7455"_s, u"14910 15110 0"_s,
                                      u"0 225 11550"_s, u"5775 6000 5775"_s, u"11550 11775 0"_s}));
    }

    void thumbDragResizesContinuously()
    {
        MainWindow window(layout::table1024());
        QScrollBar* bar = window.splitterBar();
        bar->setTracking(false); // only the moves of the thumb report the position now
        bar->setSliderDown(true);
        bar->setSliderPosition(20);
        QCOMPARE(window.slo()->width(), twips::toPixels(149.1 * 20));
        bar->setSliderPosition(80);
        QCOMPARE(window.slo()->width(), twips::toPixels(149.1 * 80));
        // The VLO editor follows, right of the SLO editor.
        QVERIFY(window.vlo()->x() > window.slo()->geometry().right());
        bar->setSliderDown(false);
        QCOMPARE(bar->value(), 80);
    }

    void narrowerEditorScrollsLikeABareOne()
    {
        // The editor skips the relayout of its text on a width change; its scroll range must
        // still follow the width exactly as a plain editor's does.
        MainWindow window(layout::table1024());
        const QString text = QString(400, QLatin1Char('x')) + u"\r\nshort"_s;
        window.slo()->setText(text);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPlainTextEdit bare;
        bare.setLineWrapMode(QPlainTextEdit::NoWrap);
        bare.setFont(window.slo()->font());
        bare.setPlainText(text);
        bare.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bare));
        for (int value : {50, 30, 70, 10}) {
            window.splitterBar()->setValue(value);
            bare.resize(window.slo()->size());
            QCOMPARE(window.slo()->viewport()->width(), bare.viewport()->width());
            QCOMPARE(window.slo()->horizontalScrollBar()->maximum(), bare.horizontalScrollBar()->maximum());
        }
        window.slo()->setCaret(400);
        window.slo()->ensureCursorVisible();
        QCOMPARE(window.slo()->horizontalScrollBar()->value(),
                 window.slo()->horizontalScrollBar()->maximum());
    }

    void handleStripRoundsTheGrab()
    {
        WindowDrag narrow(layout::table800().handleStrip);
        QVERIFY(narrow.press(10.4, 219.6));
        QCOMPARE(narrow.grabX(), qint16(10));
        QCOMPARE(narrow.grabY(), qint16(220));
        narrow.release();
        QVERIFY(!narrow.press(10, 220));
    }

    void pressInTheStripMovesTheWindow()
    {
        MainWindow window(layout::table1024());
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint start = window.pos();
        // 17 pixels down is 255 twips: below the strip, nothing moves.
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 17));
        QVERIFY(!window.drag().active());
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 17));
        // 16 pixels down is 240 twips: the window follows the pointer.
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 16));
        QVERIFY(window.drag().active());
        QMouseEvent move(QEvent::MouseMove, QPointF(340, 46), window.mapToGlobal(QPointF(340, 46)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
        QCOMPARE(window.pos(), start + QPoint(40, 30));
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(340, 46));
        QVERIFY(!window.drag().active());
    }

    void maximiseToggleAndMoveOfAMaximisedWindow()
    {
        MainWindow window(layout::table800());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseDClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QVERIFY(window.isMaximized());
        QTest::mouseDClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QVERIFY(!window.isMaximized());
        window.showMaximized();
        // A press in the strip restores a maximised window before it moves.
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(400, 5));
        QVERIFY(!window.isMaximized());
        QVERIFY(window.drag().active());
    }

    void decorationsDoNothing()
    {
        MainWindow window(layout::table1024());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy commands(&window, &MainWindow::commandClicked);
        for (const char* name : {"Image4", "Image5", "Image6", "Image7", "Image9", "Image10"}) {
            QWidget* image = window.control(QLatin1String(name));
            QVERIFY(image);
            QCOMPARE(window.childAt(image->geometry().center()), image);
            QTest::mouseClick(image, Qt::LeftButton);
            QTest::mouseDClick(image, Qt::LeftButton);
        }
        // Image4 lies in the handle strip: still no move, no maximise, no command.
        QCOMPARE(commands.count(), 0);
        QVERIFY(!window.drag().active());
        QVERIFY(!window.isMaximized());
    }

    void clickAreasSayWhatTheyDo()
    {
        MainWindow narrow(layout::table800());
        // Every click area says what it does.
        for (const layout::Control& c : layout::table800().controls) {
            if (c.kind == layout::Kind::ClickArea)
                QVERIFY2(!narrow.control(c.name)->toolTip().isEmpty() &&
                             narrow.control(c.name)->accessibleName() == narrow.control(c.name)->toolTip(),
                         qPrintable(c.name));
        }
    }
};

QRB_TEST(WindowGeometryTest)

#include "tst_windowgeometry.moc"
