// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/builtins.h"

#include <QFile>

namespace scriptlang {

namespace {

// Rows of a table without its header line; each row split at tabs.
QList<QStringList> readTable(const QString& name)
{
    QFile file(QStringLiteral(":/script-builtins/") + name);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines.at(i)).remove(QLatin1Char('\r'));
        if (!line.isEmpty())
            rows.append(line.split(QLatin1Char('\t')));
    }
    return rows;
}

QString column(const QStringList& row, int index)
{
    return index < row.size() ? row.at(index).trimmed() : QString();
}

bool yes(const QString& text)
{
    return text == QLatin1String("yes");
}

// "int|INT (function return only)" gives int and INT.
QStringList words(const QString& text)
{
    QStringList result;
    const QString head = text.section(QLatin1Char(' '), 0, 0);
    if (text.startsWith(QLatin1String("not accepted")) || head == QLatin1String("-"))
        return result;
    for (const QString& word : head.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        result.append(word);
    return result;
}

// "DROID, STRUCTURE, FEATURE may be used where BASEOBJ is expected" gives the upper-case names.
QStringList upperCaseNames(const QString& text)
{
    QStringList result;
    const QString head = text.section(QLatin1String(" may"), 0, 0).section(QLatin1String(" usable"), 0, 0);
    for (QString name : head.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        name = name.trimmed();
        if (!name.isEmpty() && name != QLatin1String("-") && name == name.toUpper())
            result.append(name);
    }
    return result;
}

Builtins load()
{
    Builtins b;
    for (const QStringList& row : readTable(QStringLiteral("functions.tsv"))) {
        BuiltinFunction f{column(row, 0), column(row, 1), parseParams(column(row, 3)), yes(column(row, 5))};
        b.functions.insert(f.name, f);
    }
    for (const QStringList& row : readTable(QStringLiteral("callbacks.tsv"))) {
        BuiltinCallback c{column(row, 0), parseParams(column(row, 2)), yes(column(row, 4))};
        b.callbacks.insert(c.name, c);
    }
    for (const QStringList& row : readTable(QStringLiteral("constants.tsv"))) {
        BuiltinConstant c{column(row, 0), column(row, 1)};
        b.constants.insert(c.name, c);
    }
    for (const QStringList& row : readTable(QStringLiteral("externals.tsv"))) {
        BuiltinVariable v{column(row, 0), column(row, 1), QString(), yes(column(row, 2))};
        b.externals.insert(v.name, v);
    }
    for (const QStringList& row : readTable(QStringLiteral("objvars.tsv")))
        b.members.append(
            BuiltinVariable{column(row, 0), column(row, 1), column(row, 2), yes(column(row, 3))});
    for (const QStringList& row : readTable(QStringLiteral("types.tsv"))) {
        BuiltinType t;
        t.name = column(row, 0);
        t.kind = column(row, 1);
        t.scriptWords = words(column(row, 2));
        t.vloWords = words(column(row, 3));
        t.vloValueForm = column(row, 4);
        t.equivalents = upperCaseNames(column(row, 6));
        b.types.insert(t.name, t);
    }
    return b;
}

} // namespace

QList<BuiltinParam> parseParams(const QString& text)
{
    QList<BuiltinParam> params;
    if (text.isEmpty() || text == QLatin1String("-"))
        return params;
    for (QString part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        part = part.trimmed();
        BuiltinParam p;
        if (part.startsWith(QLatin1String("ref "))) {
            p.byRef = true;
            part = part.mid(4).trimmed();
        }
        p.type = part;
        params.append(p);
    }
    return params;
}

const Builtins& builtins()
{
    static const Builtins tables = load();
    return tables;
}

} // namespace scriptlang
