// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scriptlang/checker.h"

#include <QFile>
#include <QStringList>
#include <QtGlobal>

// Shared by the checker's tests: a file of the game's scripts, and findings as comparable lines.
inline QString corpusText(const QString& relativePath)
{
    QFile file(QStringLiteral(QRB_CORPUS_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("corpus file missing: %s", qPrintable(relativePath));
    return QString::fromLatin1(file.readAll());
}

inline QStringList described(const scriptlang::Findings& findings)
{
    using scriptlang::Severity;
    using scriptlang::TextKind;
    QStringList lines;
    for (const scriptlang::Finding& f : findings)
        lines.append(QStringLiteral("%1 %2 %3:%4 %5")
                         .arg(f.severity == Severity::Error ? "error" : "warning",
                              f.text == TextKind::Slo ? "SLO" : "VLO")
                         .arg(f.line)
                         .arg(f.column)
                         .arg(f.message));
    return lines;
}
