// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

class Dialogs;
class DocumentOpener;
class HelpWindow;
class QWidget;

// The main window's two help commands: "Internal Help" shows the help window HELP1,
// "External Help" opens the built-in reference document in the desktop's application.
class HelpCommands {
public:
    HelpCommands(const QString& workDir, Dialogs& dialogs, DocumentOpener& opener, qint32& seekPosition);
    ~HelpCommands();
    HelpCommands(const HelpCommands&) = delete;
    HelpCommands& operator=(const HelpCommands&) = delete;

    // Shows HELP1 modeless, loading it first when it is not open, and brings it to the front.
    // A new window is placed over the centre of `near`.
    void showInternalHelp(QWidget* near);
    // Copies Scriptlang.rtf into the cache folder and has the desktop open it; when that
    // fails, tells the author why, and where the file is when it could be written.
    void openExternalHelp();

    // The open help window, or null.
    HelpWindow* helpWindow() const;

private:
    QString m_workDir;
    Dialogs& m_dialogs;
    DocumentOpener& m_opener;
    qint32& m_seekPosition;
    QPointer<HelpWindow> m_window;
};
