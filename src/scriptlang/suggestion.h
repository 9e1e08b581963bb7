// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace scriptlang {

// The name an author most likely meant by one the checker does not know: the closest candidate
// by edits (a letter added, dropped, changed, or two swapped), letter case costing nothing, and
// only when few enough edits for the name's length. Ties go to the alphabetically first name, so
// the hint is the same on every run.
class NameSuggestion {
public:
    explicit NameSuggestion(QStringView wrong);

    void consider(QStringView candidate);

    // ": did you mean 'name'?", or empty when no candidate came close.
    QString hint() const;

private:
    int distance(QStringView candidate, int limit) const;

    QString m_wrong; // case-folded
    QStringView m_original;
    QString m_best;
    int m_bestDistance;
};

} // namespace scriptlang
