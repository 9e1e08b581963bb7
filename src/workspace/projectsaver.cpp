// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/projectsaver.h"

#include "workspace/backupstore.h"
#include "workspace/notestext.h"
#include "workspace/savewithsnapshot.h"
#include "workspace/workspaceview.h"

ProjectSaver::ProjectSaver(const Folders& folders, const Clock& clock, Dialogs& dialogs,
                           const NotesText& notes)
    : m_folders(folders), m_clock(clock), m_dialogs(dialogs), m_notes(notes)
{
}

bool ProjectSaver::trySave(const WorkspaceView& view)
{
    return save(view, backupstore::kSuffixBeforeCompile, false, false);
}

bool ProjectSaver::forceSave(const WorkspaceView& view)
{
    return save(view, backupstore::kSuffixBeforeSeek, false, false);
}

bool ProjectSaver::manualSave(const WorkspaceView& view)
{
    return save(view, backupstore::kSuffixManual, true, true);
}

bool ProjectSaver::exitSave(const WorkspaceView& view)
{
    return save(view, backupstore::kSuffixExit, true, true);
}

namespace {

// The save as the author knows it, for the box that refuses it.
QString commandOf(const QString& suffix)
{
    if (suffix == backupstore::kSuffixManual)
        return QStringLiteral("SAVE");
    if (suffix == backupstore::kSuffixExit)
        return QStringLiteral("THE EXIT SAVE");
    if (suffix == backupstore::kSuffixBeforeCompile)
        return QStringLiteral("THE SAVE BEFORE EXPORT");
    return QStringLiteral("THE SAVE ON CLOSING");
}

} // namespace

bool ProjectSaver::save(const WorkspaceView& view, const QString& suffix, bool withNotes, bool showSign,
                        QString* problems)
{
    if (m_guard.readOnly()) {
        if (problems)
            *problems = m_guard.refusal(commandOf(suffix));
        else if (suffix != backupstore::kSuffixBeforeSeek)
            m_guard.allows(m_dialogs, commandOf(suffix));
        return false;
    }
    projectfiles::Texts texts;
    texts.vlo = view.vloText();
    texts.slo = view.sloText();
    if (withNotes)
        texts.notes = m_notes.text();
    const savewithsnapshot::Result result =
        savewithsnapshot::run(m_folders, m_clock, texts, suffix, withNotes);
    if (!result.ok() && problems) {
        *problems = savewithsnapshot::describeProblems(result);
        return false;
    }
    if (!result.ok()) {
        m_dialogs.tell(kSaveFailedTitle, savewithsnapshot::describeProblems(result), Dialogs::Icon::Critical);
        return false;
    }
    if (m_saved)
        m_saved(view);
    if (showSign && m_showSign)
        m_showSign();
    if (!result.writeOutcome.replacedCharacters.isEmpty())
        m_dialogs.tell(kCharactersReplacedTitle,
                       describeReplacedCharacters(result.writeOutcome.replacedCharacters),
                       Dialogs::Icon::Warning);
    return true;
}

QString describeReplacedCharacters(const QString& characters)
{
    return QStringLiteral(
               "These characters cannot be stored in the 8-bit text files and were written as '?': ") +
           characters;
}
