// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringView>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace textfile {

ReadResult read(const QString& path)
{
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = FileFailure{path, file.errorString()};
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.failure = FileFailure{path, file.errorString()};
        return result;
    }
    result.text = QString::fromLatin1(bytes);
    return result;
}

ReadResult readRegularFile(const QString& path, qint64 maxBytes)
{
    ReadResult result;
    const auto refuse = [&](const QString& reason) {
        result.failure = FileFailure{path, reason};
        return result;
    };
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without waiting for a writer (a FIFO) and looked at once open, so nothing can swap
    // the file between the look and the read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        return refuse(folder ? QStringLiteral("it is a folder, not a file")
                             : QStringLiteral("it is not a regular file (a pipe, a device or a socket)"));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(file.errorString());
    }
#else
    const QFileInfo info(path);
    if (info.isDir())
        return refuse(QStringLiteral("it is a folder, not a file"));
    if (info.exists() && !info.isFile())
        return refuse(QStringLiteral("it is not a regular file (a pipe, a device or a socket)"));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
#endif
    const auto tooLarge = [&] {
        result.text.clear();
        return refuse(QStringLiteral("it is larger than %1 MiB").arg(maxBytes / (1024 * 1024)));
    };
    if (file.size() > maxBytes)
        return tooLarge();
    // Read to its end, as some files tell no size, block by block into the text, so the bytes are
    // never held whole beside it; one byte past the limit refuses the file.
    result.text.reserve(file.size() + 1);
    for (;;) {
        const QByteArray block = file.read(qMin<qint64>(1 << 20, maxBytes + 1 - result.text.size()));
        if (file.error() != QFileDevice::NoError)
            return refuse(file.errorString());
        if (block.isEmpty())
            break;
        result.text += QLatin1StringView(block);
    }
    if (result.text.size() > maxBytes)
        return tooLarge();
    return result;
}

QByteArray encode(const QString& text, QString* replaced)
{
    // Almost every text is pure Latin-1: the character-by-character scan runs only when not.
    if (replaced && !QtPrivate::isLatin1(QStringView(text))) {
        const QChar* p = text.constData();
        const QChar* end = p + text.size();
        for (; p != end; ++p) {
            if (p->unicode() <= 0xff)
                continue;
            const bool pair = p->isHighSurrogate() && p + 1 != end && (p + 1)->isLowSurrogate();
            const QString ch = pair ? QString(p, 2) : QString(*p);
            if (!replaced->contains(ch))
                *replaced += ch;
            if (pair)
                ++p;
        }
    }
    QByteArray bytes = text.toLatin1();
    if (replaced && !replaced->isEmpty()) {
        // A surrogate pair is one character: Qt gives two '?' for it, the author typed one.
        QByteArray collapsed;
        collapsed.reserve(bytes.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            collapsed.append(bytes.at(i));
            if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
        }
        bytes = collapsed;
    }
    return bytes;
}

std::optional<FileFailure> replaceAtomically(const QString& path, const QByteArray& bytes)
{
    return atomicfile::replace(path, bytes);
}

FileOutcome writeWithLineEnd(const QString& path, const QString& text)
{
    FileOutcome outcome;
    QString replaced;
    QByteArray bytes = encode(text, &replaced);
    bytes.append("\r\n", 2);
    outcome.noteReplaced(replaced);
    if (const auto failure = replaceAtomically(path, bytes))
        outcome.add(*failure);
    return outcome;
}

std::optional<FileFailure> createEmpty(const QString& path)
{
    QFile file(path);
    if (file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return FileFailure{path, file.errorString()};
    return std::nullopt;
}

namespace {
constexpr qsizetype kBlockSize = 64 * 1024;
}

std::optional<FileFailure> LineWriter::open(const QString& path)
{
    discard();
    m_path = path;
    m_file = std::make_unique<atomicfile::PendingFile>(path);
    return m_file->open();
}

std::optional<FileFailure> LineWriter::writeLine(QStringView line)
{
    m_pending += line.toLatin1();
    m_pending += "\r\n";
    if (m_pending.size() >= kBlockSize)
        return writePending();
    return std::nullopt;
}

std::optional<FileFailure> LineWriter::writeLines(QByteArrayView latin1)
{
    if (auto failure = writePending())
        return failure;
    return m_file->write(latin1);
}

std::optional<FileFailure> LineWriter::writePending()
{
    auto failure = m_file->write(m_pending);
    m_pending.clear();
    return failure;
}

std::optional<FileFailure> LineWriter::writeOut()
{
    if (!isOpen())
        return std::nullopt;
    if (auto failure = writePending()) {
        discard();
        return failure;
    }
    return m_file->finish();
}

std::optional<FileFailure> LineWriter::close()
{
    if (!isOpen())
        return std::nullopt;
    auto failure = writeOut();
    if (!failure)
        failure = m_file->rename();
    discard();
    return failure;
}

void LineWriter::discard()
{
    m_pending.clear();
    if (m_file)
        m_file->discard();
}

} // namespace textfile
