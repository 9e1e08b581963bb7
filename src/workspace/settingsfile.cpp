// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/settingsfile.h"

#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>

namespace settingsfile {

namespace {

// Only the first record matters; a huge file is not read beyond this.
constexpr qint64 kMaxRead = qint64{64} * 1024;

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

// A folder name that Latin-1 cannot hold is stored in UTF-8; a name that it can keeps its
// Latin-1 bytes, as the file has always held them.
QString decodeDirectory(const QByteArray& bytes)
{
    const bool ascii =
        std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<uchar>(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return QString::fromLatin1(bytes);
}

} // namespace

Record parse(const QByteArray& bytes)
{
    Record record;
    qsizetype pos = 0;
    bool endOfRecord = false;
    record.gameDirectory = decodeDirectory(readField(bytes, pos, endOfRecord));
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
    if (QtPrivate::isLatin1(QStringView(gameDirectory)))
        line += textfile::encode(gameDirectory, replaced);
    else
        line += gameDirectory.toUtf8();
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
