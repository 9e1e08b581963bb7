// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptlang/namematch.h"

namespace scriptlang {

namespace {

bool sameLetter(QChar a, QChar b)
{
    return a.toLower() == b.toLower();
}

bool startsWord(QStringView name, qsizetype i)
{
    if (i == 0)
        return true;
    const QChar before = name[i - 1];
    const QChar c = name[i];
    if (c == u'_')
        return false;
    if (before == u'_')
        return true;
    return c.isUpper() && (before.isLower() || before.isDigit());
}

bool matchFrom(QStringView name, qsizetype at, QStringView typed, qsizetype next)
{
    if (next == typed.size())
        return true;
    const QChar wanted = typed[next];
    if (at < name.size() && sameLetter(name[at], wanted) && matchFrom(name, at + 1, typed, next + 1))
        return true;
    if (wanted.isLower())
        return false;
    for (qsizetype i = at + 1; i < name.size(); ++i) {
        if (startsWord(name, i) && sameLetter(name[i], wanted) && matchFrom(name, i + 1, typed, next + 1))
            return true;
    }
    return false;
}

} // namespace

NameMatch matchName(QStringView name, QStringView typed)
{
    if (typed.isEmpty() || name.startsWith(typed, Qt::CaseInsensitive))
        return NameMatch::Prefix;
    qsizetype first = 0;
    while (first < name.size() && name[first] == u'_' && typed[0] != u'_')
        ++first;
    if (first < name.size() && sameLetter(name[first], typed[0]) && matchFrom(name, first + 1, typed, 1))
        return NameMatch::Capitals;
    if (name.contains(typed, Qt::CaseInsensitive))
        return NameMatch::Contains;
    return NameMatch::None;
}

} // namespace scriptlang
