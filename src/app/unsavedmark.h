// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class MainWindow;
class QLabel;

// A mark in the title strip of a main window while its script or variable list holds changes
// that no save has written: none right after a load or a save, and none again when Ctrl+Z
// goes back to the saved text.
class UnsavedMark : public QObject {
    Q_OBJECT
public:
    explicit UnsavedMark(MainWindow& window);

    // The texts as they stand are saved (or just loaded).
    static void markSaved(MainWindow& window);
    // The target layout takes the source's state along with its texts.
    static void carryState(const MainWindow& from, MainWindow& to);

private:
    void refresh();

    MainWindow& m_window;
    QLabel* m_mark;
};
