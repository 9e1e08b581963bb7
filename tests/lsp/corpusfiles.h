// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// Line `line` (1-based) of a text replaced.
inline QByteArray withLine(const QByteArray& text, int line, const QByteArray& replacement)
{
    QList<QByteArray> lines = text.split('\n');
    lines[line - 1] = replacement;
    return lines.join('\n');
}

// 2.3's player0.slo with one mistake, a misspelt name on line 358, after a Latin-1 letter in a
// comment: `getStructure(factroy, me)`.
inline QByteArray plantedScript()
{
    return withLine(corpusFile("player0.slo"), 358, "\tstructure /*\xe9*/ = getStructure(factroy, me);");
}
