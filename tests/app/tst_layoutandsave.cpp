// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/signwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

// The layout switch and the manual save with its sign, through the windows.
class LayoutAndSaveTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void switchCarriesTheProjectBothWays()
    {
        ProjectApp f("", "", "", "\"x\",#TRUE#\r\n");
        f.screen.m_twips = 15360; // a 1024-pixel screen: the 1024 layout comes up maximised
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
        QVERIFY(big && big->isVisible() && big->isEnabled());
        QVERIFY(!small.isVisible() && !small.isEnabled());
        QCOMPARE(big->slo()->text(), small.slo()->text());
        QCOMPARE(big->vlo()->text(), QStringLiteral("v1\r\nv2"));
        QCOMPARE(big->gameDirBox()->text(), QStringLiteral("/games/wz"));
        QCOMPARE(big->slo()->selectionStart(), 14);
        QCOMPARE(big->slo()->selectionLength(), 0);
        QCOMPARE(big->vlo()->selectionStart(), 4);
        QCOMPARE(big->sloUndo()->text(), QStringLiteral("slo snapshot"));
        QCOMPARE(big->vloUndo()->text(), QStringLiteral("vlo snapshot"));
        QCOMPARE(big->exportBuffer()->text(), QStringLiteral("Text1"));
        QTRY_VERIFY(big->isMaximized());

        big->slo()->setText(QStringLiteral("edited in 1024"));
        big->slo()->setCaret(6);
        big->sloUndo()->setText(QStringLiteral("newer snapshot"));
        f.click(*big, QStringLiteral("Image8"));
        QVERIFY(small.isVisible() && small.isEnabled());
        QVERIFY(!big->isVisible() && !big->isEnabled());
        QCOMPARE(small.slo()->text(), QStringLiteral("edited in 1024"));
        QCOMPARE(small.slo()->selectionStart(), 6);
        // The snapshots come back too, so Undo never returns to a text older than the one left.
        QCOMPARE(small.sloUndo()->text(), QStringLiteral("newer snapshot"));
        QVERIFY(small.control(QStringLiteral("Command15"))->isHidden());
        QCOMPARE(small.exportBuffer()->text(), QStringLiteral("EXPORT\r\n"));
    }

    // The view goes with the caret: the same first line in sight, and the caret's line in sight
    // also where the smaller editor cannot show it below that line.
    void switchKeepsTheView()
    {
        QByteArray text;
        for (int i = 1; i <= 600; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        ProjectApp f(text, "", "", "\"x\",#TRUE#\r\n");
        f.screen.m_twips = 15360;
        QVERIFY(f.start());
        MainWindow& small = f.form800();
        ScriptEditor* slo = small.slo();
        QTextCursor caret(slo->document()->findBlockByNumber(299));
        slo->setTextCursor(caret);
        slo->centerCursor();
        const int firstLine = slo->verticalScrollBar()->value();
        QVERIFY(firstLine > 250);

        f.click(small, QStringLiteral("Command6"));
        MainWindow* big = f.bench->form1024();
        QVERIFY(big);
        QCOMPARE(big->slo()->verticalScrollBar()->value(), firstLine);
        QVERIFY(big->slo()->viewport()->rect().contains(big->slo()->cursorRect()));

        // Far down the bigger view: the small one brings that line into sight.
        const int linesInSight = big->slo()->viewport()->height() / big->slo()->cursorRect().height();
        QVERIFY(linesInSight > 20);
        big->slo()->setTextCursor(
            QTextCursor(big->slo()->document()->findBlockByNumber(firstLine + linesInSight - 2)));
        QCOMPARE(big->slo()->verticalScrollBar()->value(), firstLine);
        f.click(*big, QStringLiteral("Image8"));
        QCOMPARE(slo->textCursor().blockNumber(), firstLine + linesInSight - 2);
        QVERIFY(slo->viewport()->rect().contains(slo->cursorRect()));
    }

    void manualSaveShowsTheSignOnce()
    {
        ProjectApp f("old\r\n");
        QVERIFY(f.start());
        f.form800().slo()->setText(QStringLiteral("new"));
        f.click(f.form800(), QStringLiteral("Command4"));
        SignWindow* sign = f.bench->signWindow();
        QVERIFY(sign && sign->isVisible());
        QCOMPARE(sign->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("SAVED"));
        QCOMPARE(sign->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral(" A N D   B A C K U P E D "));
        QTimer* closer = sign->findChild<QTimer*>(QStringLiteral("Timer2"));
        const int remaining = closer->remainingTime();
        QTest::qWait(200);
        // A second save while the sign is shown keeps the one window and its two seconds.
        f.click(f.form800(), QStringLiteral("Command4"));
        QCOMPARE(f.bench->signWindow(), sign);
        QVERIFY(closer->remainingTime() < remaining);
        QTRY_VERIFY_WITH_TIMEOUT(!f.bench->signWindow(), 3000);
    }
};

QRB_TEST(LayoutAndSaveTest)

#include "tst_layoutandsave.moc"
