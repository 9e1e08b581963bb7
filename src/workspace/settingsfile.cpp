#include "workspace/settingsfile.h"

#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QFile>

namespace settingsfile {

namespace {

// Only the first record matters; a huge file is not read beyond this.
constexpr qint64 kMaxRead = 64 * 1024;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// One field starting at `pos`; leaves `pos` after the field's separator.
QByteArray readField(const QByteArray& bytes, qsizetype& pos, bool& endOfRecord)
{
    const qsizetype n = bytes.size();
    while (pos < n && isBlank(bytes.at(pos)))
        ++pos;
    QByteArray field;
    if (pos < n && bytes.at(pos) == '"') {
        const qsizetype start = ++pos;
        while (pos < n && bytes.at(pos) != '"' && !isLineEnd(bytes.at(pos)))
            ++pos;
        field = bytes.mid(start, pos - start);
        if (pos < n && bytes.at(pos) == '"')
            ++pos;
        // Skip to the separator after the closing quote.
        while (pos < n && bytes.at(pos) != ',' && !isLineEnd(bytes.at(pos)))
            ++pos;
    } else {
        const qsizetype start = pos;
        while (pos < n && bytes.at(pos) != ',' && !isLineEnd(bytes.at(pos)))
            ++pos;
        field = bytes.mid(start, pos - start).trimmed();
    }
    endOfRecord = pos >= n || isLineEnd(bytes.at(pos));
    if (pos < n && bytes.at(pos) == ',')
        ++pos;
    return field;
}

} // namespace

Record parse(const QByteArray& bytes)
{
    Record record;
    qsizetype pos = 0;
    bool endOfRecord = false;
    record.gameDirectory = QString::fromLatin1(readField(bytes, pos, endOfRecord));
    if (endOfRecord)
        return record;
    const QByteArray flag = readField(bytes, pos, endOfRecord);
    if (flag.compare("#TRUE#", Qt::CaseInsensitive) == 0)
        record.hideInternalHelp = true;
    else if (flag.compare("#FALSE#", Qt::CaseInsensitive) == 0)
        record.hideInternalHelp = false;
    return record;
}

QByteArray format(const QString& gameDirectory, bool hideInternalHelp, QString* replaced)
{
    QByteArray line;
    line += '"';
    line += textfile::encode(gameDirectory, replaced);
    line += '"';
    line += hideInternalHelp ? ",#TRUE#" : ",#FALSE#";
    line += "\r\n";
    return line;
}

QString path(const QString& workDir)
{
    return filelookup::resolve(workDir, kFileName);
}

bool exists(const QString& workDir)
{
    return filelookup::exists(workDir, kFileName);
}

ReadResult read(const QString& workDir)
{
    ReadResult result;
    QFile file(path(workDir));
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = FileFailure{file.fileName(), file.errorString()};
        return result;
    }
    result.record = parse(file.read(kMaxRead));
    return result;
}

FileOutcome write(const QString& workDir, const QString& gameDirectory, bool hideInternalHelp)
{
    FileOutcome outcome;
    QString replaced;
    const QByteArray bytes = format(gameDirectory, hideInternalHelp, &replaced);
    outcome.noteReplaced(replaced);
    if (auto failure = textfile::replaceAtomically(path(workDir), bytes))
        outcome.add(*failure);
    return outcome;
}

} // namespace settingsfile
