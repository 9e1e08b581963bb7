#include "app/workbench.h"
#include "platform/primaryscreen.h"
#include "platform/qtdialogs.h"
#include "scriptlang/checkcommand.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // `qrb --check [SCRIPT.slo [VARIABLES.vlo]]` needs no window and no display.
    if (argc > 1 && qstrcmp(argv[1], "--check") == 0) {
        QCoreApplication core(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return scriptlang::runCheckCommand(QCoreApplication::arguments().mid(2), QDir::currentPath(), out, err);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QRB2"));
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    SystemClock clock;
    DetachedProcessStarter gameStarter;
    PrimaryScreen screen;
    DesktopDocumentOpener documents;
    const Folders folders{QCoreApplication::applicationDirPath(), QDir::currentPath()};
    Workbench workbench(Services{folders, dialogs, clock, gameStarter, screen, documents});
    QObject::connect(&workbench, &Workbench::ended, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
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
