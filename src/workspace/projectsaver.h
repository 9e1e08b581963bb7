// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "workspace/programstate.h"
#include "workspace/writeguard.h"

#include <QString>
#include <functional>

class NotesText;
class WorkspaceView;

// The four saves of the program (before compiling, before a jump, manual, exit) over the one
// save procedure: it reads the texts from the layout the author works in, saves, and tells
// the author about anything that went wrong. The "SAVED" sign is shown only for a save that
// asks for it and succeeded completely.
class ProjectSaver {
public:
    ProjectSaver(const Folders& folders, const Clock& clock, Dialogs& dialogs, const NotesText& notes);

    void setSignShower(std::function<void()> showSign) { m_showSign = std::move(showSign); }
    // Told of every save that wrote the project files, with the view they were read from.
    void setSavedListener(std::function<void(const WorkspaceView&)> saved) { m_saved = std::move(saved); }

    // Read-only, every save is refused: the manual and the exit save with the reason, the
    // save before a search or a jump without a word (the search goes on).
    WriteGuard& writeGuard() { return m_guard; }

    // True when every snapshot and every project file was written.
    bool trySave(const WorkspaceView& view);    // "_BEFORECOMPILE"
    bool forceSave(const WorkspaceView& view);  // "_BEFORESEEK"
    bool manualSave(const WorkspaceView& view); // "_MANUAL", notes too, sign
    bool exitSave(const WorkspaceView& view);   // "_EXIT", notes too, sign

    // With `problems` given, a failure is not told but described there, for the caller to ask
    // about (the exit asks whether to close without saving).
    bool save(const WorkspaceView& view, const QString& suffix, bool withNotes, bool showSign,
              QString* problems = nullptr);

private:
    const Folders& m_folders;
    const Clock& m_clock;
    Dialogs& m_dialogs;
    const NotesText& m_notes;
    std::function<void()> m_showSign;
    std::function<void(const WorkspaceView&)> m_saved;
    WriteGuard m_guard;
};

inline const QString kSaveFailedTitle = QStringLiteral("SAVE FAILED");
inline const QString kCharactersReplacedTitle = QStringLiteral("CHARACTERS REPLACED");

// The text telling the author which characters were written as '?'.
QString describeReplacedCharacters(const QString& characters);
