// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backupconsole/backupconsole.h"
#include "backupconsole/previewwindow.h"
#include "backupconsole/snapshotlist.h"
#include "mainwindow/mainwindow.h"
#include "support/appfixture.h"

#include <QDir>
#include <QListView>
#include <QPushButton>
#include <QTest>

inline const QString kSlo = QStringLiteral("SLO.qrb1.12.2026_10-0-0_MANUAL");
inline const QString kVlo = QStringLiteral("VLO.qrb1.12.2026_10-0-0_MANUAL");
// The block "add selected" appends to the notes around the chosen text.
inline const QByteArray kNotesHeader = "\r\n\r\n///////// SCRIPT IMPORTED FROM BACKUP: ///////// \r\n";
inline const QByteArray kNotesFooter = "\r\n///////// BACKUP SCRIPT END: /////////";

// The whole program with a backup folder, worked as the author works the console: click
// BACKUPS, double-click names, press the preview's buttons.
struct Bench : AppFixture {
    explicit Bench(const QByteArray& slo = "", const QByteArray& vlo = "", const QByteArray& notes = "")
    {
        prepareProject(slo, vlo, notes);
    }
    QString backup() const { return QDir(folders.programDir).filePath(QStringLiteral("backup")); }
    void snapshot(const QString& name, const QByteArray& bytes) const
    {
        root.mkdir(QStringLiteral("prog/backup"));
        root.write(QStringLiteral("prog/backup/") + name, bytes);
    }
    BackupConsole* console() const { return bench->backupConsole(); }
    BackupConsole* open(MainWindow& from) const
    {
        return click(from, QStringLiteral("Command17")), console();
    }
    QListView* list(const char* name) const { return console()->findChild<QListView*>(name); }
    QStringList names(const char* name) const { return console()->findChild<SnapshotList*>(name)->names(); }
    // Double-clicks the row of the list, or, for -1, the empty space below its last entry.
    void doubleClick(const char* name, int row) const
    {
        QListView* view = list(name);
        const QPoint at = row >= 0 ? view->visualRect(view->model()->index(row, 0)).center()
                                   : QPoint(10, view->viewport()->height() - 4);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    PreviewWindow* preview() const { return console() ? console()->preview() : nullptr; }
    PreviewWindow* openPreview(MainWindow& from, const char* name) const
    {
        open(from);
        doubleClick(name, 0);
        return preview();
    }
    void press(const char* name) const
    {
        QTest::mouseClick(preview()->findChild<QPushButton*>(name), Qt::LeftButton);
    }
};
