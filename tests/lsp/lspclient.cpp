// SPDX-License-Identifier: GPL-3.0-or-later
#include "lspclient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QUrl>

LspClient::LspClient()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_process.setProcessEnvironment(env);
    m_process.start(QStringLiteral(QRB_PROGRAM), {QStringLiteral("--lsp")});
    if (!m_process.waitForStarted(10000))
        qFatal("qrb2 --lsp did not start");
}

LspClient::~LspClient()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void LspClient::sendRaw(const QByteArray& bytes)
{
    m_process.write(bytes);
    while (m_process.bytesToWrite() > 0 && m_process.state() == QProcess::Running) {
        // The server reads while it writes: take its answers so that neither side blocks.
        m_process.waitForBytesWritten(100);
        if (m_process.bytesAvailable() > 0)
            readSome(0);
    }
}

void LspClient::send(const QJsonObject& message)
{
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    sendRaw("Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

void LspClient::notify(const QString& method, const QJsonValue& params)
{
    send(QJsonObject{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
}

QJsonObject LspClient::request(const QString& method, const QJsonValue& params, int timeoutMs)
{
    const int id = m_nextId++;
    QJsonObject message{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}};
    if (!params.isUndefined())
        message.insert("params", params);
    send(message);
    return take(
        [id](const QJsonObject& m) { return !m.contains("method") && m.value("id") == QJsonValue(id); },
        timeoutMs);
}

QJsonObject LspClient::waitForNotification(const QString& method, const QString& uri, int timeoutMs)
{
    return take(
               [&](const QJsonObject& m) {
                   return m.value("method") == method && !m.contains("id") &&
                          (uri.isEmpty() || m.value("params").toObject().value("uri") == uri);
               },
               timeoutMs)
        .value("params")
        .toObject();
}

QJsonObject LspClient::waitForServerRequest(const QString& method, int timeoutMs)
{
    return take([&](const QJsonObject& m) { return m.value("method") == method && m.contains("id"); },
                timeoutMs);
}

QJsonObject LspClient::take(const std::function<bool(const QJsonObject&)>& wanted, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        for (qsizetype i = 0; i < m_received.size(); ++i) {
            if (wanted(m_received.at(i)))
                return m_received.takeAt(i);
        }
        if (clock.elapsed() > timeoutMs || !readSome(int(timeoutMs - clock.elapsed())))
            return QJsonObject();
    }
}

QJsonObject LspClient::initialize(bool documentChanges, bool watchFiles)
{
    const QJsonObject capabilities{
        {"textDocument",
         QJsonObject{{"hover", QJsonObject{{"contentFormat", QJsonArray{"markdown", "plaintext"}}}},
                     {"documentSymbol", QJsonObject{{"hierarchicalDocumentSymbolSupport", true}}},
                     {"rename", QJsonObject{{"prepareSupport", true}}}}},
        {"workspace",
         QJsonObject{{"workspaceEdit", QJsonObject{{"documentChanges", documentChanges}}},
                     {"didChangeWatchedFiles", QJsonObject{{"dynamicRegistration", watchFiles}}}}}};
    const QJsonObject answer =
        request("initialize", QJsonObject{{"processId", QJsonValue()}, {"capabilities", capabilities}});
    notify("initialized", QJsonObject());
    return answer.value("result").toObject();
}

void LspClient::open(const QString& uri, const QString& text, int version)
{
    notify("textDocument/didOpen",
           QJsonObject{
               {"textDocument",
                QJsonObject{{"uri", uri}, {"languageId", "slo"}, {"version", version}, {"text", text}}}});
}

void LspClient::change(const QString& uri, int version, int line, int character, int endLine,
                       int endCharacter, const QString& text)
{
    notify("textDocument/didChange",
           QJsonObject{{"textDocument", QJsonObject{{"uri", uri}, {"version", version}}},
                       {"contentChanges",
                        QJsonArray{QJsonObject{{"range", range(line, character, endLine, endCharacter)},
                                               {"text", text}}}}});
}

QList<QJsonObject> LspClient::takeResponses()
{
    QList<QJsonObject> responses;
    for (qsizetype i = 0; i < m_received.size();) {
        if (m_received.at(i).contains("method"))
            ++i;
        else
            responses.append(m_received.takeAt(i));
    }
    return responses;
}

void LspClient::drain(int quietMs)
{
    while (readSome(quietMs)) {
    }
    m_received.clear();
}

int LspClient::waitForExit(int timeoutMs)
{
    if (!m_process.waitForFinished(timeoutMs) && m_process.state() != QProcess::NotRunning)
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QString LspClient::errorOutput()
{
    return QString::fromLocal8Bit(m_process.readAllStandardError());
}

qint64 LspClient::memoryKb(const char* field) const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB$").arg(QLatin1String(field)),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(QString::fromLatin1(status.readAll()));
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

bool LspClient::readSome(int timeoutMs)
{
    if (m_process.bytesAvailable() == 0 && !m_process.waitForReadyRead(qMax(0, timeoutMs)))
        return false;
    m_buffer += m_process.readAllStandardOutput();
    parse();
    return true;
}

void LspClient::parse()
{
    static const QRegularExpression header(QStringLiteral("^Content-Length: (\\d+)\r\n\r\n"));
    for (;;) {
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QRegularExpressionMatch m = header.match(QString::fromLatin1(m_buffer.left(end + 4)));
        if (!m.hasMatch()) {
            m_framingError = QStringLiteral("bad header: ") + QString::fromLatin1(m_buffer.left(end + 4));
            m_buffer.clear();
            return;
        }
        const qsizetype length = m.captured(1).toLongLong();
        if (m_buffer.size() < end + 4 + length)
            return;
        const QJsonDocument body = QJsonDocument::fromJson(m_buffer.mid(end + 4, length));
        if (!body.isObject())
            m_framingError = QStringLiteral("a body that is not a JSON object");
        m_received.append(body.object());
        m_buffer.remove(0, end + 4 + length);
    }
}

QString fileUri(const QString& path)
{
    return QUrl::fromLocalFile(path).toString();
}
