// SPDX-License-Identifier: GPL-3.0-or-later
// Saves and exports in a loop through the program's own functions, to be killed at random
// moments by scripts/crashtest; "check" then plays the next start and tells every file that is
// neither a whole old nor a whole new version, and every temporary left behind. For the kills of
// "qrb2 --folder FOLDER/work --export", "export" lays out a project there and "checkcli" checks
// the same after the next command line run, which must have left no temporary itself.
#include "export/playerexport.h"
#include "export/playerfiles.h"
#include "export/variablefile.h"
#include "platform/atomicfile.h"
#include "platform/clock.h"
#include "workspace/backupstore.h"
#include "workspace/projectfiles.h"
#include "workspace/savewithsnapshot.h"
#include "workspace/stalefiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <functional>

namespace {

struct Layout {
    // `oneFolder`: the program and its project in work/, as "qrb2 --folder" has them.
    Layout(const QString& root, bool oneFolder)
        : folders{QDir(root).filePath(oneFolder ? QStringLiteral("work") : QStringLiteral("prog")),
                  QDir(root).filePath(QStringLiteral("work"))},
          game(QDir(root).filePath(QStringLiteral("game")))
    {
    }
    Folders folders;
    QString game;
    QString skirmish() const { return game + QStringLiteral("/multiplay/skirmish"); }
};

// Version k of a text: a first line naming it and a body whose length depends on k, so a cut
// or a mix of two versions never passes for a whole one.
QString versionText(const QString& kind, int k)
{
    QString text = kind + QLatin1Char(' ') + QString::number(k);
    const int lines = 3000 + (k % 7) * 1500;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("\r\n// line %1 of %2 version %3").arg(i).arg(kind).arg(k);
    return text;
}

// The version named by the first line of a file, or -1.
int versionOf(const QByteArray& bytes, const QByteArray& kind)
{
    if (!bytes.startsWith(QByteArray(kind + ' ')))
        return -1;
    const qsizetype end = bytes.indexOf('\r', kind.size());
    bool ok = false;
    const int k = bytes.mid(kind.size() + 1, end - kind.size() - 1).toInt(&ok);
    return ok ? k : -1;
}

QByteArray projectBytes(const QString& kind, int k)
{
    return versionText(kind, k).toLatin1() + "\r\n";
}

int run(const Layout& layout)
{
    stalefiles::sweep(layout.folders, layout.game);
    SystemClock clock;
    ProgramState state;
    for (int k = static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 100000);; ++k) {
        projectfiles::Texts texts{versionText(QStringLiteral("SLO"), k),
                                  versionText(QStringLiteral("VLO"), k),
                                  versionText(QStringLiteral("NOTES"), k)};
        savewithsnapshot::run(layout.folders, clock, texts, backupstore::kSuffixManual, true);
        writePlayerScripts(state, layout.game, texts.slo);
        writeVariableFiles(state, layout.game, texts.vlo, nullptr);
    }
}

struct Checker {
    int files = 0;
    QStringList violations;

    void whole(const QString& path, const QByteArray& kind, const std::function<QByteArray(int)>& expected)
    {
        QFile file(path);
        if (!file.exists())
            return;
        ++files;
        if (!file.open(QIODevice::ReadOnly)) {
            violations << path + QStringLiteral(": cannot be read");
            return;
        }
        const QByteArray bytes = file.readAll();
        if (bytes.isEmpty())
            return; // the empty file of a first start
        const int k = versionOf(bytes, kind);
        if (k < 0 || bytes != expected(k))
            violations << path + QStringLiteral(": not a whole version (%1 bytes)").arg(bytes.size());
    }
};

// A project of a new version for "qrb2 --export", with its game folder in the settings.
int prepareExport(const Layout& layout)
{
    const int k = static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 100000);
    QFile settings(QDir(layout.folders.workDir).filePath(QStringLiteral("QRB_DATA.DAT")));
    QFile slo(QDir(layout.folders.workDir).filePath(projectfiles::kSlo));
    QFile vlo(QDir(layout.folders.workDir).filePath(projectfiles::kVlo));
    const bool written =
        settings.open(QIODevice::WriteOnly) &&
        settings.write("\"" + QFile::encodeName(layout.game) + "\",#FALSE#\r\n") > 0 &&
        slo.open(QIODevice::WriteOnly) && slo.write(projectBytes(QStringLiteral("SLO"), k)) > 0 &&
        vlo.open(QIODevice::WriteOnly) && vlo.write(projectBytes(QStringLiteral("VLO"), k)) > 0;
    return written ? 0 : 1;
}

// `sweep`: plays the next start first; without it the run before must have swept.
int check(const Layout& layout, bool sweep)
{
    const int swept = sweep ? static_cast<int>(stalefiles::sweep(layout.folders, layout.game).size()) : 0;
    Checker checker;
    for (const QString& folder : stalefiles::foldersWrittenTo(layout.folders, layout.game)) {
        const QStringList left = QDir(folder).entryList({atomicfile::kTemporaryPrefix + QLatin1Char('*')},
                                                        QDir::Files | QDir::Hidden);
        for (const QString& name : left)
            checker.violations << QDir(folder).filePath(name) +
                                      QStringLiteral(": temporary left after start");
    }
    const QDir work(layout.folders.workDir);
    const auto project = [](const char* kind) {
        return [kind](int k) { return projectBytes(QString::fromLatin1(kind), k); };
    };
    checker.whole(work.filePath(projectfiles::kSlo), "SLO", project("SLO"));
    checker.whole(work.filePath(projectfiles::kVlo), "VLO", project("VLO"));
    checker.whole(work.filePath(projectfiles::kNotes), "NOTES", project("NOTES"));
    const QDir backup(backupstore::folder(layout.folders.programDir));
    for (const QString& name : backup.entryList({QStringLiteral("SLO.*")}, QDir::Files))
        checker.whole(backup.filePath(name), "SLO", project("SLO"));
    for (const QString& name : backup.entryList({QStringLiteral("VLO.*")}, QDir::Files))
        checker.whole(backup.filePath(name), "VLO", project("VLO"));
    for (int n = 0; n < playerfiles::kPlayerCount; ++n) {
        const QString player = QString::number(n);
        checker.whole(playerfiles::path(layout.game, player, QStringLiteral(".slo")), "SLO", project("SLO"));
        const QByteArray head = variablefile::head(player).toLatin1();
        checker.whole(playerfiles::path(layout.game, player, QStringLiteral(".vlo")), head + "VLO",
                      [&](int k) -> QByteArray {
                          return head + versionText(QStringLiteral("VLO"), k).toLatin1() + "\r\n}\r\n";
                      });
    }
    QTextStream out(stdout);
    out << "checked " << checker.files << " files, removed " << swept << " temporaries, "
        << checker.violations.size() << " violations\n";
    for (const QString& v : checker.violations)
        out << "VIOLATION " << v << '\n';
    return checker.violations.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList modes{QStringLiteral("run"), QStringLiteral("check"), QStringLiteral("export"),
                            QStringLiteral("checkcli")};
    if (args.size() != 3 || !modes.contains(args.at(1))) {
        std::fputs("usage: qrb_crashharness run|check|export|checkcli FOLDER\n", stderr);
        return 2;
    }
    const QString& mode = args.at(1);
    const Layout layout(args.at(2), mode == QLatin1String("export") || mode == QLatin1String("checkcli"));
    QDir().mkpath(layout.skirmish());
    QDir().mkpath(layout.folders.programDir);
    QDir().mkpath(layout.folders.workDir);
    if (mode == QLatin1String("export"))
        return prepareExport(layout);
    projectfiles::ensureExist(layout.folders.workDir);
    if (mode == QLatin1String("run"))
        return run(layout);
    return check(layout, mode == QLatin1String("check"));
}
