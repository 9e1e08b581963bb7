// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/appfixture.h"

#include "mainwindow/mainwindow.h"

#include <QTest>

AppFixture::AppFixture()
{
    root.mkdir(QStringLiteral("prog"));
    root.mkdir(QStringLiteral("work"));
}

AppFixture::~AppFixture()
{
    bench.reset();
}

void AppFixture::prepareProject(const QByteArray& slo, const QByteArray& vlo, const QByteArray& notes,
                                const QByteArray& settings)
{
    root.write(QStringLiteral("work/SLO.qrb"), slo);
    root.write(QStringLiteral("work/VLO.qrb"), vlo);
    root.write(QStringLiteral("work/Notes.qrb"), notes);
    root.write(QStringLiteral("work/QRB_DATA.DAT"), settings);
}

bool AppFixture::start()
{
    bench = std::make_unique<Workbench>(
        Services{folders, dialogs, clock, starter, screen, opener, gameFolders, programFolders});
    bench->start();
    return QTest::qWaitFor([this] { return bench->form800() && bench->form800()->isVisible(); }, 5000);
}

MainWindow& AppFixture::form800() const
{
    return *bench->form800();
}

void AppFixture::click(MainWindow& window, const QString& name) const
{
    QWidget* area = window.control(name);
    if (!area)
        qFatal("no control %s", qPrintable(name));
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, area->rect().center());
}
