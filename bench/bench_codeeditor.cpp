// SPDX-License-Identifier: GPL-3.0-or-later
// The code editor on a 10 MiB script of 220,000 lines, line numbers and colours on: opening it,
// a keystroke deep inside it, "/*" typed at its top, a page down, and the start-up of the
// program with a 1 MiB project, each against a bare QPlainTextEdit of the same run.

#include "app/workbench.h"
#include "benchmark.h"
#include "desktopstandins.h"
#include "editor/codeview.h"
#include "editor/scripteditor.h"
#include "editor/scripthighlighter.h"
#include "mainwindow/mainwindow.h"
#include "platform/clock.h"
#include "platform/documentopener.h"
#include "platform/gamestarter.h"
#include "platform/screenmetrics.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <memory>

namespace {

// Lines as the game's scripts have them: code, comments (some running over several lines),
// strings and numbers.
QString bigScript(int lines)
{
    static const QStringList kinds{
        QStringLiteral("\tif (structureComplete(factory[%1])) { buildDroid(tmpl, factory, me, 1); }"),
        QStringLiteral("\t// try again after %1 ticks"),
        QStringLiteral("event build%1(every, 20) /* started at init"),
        QStringLiteral("   and stopped in the end */ count = count + %1;"),
        QStringLiteral("\tmsg(\"droid %1 built, waiting for orders\", me, ALLIANCES);"),
        QStringLiteral("}   // end of the block of line %1")};
    QString text;
    text.reserve(static_cast<qsizetype>(lines) * 48);
    for (int i = 0; i < lines; ++i) {
        text += kinds[i % kinds.size()].arg(i);
        if (i + 1 < lines)
            text += QStringLiteral("\r\n");
    }
    return text;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

struct Editors {
    QPlainTextEdit bare;
    ScriptEditor code{QStringLiteral("SLO"), nullptr};
    CodeView* view = nullptr;
    Editors()
    {
        bare.setLineWrapMode(QPlainTextEdit::NoWrap);
        bare.setFont(code.font());
        for (QPlainTextEdit* e : {&bare, static_cast<QPlainTextEdit*>(&code)}) {
            e->resize(640, 600);
            e->show();
        }
        view = new CodeView(code, codeview::Language::Script, 1, CodeView::Aids::Full);
        view->apply(ViewSettings{});
        if (!QTest::qWaitForWindowExposed(&code))
            qWarning("the code editor was not shown");
    }
};

void press(QWidget& target, int key, const QString& text = {})
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &down);
}

// One key and the paint that shows it, in milliseconds.
double keystroke(QPlainTextEdit& editor, int key, const QString& text)
{
    QElapsedTimer timer;
    timer.start();
    press(editor, key, text);
    editor.viewport()->repaint();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double percentile99(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

void caretToLine(QPlainTextEdit& editor, int line)
{
    QTextCursor cursor(editor.document()->findBlockByNumber(line));
    editor.setTextCursor(cursor);
    editor.centerCursor();
    editor.viewport()->repaint();
    settle();
}

std::vector<BenchRow> editorRows(bool quick)
{
    const int lines = quick ? 2000 : 220000;
    const QString text = bigScript(lines);
    const QString size =
        QStringLiteral("%1 MiB").arg(static_cast<double>(text.size()) / (1 << 20), 0, 'f', 1);
    Editors e;

    // Opening: the text set, painted, and (for the code editor) the comment scan finished.
    const double bareOpen = medianMilliseconds(quick ? 1 : 3, [&] {
        e.bare.setPlainText(text);
        e.bare.viewport()->repaint();
        settle();
    });
    const double codeOpen = medianMilliseconds(quick ? 1 : 3, [&] {
        e.code.setText(text);
        e.code.viewport()->repaint();
        while (!e.view->highlighter()->isScanComplete())
            QApplication::processEvents();
        settle();
    });

    const int deep = qMin(100000, lines / 2);
    const int strokes = quick ? 20 : 200;
    auto typeDeep = [&](QPlainTextEdit& editor) {
        caretToLine(editor, deep);
        std::vector<double> times;
        for (int i = 0; i < strokes; ++i)
            times.push_back(keystroke(editor, Qt::Key_X, QStringLiteral("x")));
        return percentile99(times);
    };
    const double bareKey = typeDeep(e.bare);
    const double codeKey = typeDeep(e.code);

    // "/*" at the top turns the whole script into a comment; the next key must not wait for that.
    caretToLine(e.code, 0);
    keystroke(e.code, Qt::Key_Slash, QStringLiteral("/"));
    const double opener = keystroke(e.code, Qt::Key_Asterisk, QStringLiteral("*"));
    QApplication::processEvents();
    const double afterOpener = keystroke(e.code, Qt::Key_X, QStringLiteral("x"));
    QElapsedTimer rest;
    rest.start();
    while (!e.view->highlighter()->isScanComplete())
        QApplication::processEvents();
    const double restColoured = static_cast<double>(rest.nsecsElapsed()) / 1e6;

    auto pageDown = [&](QPlainTextEdit& editor) {
        caretToLine(editor, lines - 60);
        return medianMilliseconds(1, [&] {
            press(editor, Qt::Key_PageDown);
            editor.viewport()->repaint();
        });
    };
    const double barePage = pageDown(e.bare);
    const double codePage = pageDown(e.code);

    return {
        {QStringLiteral("open %1 in SLO, numbers and colours, until idle").arg(size), codeOpen,
         QStringLiteral("bare QPlainTextEdit::setPlainText"), bareOpen, 1.5},
        {QStringLiteral("keystroke at line %1, p99 of %2").arg(deep).arg(strokes), codeKey,
         QStringLiteral("16 ms"), 16.0, 1.0},
        {QStringLiteral("  the same keystroke"), codeKey,
         QStringLiteral("bare QPlainTextEdit keystroke, p99"), bareKey, 0},
        {QStringLiteral("\"*\" of \"/*\" typed on line 1"), opener, QStringLiteral("50 ms"), 50.0, 1.0},
        {QStringLiteral("  the next keystroke"), afterOpener, QStringLiteral("50 ms"), 50.0, 1.0},
        {QStringLiteral("  the rest re-coloured in idle slices"), restColoured,
         QStringLiteral("bare setPlainText"), bareOpen, 0},
        {QStringLiteral("page down at the end"), codePage, QStringLiteral("16 ms"), 16.0, 1.0},
        {QStringLiteral("  the same page down"), codePage, QStringLiteral("bare QPlainTextEdit page down"),
         barePage, 0},
    };
}

std::vector<BenchRow> startupRows(bool quick)
{
    const QString text = bigScript(quick ? 500 : 22000);
    QTemporaryDir dir;
    const Folders folders = makeFolders(dir);
    auto put = [&](const char* name, const QByteArray& bytes) {
        QFile file(QDir(folders.workDir).filePath(QLatin1String(name)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    };
    put("SLO.qrb", text.toLatin1() + "\r\n");
    put("VLO.qrb", "player INT 0\r\n");
    put("Notes.qrb", "");
    put("QRB_DATA.DAT", "\"GAME\",#FALSE#\r\n");

    const double bare = medianMilliseconds(quick ? 1 : 3, [&] {
        QPlainTextEdit editor;
        editor.setPlainText(text);
        editor.show();
        if (!QTest::qWaitForWindowExposed(&editor))
            qWarning("the bare editor was not shown");
        settle();
    });
    AutoDialogs dialogs;
    SystemClock clock;
    NoGame game;
    WideScreen screen;
    NoDocuments documents;
    const double start = medianMilliseconds(quick ? 1 : 3, [&] {
        Workbench bench(Services{folders, dialogs, clock, game, screen, documents});
        bench.start();
        while (!bench.form800() || !bench.form800()->isVisible())
            QApplication::processEvents();
        if (!QTest::qWaitForWindowExposed(bench.form800()))
            qWarning("the main window was not shown");
        settle();
    });
    // The wait window's 50 ms stand apart.
    return {{QStringLiteral("start-up with a %1 KiB project, less the 50 ms wait").arg(text.size() / 1024),
             start - 50, QStringLiteral("bare QApplication with one QPlainTextEdit"), bare, 2.0}};
}

} // namespace

QRB_BENCH(codeeditor, editorRows)
QRB_BENCH(startup, startupRows)
