// SPDX-License-Identifier: GPL-3.0-or-later
// One step of the splitter with big scripts in both editors, beside resizing a bare editor.
#include "benchmark.h"
#include "editor/scripteditor.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

namespace {

// Delivers the resize and paints what it made dirty, as the next frame would.
void paintNow(QWidget& top)
{
    QCoreApplication::sendPostedEvents();
    top.window()->repaint(top.window()->visibleRegion());
}

double bareResize(const QString& text, QPlainTextEdit::LineWrapMode wrap, int runs)
{
    QPlainTextEdit edit;
    edit.setLineWrapMode(wrap);
    edit.setPlainText(text);
    edit.resize(497, 497);
    edit.show();
    if (!QTest::qWaitForWindowExposed(&edit))
        qWarning("bare editor not exposed");
    int width = 497;
    return medianMilliseconds(runs, [&] {
        width = width == 497 ? 482 : 497;
        edit.resize(width, 497);
        paintNow(edit);
    });
}

std::vector<BenchRow> splitterRows(bool quick)
{
    const int size = quick ? 64 * 1024 : 5 * 1024 * 1024;
    const int runs = quick ? 3 : 41;
    const QString text = scriptLikeText(size);

    const double bareWrapped = bareResize(text, QPlainTextEdit::WidgetWidth, runs);
    const double bareUnwrapped = bareResize(text, QPlainTextEdit::NoWrap, runs);

    MainWindow window(layout::table1024());
    window.slo()->setText(text);
    window.vlo()->setText(text);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("main window not exposed");
    QScrollBar* bar = window.splitterBar();
    const double step = medianMilliseconds(runs, [&] {
        bar->setValue(bar->value() == 50 ? 51 : 50);
        paintNow(window);
    });
    const QString label = quick ? QStringLiteral("64 KiB") : QStringLiteral("5 MiB");
    return {
        {QStringLiteral("splitter step, %1 in each editor, with repaint").arg(label), step,
         QStringLiteral("resize of a bare QPlainTextEdit (default)"), bareWrapped, 2.0},
        {QStringLiteral("  the same step"), step, QStringLiteral("resize of a bare QPlainTextEdit, no wrap"),
         bareUnwrapped, 0},
        {QStringLiteral("  the same step against one frame"), step, QStringLiteral("16 ms"), 16.0, 1.0},
    };
}

} // namespace

QRB_BENCH(splitter, splitterRows)
