// SPDX-License-Identifier: GPL-3.0-or-later
// Export, variable files, the save with snapshots and start-up, each beside plain Qt doing the
// same amount of work in the same run.
#include "app/workbench.h"
#include "benchmark.h"
#include "desktopstandins.h"
#include "export/playerexport.h"
#include "mainwindow/mainwindow.h"
#include "platform/documentopener.h"
#include "platform/textfile.h"
#include "workspace/notestext.h"
#include "workspace/projectsaver.h"
#include "workspace/workspaceview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <unistd.h>

namespace {

struct TextView final : WorkspaceView {
    QString slo, vlo, dir;
    QString sloText() const override { return slo; }
    QString vloText() const override { return vlo; }
    QString gameDirectory() const override { return dir; }
    void setExportText(const QString&) override {}
};

void plainWrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

// What an atomic replace of one file costs at the least: write a temporary, sync it, rename it.
void syncedReplaceByHand(const QString& path, const QByteArray& bytes)
{
    const QString temporary = path + QStringLiteral(".by-hand");
    QFile file(temporary);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    file.write(bytes);
    ::fsync(file.handle());
    file.close();
    std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData());
}

std::vector<BenchRow> exportRows(bool quick)
{
    const int size = quick ? 16 * 1024 : 1024 * 1024;
    const int runs = quick ? 1 : 15;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("multiplay/skirmish"));
    const QString text = scriptLikeText(size);
    const QByteArray bytes = text.toLatin1() + "\r\n";
    ProgramState state;

    const double baseline = medianMilliseconds(runs, [&] {
        for (int n = 0; n < 8; ++n)
            syncedReplaceByHand(dir.filePath(QStringLiteral("multiplay/skirmish/plain%1.slo").arg(n)), bytes);
    });
    const double scripts = medianMilliseconds(runs, [&] { writePlayerScripts(state, dir.path(), text); });
    const double variables =
        medianMilliseconds(runs, [&] { writeVariableFiles(state, dir.path(), text, nullptr); });

    // The whole click: question, save with snapshots, eight files, "DONE !!!".
    AutoDialogs dialogs;
    class Stamp final : public Clock {
    public:
        QTime timeOfDay() const override { return QTime(12, 0, 0); }
        QDate date() const override { return QDate(2026, 12, 6); }
    } clock;
    NotesText notes;
    const Folders folders = makeFolders(dir);
    ProjectSaver saver(folders, clock, dialogs, notes);
    PlayerExport exporter(state, dialogs, saver);
    TextView view;
    view.slo = text;
    view.vlo = text;
    view.dir = dir.path();
    const double click = medianMilliseconds(runs, [&] { exporter.exportScripts(view); });

    const QString label = quick ? QStringLiteral("16 KiB") : QStringLiteral("1 MiB");
    const QString base = QStringLiteral("8 writes + syncs + renames by hand of ") + label;
    return {
        {QStringLiteral("export %1 SLO text to player0..7.slo").arg(label), scripts, base, baseline, 1.3},
        {QStringLiteral("generate player0..7.vlo around %1 VLO text").arg(label), variables, base, baseline,
         1.3},
        {QStringLiteral("  whole Command1 click (save with snapshots + export)"), click, base, baseline, 0},
    };
}

std::vector<BenchRow> saveRows(bool quick)
{
    const int size = quick ? 16 * 1024 : 1024 * 1024;
    const int runs = quick ? 1 : 15;
    QTemporaryDir dir;
    const Folders folders = makeFolders(dir);
    const QString text = scriptLikeText(size);
    const QByteArray bytes = text.toLatin1() + "\r\n";
    plainWrite(QDir(folders.workDir).filePath(QStringLiteral("SLO.qrb")), bytes);
    plainWrite(QDir(folders.workDir).filePath(QStringLiteral("VLO.qrb")), bytes);

    const QString plainDir = dir.filePath(QStringLiteral("plain"));
    QDir().mkpath(plainDir);
    plainWrite(plainDir + QStringLiteral("/a"), bytes);
    plainWrite(plainDir + QStringLiteral("/b"), bytes);
    int copy = 0;
    const double baseline = medianMilliseconds(runs, [&] {
        ++copy;
        QFile::copy(plainDir + QStringLiteral("/a"), plainDir + QStringLiteral("/a%1").arg(copy));
        QFile::copy(plainDir + QStringLiteral("/b"), plainDir + QStringLiteral("/b%1").arg(copy));
        plainWrite(plainDir + QStringLiteral("/a"), bytes);
        plainWrite(plainDir + QStringLiteral("/b"), bytes);
    });

    AutoDialogs dialogs;
    class Ticking final : public Clock {
    public:
        mutable int second = 0;
        QTime timeOfDay() const override { return QTime(0, 0, 0).addSecs(++second); }
        QDate date() const override { return QDate(2026, 12, 6); }
    } clock;
    NotesText notes;
    ProjectSaver saver(folders, clock, dialogs, notes);
    TextView view;
    view.slo = text;
    view.vlo = text;
    const double save = medianMilliseconds(runs, [&] { saver.trySave(view); });
    const QString label = quick ? QStringLiteral("16 KiB + 16 KiB") : QStringLiteral("1 MiB + 1 MiB");
    return {{QStringLiteral("save with snapshots, %1 project").arg(label), save,
             QStringLiteral("QFile::copy x2 + QFile writes x2"), baseline, 2.0}};
}

std::vector<BenchRow> startupRows(bool quick)
{
    const int size = quick ? 16 * 1024 : 1024 * 1024;
    const int runs = quick ? 1 : 5;
    const QString text = scriptLikeText(size);

    const double bare = medianMilliseconds(runs, [&] {
        QPlainTextEdit edit;
        edit.resize(385, 385);
        edit.setPlainText(text);
        edit.show();
        if (!QTest::qWaitForWindowExposed(&edit))
            qWarning("the bare editor was not exposed");
    });

    const double full = medianMilliseconds(runs, [&] {
        QTemporaryDir dir;
        const Folders folders = makeFolders(dir);
        const QByteArray bytes = text.toLatin1() + "\r\n";
        plainWrite(QDir(folders.workDir).filePath(QStringLiteral("SLO.qrb")), bytes);
        plainWrite(QDir(folders.workDir).filePath(QStringLiteral("VLO.qrb")), bytes);
        plainWrite(QDir(folders.workDir).filePath(QStringLiteral("QRB_DATA.DAT")),
                   "\"C:\\WZ2100\",#FALSE#\r\n");
        AutoDialogs dialogs;
        SystemClock clock;
        NoGame starter;
        WideScreen screen;
        NoDocuments documents;
        Workbench bench(Services{folders, dialogs, clock, starter, screen, documents});
        bench.start();
        if (!QTest::qWaitFor([&] { return bench.form800() && bench.form800()->isVisible(); }, 10000) ||
            !QTest::qWaitForWindowExposed(bench.form800()))
            qWarning("the 800 layout did not come up");
    });
    const double loadOnly = full - 50.0;
    const QString label = quick ? QStringLiteral("16 KiB") : QStringLiteral("1 MiB");
    const QString base = QStringLiteral("bare QPlainTextEdit showing the %1 text").arg(label);
    return {
        {QStringLiteral("start-up to Form800 shown, %1 + %1 project loaded").arg(label), full, base, bare, 0},
        {QStringLiteral("  the same without the wait window's fixed 50 ms"), loadOnly, base, bare, 0},
    };
}

} // namespace

QRB_BENCH(export, exportRows)
QRB_BENCH(save, saveRows)
QRB_BENCH(startup, startupRows)
