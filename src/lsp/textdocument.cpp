// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/textdocument.h"

#include <QFileInfo>
#include <algorithm>

namespace lsp {

LineIndex::LineIndex(const QString& text) : m_text(text)
{
    m_starts.append(0);
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c == u'\n') {
            m_starts.append(i + 1);
        } else if (c == u'\r') {
            if (i + 1 < size && data[i + 1].unicode() == u'\n')
                ++i;
            m_starts.append(i + 1);
        }
    }
}

qsizetype LineIndex::lineEnd(int line) const
{
    if (line + 1 >= m_starts.size())
        return m_text.size();
    qsizetype end = m_starts.at(line + 1) - 1;
    if (end > m_starts.at(line) && m_text.at(end) == u'\n' && m_text.at(end - 1) == u'\r')
        --end;
    return end;
}

qsizetype LineIndex::offset(const Position& position) const
{
    if (position.line < 0 || position.line >= m_starts.size() || position.character < 0)
        return -1;
    const qsizetype start = m_starts.at(position.line);
    return qMin(start + position.character, lineEnd(position.line));
}

Position LineIndex::position(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_text.size());
    const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), offset);
    const int line = int(after - m_starts.cbegin()) - 1;
    const qsizetype start = m_starts.at(line);
    return Position{line, int(qMin(offset, lineEnd(line)) - start)};
}

QJsonObject toJson(const Position& position)
{
    return QJsonObject{{QStringLiteral("line"), position.line},
                       {QStringLiteral("character"), position.character}};
}

QJsonObject rangeJson(const LineIndex& lines, qsizetype from, qsizetype to)
{
    return QJsonObject{{QStringLiteral("start"), toJson(lines.position(from))},
                       {QStringLiteral("end"), toJson(lines.position(to))}};
}

bool fromJson(const QJsonValue& value, Position& position)
{
    const QJsonObject object = value.toObject();
    position.line = object.value(QStringLiteral("line")).toInt(-1);
    position.character = object.value(QStringLiteral("character")).toInt(-1);
    return position.line >= 0 && position.character >= 0;
}

DocumentKind kindOf(const QString& path, const QString& languageId)
{
    const QString name = QFileInfo(path).fileName();
    if (name.compare(QLatin1String("SLO.qrb"), Qt::CaseInsensitive) == 0)
        return DocumentKind::ProjectScript;
    if (name.compare(QLatin1String("VLO.qrb"), Qt::CaseInsensitive) == 0)
        return DocumentKind::ProjectValues;
    const QString suffix =
        name.contains(QLatin1Char('.')) ? name.section(QLatin1Char('.'), -1).toLower() : QString();
    if (suffix == QLatin1String("slo") || (suffix.isEmpty() && languageId == QLatin1String("slo")))
        return DocumentKind::Script;
    if (suffix == QLatin1String("vlo") || (suffix.isEmpty() && languageId == QLatin1String("vlo")))
        return DocumentKind::Values;
    return DocumentKind::Other;
}

bool applyChanges(QString& text, const QJsonArray& changes, QString& problem)
{
    QString result = text;
    for (const auto& value : changes) {
        const QJsonObject change = value.toObject();
        const QJsonValue newText = change.value(QStringLiteral("text"));
        if (!newText.isString()) {
            problem = QStringLiteral("a change without its text");
            return false;
        }
        if (!change.contains(QStringLiteral("range"))) {
            result = newText.toString();
            continue;
        }
        const QJsonObject range = change.value(QStringLiteral("range")).toObject();
        Position start;
        Position end;
        if (!fromJson(range.value(QStringLiteral("start")), start) ||
            !fromJson(range.value(QStringLiteral("end")), end)) {
            problem = QStringLiteral("a change whose range is not two positions");
            return false;
        }
        const LineIndex lines(result);
        const qsizetype from = lines.offset(start);
        const qsizetype to = lines.offset(end);
        if (from < 0 || to < 0 || to < from) {
            problem = QStringLiteral("a change at line %1 of a text of %2 lines")
                          .arg(qMax(start.line, end.line) + 1)
                          .arg(lines.lineCount());
            if (from >= 0 && to >= 0)
                problem = QStringLiteral("a change whose range ends before it starts");
            return false;
        }
        result.replace(from, to - from, newText.toString());
    }
    text = std::move(result);
    return true;
}

} // namespace lsp
