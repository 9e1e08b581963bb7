// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/playerexport.h"

#include "export/playerfiles.h"
#include "export/variablefile.h"
#include "platform/atomicfile.h"
#include "platform/textfile.h"
#include "scriptlang/checker.h"
#include "workspace/projectsaver.h"
#include "workspace/workspaceview.h"

namespace {

const QString kSlo = QStringLiteral(".slo");
const QString kVlo = QStringLiteral(".vlo");

} // namespace

PlayerExport::PlayerExport(ProgramState& state, Dialogs& dialogs, ProjectSaver& saver)
    : m_state(state), m_dialogs(dialogs), m_saver(saver)
{
}

bool PlayerExport::confirm(const QString& question, const WorkspaceView& view)
{
    // The author may export anyway; the box only says what the game would refuse.
    const QString errors =
        scriptlang::describeErrors(scriptlang::checkProject(view.sloText(), view.vloText()));
    const QString text = errors.isEmpty() ? question : question + QStringLiteral("\n\n") + errors;
    // With errors found, Enter keeps the old files.
    return m_dialogs.askYesNo(QStringLiteral("WARNING"), text, Dialogs::Icon::Question,
                              errors.isEmpty() ? Dialogs::Answer::Yes : Dialogs::Answer::No) ==
           Dialogs::Answer::Yes;
}

bool PlayerExport::finish(const QList<FileFailure>& failures)
{
    if (!failures.isEmpty()) {
        m_dialogs.tell(kExportFailedTitle, describeExportFailures(failures), Dialogs::Icon::Critical);
        return false;
    }
    m_dialogs.tell(kApplicationTitle, QStringLiteral("DONE !!!"), Dialogs::Icon::None);
    return true;
}

namespace {

const QString kScriptsQuestion =
    QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .SLO FILES FOR EACH PLAYER???");
const QString kVariablesQuestion = QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .VLO FILES???");

} // namespace

bool PlayerExport::exportScripts(WorkspaceView& view)
{
    if (!m_saver.writeGuard().allows(m_dialogs, QStringLiteral("EXPORT .SLO")) ||
        !confirm(kScriptsQuestion, view))
        return false;
    m_saver.trySave(view);
    return writeScripts(view);
}

bool PlayerExport::generateVariableFiles(WorkspaceView& view)
{
    if (!m_saver.writeGuard().allows(m_dialogs, QStringLiteral("EXPORT .VLO")) ||
        !confirm(kVariablesQuestion, view))
        return false;
    m_saver.trySave(view);
    return writeVariables(view);
}

bool PlayerExport::exportBoth(WorkspaceView& view)
{
    if (!m_saver.writeGuard().allows(m_dialogs, QStringLiteral("EXPORT .SLO AND .VLO")) ||
        !confirm(QStringLiteral("DO YOU REALLY WANT TO WRITE YOUR AI .SLO AND .VLO FILES FOR EACH PLAYER???"),
                 view))
        return false;
    m_saver.trySave(view);
    const bool scripts = writeScripts(view);
    return writeVariables(view) && scripts;
}

bool PlayerExport::writeScripts(WorkspaceView& view)
{
    return finish(writePlayerScripts(m_state, view.gameDirectory(), view.sloText()));
}

bool PlayerExport::writeVariables(WorkspaceView& view)
{
    QString generated;
    const QList<FileFailure> failures =
        writeVariableFiles(m_state, view.gameDirectory(), view.vloText(), &generated,
                           variablefile::boundVariable(view.sloText()));
    // The buffer ends holding the last player's text, as it always has.
    view.setExportText(generated);
    return finish(failures);
}

namespace {

// The eight files are replaced together or not at all; a folder that is missing is named.
QList<FileFailure> replacePlayerFiles(const QList<atomicfile::Replacement>& files)
{
    QList<FileFailure> failures;
    for (const FileFailure& failure : atomicfile::replaceAll(files))
        failures.append(explainMissing(failure, FileAccess::Write));
    return failures;
}

} // namespace

QList<FileFailure> writePlayerScripts(ProgramState& state, const QString& gameDirectory,
                                      const QString& sloText)
{
    // Every file gets the same bytes: encode the script once.
    QByteArray bytes = textfile::encode(sloText, nullptr);
    bytes.append("\r\n", 2);
    QList<atomicfile::Replacement> files;
    for (state.playerIndex = 0; state.playerIndex < playerfiles::kPlayerCount; ++state.playerIndex) {
        state.playerText = QString::number(state.playerIndex);
        files.append({playerfiles::path(gameDirectory, state.playerText, kSlo), {bytes}});
    }
    return replacePlayerFiles(files);
}

QList<FileFailure> writeVariableFiles(ProgramState& state, const QString& gameDirectory,
                                      const QString& vloText, QString* lastGenerated,
                                      const QString& boundVariable)
{
    // The generated text is head + VLO text + tail; the VLO text is encoded once for all eight.
    const QByteArray vloBytes = textfile::encode(vloText, nullptr);
    const QByteArray tail("\r\n}\r\n");
    QList<atomicfile::Replacement> files;
    for (state.playerIndex = 0; state.playerIndex < playerfiles::kPlayerCount; ++state.playerIndex) {
        state.playerText = QString::number(state.playerIndex);
        const QByteArray head =
            textfile::encode(variablefile::head(state.playerText, boundVariable), nullptr);
        files.append({playerfiles::path(gameDirectory, state.playerText, kVlo), {head, vloBytes, tail}});
    }
    if (lastGenerated)
        *lastGenerated = variablefile::generate(state.playerText, vloText, boundVariable);
    return replacePlayerFiles(files);
}

QString describeExportFailures(const QList<FileFailure>& failures)
{
    return QStringLiteral("NOT EVERY FILE WAS WRITTEN. These files could not be written:\n") +
           describeFailures(failures) + QStringLiteral("\nThe player files were left as they were.");
}
