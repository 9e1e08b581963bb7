// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/variablefile.h"
#include "platform/dialogs.h"
#include "platform/fileresult.h"
#include "workspace/programstate.h"

class ProjectSaver;
class WorkspaceView;

// The program's main job: the generic script written as the script of each of the eight
// skirmish computer players, and the eight variable files generated around the generic
// variable list, in the game's multiplay/skirmish folder.
class PlayerExport {
public:
    PlayerExport(ProgramState& state, Dialogs& dialogs, ProjectSaver& saver);

    // Both ask first, save with a "_BEFORECOMPILE" snapshot, write the eight files and say
    // "DONE !!!" only when every file was written. True when they said it. A read-only copy
    // refuses them with the reason.
    bool exportScripts(WorkspaceView& view);
    bool generateVariableFiles(WorkspaceView& view);
    // Both exports after one save, so one "_BEFORECOMPILE" snapshot pair; each says its "DONE !!!".
    bool exportBoth(WorkspaceView& view);

private:
    bool confirm(const QString& question, const WorkspaceView& view);
    bool finish(const QList<FileFailure>& failures);
    bool writeScripts(WorkspaceView& view);
    bool writeVariables(WorkspaceView& view);

    ProgramState& m_state;
    Dialogs& m_dialogs;
    ProjectSaver& m_saver;
};

// The writing parts of the two operations, without questions or saves. They keep the player
// loop's state as the program always has: `state.playerIndex` ends at 8, `playerText` at "7".
QList<FileFailure> writePlayerScripts(ProgramState& state, const QString& gameDirectory,
                                      const QString& sloText);
// Returns the failures; `lastGenerated` receives the text generated for the last player.
QList<FileFailure> writeVariableFiles(ProgramState& state, const QString& gameDirectory,
                                      const QString& vloText, QString* lastGenerated,
                                      const QString& boundVariable = variablefile::kPlayerVariable);

inline const QString kExportFailedTitle = QStringLiteral("EXPORT FAILED");

// One line per file that could not be written, with the reason.
QString describeExportFailures(const QList<FileFailure>& failures);
