// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/settingsfile.h"

#include "platform/atomicfile.h"
#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>

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
        // A line break inside the quotes belongs to the field: cutting it there would name
        // another folder than the one written.
        const qsizetype close = bytes.indexOf('"', start);
        if (close >= 0) {
            pos = close;
        } else {
            while (pos < n && !isLineEnd(bytes.at(pos)))
                ++pos;
        }
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
// Latin-1 bytes, as the file has always held them. Some Latin-1 names are valid UTF-8 as well
// (a sharp s followed by a superscript two, DF B2): the reading that names an existing folder
// wins.
QString decodeDirectory(const QByteArray& bytes, const std::function<bool(const QString&)>& isFolder)
{
    const QString latin1 = QString::fromLatin1(bytes);
    const bool ascii =
        std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<uchar>(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            if (isFolder && !isFolder(text) && isFolder(latin1))
                return latin1;
            return text;
        }
    }
    return latin1;
}

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

// Keeps the bytes of a file that is about to be replaced under the first free ".bad" name.
std::optional<FileFailure> keepAsBad(const QString& file)
{
    for (int n = 1; n < 1000; ++n) {
        const QString bad = file + kBadSuffix + (n == 1 ? QString() : QLatin1Char('.') + QString::number(n));
        bool taken = false;
        std::optional<FileFailure> failure = atomicfile::copyNew(file, bad, taken);
        if (failure || !taken)
            return failure;
    }
    return FileFailure{file + kBadSuffix, QStringLiteral("no free name to keep the old settings file")};
}

} // namespace

Record parse(const QByteArray& bytes, const std::function<bool(const QString&)>& isFolder)
{
    Record record;
    qsizetype pos = 0;
    bool endOfRecord = false;
    record.gameDirectory = decodeDirectory(readField(bytes, pos, endOfRecord), isFolder);
    if (endOfRecord)
        return record;
    const QByteArray flag = readField(bytes, pos, endOfRecord);
    if (flag.compare("#TRUE#", Qt::CaseInsensitive) == 0)
        record.hideInternalHelp = true;
    else if (flag.compare("#FALSE#", Qt::CaseInsensitive) == 0)
        record.hideInternalHelp = false;
    return record;
}

bool isWellFormed(const QByteArray& bytes)
{
    static const QRegularExpression record(QStringLiteral("^\"[^\"]*\",#(TRUE|FALSE)#(\r\n|\n|\r)?\\z"),
                                           QRegularExpression::CaseInsensitiveOption);
    return bytes.size() <= kMaxRead && record.match(QString::fromLatin1(bytes)).hasMatch();
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
    // A pipe or a device would hang the start or never end.
    if (QFileInfo(file.fileName()).exists() && !QFileInfo(file.fileName()).isFile()) {
        result.failure = FileFailure{file.fileName(), QStringLiteral("not a plain file")};
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = FileFailure{file.fileName(), file.errorString()};
        return result;
    }
    result.record = parse(file.read(kMaxRead), isFolder);
    return result;
}

FileOutcome write(const QString& workDir, const QString& gameDirectory, bool hideInternalHelp)
{
    FileOutcome outcome;
    QString replaced;
    const QByteArray bytes = format(gameDirectory, hideInternalHelp, &replaced);
    outcome.noteReplaced(replaced);
    const QString file = path(workDir);
    const QFileInfo info(file);
    // Through a well-formed file's links; over anything else, after keeping its bytes.
    auto links = atomicfile::Links::Follow;
    if (info.isFile()) {
        QFile old(file);
        if (!old.open(QIODevice::ReadOnly)) {
            outcome.add({file, old.errorString() + QStringLiteral("; it was left as it was")});
            return outcome;
        }
        const QByteArray oldBytes = old.read(kMaxRead + 1);
        if (!isWellFormed(oldBytes)) {
            if (!oldBytes.isEmpty()) {
                if (auto failure = keepAsBad(file)) {
                    outcome.add(
                        {failure->path, failure->reason + QStringLiteral("; the settings were not written")});
                    return outcome;
                }
            }
            links = atomicfile::Links::Replace;
        }
    } else if (info.isSymLink() || info.exists()) {
        links = atomicfile::Links::Replace; // a link to nothing, a pipe or a device
    }
    if (auto failure = atomicfile::replace(file, bytes, links))
        outcome.add(*failure);
    return outcome;
}

} // namespace settingsfile
