// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include <QFile>
#include <QStringView>

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
constexpr qsizetype kBlockSize = qsizetype{64} * 1024;
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
