// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/helpcommands.h"

#include "mainwindow/builtinhelp.h"
#include "mainwindow/externalhelp.h"
#include "mainwindow/helpwindow.h"
#include "platform/dialogs.h"
#include "platform/documentopener.h"

#include <QDir>

namespace {
const QString kExternalTitle = QStringLiteral("EXTERNAL HELP");
}

HelpCommands::HelpCommands(const QString& workDir, Dialogs& dialogs, DocumentOpener& opener,
                           qint32& seekPosition)
    : m_workDir(workDir), m_dialogs(dialogs), m_opener(opener), m_seekPosition(seekPosition)
{
}

HelpCommands::~HelpCommands()
{
    delete m_window;
}

HelpWindow* HelpCommands::helpWindow() const
{
    return m_window;
}

void HelpCommands::showInternalHelp(QWidget* near)
{
    if (!m_window) {
        m_window = new HelpWindow(m_workDir, m_dialogs, m_seekPosition);
        if (near)
            m_window->move(near->geometry().center() - QPoint(m_window->width() / 2, m_window->height() / 2));
    }
    m_window->show();
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}

void HelpCommands::openExternalHelp()
{
    const externalhelp::Copy copy = externalhelp::place(m_opener.cacheFolder(), builtinhelp::scriptlangRtf());
    if (copy.failure) {
        m_dialogs.tell(
            kExternalTitle,
            QStringLiteral("The reference document could not be written, so it cannot be opened:\n") +
                describeFailures({*copy.failure}),
            Dialogs::Icon::Critical);
        return;
    }
    if (!m_opener.open(copy.path)) {
        m_dialogs.tell(kExternalTitle,
                       QStringLiteral("No application of this desktop opened the reference document. "
                                      "Open it with a word processor; it is here:\n") +
                           QDir::toNativeSeparators(copy.path),
                       Dialogs::Icon::Information);
    }
}
