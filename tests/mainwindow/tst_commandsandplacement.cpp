// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/besideplacement.h"
#include "mainwindow/command.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "support/testregistry.h"

#include <QSignalSpy>
#include <QTest>

class CommandsAndPlacementTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every control that can be clicked, in both layouts, runs a command, and reports it by what it
    // does; the other controls run none.
    void everyClickableControlHasItsCommand()
    {
        for (const layout::Table* table : {&layout::table800(), &layout::table1024()}) {
            MainWindow window(*table);
            QSignalSpy commands(&window, &MainWindow::commandClicked);
            for (const layout::Control& c : table->controls) {
                const bool clickable = c.kind == layout::Kind::ClickArea || c.kind == layout::Kind::Button ||
                                       c.kind == layout::Kind::LinkLabel;
                QVERIFY2(commandOfControl(c.name).has_value() == clickable, qPrintable(c.name));
            }
            QTest::mouseClick(window.control(QStringLiteral("OPEN_AI")), Qt::LeftButton);
            QTest::mouseClick(window.control(table->switchAreaName), Qt::LeftButton);
            QCOMPARE(commands.count(), 2);
            QCOMPARE(commands.at(0).at(0).value<Command>(), Command::OpenAi);
            QCOMPARE(commands.at(1).at(0).value<Command>(), Command::SwitchLayout);
        }
    }

    // Right of the main window when the whole window fits there, else below, left, above; else
    // the roomiest side that holds the smallest size; else the foot of the screen.
    void besideTheMainWindow_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("right, level with the top") << QRect(100, 50, 800, 600) << QRect(900, 50, 720, 260);
        QTest::newRow("below") << QRect(800, 100, 800, 600) << QRect(800, 700, 720, 260);
        QTest::newRow("left, kept on the screen") << QRect(1000, 900, 800, 180) << QRect(280, 820, 720, 260);
        QTest::newRow("the roomiest side, shrunk") << QRect(500, 200, 1000, 700) << QRect(0, 200, 500, 260);
        QTest::newRow("no room: the foot, over the editors")
            << QRect(100, 50, 1700, 1000) << QRect(100, 820, 720, 260);
    }

    void besideTheMainWindow()
    {
        QFETCH(QRect, main);
        QFETCH(QRect, placed);
        QCOMPARE(besideplacement::place(main, QSize(720, 260), QSize(420, 160), QRect(0, 0, 1920, 1080)),
                 placed);
    }
};

QRB_TEST(CommandsAndPlacementTest)

#include "tst_commandsandplacement.moc"
