// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/helpentries.h"

#include "scriptlang/symbolindex.h"

#include <QFile>
#include <QHash>

namespace scriptlang {

namespace {

// The last word of each comma-separated part: "ref INT x" gives x.
QStringList lastWords(QStringView list)
{
    QStringList names;
    for (QStringView part : list.split(u',')) {
        part = part.trimmed();
        qsizetype start = part.size();
        while (start > 0 && isNameChar(part[start - 1]))
            --start;
        names.append(part.mid(start).toString());
    }
    return names;
}

// The place of `name` as an entry of the head line: at its start or after ", ", followed by
// '(' (a function), ',' or the line's end (a callback).
qsizetype entryStart(QStringView line, QStringView name)
{
    for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1)) {
        const bool startsEntry = at == 0 || line.mid(0, at).endsWith(QLatin1StringView(", "));
        const qsizetype after = at + name.size();
        const bool endsName = after == line.size() || line[after] == u'(' || line[after] == u',';
        if (startsEntry && endsName)
            return at;
    }
    return -1;
}

} // namespace

std::optional<HelpEntry> findHelpEntry(const QString& helpText, const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    const QList<QStringView> lines = QStringView(helpText).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i].trimmed();
        if (lines[i].isEmpty() || lines[i][0].isSpace())
            continue;
        const qsizetype at = entryStart(line, name);
        if (at < 0)
            continue;
        HelpEntry entry;
        entry.head = line.toString();
        const QStringView rest = line.mid(at + name.size());
        if (rest.startsWith(u'(')) {
            const qsizetype close = rest.indexOf(u')');
            const QStringView inside = rest.mid(1, close < 0 ? -1 : close - 1);
            if (!inside.trimmed().isEmpty())
                entry.parameterNames = lastWords(inside);
        } else if (rest.startsWith(u',')) {
            entry.parameterNames = lastWords(rest.mid(1));
        }
        QStringList description;
        for (qsizetype j = i + 1; j < lines.size() && lines[j].startsWith(QLatin1StringView("    ")); ++j)
            description.append(lines[j].trimmed().toString());
        entry.description = description.join(u' ');
        return entry;
    }
    return std::nullopt;
}

std::optional<HelpEntry> helpEntry(const QString& name)
{
    static const QString text = [] {
        QFile file(QStringLiteral(":/script-help/Help.qrb"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).remove(u'\r') : QString();
    }();
    return findHelpEntry(text, name);
}

} // namespace scriptlang
