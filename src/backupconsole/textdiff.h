// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A line diff of two texts, as the compare view shows it: the lines of both texts in one
// column, those only in the old text marked removed, those only in the new text marked added,
// each with its line number on its own side. CR LF and LF breaks count alike.
namespace textdiff {

enum class LineKind { Same, Removed, Added };

struct Line {
    LineKind kind;
    // Line numbers from 1; 0 on the side that has no such line.
    int oldNumber;
    int newNumber;
    QString text;
    bool operator==(const Line&) const = default;
};

struct Result {
    QList<Line> lines;
    // Index into `lines` of the first line of each run of removed and added lines.
    QList<int> changeStarts;
    // In each run, a removed line paired with an added one counts as one changed line; the
    // rest are removed or added.
    int changed = 0;
    int removed = 0;
    int added = 0;

    bool identical() const { return changeStarts.isEmpty(); }
};

// The lines of a text: split at CR LF or LF; an empty text has none, a text that ends with a
// break has an empty last line, as an editor shows it.
QStringList splitLines(const QString& text);

// In each run of changes the removed lines come before the added ones.
Result compare(const QString& oldText, const QString& newText);

// "no differences", or for example "2 changes: 1 line changed, 3 removed, 0 added".
QString summary(const Result& result);

} // namespace textdiff
