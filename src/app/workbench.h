// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/command.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/documentopener.h"
#include "platform/gamefolder.h"
#include "platform/gamestarter.h"
#include "platform/screenmetrics.h"
#include "templates/generatorstate.h"
#include "templates/manualselectorstate.h"
#include "workspace/notestext.h"
#include "workspace/programstate.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

inline const QString kCloseWithoutSaving = QStringLiteral("Close the program without saving?");

class AiOpener;
class BackupConsole;
class FolderAccess;
class HelpCommands;
class EditingAids;
class ScriptCheck;
class MainWindow;
class NotesWindow;
class PlayerExport;
class ProjectSaver;
class QCloseEvent;
class SignWindow;
class TemplateTools;
class WaitWindow;

// What the workbench needs from the desktop, given from outside so that tests run the real
// windows in temporary folders with scripted boxes and a fixed clock.
struct Services {
    Folders folders;
    Dialogs& dialogs;
    Clock& clock;
    GameStarter& gameStarter;
    ScreenMetrics& screen;
    DocumentOpener& documents;
    // Where the first start looks for the game's folder, and where START GAME looks for
    // warzone2100 when the game folder holds no program.
    QStringList gameFolderCandidates = gamefolder::folderCandidates();
    QStringList programFolders = gamefolder::programFolders();
};

// The application: owns the program-wide state and the windows, runs start-up, the layout
// switch and shutdown, and dispatches the commands of the main window.
class Workbench : public QObject {
    Q_OBJECT
public:
    explicit Workbench(const Services& services, QObject* parent = nullptr);
    ~Workbench() override;

    // Shows the wait window; 50 ms later the 800 layout loads and comes up.
    void start();

    ProgramState& state() { return m_state; }
    NotesText& notes() { return m_notes; }
    const Services& services() const { return m_services; }
    ProjectSaver& saver() { return *m_saver; }
    HelpCommands& help() { return *m_help; }
    ManualSelectorState& manualSelectorState() { return m_manualSelectorState; }
    GeneratorState& generatorState() { return m_generatorState; }
    TemplateTools& templateTools() { return *m_templateTools; }

    WaitWindow* waitWindow() const;
    MainWindow* form800() const { return m_form800.get(); }
    MainWindow* form1024() const { return m_form1024.get(); }
    // The 1024 layout, created (and loaded, hidden) on first access.
    MainWindow* ensureForm1024();
    // The layout the author works in.
    MainWindow* activeLayout() const;
    SignWindow* signWindow() const;
    // Console1 while it is open.
    BackupConsole* backupConsole() const;
    // Editor menus, search and go to line, and the Runtime Notes window.
    EditingAids& editing() { return *m_editing; }
    FolderAccess& folderAccess() { return *m_access; }
    ScriptCheck& scriptCheck() { return *m_scriptCheck; }
    NotesWindow* notesWindow() const;

    void switchLayout(MainWindow& from);
    // The exit area: "SAVE before exit?" with Yes, No and Cancel.
    void exitByButton(MainWindow& window);
    void runCommand(MainWindow& window, Command command);
    // The end of the desktop session takes the road of the window's close; false when the
    // author chose to stay. Without `mayAsk` the save is tried and the program ends anyway.
    bool endSession(bool mayAsk);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The 800 layout has loaded and is shown.
    void started();
    // The program ends now; nothing asks or saves after this.
    void ended();

private:
    void loadForm800();
    void prepareFolder();
    void loadProject(MainWindow& form);
    void loadForm1024();
    void connectLayout(MainWindow& window);
    void showSign();
    void openBackupConsole(MainWindow& from);
    void onCloseRequested(MainWindow& window, QCloseEvent* event);
    // The exit save (or the close's save); when it fails, asks whether to close without it.
    bool saveBeforeEnding(MainWindow& window, bool exitSave);
    void end();
    void tellFailures(const QString& title, const QString& intro, const QList<struct FileFailure>& failures);
    void showReadOnlyMark(MainWindow& window);
    bool nothingToLose(const MainWindow& window, bool withNotes) const;
    void storeSettings(const MainWindow& window);

    Services m_services;
    ProgramState m_state;
    NotesText m_notes;
    ManualSelectorState m_manualSelectorState;
    GeneratorState m_generatorState;
    std::unique_ptr<ProjectSaver> m_saver;
    std::unique_ptr<FolderAccess> m_access;
    std::unique_ptr<PlayerExport> m_export;
    std::unique_ptr<HelpCommands> m_help;
    std::unique_ptr<EditingAids> m_editing;
    std::unique_ptr<ScriptCheck> m_scriptCheck;
    std::unique_ptr<AiOpener> m_openAi;
    QPointer<WaitWindow> m_wait;
    std::unique_ptr<MainWindow> m_form800;
    std::unique_ptr<MainWindow> m_form1024;
    QPointer<SignWindow> m_sign;
    QPointer<BackupConsole> m_console;
    std::unique_ptr<TemplateTools> m_templateTools;
    bool m_ending = false;
};
