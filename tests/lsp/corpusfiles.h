// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lspclient.h"
#include "support/tempfolder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// The game's 2.3 skirmish AI, as bytes.
inline QByteArray corpusFile(const char* name)
{
    QFile file(QStringLiteral(QRB_CORPUS_DIR "/2.3/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the corpus file %s", name);
    return file.readAll();
}

// 2.3's player0.slo with one mistake, a misspelt name on line 358, after a Latin-1 letter in a
// comment: `getStructure(factroy, me)`.
inline QByteArray plantedScript()
{
    QList<QByteArray> lines = corpusFile("player0.slo").split('\n');
    lines[357] = "\tstructure /*\xe9*/ = getStructure(factroy, me);";
    return lines.join('\n');
}

// `bytes` written to `name` in the folder and opened in the client; the file's URI.
inline QString openWritten(LspClient& client, const TempFolder& folder, const QString& name,
                           const QByteArray& bytes)
{
    folder.write(name, bytes);
    const QString uri = fileUri(folder.file(name));
    client.open(uri, QString::fromLatin1(bytes));
    return uri;
}

// The game's 2.3 AI in a folder: the script and player0.vlo open in the client, and a second
// value file naming the same script (2.3's player1.vlo) left on disk.
struct Ai {
    TempFolder folder;
    QString script = QString::fromLatin1(corpusFile("player0.slo"));
    QString values = QString::fromLatin1(corpusFile("player0.vlo"));
    QString otherValues =
        QString::fromLatin1(corpusFile("player1.vlo")).replace("player1.slo", "player0.slo");
    QString slo;
    QString vlo;
    QString other;

    explicit Ai(LspClient& client, bool documentChanges = false)
    {
        client.initialize(documentChanges);
        folder.write("player1.vlo", otherValues.toLatin1());
        other = fileUri(folder.file("player1.vlo"));
        slo = openWritten(client, folder, "player0.slo", script.toLatin1());
        vlo = openWritten(client, folder, "player0.vlo", values.toLatin1());
    }
    const QString& textOf(const QString& uri) const
    {
        return uri == slo ? script : uri == vlo ? values : otherValues;
    }
};
