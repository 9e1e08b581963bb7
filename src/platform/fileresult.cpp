// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileresult.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

void FileOutcome::merge(const FileOutcome& other)
{
    failures += other.failures;
    noteReplaced(other.replacedCharacters);
}

void FileOutcome::noteReplaced(const QString& characters)
{
    for (int i = 0; i < characters.size(); ++i) {
        // Keep surrogate pairs together: one character the author typed.
        const int len = characters.at(i).isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
        const QString ch = characters.mid(i, len);
        if (!replacedCharacters.contains(ch))
            replacedCharacters += ch;
        i += len - 1;
    }
}

QString describeFailures(const QList<FileFailure>& failures)
{
    // A reason shared by several files is said once, above the list of its files.
    QStringList reasons;
    QHash<QString, QStringList> pathsByReason;
    for (const FileFailure& f : failures) {
        QStringList& paths = pathsByReason[f.reason];
        if (paths.isEmpty())
            reasons << f.reason;
        if (!paths.contains(f.path))
            paths << f.path;
    }
    QStringList lines;
    for (const QString& reason : reasons) {
        const QStringList& paths = pathsByReason.value(reason);
        if (paths.size() == 1) {
            lines << paths.first() + QStringLiteral(": ") + reason;
            continue;
        }
        lines << reason + QLatin1Char(':');
        for (const QString& path : paths)
            lines << QStringLiteral("  ") + path;
    }
    return lines.join(QLatin1Char('\n'));
}

FileFailure explainMissing(const FileFailure& failure, FileAccess access)
{
    const QFileInfo file(failure.path);
    const QString folder = file.path();
    if (!QFileInfo(folder).isDir())
        return {failure.path, QStringLiteral("the folder %1 does not exist").arg(folder)};
    if (access == FileAccess::Read && !file.exists())
        return {failure.path, QStringLiteral("the file does not exist")};
    return failure;
}
