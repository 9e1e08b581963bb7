// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// JSON-RPC 2.0 as the language server protocol uses it: messages, error codes, framing.
namespace lsp::jsonrpc {

// Error codes of JSON-RPC and of the protocol.
enum ErrorCode {
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    InternalError = -32603,
    ServerNotInitialized = -32002,
    RequestFailed = -32803,
};

struct Error {
    int code = 0;
    QString message;
};

QJsonObject response(const QJsonValue& id, const QJsonValue& result);
QJsonObject errorResponse(const QJsonValue& id, const Error& error);
QJsonObject notification(const QString& method, const QJsonValue& params);
// A request of the server to the client.
QJsonObject request(const QJsonValue& id, const QString& method, const QJsonValue& params);

// "Content-Length: N\r\n\r\n" and the compact JSON of the message.
QByteArray frame(const QJsonObject& message);

// What a parsed message is.
struct Message {
    enum class Kind { Request, Notification, Response, Invalid };
    Kind kind = Kind::Invalid;
    QString method;
    QJsonValue id;     // requests and responses
    QJsonValue params; // may be undefined
    QString problem;   // why it is Invalid
};

Message classify(const QByteArray& body);

} // namespace lsp::jsonrpc
