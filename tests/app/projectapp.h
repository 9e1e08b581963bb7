// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/mainwindow.h"
#include "support/appfixture.h"

#include <QFile>
#include <QTest>

// A file of the game's own scripts in tests/data/corpus, as its bytes.
inline QByteArray corpusFile(const QString& relative)
{
    QFile file(QStringLiteral(QRB_CORPUS_DIR "/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
