// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/commandlineexport.h"
#include "app/commandlinelock.h"
#include "app/datafolder.h"
#include "app/workbench.h"
#include "lsp/stdioserver.h"
#include "platform/primaryscreen.h"
#include "platform/qtdialogs.h"
#include "scriptlang/checkcommand.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTextStream>
#include <optional>

namespace {

QTextStream& errorStream()
{
    static QTextStream err(stderr);
    return err;
}

int usageError(const QString& error)
{
    errorStream() << QStringLiteral("qrb2: ") << error << QStringLiteral("\n\n") << commandline::usage()
                  << Qt::flush;
    return commandline::kUsageExit;
}

// Where the program is, where it was started, and what the command line says of the folder.
datafolder::Inputs folderInputs(const commandline::Options& options)
{
    datafolder::Inputs inputs;
    inputs.programDir = QCoreApplication::applicationDirPath();
    inputs.currentDir = QDir::currentPath();
    inputs.userDataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    inputs.folderOption = options.folder;
    return inputs;
}

// Chooses the folder the workbench works in and gives it its shipped data. On failure the
// reason goes to standard error and into `problem`.
std::optional<Folders> workingFolders(const commandline::Options& options, QString& problem)
{
    const datafolder::Choice choice = datafolder::choose(folderInputs(options));
    if (!choice.ok())
        problem = choice.error;
    else if (const FileOutcome prepared = datafolder::prepare(choice.place); !prepared.ok())
        problem =
            QStringLiteral("the data folder could not be set up:\n") + describeFailures(prepared.failures);
    if (!problem.isEmpty()) {
        errorStream() << QStringLiteral("qrb2: ") << problem << QLatin1Char('\n') << Qt::flush;
        return std::nullopt;
    }
    return choice.place.folders;
}

int runWorkbench(QApplication& app, const Folders& folders)
{
    QApplication::setQuitOnLastWindowClosed(false);
    QtDialogs dialogs;
    SystemClock clock;
    DetachedProcessStarter gameStarter;
    PrimaryScreen screen;
    DesktopDocumentOpener documents;
    Workbench workbench(Services{folders, dialogs, clock, gameStarter, screen, documents});
    QObject::connect(
        &workbench, &Workbench::ended, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    // The end of the desktop session takes the road of the window's close.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &workbench,
                     [&workbench](QSessionManager& manager) {
                         if (!workbench.endSession(manager.allowsInteraction()))
                             manager.cancel();
                         else
                             manager.release();
                     });
    workbench.start();
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    commandline::Options options = commandline::parse(arguments, true);

    // The data folder is ~/.local/share/qrb2; boxes show "QRB2".
    QCoreApplication::setApplicationName(QStringLiteral("qrb2"));

    switch (options.action) {
    case commandline::Action::Error:
        return usageError(options.error);
    case commandline::Action::Help:
        QTextStream(stdout) << commandline::usage();
        return 0;
    case commandline::Action::Version:
        QTextStream(stdout) << commandline::versionText();
        return 0;
    case commandline::Action::LanguageServer: {
        // No window, no data folder: the editor sends the texts.
        QCoreApplication app(argc, argv);
        return lsp::runLanguageServer();
    }
    case commandline::Action::Export:
    case commandline::Action::Check:
    case commandline::Action::RunWorkbench:
        break;
    }

    // A folder that is not there is told before anything needs a display.
    if (options.hasFolder()) {
        datafolder::Inputs inputs;
        inputs.folderOption = options.folder;
        const datafolder::Choice choice = datafolder::choose(inputs);
        if (!choice.ok()) {
            errorStream() << QStringLiteral("qrb2: ") << choice.error << QLatin1Char('\n') << Qt::flush;
            return 1;
        }
    }

    if (options.action == commandline::Action::Check) {
        // No window and nothing created: the project is read where the workbench keeps it.
        QCoreApplication app(argc, argv);
        const datafolder::Choice choice = datafolder::choose(folderInputs(options));
        QTextStream out(stdout);
        return scriptlang::runCheckCommand(options.checkFiles, choice.place.folders.workDir, out,
                                           errorStream());
    }

    if (options.action == commandline::Action::Export) {
        // No window: this runs without a display.
        QCoreApplication app(argc, argv);
        QString problem;
        const std::optional<Folders> folders = workingFolders(options, problem);
        if (!folders)
            return 1;
        SystemClock clock;
        return commandline::runLocked(*folders, errorStream(), [&] {
            return commandline::runExport(*folders, options.exportKind, clock, errorStream(), options.force);
        });
    }

    QApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("QRB2"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.qrb2.workbench"));
    if (!options.toolkitOptions.isEmpty()) {
        // The toolkit has taken the options it knows; anything left is unknown.
        options = commandline::parse(QCoreApplication::arguments().mid(1));
        if (options.action == commandline::Action::Error)
            return usageError(options.error);
    }
    QString problem;
    const std::optional<Folders> folders = workingFolders(options, problem);
    if (!folders) {
        // Started from the desktop's menu, nobody reads standard error.
        QtDialogs dialogs;
        dialogs.tell(kApplicationTitle, QStringLiteral("QRB2 cannot start: ") + problem,
                     Dialogs::Icon::Critical);
        return 1;
    }
    return runWorkbench(app, *folders);
}
