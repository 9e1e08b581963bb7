// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/scripteditor.h"
#include "mainwindow/mainwindow.h"
#include "support/appfixture.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QTest>

// A file of the game's own scripts in tests/data/corpus, as its bytes.
inline QByteArray corpusFile(const QString& relative)
{
    QFile file(QStringLiteral(QRB_CORPUS_DIR "/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lines "<prefix>1" to "<prefix>count", parted by CR LF.
inline QByteArray numberedLines(int count, const QByteArray& prefix = "line ")
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += prefix + QByteArray::number(i) + (i < count ? "\r\n" : "");
    return text;
}

// The snapshots taken before a search or a jump.
inline QStringList seekSnapshots(const AppFixture& f)
{
    return f.root.entries(QStringLiteral("prog/backup")).filter(QStringLiteral("_BEFORESEEK"));
}

// Each row of a model as its cells parted by '|'.
inline QStringList modelRows(const QAbstractItemModel* model)
{
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data().toString());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// The shown top-level window of that object name, if any.
template <typename Window = QWidget> Window* shownWindow(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return qobject_cast<Window*>(w);
    }
    return nullptr;
}

// The caret's line stands within a line of the middle of the editor.
inline bool inTheMiddle(ScriptEditor* editor)
{
    return qAbs(editor->cursorRect().center().y() - editor->viewport()->height() / 2) <=
           editor->cursorRect().height();
}

// The program over project files of the given texts, with a settings file so that no first-start
// box comes; start() is left to the test.
struct ProjectApp : AppFixture {
    explicit ProjectApp(const QByteArray& slo = {}, const QByteArray& vlo = {}, const QByteArray& notes = {})
    {
        prepareProject(slo, vlo, notes);
    }
    ProjectApp(const QByteArray& slo, const QByteArray& vlo, const QByteArray& notes,
               const QByteArray& settings)
    {
        prepareProject(slo, vlo, notes, settings);
    }
    // Starts the program with its window active, so that its keys reach it.
    bool startActive()
    {
        if (!start())
            return false;
        form800().activateWindow();
        return QTest::qWaitForWindowActive(&form800());
    }
};
