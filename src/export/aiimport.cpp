// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/aiimport.h"

#include "export/variablefile.h"
#include "platform/filelookup.h"
#include "scriptlang/vlohead.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace aiimport {

namespace {

// The file's lines; the line break that ends the file ends its last line and adds none.
QStringList linesOf(const QString& fileText)
{
    QStringList lines = scriptlang::vlohead::splitLines(fileText);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool sameLine(const QString& a, const QString& b)
{
    return QStringView(a).trimmed() == QStringView(b).trimmed();
}

} // namespace

QString scriptText(const QString& fileText)
{
    return linesOf(fileText).join(QStringLiteral("\r\n"));
}

VariableList variableList(const QString& fileText, const QString& headVariable)
{
    QStringList lines = linesOf(fileText);
    const QStringList ours = scriptlang::vlohead::splitLines(variablefile::head(QStringLiteral("0")));
    // Lines 1 to 5 of the generated head are the banner; line 10 its comment.
    const int bannerLines = 5;
    const QString& ourComment = ours.at(9);
    QSet<int> taken;

    bool ourBanner = lines.size() >= bannerLines;
    for (int i = 0; ourBanner && i < bannerLines; ++i)
        ourBanner = sameLine(lines.at(i), ours.at(i));
    const std::optional<scriptlang::vlohead::Head> head = scriptlang::vlohead::find(lines);
    if (head) {
        if (ourBanner && head->openingLines.first() >= bannerLines) {
            for (int i = 0; i < bannerLines; ++i)
                taken.insert(i);
        }
        for (int line : head->openingLines)
            taken.insert(line);
        if (head->closingLine >= 0)
            taken.insert(head->closingLine);
        // The binding of the player's number, with the comment line the workbench puts after it.
        const QRegularExpression binding(QStringLiteral("^\\s*%1\\s+int\\s+-?\\d+\\s*(//.*)?$")
                                             .arg(QRegularExpression::escape(headVariable)),
                                         QRegularExpression::CaseInsensitiveOption);
        const int end = head->closingLine >= 0 ? head->closingLine : int(lines.size());
        for (int line = head->openingLines.last() + 1; line < end; ++line) {
            if (!binding.match(lines.at(line)).hasMatch())
                continue;
            taken.insert(line);
            if (line + 1 < end && sameLine(lines.at(line + 1), ourComment)) {
                taken.insert(line + 1);
                if (ourBanner && line + 2 < end && lines.at(line + 2).trimmed().isEmpty())
                    taken.insert(line + 2);
            }
            break;
        }
    }

    VariableList result;
    QStringList kept;
    for (int line = 0; line < lines.size(); ++line) {
        if (taken.contains(line))
            result.taken.append({line + 1, lines.at(line)});
        else
            kept.append(lines.at(line));
    }
    result.text = kept.join(QStringLiteral("\r\n"));
    return result;
}

QString variableFileBeside(const QString& scriptPath)
{
    const QFileInfo script(scriptPath);
    const QString found =
        filelookup::resolve(script.absolutePath(), script.completeBaseName() + QStringLiteral(".vlo"));
    return QFileInfo(found).isFile() ? found : QString();
}

QString describeTaken(const QList<TakenLine>& taken)
{
    QStringList entries;
    for (qsizetype i = 0; i < taken.size(); ++i) {
        // Lines 1 to 5 together are the banner.
        if (taken.at(i).line == 1 && i + 4 < taken.size() && taken.at(i + 4).line == 5) {
            entries.append(QStringLiteral("lines 1 to 5: the banner"));
            i += 4;
            continue;
        }
        const QString text = taken.at(i).text.simplified();
        entries.append(QStringLiteral("line %1: %2")
                           .arg(taken.at(i).line)
                           .arg(text.isEmpty() ? QStringLiteral("(empty)") : text));
    }
    return entries.join(QLatin1Char('\n'));
}

} // namespace aiimport
