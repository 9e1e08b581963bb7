// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/suggestion.h"

#include <QVarLengthArray>
#include <algorithm>

namespace scriptlang {

namespace {

// Edits allowed for a name of `length` characters: one for a short name, up to three.
int allowedEdits(qsizetype length)
{
    return length <= 3 ? 1 : length <= 7 ? 2 : 3;
}

} // namespace

NameSuggestion::NameSuggestion(QStringView wrong)
    : m_wrong(wrong.toString().toCaseFolded()), m_original(wrong),
      m_bestDistance(allowedEdits(wrong.size()) + 1)
{
}

void NameSuggestion::consider(QStringView candidate)
{
    if (candidate.isEmpty() || candidate == m_original)
        return;
    const int d = distance(candidate, m_bestDistance);
    if (d < m_bestDistance || (d == m_bestDistance && !m_best.isEmpty() && candidate < QStringView(m_best))) {
        m_bestDistance = d;
        m_best = candidate.toString();
    }
}

QString NameSuggestion::hint() const
{
    return m_best.isEmpty() ? QString() : QStringLiteral(": did you mean '%1'?").arg(m_best);
}

// Optimal string alignment distance between the folded wrong name and `candidate`, or `limit`
// + 1 as soon as it is sure to exceed `limit`.
int NameSuggestion::distance(QStringView candidate, int limit) const
{
    const qsizetype n = m_wrong.size();
    const qsizetype m = candidate.size();
    if (qAbs(n - m) > limit)
        return limit + 1;
    const QString other = candidate.toString().toCaseFolded();
    QVarLengthArray<int, 64> before(m + 1), previous(m + 1), current(m + 1);
    for (qsizetype j = 0; j <= m; ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        current[0] = int(i);
        int rowBest = current[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const int cost = m_wrong[i - 1] == other[j - 1] ? 0 : 1;
            int d = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && m_wrong[i - 1] == other[j - 2] && m_wrong[i - 2] == other[j - 1])
                d = std::min(d, before[j - 2] + 1);
            current[j] = d;
            rowBest = std::min(rowBest, d);
        }
        if (rowBest > limit)
            return limit + 1;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

} // namespace scriptlang
