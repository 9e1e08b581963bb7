// SPDX-License-Identifier: GPL-3.0-or-later
#include "templates/templatefiles.h"

#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QFileInfo>

namespace templatefiles {

QString mtsPath(const QString& workDir, const QString& name)
{
    return filelookup::resolvePath(workDir, kMtsFolder + QLatin1Char('/') + name);
}

QString rtsPath(const QString& workDir, const QString& name)
{
    return filelookup::resolvePath(workDir, kRtsFolder + QLatin1Char('/') + name);
}

QStringList rtsPaths(const QString& workDir, const QStringList& names)
{
    return filelookup::resolveEach(filelookup::resolve(workDir, kRtsFolder), names);
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start).toString());
    return lines;
}

ListText readList(const QString& path)
{
    textfile::ReadResult read = textfile::read(path);
    if (!read.ok())
        return {std::nullopt, explainMissing(*read.failure, FileAccess::Read)};
    return {std::move(read.text), std::nullopt};
}

QString describeListProblems(const QList<FileFailure>& problems)
{
    return QStringLiteral("THE COMPONENT LISTS ARE NOT COMPLETE. The window holds what could be read:\n") +
           describeFailures(problems);
}

} // namespace templatefiles
