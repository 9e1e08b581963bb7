// SPDX-License-Identifier: GPL-3.0-or-later
// Search and go to line on a large script: the moves after the forced save, each against a
// case-insensitive QString::indexOf over the same text, and the forced save on its own row.

#include "benchmark.h"
#include "editor/editormenu.h"
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/seekcommands.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "workspace/notestext.h"
#include "workspace/projectsaver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// `lines` lines of 103 characters and a CR LF each (100,000 of them make 10 MiB); the word
// searched for stands only in the last line.
QString script(int lines)
{
    QString text;
    text.reserve(static_cast<qsizetype>(lines) * 105);
    for (int i = 1; i <= lines; ++i) {
        QString line =
            i == lines
                ? QStringLiteral("\tsetEventTrigger(FinalMarker, inactive);")
                : QStringLiteral(
                      "\tif (structureComplete(defence%1)) { orderDroidLoc(droid, DORDER_MOVE, x, y); }")
                      .arg(i % 1000);
        text += line.leftJustified(103, u' ', true);
        if (i < lines)
            text += QStringLiteral("\r\n");
    }
    return text;
}

void press(QWidget& widget, int key, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &event);
}

// The median of `runs` timings of `work`, each after an untimed `prepare`.
double medianAfter(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        times.push_back(medianMilliseconds(1, work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void expect(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "bench_editing: %s\n", what);
        std::exit(1);
    }
}

std::vector<BenchRow> run(bool quick)
{
    const int lines = quick ? 1000 : 100000;
    const int runs = quick ? 3 : 7;
    const QString text = script(lines);
    const QString needle = QStringLiteral("finalmarker");
    const QString size = quick ? QStringLiteral("100 KiB") : QStringLiteral("10 MiB");

    MainWindow window(layout::table800());
    window.show();
    ScriptEditor& slo = *window.slo();
    slo.setText(text);
    QApplication::processEvents();

    QTemporaryDir dir;
    const Folders folders = makeFolders(dir);
    SystemClock clock;
    AutoDialogs dialogs;
    NotesText notes;
    ProjectSaver saver(folders, clock, dialogs, notes);

    const int lastLineStart = static_cast<int>(text.lastIndexOf(QStringLiteral("\r\n")) + 2);
    qsizetype found = -1;
    const double indexOf =
        medianMilliseconds(runs, [&] { found = text.indexOf(needle, 0, Qt::CaseInsensitive); });
    expect(found == lastLineStart + 17, "indexOf found the word elsewhere");

    // Each move as the author meets it: an edit, the forced save, then the move, timed alone.
    bool saved = false;
    auto editThenSave = [&] {
        QTextCursor cursor(slo.document());
        cursor.insertText(QStringLiteral("x"));
        cursor.deletePreviousChar();
        saved = saver.forceSave(window);
        expect(saved, "the forced save failed");
    };
    auto editOnly = [&] {
        QTextCursor cursor(slo.document());
        cursor.insertText(QStringLiteral("x"));
        cursor.deletePreviousChar();
    };
    qint32 seek = 0;
    auto search = [&] { SeekCommands::selectMatch(slo, needle, true, seek); };
    const double searchAfterSave = medianAfter(runs, editThenSave, search);
    expect(seek == lastLineStart + 17 && slo.selectedText().compare(needle, Qt::CaseInsensitive) == 0,
           "the search did not select the word");
    const double searchCold = medianAfter(runs, editOnly, search);

    const int secondLast = lines - 1;
    const double goToLine =
        medianAfter(runs, editThenSave, [&] { SeekCommands::selectLine(slo, secondLast, 0, seek); });
    expect(slo.selectionLength() == 103 && seek == lastLineStart - 105, "go to line did not select its line");

    const double forceSave = medianAfter(runs, editOnly, [&] { saved = saver.forceSave(window); });
    expect(saved, "the forced save failed");
    const QByteArray bytes = text.toLatin1();
    const double plainWrite = medianMilliseconds(runs, [&] {
        QFile file(dir.filePath(QStringLiteral("plain.txt")));
        expect(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "plain write failed");
    });

    // The snapshot an Enter takes, and the menu's Undo after one changed line.
    auto* menu = new EditorMenu(slo, *window.sloUndo(), *window.sloMenu(), EditorMenu::mainEditorKeys(true),
                                EditorMenu::ClipboardUse::ReplaceAll);
    const double snapshot = medianMilliseconds(runs, [&] {
        slo.setCaret(lastLineStart);
        press(slo, Qt::Key_Return, QStringLiteral("\r"));
        press(slo, Qt::Key_Backspace);
    });
    expect(window.sloUndo()->text().size() == text.size() + 2, "Enter took no snapshot");
    window.sloUndo()->setText(text);
    const double undo = medianMilliseconds(runs, [&] {
        slo.setCaret(lastLineStart);
        for (const char* letter : {"x", "y", "z"})
            press(slo, Qt::Key_X, QString::fromLatin1(letter));
        menu->choose(EditorMenu::Undo);
    });
    expect(slo.text() == text, "Undo did not restore the text");

    const QString base = QStringLiteral("QString::indexOf, case ignored, ") + size;
    return {
        {QStringLiteral("search SLO after the forced save (%1)").arg(size), searchAfterSave, base, indexOf,
         3.0},
        {QStringLiteral("go to line %1 after the forced save (%2)").arg(secondLast).arg(size), goToLine, base,
         indexOf, 3.0},
        {QStringLiteral("forced save \"_BEFORESEEK\" (%1 SLO)").arg(size), forceSave,
         QStringLiteral("QFile write of the same bytes"), plainWrite, 0},
        {QStringLiteral("search SLO with no save before it (%1)").arg(size), searchCold, base, indexOf, 0},
        {QStringLiteral("Enter + Backspace with snapshot (%1 SLO)").arg(size), snapshot, base, indexOf, 0},
        {QStringLiteral("type 3 letters + menu Undo (%1 SLO)").arg(size), undo, base, indexOf, 0},
    };
}

} // namespace

QRB_BENCH(editing, run)
