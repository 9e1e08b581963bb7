// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace lsp {

// A message body is refused above this size; its bytes are read and thrown away as they come,
// so a huge Content-Length never makes the server hold (or allocate) that much.
inline constexpr qsizetype kMaxMessageBytes = 64 * 1024 * 1024;
// A header block (the lines before the empty line) longer than this is not a header.
inline constexpr qsizetype kMaxHeaderBytes = 16 * 1024;

// One thing read from the stream: a message body, or the reason bytes were dropped.
struct Incoming {
    QByteArray body;
    QString dropped; // empty for a message
};

// Splits the byte stream of the base protocol into message bodies: header lines
// ("Content-Length: N", others ignored) ended by an empty line, then N bytes. Bytes that are
// not a header are dropped up to the next "Content-Length:", each drop with its reason.
class MessageReader {
public:
    explicit MessageReader(qsizetype maxMessageBytes = kMaxMessageBytes) : m_maxMessageBytes(maxMessageBytes)
    {
    }

    void feed(QByteArrayView bytes);
    // What the bytes fed so far gave, in order; taken out.
    QList<Incoming> take();
    // Bytes of an unfinished header or body (what the reader holds now).
    qsizetype pendingBytes() const { return m_buffer.size(); }

private:
    void parse();
    bool parseHeader();
    void drop(qsizetype count, const QString& reason);

    qsizetype m_maxMessageBytes;
    QByteArray m_buffer;
    qsizetype m_bodyLength = -1; // the body being read; -1 while reading a header
    qsizetype m_skipLeft = 0;    // bytes of a refused body still to throw away
    QList<Incoming> m_out;
};

} // namespace lsp
