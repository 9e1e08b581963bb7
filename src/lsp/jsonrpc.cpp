// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/jsonrpc.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace lsp::jsonrpc {

namespace {

const QString kJsonRpc = QStringLiteral("jsonrpc");
const QString kVersion = QStringLiteral("2.0");

QJsonObject envelope()
{
    return QJsonObject{{kJsonRpc, kVersion}};
}

} // namespace

QJsonObject response(const QJsonValue& id, const QJsonValue& result)
{
    QJsonObject m = envelope();
    m.insert(QStringLiteral("id"), id);
    m.insert(QStringLiteral("result"), result.isUndefined() ? QJsonValue() : result);
    return m;
}

QJsonObject errorResponse(const QJsonValue& id, const Error& error)
{
    QJsonObject m = envelope();
    m.insert(QStringLiteral("id"), id);
    m.insert(QStringLiteral("error"),
             QJsonObject{{QStringLiteral("code"), error.code}, {QStringLiteral("message"), error.message}});
    return m;
}

QJsonObject notification(const QString& method, const QJsonValue& params)
{
    QJsonObject m = envelope();
    m.insert(QStringLiteral("method"), method);
    m.insert(QStringLiteral("params"), params);
    return m;
}

QJsonObject request(const QJsonValue& id, const QString& method, const QJsonValue& params)
{
    QJsonObject m = notification(method, params);
    m.insert(QStringLiteral("id"), id);
    return m;
}

QByteArray frame(const QJsonObject& message)
{
    const QByteArray body = QJsonDocument(message).toJson(QJsonDocument::Compact);
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

Message classify(const QByteArray& body)
{
    Message m;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        m.problem = QStringLiteral("not JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset);
        return m;
    }
    if (!document.isObject()) {
        m.problem = QStringLiteral("not a JSON object");
        return m;
    }
    const QJsonObject object = document.object();
    const QJsonValue id = object.value(QStringLiteral("id"));
    const bool validId = id.isString() || (id.isDouble() && id.toDouble() == double(qint64(id.toDouble())));
    const QJsonValue method = object.value(QStringLiteral("method"));
    m.params = object.value(QStringLiteral("params"));
    if (method.isString()) {
        m.method = method.toString();
        if (id.isUndefined()) {
            m.kind = Message::Kind::Notification;
        } else if (validId) {
            m.kind = Message::Kind::Request;
            m.id = id;
        } else {
            m.problem = QStringLiteral("a request whose id is neither a number nor a string");
        }
        return m;
    }
    if (!method.isUndefined()) {
        m.problem = QStringLiteral("a method that is not a string");
        return m;
    }
    if (object.contains(QStringLiteral("result")) || object.contains(QStringLiteral("error"))) {
        m.kind = Message::Kind::Response;
        m.id = id;
        return m;
    }
    m.problem = QStringLiteral("neither a request, a notification nor a response");
    return m;
}

} // namespace lsp::jsonrpc
