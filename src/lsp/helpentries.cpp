// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/helpentries.h"

#include "scriptlang/builtins.h"

#include <QFile>
#include <QRegularExpression>

namespace lsp {

namespace {

bool isBuiltin(const QString& name)
{
    const scriptlang::Builtins& b = scriptlang::builtins();
    return b.functions.contains(name) || b.callbacks.contains(name);
}

// The builtins a heading line names: its first word, and each later `name(`.
QStringList headingNames(const QString& line)
{
    static const QRegularExpression first(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)(\\(|,|$)"));
    static const QRegularExpression later(QStringLiteral(",\\s*([A-Za-z_][A-Za-z0-9_]*)\\("));
    QStringList names;
    const QRegularExpressionMatch m = first.match(line);
    if (!m.hasMatch() || !isBuiltin(m.captured(1)))
        return names;
    names.append(m.captured(1));
    for (auto it = later.globalMatch(line, m.capturedEnd(1)); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (isBuiltin(name))
            names.append(name);
    }
    return names;
}

} // namespace

QHash<QString, QString> readHelpEntries(const QString& helpText)
{
    QHash<QString, QString> entries;
    const QStringList lines = QString(helpText).remove(u'\r').split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList names = headingNames(lines.at(i));
        if (names.isEmpty())
            continue;
        QString entry = lines.at(i).trimmed();
        qsizetype next = i + 1;
        for (; next < lines.size() && lines.at(next).startsWith(QLatin1String("    ")); ++next)
            entry += QLatin1Char('\n') + lines.at(next).trimmed();
        if (next == i + 1)
            continue; // a line of prose that starts with a name, not an entry
        for (const QString& name : names) {
            if (!entries.contains(name))
                entries.insert(name, entry);
        }
        i = next - 1;
    }
    return entries;
}

QString helpEntry(const QString& name)
{
    static const QHash<QString, QString> entries = [] {
        QFile file(QStringLiteral(":/lsp/Help.qrb"));
        return file.open(QIODevice::ReadOnly) ? readHelpEntries(QString::fromLatin1(file.readAll()))
                                              : QHash<QString, QString>();
    }();
    return entries.value(name);
}

} // namespace lsp
