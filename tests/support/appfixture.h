// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/workbench.h"
#include "support/recordingopener.h"
#include "support/scripteddialogs.h"
#include "support/tempfolder.h"

#include <memory>

class MainWindow;

// The whole program in a temporary program folder and working folder, with scripted boxes,
// a fixed clock, a recording game starter and a screen of a given width.
struct AppFixture {
    TempFolder root;
    Folders folders{root.file(QStringLiteral("prog")), root.file(QStringLiteral("work"))};
    ScriptedDialogs dialogs;
    FixedClock clock{QTime(9, 5, 7), QDate(2026, 12, 5)};
    RecordingStarter starter;
    FixedScreen screen{15360 * 2};
    RecordingOpener opener{root.file(QStringLiteral("cache"))};
    // None of the desktop's own: a test names the game folders and program folders it needs.
    QStringList gameFolders;
    QStringList programFolders;
    std::unique_ptr<Workbench> bench;

    AppFixture();
    ~AppFixture();

    // Writes a settings file and project files, so that no first-start box comes.
    void prepareProject(const QByteArray& slo, const QByteArray& vlo, const QByteArray& notes,
                        const QByteArray& settings = "\"GAME\",#FALSE#\r\n");
    // Starts the program and waits for the 800 layout to be shown.
    bool start();
    MainWindow& form800() const;
    QByteArray work(const QString& name) const { return root.read(QStringLiteral("work/") + name); }
    void click(MainWindow& window, const QString& name) const;
};
