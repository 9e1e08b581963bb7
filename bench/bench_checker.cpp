// SPDX-License-Identifier: GPL-3.0-or-later
// The script check: 2.3's player0 with its .vlo against one plain lexer pass over the same
// script, a 10 MiB script, and keystrokes in a 16,000-line script while the live check runs.

#include "app/scriptcheck.h"
#include "benchmark.h"
#include "editor/scripteditor.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "scriptlang/checker.h"
#include "scriptlang/lexer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <cstdio>
#include <cstdlib>

namespace {

// The game's script followed by one event long enough to make `lines` lines in all.
QString longScript(const QString& script, int lines)
{
    QString text = script;
    text += QStringLiteral("\nevent bulk(every, 10)\n{\n");
    for (int n = int(text.count(QLatin1Char('\n'))); n < lines - 1; ++n)
        text += QStringLiteral("\tcount = count + 1;\n");
    text += QStringLiteral("}\n");
    return text;
}

// The longest delay of a keystroke typed at 25 a second in bursts of ten, with a pause after
// each burst long enough for the live check to start: how late the key was handled after it
// was due, plus the handling.
double worstKeystroke(ScriptEditor& editor, int keys)
{
    double worst = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 due = 0;
    for (int k = 0; k < keys; ++k) {
        due += (k % 10 == 0) ? (ScriptCheck::kPauseMs + 150) * 1000000LL : 40 * 1000000LL;
        while (clock.nsecsElapsed() < due)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &press);
        worst = qMax(worst, double(clock.nsecsElapsed() - due) / 1e6);
    }
    QCoreApplication::processEvents();
    return worst;
}

std::vector<BenchRow> checkerRows(bool quick)
{
    const int runs = quick ? 1 : 15;
    const QString slo = corpusText("2.3/player0.slo");
    const QString vlo = corpusText("2.3/player0.vlo");
    int errors = -1;
    const double lexOnce = medianMilliseconds(runs, [&] { scriptlang::Lexer::countTokens(slo); });
    const double check =
        medianMilliseconds(runs, [&] { errors = scriptlang::errorCount(scriptlang::checkFiles(slo, vlo)); });
    if (errors != 0) {
        std::fprintf(stderr, "bench_checker: the game's script gave %d errors\n", errors);
        std::exit(1);
    }

    const int bigSize = quick ? 100 * 1024 : 10 * 1024 * 1024;
    QString big = slo;
    while (big.size() < bigSize)
        big += QStringLiteral("\nevent e%1(every, 10)\n{\n\tcount = count + 1;\n}\n").arg(big.size());
    const double bigLex = medianMilliseconds(quick ? 1 : 3, [&] { scriptlang::Lexer::countTokens(big); });
    const double bigCheck =
        medianMilliseconds(quick ? 1 : 3, [&] { scriptlang::checkFiles(big, QString()); });

    const int keys = quick ? 20 : 60;
    const QString typed = longScript(slo, quick ? 5000 : 16000);
    // The author's VLO text: the file without its 11-line head and closing brace.
    QString body = vlo.section(QLatin1Char('\n'), 11);
    body.truncate(body.lastIndexOf(QLatin1Char('}')));
    double withCheck = 0;
    double without = 0;
    {
        MainWindow window(layout::table800());
        window.show();
        window.slo()->setText(typed);
        window.vlo()->setText(body);
        QApplication::processEvents();
        without = worstKeystroke(*window.slo(), keys);
    }
    {
        MainWindow window(layout::table800());
        window.show();
        ScriptCheck liveCheck;
        liveCheck.attach(window);
        window.slo()->setText(typed);
        window.vlo()->setText(body);
        QApplication::processEvents();
        withCheck = worstKeystroke(*window.slo(), keys);
    }

    const QString size = quick ? QStringLiteral("100 KiB") : QStringLiteral("10 MiB");
    const QString lines = quick ? QStringLiteral("5,000") : QStringLiteral("16,000");
    return {
        {QStringLiteral("check 2.3 player0.slo + .vlo (limit 20 ms)"), check,
         QStringLiteral("one lexer pass over player0.slo"), lexOnce, 10.0},
        {QStringLiteral("check a %1 script (limit 1000 ms)").arg(size), bigCheck,
         QStringLiteral("one lexer pass over it"), bigLex, 10.0},
        {QStringLiteral("worst keystroke, live check on, %1 lines (limit 16 ms)").arg(lines), withCheck,
         QStringLiteral("worst keystroke without the check"), without, 0},
    };
}

} // namespace

QRB_BENCH(checker, checkerRows)
