// SPDX-License-Identifier: GPL-3.0-or-later
// Replace all of a five-letter name in a 10 MiB script (the game's 2.3 skirmish AI again and
// again) through the find and replace bar of a real code editor, against QString::replace on
// the same text with the same letter case rule. The save with its snapshot before the replace
// is left out of the time; the editor's text it read is at hand afterwards, as in the program.

#include "benchmark.h"
#include "editor/codeview.h"
#include "editor/hiddentextbuffer.h"
#include "editor/replacebar.h"
#include "editor/scripteditor.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "platform/clock.h"
#include "workspace/notestext.h"
#include "workspace/projectsaver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

namespace {

QString corpusScript(qsizetype size)
{
    QString one = corpusText("2.3/player0.slo");
    one.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QString text;
    text.reserve(size + one.size());
    while (text.size() < size)
        text += one;
    return text;
}

void expect(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "bench_replace: %s\n", what);
        std::exit(1);
    }
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

std::vector<BenchRow> run(bool quick)
{
    const int runs = quick ? 1 : 5;
    const QString size = quick ? QStringLiteral("100 KiB") : QStringLiteral("10 MiB");
    const QString text = corpusScript(quick ? 100 * 1024 : 10 * 1024 * 1024);
    const QString name = QStringLiteral("baseX");
    const QString with = QStringLiteral("homeX");

    MainWindow window(layout::table800());
    ScriptEditor& slo = *window.slo();
    auto* view = new CodeView(slo, codeview::Language::Script, 1, CodeView::Aids::Full);
    view->apply(ViewSettings{});
    window.show();
    expect(QTest::qWaitForWindowExposed(&window), "the window was not shown");
    slo.setText(text);
    slo.setCaret(text.size() / 2);

    QTemporaryDir dir;
    const Folders folders = makeFolders(dir);
    SystemClock clock;
    AutoDialogs dialogs;
    NotesText notes;
    ProjectSaver saver(folders, clock, dialogs, notes);
    double saveMs = 0;
    auto* bar = new ReplaceBar(slo, window.sloUndo(), [&] {
        QElapsedTimer timer;
        timer.start();
        expect(saver.forceSave(window), "the save before the replace failed");
        saveMs = double(timer.nsecsElapsed()) / 1e6;
    });
    view->setBottomPanel(bar);
    bar->open(name);
    bar->findChild<QLineEdit*>(QStringLiteral("ReplaceWith"))->setText(with);
    PaintCounter counter;
    slo.viewport()->installEventFilter(&counter);

    std::vector<BenchRow> rows;
    for (const bool exact : {false, true}) {
        bar->findChild<QCheckBox*>(QStringLiteral("MatchCase"))->setChecked(exact);
        bar->findChild<QCheckBox*>(QStringLiteral("WholeWord"))->setChecked(exact);
        const Qt::CaseSensitivity cs = exact ? Qt::CaseSensitive : Qt::CaseInsensitive;
        QString expected;
        const double plainReplace = medianMilliseconds(runs, [&] {
            expected = text;
            expected.replace(name, with, cs);
        });
        // The same rule as the bar's: letter case and whole words.
        const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(name));
        const double wordReplace = medianMilliseconds(runs, [&] {
            QString copy = text;
            copy.replace(word, with);
            expected = copy;
        });
        std::vector<double> times;
        int replaced = 0;
        for (int i = 0; i < runs; ++i) {
            QApplication::processEvents();
            counter.paints = 0;
            QElapsedTimer timer;
            timer.start();
            replaced = bar->replaceAll();
            times.push_back(double(timer.nsecsElapsed()) / 1e6 - saveMs);
            // The paints that follow, the marks and the caret's line included.
            QElapsedTimer settle;
            settle.start();
            while (settle.elapsed() < 60)
                QApplication::processEvents(QEventLoop::AllEvents, 10);
            if (counter.paints != 1)
                std::fprintf(stderr, "bench_replace: %d paints\n", counter.paints);
            expect(counter.paints == 1, "Replace all did not paint the editor exactly once");
            if (!exact) {
                QString same = text;
                same.replace(name, with, cs);
                expect(slo.text() == same, "Replace all differs from QString::replace");
            } else {
                expect(slo.text() == expected, "Replace all differs from the whole-word replace");
            }
            slo.undo();
            expect(slo.text() == text, "one undo did not bring the text back");
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        std::printf("  Replace all of %s, %s: %d replaced, one paint each\n", qPrintable(name),
                    exact ? "match case, whole word" : "case ignored", replaced);
        if (!exact) {
            rows.push_back({QStringLiteral("Replace all \"%1\", case ignored (%2)").arg(name, size), median,
                            QStringLiteral("QString::replace, case ignored"), plainReplace, 3.0});
            continue;
        }
        // With letter case the baseline's search is several times faster, while the editor's own
        // cost for each replaced name stays: shown, without a limit.
        rows.push_back({QStringLiteral("Replace all \"%1\", case, whole word (%2)").arg(name, size), median,
                        QStringLiteral("QString::replace, regex \\b%1\\b").arg(name), wordReplace, 0});
        rows.push_back({QStringLiteral("Replace all \"%1\", case, whole word (%2)").arg(name, size), median,
                        QStringLiteral("QString::replace, case, any place"), plainReplace, 0});
    }
    return rows;
}

} // namespace

QRB_BENCH(replace, run)
