// SPDX-License-Identifier: GPL-3.0-or-later
// How the workbench ends: the exit button, the windows' close, the desktop session's end.
#include "app/workbench.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/signwindow.h"
#include "workspace/backupstore.h"
#include "workspace/projectfiles.h"
#include "workspace/projectsaver.h"
#include "workspace/settingsfile.h"

#include <QCloseEvent>

bool Workbench::nothingToLose(const MainWindow& window, bool withNotes) const
{
    const auto kept = [this](const QString& text, const QString& name) {
        return text.isEmpty() || text == projectfiles::load(m_services.folders.workDir, name).text;
    };
    return kept(window.sloText(), projectfiles::kSlo) && kept(window.vloText(), projectfiles::kVlo) &&
           (!withNotes || kept(m_notes.text(), projectfiles::kNotes));
}

bool Workbench::saveBeforeEnding(MainWindow& window, bool exitSave)
{
    // A read-only copy asks only when leaving would lose a text it cannot save.
    if (m_saver->writeGuard().readOnly() && nothingToLose(window, exitSave))
        return true;
    QString problems;
    const bool saved = exitSave
                           ? m_saver->save(window, backupstore::kSuffixExit, true, true, &problems)
                           : m_saver->save(window, backupstore::kSuffixBeforeSeek, false, false, &problems);
    if (saved)
        return true;
    // The author decides: leave without the save, or stay with every text in the editors.
    return m_services.dialogs.askYesNo(kSaveFailedTitle,
                                       problems + QStringLiteral("\n\n") + kCloseWithoutSaving,
                                       Dialogs::Icon::Warning) == Dialogs::Answer::Yes;
}

void Workbench::onCloseRequested(MainWindow& window, QCloseEvent* event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    if (!m_state.exitConfirmed && !saveBeforeEnding(window, false)) {
        event->ignore();
        return;
    }
    event->accept();
    end();
}

bool Workbench::endSession(bool mayAsk)
{
    if (m_ending)
        return true;
    MainWindow* window = activeLayout();
    if (window && !m_state.exitConfirmed) {
        if (mayAsk) {
            if (!saveBeforeEnding(*window, false))
                return false;
        } else {
            // Nobody can be asked: the save is tried, and the session ends anyway.
            QString problems;
            m_saver->save(*window, backupstore::kSuffixBeforeSeek, false, false, &problems);
        }
    }
    end();
    return true;
}

void Workbench::exitByButton(MainWindow& window)
{
    const Dialogs::Answer answer = m_services.dialogs.askYesNoCancel(
        QStringLiteral("On exit SAVE"), QStringLiteral("SAVE before exit?"), Dialogs::Icon::Question);
    if (answer == Dialogs::Answer::Cancel) {
        m_state.exitConfirmed = false;
        return;
    }
    if (answer == Dialogs::Answer::Yes && !saveBeforeEnding(window, true)) {
        m_state.exitConfirmed = false;
        return;
    }
    m_state.exitConfirmed = true;
    storeSettings(window);
    window.close();
    end();
}

void Workbench::storeSettings(const MainWindow& window)
{
    const QString& workDir = m_services.folders.workDir;
    const WriteGuard& guard = m_saver->writeGuard();
    if (guard.readOnly()) {
        // Said only when the game directory was changed here, so that the change is not lost unseen.
        if (window.gameDirectory() != settingsfile::read(workDir).record.gameDirectory)
            m_services.dialogs.tell(kReadOnlyTitle,
                                    QStringLiteral("The game directory is not stored: this copy of QRB2 is "
                                                   "READ-ONLY, because %1.\n\nThe directory you typed: %2")
                                        .arg(guard.reason(), window.gameDirectory()),
                                    Dialogs::Icon::Warning);
        return;
    }
    // Settings that cannot be written are told about; they never keep the author in.
    const FileOutcome settings =
        settingsfile::write(workDir, window.gameDirectory(), m_state.hideInternalHelp);
    tellFailures(QStringLiteral("SETTINGS NOT SAVED"),
                 QStringLiteral("The settings could not be written; the program closes without them:"),
                 settings.failures);
}

void Workbench::end()
{
    if (m_ending)
        return;
    m_ending = true;
    // Everything goes at once, the sign window too, without waiting for its timers.
    if (m_sign)
        m_sign->close();
    Q_EMIT ended();
}
