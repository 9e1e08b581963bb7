// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor knows of the names, on a 16,000-line script (the game's 2.3 AI and a long
// event): the index built against one checker run, the completion list after Ctrl+Space, and
// keystrokes with the index, the live check, the colours and the line numbers all on.

#include "app/codeassist.h"
#include "app/codecompletion.h"
#include "app/scriptcheck.h"
#include "benchmark.h"
#include "editor/codeview.h"
#include "editor/completionpopup.h"
#include "editor/linenumbers.h"
#include "editor/scripteditor.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "scriptlang/checker.h"
#include "scriptlang/completion.h"
#include "scriptlang/symbolindex.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The game's AI followed by events with locals and calls, to `lines` lines in all.
QString longScript(int lines)
{
    QString text = corpusText("2.3/player0.slo");
    for (int n = 0; text.count(u'\n') < lines - 8; ++n)
        text +=
            QStringLiteral("\nevent bulk%1(every, 10)\n{\n\tlocal int _done;\n\t_done = count + %1;\n"
                           "\tdroid = iterateGroup(buildGroup);\n\torderDroidLoc(droid, DORDER_SCOUT, baseX, "
                           "baseY);\n}\n")
                .arg(n);
    return text;
}

QString vloBody()
{
    QString body = corpusText("2.3/player0.vlo").section(QLatin1Char('\n'), 11);
    body.truncate(body.lastIndexOf(QLatin1Char('}')));
    return body;
}

void send(QWidget& target, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&target, &press);
}

double percentile99(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

// A main window with everything on: line numbers and colours, the live check, the names.
struct FullWindow {
    MainWindow window{layout::table800()};
    ScriptCheck check;
    AutoDialogs dialogs;
    CodeAssist* assist = nullptr;
    FullWindow(const QString& slo, const QString& vlo, bool names = true)
    {
        window.show();
        auto* sloView = new CodeView(*window.slo(), codeview::Language::Script, 1, CodeView::Aids::Full);
        auto* vloView = new CodeView(*window.vlo(), codeview::Language::Variables,
                                     linenumbers::firstNumber(true), CodeView::Aids::Full);
        sloView->apply(ViewSettings{});
        vloView->apply(ViewSettings{});
        check.attach(window);
        if (names)
            assist = new CodeAssist(window, dialogs);
        window.slo()->setText(slo);
        window.vlo()->setText(vlo);
        window.slo()->setFocus();
        QApplication::processEvents();
    }
    void caretToEnd()
    {
        QTextCursor end(window.slo()->document());
        end.movePosition(QTextCursor::End);
        window.slo()->setTextCursor(end);
        send(*window.slo(), Qt::Key_Return, QStringLiteral("\r"));
    }
};

// Typing the words of a line at 25 keys a second in bursts of ten, with a pause after each
// burst long enough for the index, the list and the check to run: how late each key was
// handled after it was due, plus the handling and the paint, p99.
double typingP99(FullWindow& w, int keys)
{
    const QString words = QStringLiteral("\tcount = coun + iterateG; droid.orde = 1;\r");
    std::vector<double> times;
    QElapsedTimer clock;
    clock.start();
    qint64 due = 0;
    for (int k = 0; k < keys; ++k) {
        due += (k % 10 == 0) ? (ScriptCheck::kPauseMs + 150) * 1000000LL : 40 * 1000000LL;
        while (clock.nsecsElapsed() < due)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const QChar c = words.at(k % words.size());
        const int key = c == u'\r'   ? int(Qt::Key_Return)
                        : c == u'\t' ? int(Qt::Key_Tab)
                                     : int(c.toUpper().unicode());
        send(*w.window.slo(), key, QString(c));
        w.window.slo()->viewport()->repaint();
        times.push_back(double(clock.nsecsElapsed() - due) / 1e6);
    }
    QCoreApplication::processEvents();
    return percentile99(times);
}

std::vector<BenchRow> codeAssistRows(bool quick)
{
    const int lines = quick ? 5000 : 16000;
    const QString slo = longScript(lines);
    const QString vlo = vloBody();
    const int runs = quick ? 1 : 9;
    int symbols = 0;
    const double check = medianMilliseconds(runs, [&] { scriptlang::checkProject(slo, vlo); });
    const double index = medianMilliseconds(
        runs, [&] { symbols = int(scriptlang::SymbolIndex::build(slo, vlo).symbols().size()); });
    if (symbols < 500) {
        std::fprintf(stderr, "bench_codeassist: the index found only %d names\n", symbols);
        std::exit(1);
    }

    FullWindow w(slo, vlo);
    w.caretToEnd();
    // Ctrl+Space right after a key: the index is out of date and is built first.
    CompletionPopup* popup = w.assist->completion(*w.window.slo()).popup();
    std::vector<double> listed;
    for (int i = 0; i < (quick ? 2 : 15); ++i) {
        send(*w.window.slo(), Qt::Key_D, QStringLiteral("d"));
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        send(*w.window.slo(), Qt::Key_Space, QStringLiteral(" "), Qt::ControlModifier);
        popup->repaint();
        listed.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!popup->isVisible()) {
            std::fprintf(stderr, "bench_codeassist: no list after Ctrl+Space\n");
            std::exit(1);
        }
        send(*w.window.slo(), Qt::Key_Escape, QString());
        send(*w.window.slo(), Qt::Key_Backspace, QString());
    }
    std::sort(listed.begin(), listed.end());
    const double list = listed[listed.size() / 2];
    const double worstList = listed.back();

    const double typing = typingP99(w, quick ? 40 : 300);
    FullWindow without(slo, vlo, false);
    without.caretToEnd();
    const double typingWithout = typingP99(without, quick ? 40 : 300);
    const QString size = QStringLiteral("%1 lines").arg(lines);
    return {
        {QStringLiteral("index of the script and VLO, %1").arg(size), index,
         QStringLiteral("one checker run over both"), check, 3.0},
        {QStringLiteral("list shown after Ctrl+Space, index out of date, median"), list,
         QStringLiteral("50 ms"), 50.0, 1.0},
        {QStringLiteral("  the slowest of %1").arg(listed.size()), worstList, QStringLiteral("50 ms"), 50.0,
         1.0},
        {QStringLiteral("keystroke p99, index, check, colours, numbers on"), typing, QStringLiteral("16 ms"),
         16.0, 1.0},
        {QStringLiteral("  the same keystrokes"), typing,
         QStringLiteral("without the names (check, colours on)"), typingWithout, 0},
    };
}

} // namespace

QRB_BENCH(codeassist, codeAssistRows)
