// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/workbench.h"

#include "app/aiopener.h"
#include "app/codeassist.h"
#include "app/editingaids.h"
#include "app/editorkeys.h"
#include "app/findreplace.h"
#include "app/folderaccess.h"
#include "app/scriptcheck.h"
#include "app/unsavedmark.h"
#include "app/waitwindow.h"
#include "app/windowplacement.h"
#include "backupconsole/backupconsole.h"
#include "editor/hiddentextbuffer.h"
#include "editor/scripteditor.h"
#include "export/gamelaunch.h"
#include "export/playerexport.h"
#include "mainwindow/helpcommands.h"
#include "mainwindow/layouttable.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/noteswindow.h"
#include "mainwindow/signwindow.h"
#include "platform/busycursor.h"
#include "platform/gamefolder.h"
#include "platform/twips.h"
#include "templates/templatetools.h"
#include "workspace/backupstore.h"
#include "workspace/projectfiles.h"
#include "workspace/projectsaver.h"
#include "workspace/settingsfile.h"
#include "workspace/stalefiles.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

const QString kFirstStartText = QStringLiteral("This is the first start of QRB program in this directory, or "
                                               "you've deleted 'QRB_DATA.DAT' file for debugging!");
const QString kDirectoryPrompt = QStringLiteral("Input your WARZONE 2100 directory path") +
                                 QStringLiteral("\r\n\r\n") +
                                 QStringLiteral("Do not input last '\\' character !");

// The caret goes to the other layout's editor with the view: the same first line in sight,
// or the caret's line in the middle where the smaller editor cannot show both.
void carryCaretAndView(const ScriptEditor& from, ScriptEditor& to)
{
    to.setCaret(from.selectionStart());
    to.verticalScrollBar()->setValue(from.verticalScrollBar()->value());
    to.horizontalScrollBar()->setValue(from.horizontalScrollBar()->value());
    if (!to.viewport()->rect().contains(to.cursorRect()))
        to.centerCursor();
}

} // namespace

Workbench::Workbench(const Services& services, QObject* parent)
    : QObject(parent), m_services(services),
      m_saver(std::make_unique<ProjectSaver>(m_services.folders, services.clock, services.dialogs, m_notes)),
      m_access(std::make_unique<FolderAccess>(m_services.folders.workDir, services.dialogs,
                                              m_saver->writeGuard())),
      m_export(std::make_unique<PlayerExport>(m_state, services.dialogs, *m_saver)),
      m_help(std::make_unique<HelpCommands>(m_services.folders.workDir, services.dialogs, services.documents,
                                            m_state.seekPosition)),
      m_editing(std::make_unique<EditingAids>(*m_saver, m_state, m_notes, services.dialogs,
                                              m_services.folders.programDir)),
      m_scriptCheck(std::make_unique<ScriptCheck>()), m_openAi(std::make_unique<AiOpener>(services.dialogs)),
      m_templateTools(std::make_unique<TemplateTools>(m_manualSelectorState, m_generatorState,
                                                      services.dialogs, m_services.folders.workDir))
{
    m_saver->setSignShower([this] { showSign(); });
    m_saver->setSavedListener([this](const WorkspaceView& view) {
        for (MainWindow* layout : {m_form800.get(), m_form1024.get()}) {
            if (layout && static_cast<const WorkspaceView*>(layout) == &view)
                UnsavedMark::markSaved(*layout);
        }
    });
    m_templateTools->setWriteGuard(&m_saver->writeGuard());
    connect(m_access.get(), &FolderAccess::becameReadOnly, this, [this] {
        for (MainWindow* window : {m_form800.get(), m_form1024.get()}) {
            if (window)
                showReadOnlyMark(*window);
        }
    });
    // Every secondary window opens inside the screen's available area.
    qApp->installEventFilter(this);
}

bool Workbench::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && !qobject_cast<MainWindow*>(widget) && !widget->isMaximized() &&
            !widget->isFullScreen())
            windowplacement::keepInsideScreen(*widget);
    }
    return QObject::eventFilter(watched, event);
}

Workbench::~Workbench()
{
    delete m_console;
    delete m_sign;
    delete m_wait;
}

WaitWindow* Workbench::waitWindow() const
{
    return m_wait;
}

SignWindow* Workbench::signWindow() const
{
    return m_sign;
}

BackupConsole* Workbench::backupConsole() const
{
    return m_console;
}

NotesWindow* Workbench::notesWindow() const
{
    return m_editing->notesWindow();
}

void Workbench::runCommand(MainWindow& w, Command command)
{
    using Target = SeekCommands::Target;
    SeekCommands& seek = m_editing->seek();
    // Every command is handled here; a new one that is not makes the compiler say so.
    switch (command) {
    case Command::ExportScripts:
        m_export->exportScripts(w);
        return;
    case Command::ExportVariables:
        m_export->generateVariableFiles(w);
        return;
    case Command::Save:
        m_saver->manualSave(w);
        return;
    case Command::SwitchLayout:
        switchLayout(w);
        return;
    case Command::LaunchGame:
        gamelaunch::launch(m_services.gameStarter, m_services.dialogs, w.gameDirectory(),
                           m_services.programFolders);
        return;
    case Command::ShowNotes:
        m_editing->showNotes(w);
        return;
    case Command::BackupConsole:
        openBackupConsole(w);
        return;
    case Command::TemplateTools:
        m_templateTools->showGate();
        return;
    case Command::OpenAi:
        m_openAi->open(w);
        return;
    case Command::Exit:
        exitByButton(w);
        return;
    case Command::Minimise:
        w.showMinimized();
        return;
    case Command::InternalHelp:
        m_help->showInternalHelp(&w);
        return;
    case Command::ExternalHelp:
        m_help->openExternalHelp();
        return;
    case Command::SloToNotes:
        m_editing->selectionToNotes(*w.slo());
        return;
    case Command::VloToNotes:
        m_editing->selectionToNotes(*w.vlo());
        return;
    case Command::SearchSloFirst:
        seek.search(w, Target::Slo, true);
        return;
    case Command::SearchSloNext:
        seek.search(w, Target::Slo, false);
        return;
    case Command::SearchVloFirst:
        seek.search(w, Target::Vlo, true);
        return;
    case Command::SearchVloNext:
        seek.search(w, Target::Vlo, false);
        return;
    case Command::GoToLineSlo:
        seek.goToLine(w, Target::Slo);
        return;
    case Command::GoToLineVlo:
        seek.goToLine(w, Target::Vlo);
        return;
    }
}

void Workbench::connectLayout(MainWindow& window)
{
    connect(&window, &MainWindow::commandClicked, this,
            [this, w = &window](Command command) { runCommand(*w, command); });
    connect(&window, &MainWindow::closeRequested, this,
            [this, w = &window](QCloseEvent* event) { onCloseRequested(*w, event); });
    m_editing->attach(window);
    m_scriptCheck->attach(window);
    new FindReplace(window, *m_saver);
    new UnsavedMark(window);
    new CodeAssist(window, m_services.dialogs);
    new EditorKeys(window, m_editing->seek(),
                   [this, w = &window](Command command) { runCommand(*w, command); });
    // The 1024 and 800 layouts' hidden save buttons run the saves the other commands invoke.
    connect(window.trySaveButton(), &QPushButton::clicked, this,
            [this, w = &window] { m_saver->trySave(*w); });
    connect(window.forceSaveButton(), &QPushButton::clicked, this,
            [this, w = &window] { m_saver->forceSave(*w); });
}

void Workbench::start()
{
    if (!m_access->claim()) {
        // The author leaves the folder to the copy that holds it.
        end();
        return;
    }
    m_wait = new WaitWindow;
    m_wait->setAttribute(Qt::WA_DeleteOnClose);
    m_wait->adjustSize();
    windowplacement::centreOnScreen(*m_wait);
    connect(m_wait, &WaitWindow::elapsed, this, [this] {
        loadForm800();
        windowplacement::centreOnScreen(*m_form800);
        m_form800->show();
        m_form800->activateWindow();
        Q_EMIT started();
    });
    m_wait->show();
    m_wait->startTimer50();
}

void Workbench::tellFailures(const QString& title, const QString& intro, const QList<FileFailure>& failures)
{
    if (failures.isEmpty())
        return;
    m_services.dialogs.tell(title, intro + QLatin1Char('\n') + describeFailures(failures),
                            Dialogs::Icon::Critical);
}

void Workbench::showReadOnlyMark(MainWindow& window)
{
    if (!m_access->mark().isEmpty())
        window.setReadOnlyMark(m_access->mark());
}

void Workbench::loadForm800()
{
    m_form800 = std::make_unique<MainWindow>(layout::table800());
    MainWindow& form = *m_form800;
    form.fitIntoScreen();
    connectLayout(form);
    showReadOnlyMark(form);
    const Folders& folders = m_services.folders;

    // A read-only copy only reads: the copy that holds the folder has swept it and made its files.
    if (!m_saver->writeGuard().readOnly())
        prepareFolder();
    m_state.playerIndex = 0;
    m_state.seekPosition = 0;
    loadProject(form);

    const settingsfile::ReadResult settings = settingsfile::read(folders.workDir);
    form.gameDirBox()->setText(settings.record.gameDirectory);
    if (settings.record.hideInternalHelp)
        m_state.hideInternalHelp = *settings.record.hideInternalHelp;
    if (settings.failure && settingsfile::exists(folders.workDir))
        tellFailures(QStringLiteral("SETTINGS NOT READ"), QStringLiteral("The settings could not be read:"),
                     {*settings.failure});
    if (m_state.hideInternalHelp)
        form.control(QStringLiteral("Command15"))->hide();

    if (m_wait)
        m_wait->close();

    connect(form.firstStartTimer(), &QTimer::timeout, this, [this] {
        m_state.startupDone = true;
        m_form800->firstStartTimer()->stop();
        m_form800->slo()->setFocus();
    });
    form.firstStartTimer()->start();

    form.sloUndo()->setText(form.slo()->text());
    form.vloUndo()->setText(form.vlo()->text());
    UnsavedMark::markSaved(form);

    connect(form.resRecTimer(), &QTimer::timeout, this, [this] {
        m_form800->resRecTimer()->stop();
        if (m_services.screen.screenWidthTwips() < 12500)
            m_form800->showMaximized();
    });
    form.resRecTimer()->start();

    form.applySplitter();
}

// The copy that holds the folder sweeps it, makes the project files that are missing, and on the
// first start asks for the game's folder.
void Workbench::prepareFolder()
{
    const Folders& folders = m_services.folders;
    Dialogs& dialogs = m_services.dialogs;
    stalefiles::sweep(folders, settingsfile::read(folders.workDir).record.gameDirectory);
    tellFailures(QStringLiteral("PROJECT FILES"), QStringLiteral("These project files could not be created:"),
                 projectfiles::ensureExist(folders.workDir).failures);

    if (!settingsfile::exists(folders.workDir)) {
        dialogs.tell(kApplicationTitle, kFirstStartText, Dialogs::Icon::None);
        const QString directory =
            dialogs.askText(QStringLiteral("First-time settings"), kDirectoryPrompt,
                            gamefolder::firstStartGuess(m_services.gameFolderCandidates));
        m_state.hideInternalHelp = false;
        tellFailures(
            QStringLiteral("SETTINGS NOT SAVED"),
            QStringLiteral("The game directory could not be stored; it will be asked for again at the "
                           "next start:"),
            settingsfile::write(folders.workDir, directory, false).failures);
    }
}

// "Do you want to load last saved project?" and, on Yes, the texts into the editors and notes.
void Workbench::loadProject(MainWindow& form)
{
    if (m_services.dialogs.askYesNo(QStringLiteral("On start LOADer"),
                                    QStringLiteral("Do you want to load last saved project?"),
                                    Dialogs::Icon::Question) != Dialogs::Answer::Yes)
        return;
    const BusyCursor busy;
    const QString& workDir = m_services.folders.workDir;
    const auto vlo = projectfiles::load(workDir, projectfiles::kVlo);
    const auto slo = projectfiles::load(workDir, projectfiles::kSlo);
    const auto notes = projectfiles::load(workDir, projectfiles::kNotes);
    QList<FileFailure> failures;
    for (const auto* loaded : {&vlo, &slo, &notes}) {
        if (loaded->failure)
            failures.append(*loaded->failure);
    }
    // The check runs beside the editors taking in the texts.
    m_scriptCheck->checkWhileLoading(form, slo.text, vlo.text, [&] {
        form.vlo()->setText(vlo.text);
        form.slo()->setText(slo.text);
    });
    m_notes.setText(notes.text);
    tellFailures(QStringLiteral("PROJECT NOT LOADED"),
                 QStringLiteral("These project files could not be read, so their editors start empty:"),
                 failures);
}

void Workbench::loadForm1024()
{
    m_form1024 = std::make_unique<MainWindow>(layout::table1024());
    MainWindow& form = *m_form1024;
    form.fitIntoScreen();
    connectLayout(form);
    showReadOnlyMark(form);

    // Its first tick gives the focus to VLO and then SLO, unless start-up has already done so.
    connect(form.firstStartTimer(), &QTimer::timeout, this, [this] {
        MainWindow& f = *m_form1024;
        if (!m_state.startupDone) {
            f.vlo()->setFocus();
            f.slo()->setFocus();
            m_state.startupDone = true;
        }
        f.firstStartTimer()->stop();
    });
    form.firstStartTimer()->start();

    form.gameDirBox()->setText(settingsfile::read(m_services.folders.workDir).record.gameDirectory);
    if (m_state.hideInternalHelp)
        form.control(QStringLiteral("Command15"))->hide();

    connect(form.resRecTimer(), &QTimer::timeout, this, [this] {
        m_form1024->resRecTimer()->stop();
        const int width = m_services.screen.screenWidthTwips();
        // A 1024 layout loaded in the background (the backup console creates it on closing)
        // stays hidden; it is shown maximised.
        if (width > 11000 && width < 16500) {
            if (m_form1024->isVisible())
                m_form1024->showMaximized();
            else
                m_form1024->setWindowState(m_form1024->windowState() | Qt::WindowMaximized);
        }
    });
    form.resRecTimer()->start();

    form.applySplitter();
}

MainWindow* Workbench::ensureForm1024()
{
    if (!m_form1024)
        loadForm1024();
    return m_form1024.get();
}

MainWindow* Workbench::activeLayout() const
{
    if (m_form1024 && m_form1024->isVisible())
        return m_form1024.get();
    return m_form800.get();
}

void Workbench::switchLayout(MainWindow& from)
{
    const BusyCursor busy;
    const bool to1024 = from.isLayout800();
    MainWindow& target = to1024 ? *ensureForm1024() : *m_form800;
    // Moving a hidden window forgets that it is maximised; a maximised layout comes back so.
    const bool maximised = target.isMaximized();
    if (maximised) {
        target.showMaximized();
    } else {
        windowplacement::placeOnScreen(target, from.geometry().center());
        target.show();
    }
    target.setEnabled(true);

    if (to1024) {
        target.vlo()->setText(from.vlo()->text());
        target.slo()->setText(from.slo()->text());
        target.gameDirBox()->setText(from.gameDirBox()->text());
        carryCaretAndView(*from.slo(), *target.slo());
        carryCaretAndView(*from.vlo(), *target.vlo());
    } else {
        target.slo()->setText(from.slo()->text());
        target.vlo()->setText(from.vlo()->text());
        target.gameDirBox()->setText(from.gameDirBox()->text());
        carryCaretAndView(*from.slo(), *target.slo());
        carryCaretAndView(*from.vlo(), *target.vlo());
        if (m_state.hideInternalHelp)
            target.control(QStringLiteral("Command15"))->hide();
    }
    // The undo snapshots travel with the texts both ways, so that Undo never brings back a
    // text older than the one the author just left.
    target.sloUndo()->setText(from.sloUndo()->text());
    target.vloUndo()->setText(from.vloUndo()->text());
    UnsavedMark::carryState(from, target);

    from.setEnabled(false);
    from.hide();
    target.activateWindow();
    target.slo()->setFocus();
}

void Workbench::showSign()
{
    if (!m_sign) {
        m_sign = new SignWindow;
        m_sign->adjustSize();
        if (MainWindow* main = activeLayout())
            m_sign->move(main->geometry().center() - QPoint(m_sign->width() / 2, m_sign->height() / 2));
    }
    m_sign->show();
}

void Workbench::openBackupConsole(MainWindow& from)
{
    m_state.consoleFrom800 = from.isLayout800();
    // A console that has just closed is on its way out; the next opening reads the folder anew.
    if (!m_console || m_console->isHidden()) {
        m_console = new BackupConsole(ConsoleContext{
            m_state, m_services.dialogs, m_notes, backupstore::folder(m_services.folders.programDir),
            [this] { return form800(); }, [this] { return ensureForm1024(); }});
    }
    m_console->open();
    // The console gives the input back when it closes.
    from.setEnabled(false);
}
