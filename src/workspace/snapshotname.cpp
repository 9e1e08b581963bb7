// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/snapshotname.h"

#include "workspace/backupstore.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace snapshotname {

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

QString withKnownSuffix(SaveKind kind)
{
    switch (kind) {
    case SaveKind::Manual:
        return QStringLiteral("Manual save");
    case SaveKind::Exit:
        return QStringLiteral("Exit save");
    case SaveKind::BeforeCompile:
        return QStringLiteral("Save before export");
    case SaveKind::BeforeSeek:
        return QStringLiteral("Save before search or go to line, or when the system closed the window");
    case SaveKind::Other:
        break;
    }
    return QString();
}

SaveKind kindOf(const QString& suffix)
{
    const std::pair<const QString&, SaveKind> known[] = {
        {backupstore::kSuffixManual, SaveKind::Manual},
        {backupstore::kSuffixExit, SaveKind::Exit},
        {backupstore::kSuffixBeforeCompile, SaveKind::BeforeCompile},
        {backupstore::kSuffixBeforeSeek, SaveKind::BeforeSeek},
    };
    for (const auto& [text, kind] : known)
        if (suffix.compare(text, Qt::CaseInsensitive) == 0)
            return kind;
    return SaveKind::Other;
}

QString sizeWords(qint64 size)
{
    if (size == 0)
        return QStringLiteral("0 bytes (empty)");
    return kEnglish.toString(size) + (size == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes"));
}

} // namespace

std::optional<Parts> parse(const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.*?\\.qrb)(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})_(\\d{1,2})-(\\d{1,2})-(\\d{1,2})"
                       "(_[A-Za-z]+)(?:_(\\d{1,6}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    auto number = [&](int group) { return match.capturedView(group).toInt(); };
    const QDate date(number(4), number(3), number(2));
    const QTime time(number(5), number(6), number(7));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    Parts parts;
    parts.projectFile = match.captured(1);
    parts.when = QDateTime(date, time, Qt::UTC); // the stamp as written, without daylight saving
    parts.suffix = match.captured(8);
    parts.kind = kindOf(parts.suffix);
    if (match.hasCaptured(9))
        parts.number = number(9);
    return parts;
}

QString kindWords(const Parts& parts)
{
    QString words = withKnownSuffix(parts.kind);
    if (words.isEmpty())
        words = QStringLiteral("Save of an unknown kind (%1)").arg(parts.suffix);
    if (parts.number > 1)
        words += QStringLiteral(" (snapshot %1 of that second)").arg(parts.number);
    return words;
}

QString timeWords(const QDateTime& when)
{
    return kEnglish.toString(when.date(), QStringLiteral("dddd, d MMMM yyyy")) + QStringLiteral(" at ") +
           when.time().toString(QStringLiteral("H:mm:ss"));
}

QString describe(const QString& name, std::optional<qint64> size, int linkCount)
{
    QStringList lines;
    if (const std::optional<Parts> parts = parse(name))
        lines << timeWords(parts->when) << kindWords(*parts);
    else
        lines << QStringLiteral("No save time in this name: not made by a save");
    lines << (size ? sizeWords(*size) : QStringLiteral("Size unknown: the file could not be read"));
    if (linkCount > 1) {
        lines << (linkCount == 2
                      ? QStringLiteral("Same bytes as 1 other snapshot, stored once")
                      : QStringLiteral("Same bytes as %1 other snapshots, stored once").arg(linkCount - 1));
    }
    return lines.join(QLatin1Char('\n'));
}

void sortByTime(QStringList& names)
{
    struct Keyed {
        QString name;
        std::optional<Parts> parts;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (const QString& name : std::as_const(names))
        keyed.push_back({name, parse(name)});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (a.parts.has_value() != b.parts.has_value())
            return a.parts.has_value();
        if (a.parts && a.parts->when != b.parts->when)
            return a.parts->when < b.parts->when;
        if (a.parts && a.parts->number != b.parts->number)
            return a.parts->number < b.parts->number;
        const int folded = QString::compare(a.name, b.name, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    names.clear();
    for (const Keyed& k : keyed)
        names.append(k.name);
}

} // namespace snapshotname
