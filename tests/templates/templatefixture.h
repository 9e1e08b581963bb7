#pragma once

#include "support/tempfolder.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Component lists whose entries tell their place: weapons W0..W32, bodies B0..B13, propulsions
// P0..P3 and the second propulsions Q0..Q3, so that a line shows which indices made it.
QByteArray numberedLines(const char* prefix, int count);
void writeNumberedRtsLists(const TempFolder& folder, const QString& rts = QStringLiteral("RTS"));

// The lines of a file, each of which must end with CR LF; a last line without it is marked.
QList<QByteArray> fileLines(const QByteArray& bytes);
