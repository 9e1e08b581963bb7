#include "app/workbench.h"
#include "platform/primaryscreen.h"
#include "platform/qtdialogs.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
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
    workbench.start();
    return app.exec();
}
