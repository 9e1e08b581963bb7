// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/messagereader.h"

#include <optional>

namespace lsp {

namespace {

const QByteArray kContentLength = QByteArrayLiteral("content-length");

// A header value of decimal digits only; nullopt for anything else or for a number that no
// stream could carry.
std::optional<qsizetype> parseLength(QByteArrayView value)
{
    value = value.trimmed();
    if (value.isEmpty() || value.size() > 15)
        return std::nullopt;
    qsizetype n = 0;
    for (const char c : value) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// Where "Content-Length:" starts in `bytes` at `from` or later, in any letter case; -1 if nowhere.
qsizetype findContentLength(QByteArrayView bytes, qsizetype from)
{
    const QByteArray lower = bytes.toByteArray().toLower();
    return lower.indexOf(QByteArray(kContentLength + ':'), from);
}

} // namespace

void MessageReader::feed(QByteArrayView bytes)
{
    if (m_skipLeft > 0) {
        const qsizetype n = qMin(m_skipLeft, bytes.size());
        m_skipLeft -= n;
        bytes = bytes.sliced(n);
    }
    if (bytes.isEmpty())
        return;
    m_buffer.append(bytes);
    parse();
}

QList<Incoming> MessageReader::take()
{
    QList<Incoming> out;
    out.swap(m_out);
    return out;
}

void MessageReader::drop(qsizetype count, const QString& reason)
{
    m_buffer.remove(0, count);
    m_out.append(Incoming{QByteArray(), reason});
}

void MessageReader::parse()
{
    for (;;) {
        if (m_skipLeft > 0) {
            const qsizetype n = qMin(m_skipLeft, m_buffer.size());
            m_buffer.remove(0, n);
            m_skipLeft -= n;
            if (m_skipLeft > 0)
                return;
        }
        if (m_bodyLength < 0) {
            if (!parseHeader())
                return;
            continue;
        }
        if (m_buffer.size() < m_bodyLength)
            return;
        m_out.append(Incoming{m_buffer.left(m_bodyLength), QString()});
        m_buffer.remove(0, m_bodyLength);
        m_bodyLength = -1;
        if (m_buffer.isEmpty())
            m_buffer = QByteArray(); // gives back the room of a big message
    }
}

// Reads one header block from the buffer. False when more bytes are needed.
bool MessageReader::parseHeader()
{
    std::optional<qsizetype> length;
    bool badLength = false;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype newline = m_buffer.indexOf('\n', pos);
        if (newline < 0 || newline > kMaxHeaderBytes) {
            if (m_buffer.size() <= kMaxHeaderBytes && newline < 0)
                return false;
            // No header ends here: keep what may be the start of the next one.
            const qsizetype next = findContentLength(
                QByteArrayView(m_buffer).first(qMin(m_buffer.size(), kMaxHeaderBytes + 1)), 1);
            drop(next > 0 ? next : kMaxHeaderBytes,
                 QStringLiteral("dropped %1 bytes that are not a message header")
                     .arg(next > 0 ? next : kMaxHeaderBytes));
            return true;
        }
        QByteArrayView line = QByteArrayView(m_buffer).sliced(pos, newline - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        pos = newline + 1;
        if (line.isEmpty())
            break;
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.first(colon).trimmed().toByteArray().toLower() == kContentLength) {
            length = parseLength(line.sliced(colon + 1));
            badLength = !length;
        }
    }
    if (!length) {
        // Bytes before a real header (the rest of a body longer than its Content-Length, say).
        const qsizetype next = findContentLength(QByteArrayView(m_buffer).first(pos), 1);
        const qsizetype count = next > 0 ? next : pos;
        drop(count, badLength
                        ? QStringLiteral("dropped a message whose Content-Length is not a number")
                        : QStringLiteral("dropped %1 bytes without a Content-Length header").arg(count));
        return true;
    }
    m_buffer.remove(0, pos);
    if (*length > m_maxMessageBytes) {
        m_skipLeft = *length;
        m_out.append(
            Incoming{QByteArray(), QStringLiteral("dropped a message of %1 bytes: the limit is %2 bytes")
                                       .arg(*length)
                                       .arg(m_maxMessageBytes)});
        return true;
    }
    m_bodyLength = *length;
    return true;
}

} // namespace lsp
