// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandlineexport.h"

#include "export/playerexport.h"
#include "platform/consoledialogs.h"
#include "scriptlang/checkcommand.h"
#include "scriptlang/checker.h"
#include "workspace/notestext.h"
#include "workspace/projectfiles.h"
#include "workspace/projectfilesview.h"
#include "workspace/projectsaver.h"
#include "workspace/settingsfile.h"

#include <QDir>
#include <QFileInfo>

namespace commandline {

namespace {

int fail(QTextStream& err, const QString& message)
{
    err << QStringLiteral("qrb2: ") << message << QLatin1Char('\n');
    err.flush();
    return 1;
}

// The script check before an export: true when the export may go on.
bool checkBeforeExport(const ProjectFilesView& view, const QString& workDir, bool force, QTextStream& err)
{
    const scriptlang::Findings findings = scriptlang::checkProject(view.sloText(), view.vloText());
    const int errors = scriptlang::errorCount(findings);
    if (errors == 0)
        return true;
    const auto fullPath = [&](const QString& name) {
        return QFileInfo(projectfiles::path(workDir, name)).absoluteFilePath();
    };
    scriptlang::printFindings(findings, fullPath(projectfiles::kSlo), fullPath(projectfiles::kVlo), err);
    const QString count = errors == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(errors);
    if (force) {
        err << QStringLiteral("qrb2: warning: the script check finds %1 that the game would refuse; "
                              "exporting anyway (--force)\n")
                   .arg(count);
    } else {
        err << QStringLiteral("qrb2: the script check finds %1 that the game would refuse; nothing was "
                              "exported (--force exports anyway)\n")
                   .arg(count);
    }
    err.flush();
    return force;
}

} // namespace

int runExport(const Folders& folders, ExportKind kind, const Clock& clock, QTextStream& err, bool force)
{
    const QString folder = QDir::toNativeSeparators(folders.workDir);
    if (!settingsfile::exists(folders.workDir))
        return fail(err,
                    QStringLiteral("no game folder is set: %1 is missing; start the workbench there once "
                                   "to choose the game folder")
                        .arg(QDir::toNativeSeparators(settingsfile::path(folders.workDir))));

    // As at start-up: missing project files are created empty.
    const FileOutcome created = projectfiles::ensureExist(folders.workDir);
    if (!created.ok())
        return fail(err, QStringLiteral("these project files could not be created:\n") +
                             describeFailures(created.failures));

    ProjectFilesView view(folders.workDir);
    if (!view.failures().isEmpty())
        return fail(err, QStringLiteral("the project in %1 could not be read:\n").arg(folder) +
                             describeFailures(view.failures()));
    if (!QFileInfo(view.gameDirectory()).isDir())
        return fail(err, QStringLiteral("the game folder '%1' set in %2 does not exist")
                             .arg(view.gameDirectory(), settingsfile::kFileName));
    if (!checkBeforeExport(view, folders.workDir, force, err))
        return 1;

    ConsoleDialogs dialogs(err);
    NotesText notes;
    ProgramState state;
    ProjectSaver saver(folders, clock, dialogs, notes);
    PlayerExport playerExport(state, dialogs, saver);
    const bool written = kind == ExportKind::Both  ? playerExport.exportBoth(view)
                         : kind == ExportKind::Slo ? playerExport.exportScripts(view)
                                                   : playerExport.generateVariableFiles(view);
    return written && !dialogs.toldProblem() ? 0 : 1;
}

} // namespace commandline
