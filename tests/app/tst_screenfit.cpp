// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"
#include "projectapp.h"
#include "support/testregistry.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>

// The 800 layout (800 x 600 at 100 %) on a 1280 x 1024 screen at 200 %: 640 x 512 to show it in.
// Runs as tst_app_scaled, which gives the program that screen.
class ScaledScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (QGuiApplication::primaryScreen()->geometry().size() != QSize(640, 512))
            QSKIP("needs the 1280 x 1024 screen at scale 2 of ctest's tst_app_scaled");
    }

    void layoutAndItsWindowsStayReachable()
    {
        ProjectApp f;
        QVERIFY(f.start());
        MainWindow& form = f.form800();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(!form.fitsScreen());
        QVERIFY2(area.contains(form.geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                .arg(form.x())
                                                                .arg(form.y())
                                                                .arg(form.width())
                                                                .arg(form.height())));
        // The close mark, TEMPLATES and the search bar scroll into view and take a real click.
        for (const char* name : {"Image1", "Image3", "TEXT_SEEKER"}) {
            QWidget* control = form.control(QLatin1String(name));
            QVERIFY(control);
            form.layoutScroll()->ensureWidgetVisible(control, 0, 0);
            const QRect where(control->mapTo(&form, QPoint(0, 0)), control->size());
            QVERIFY2(form.rect().contains(where), name);
            QCOMPARE(form.childAt(where.center()), control);
        }
        f.dialogs.answer(Dialogs::Answer::Cancel);
        QWidget* closeMark = form.control(QStringLiteral("Image1"));
        QTest::mouseClick(closeMark, Qt::LeftButton, Qt::NoModifier, closeMark->rect().center());
        QCOMPARE(f.dialogs.texts().last(), QStringLiteral("SAVE before exit?"));

        // Dragged far off by the strip: the strip and the close mark stay on the screen.
        form.layoutScroll()->ensureVisible(0, 0);
        QTest::mousePress(&form, Qt::LeftButton, Qt::NoModifier, QPoint(300, 5));
        QVERIFY(form.drag().active());
        const QPointF far(300 + 3000, 5 + 3000);
        QMouseEvent move(QEvent::MouseMove, far, form.mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&form, &move);
        QTest::mouseRelease(&form, Qt::LeftButton, Qt::NoModifier, QPoint(300, 5));
        QVERIFY(area.contains(form.geometry()));
        QCOMPARE(form.geometry().bottomRight(), area.bottomRight());

        // A double-click maximises inside the area, the strip at its top.
        QTest::mouseDClick(&form, Qt::LeftButton, Qt::NoModifier, QPoint(300, 5));
        QTRY_VERIFY(form.isMaximized());
        QTRY_VERIFY(area.contains(form.geometry()));
        QCOMPARE(form.geometry().top(), area.top());

        // The notes and the backup console open inside the screen too.
        f.click(form, QStringLiteral("Command10"));
        f.click(form, QStringLiteral("Command17"));
        int checked = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || qobject_cast<MainWindow*>(window))
                continue;
            ++checked;
            QVERIFY2(area.contains(window->frameGeometry()), qPrintable(window->objectName()));
        }
        QVERIFY(checked >= 2);
    }
};

QRB_TEST(ScaledScreenTest)

#include "tst_screenfit.moc"
