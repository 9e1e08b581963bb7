// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupconsole/textdiff.h"

#include <QHash>
#include <algorithm>
#include <dtl/dtl.hpp>
#include <vector>

namespace textdiff {

namespace {

// Each distinct line gets a number, so the diff compares integers instead of strings.
struct LineIds {
    QHash<QStringView, int> ids;
    int id(QStringView line)
    {
        const auto known = ids.constFind(line);
        if (known != ids.cend())
            return *known;
        const int next = int(ids.size());
        ids.insert(line, next);
        return next;
    }
};

class Builder {
public:
    Builder(const QStringList& oldLines, const QStringList& newLines, Result& result)
        : m_old(oldLines), m_new(newLines), m_result(result)
    {
    }

    void same(int count)
    {
        flushRun();
        for (int i = 0; i < count; ++i) {
            m_result.lines.append({LineKind::Same, m_oldAt + 1, m_newAt + 1, m_old.at(m_oldAt)});
            ++m_oldAt;
            ++m_newAt;
        }
    }
    void removed() { m_runRemoved.append(m_oldAt++); }
    void added() { m_runAdded.append(m_newAt++); }

    void flushRun()
    {
        if (m_runRemoved.isEmpty() && m_runAdded.isEmpty())
            return;
        m_result.changeStarts.append(int(m_result.lines.size()));
        for (int at : m_runRemoved)
            m_result.lines.append({LineKind::Removed, at + 1, 0, m_old.at(at)});
        for (int at : m_runAdded)
            m_result.lines.append({LineKind::Added, 0, at + 1, m_new.at(at)});
        const int paired = int(std::min(m_runRemoved.size(), m_runAdded.size()));
        m_result.changed += paired;
        m_result.removed += int(m_runRemoved.size()) - paired;
        m_result.added += int(m_runAdded.size()) - paired;
        m_runRemoved.clear();
        m_runAdded.clear();
    }

private:
    const QStringList& m_old;
    const QStringList& m_new;
    Result& m_result;
    int m_oldAt = 0;
    int m_newAt = 0;
    QList<int> m_runRemoved;
    QList<int> m_runAdded;
};

QString counted(int n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

} // namespace

QStringList splitLines(const QString& text)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    qsizetype from = 0;
    while (true) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), from);
        if (lf < 0) {
            lines.append(text.mid(from));
            return lines;
        }
        const qsizetype end = lf > from && text.at(lf - 1) == QLatin1Char('\r') ? lf - 1 : lf;
        lines.append(text.mid(from, end - from));
        from = lf + 1;
    }
}

Result compare(const QString& oldText, const QString& newText)
{
    const QStringList oldLines = splitLines(oldText);
    const QStringList newLines = splitLines(newText);
    Result result;
    result.lines.reserve(std::max(oldLines.size(), newLines.size()));
    Builder builder(oldLines, newLines, result);

    // The common head and tail need no diff; most snapshots differ from the editor in a
    // few places only.
    const int oldCount = int(oldLines.size());
    const int newCount = int(newLines.size());
    int head = 0;
    while (head < oldCount && head < newCount && oldLines.at(head) == newLines.at(head))
        ++head;
    int tail = 0;
    while (tail < oldCount - head && tail < newCount - head &&
           oldLines.at(oldCount - 1 - tail) == newLines.at(newCount - 1 - tail))
        ++tail;
    builder.same(head);

    LineIds ids;
    std::vector<int> oldIds;
    std::vector<int> newIds;
    oldIds.reserve(size_t(oldCount - head - tail));
    newIds.reserve(size_t(newCount - head - tail));
    for (int i = head; i < oldCount - tail; ++i)
        oldIds.push_back(ids.id(oldLines.at(i)));
    for (int i = head; i < newCount - tail; ++i)
        newIds.push_back(ids.id(newLines.at(i)));

    if (!oldIds.empty() || !newIds.empty()) {
        dtl::Diff<int, std::vector<int>> diff(oldIds, newIds);
        diff.compose();
        const auto sequence = diff.getSes().getSequence();
        for (const auto& [id, info] : sequence) {
            Q_UNUSED(id);
            if (info.type == dtl::SES_COMMON)
                builder.same(1);
            else if (info.type == dtl::SES_DELETE)
                builder.removed();
            else
                builder.added();
        }
    }
    builder.same(tail);
    builder.flushRun();
    return result;
}

QString summary(const Result& result)
{
    if (result.identical())
        return QStringLiteral("no differences");
    return counted(int(result.changeStarts.size()), "change", "changes") + QStringLiteral(": ") +
           counted(result.changed, "line changed", "lines changed") + QStringLiteral(", ") +
           QString::number(result.removed) + QStringLiteral(" removed, ") + QString::number(result.added) +
           QStringLiteral(" added");
}

} // namespace textdiff
