#include "consolefixture.h"

#include "backupconsole/backupconsole.h"
#include "backupconsole/previewwindow.h"
#include "mainwindow/mainwindow.h"

#include <QListView>
#include <QPushButton>
#include <QTest>

void ConsoleFixture::snapshot(const QString& name, const QByteArray& bytes)
{
    root.mkdir(QStringLiteral("prog/backup"));
    root.write(QStringLiteral("prog/backup/") + name, bytes);
}

BackupConsole* ConsoleFixture::openConsole(MainWindow& from)
{
    click(from, QStringLiteral("Command17"));
    return bench->backupConsole();
}

QListView* ConsoleFixture::list(const QString& name) const
{
    BackupConsole* console = bench->backupConsole();
    return console ? console->findChild<QListView*>(name) : nullptr;
}

QStringList ConsoleFixture::names(const QString& listName) const
{
    QStringList out;
    const QListView* view = list(listName);
    for (int row = 0; view && row < view->model()->rowCount(); ++row)
        out << view->model()->index(row, 0).data().toString();
    return out;
}

void ConsoleFixture::doubleClick(const QString& listName, int row) const
{
    QListView* view = list(listName);
    if (!view)
        qFatal("no list %s", qPrintable(listName));
    const QPoint at = row >= 0 ? view->visualRect(view->model()->index(row, 0)).center()
                               : QPoint(10, view->viewport()->height() - 4);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

PreviewWindow* ConsoleFixture::preview() const
{
    BackupConsole* console = bench->backupConsole();
    return console ? console->preview() : nullptr;
}

void ConsoleFixture::clickPreview(const QString& button) const
{
    PreviewWindow* window = preview();
    QPushButton* target = window ? window->findChild<QPushButton*>(button) : nullptr;
    if (!target)
        qFatal("no preview button %s", qPrintable(button));
    QTest::mouseClick(target, Qt::LeftButton);
}
