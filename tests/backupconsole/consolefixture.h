#pragma once

#include "support/appfixture.h"

class BackupConsole;
class MainWindow;
class PreviewWindow;
class QListView;

// The whole program with a filled backup folder and helpers to work the console as the
// author does: click BACKUPS, double-click names, press the preview's buttons.
struct ConsoleFixture : AppFixture {
    // Writes one file into the program's backup folder.
    void snapshot(const QString& name, const QByteArray& bytes);
    // Clicks Command17 of the window and returns the console it opened.
    BackupConsole* openConsole(MainWindow& from);
    QListView* list(const QString& name) const;
    QStringList names(const QString& listName) const;
    // Double-clicks the row of the list, or, for -1, the empty space below its last entry.
    void doubleClick(const QString& listName, int row) const;
    PreviewWindow* preview() const;
    void clickPreview(const QString& button) const;
};
