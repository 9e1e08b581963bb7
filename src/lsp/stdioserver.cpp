// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/stdioserver.h"

#include "lsp/features.h"
#include "lsp/messagereader.h"
#include "lsp/server.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace lsp {

namespace {

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

void logLine(const QString& line)
{
    writeAll(STDERR_FILENO, (QStringLiteral("qrb2 --lsp: ") + line + QLatin1Char('\n')).toLocal8Bit());
}

} // namespace

int runLanguageServer()
{
    // A client that goes away must not kill the server in the middle of a write.
    std::signal(SIGPIPE, SIG_IGN);
    bool outputFailed = false;
    Server server(
        [&outputFailed](const QJsonObject& message) {
            if (!writeAll(STDOUT_FILENO, jsonrpc::frame(message)) && !outputFailed) {
                outputFailed = true;
                logLine(QStringLiteral("cannot write to standard output: %1")
                            .arg(QString::fromLocal8Bit(std::strerror(errno))));
            }
        },
        logLine);
    addLanguageFeatures(server);

    MessageReader reader;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    bool ended = false;
    QObject::connect(&server, &Server::finished, &server, [&](int status) {
        ended = true;
        input.setEnabled(false);
        QCoreApplication::exit(status);
    });
    QObject::connect(&input, &QSocketNotifier::activated, &server, [&] {
        static char buffer[64 * 1024];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        if (n <= 0) {
            input.setEnabled(false);
            server.inputEnded();
            return;
        }
        reader.feed(QByteArrayView(buffer, n));
        for (const Incoming& incoming : reader.take()) {
            if (ended)
                break;
            if (!incoming.dropped.isEmpty())
                logLine(incoming.dropped);
            else
                server.receive(incoming.body);
        }
    });
    return QCoreApplication::exec();
}

} // namespace lsp
