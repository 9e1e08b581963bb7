#include "platform/fileresult.h"

#include <QFileInfo>
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
    QStringList lines;
    for (const FileFailure& f : failures)
        lines << f.path + QStringLiteral(": ") + f.reason;
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
