// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/jsonrpc.h"
#include "lsp/workspace.h"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>

namespace lsp {

// What the client said it can take, as far as the answers depend on it.
struct ClientSupport {
    bool markdownHover = false;
    bool hierarchicalSymbols = false;
    bool prepareRename = false;   // textDocument/prepareRename
    bool documentChanges = false; // WorkspaceEdit.documentChanges with versions
    bool watchedFiles = false;    // workspace/didChangeWatchedFiles, registered at run time
};

// The language server without its transport: message bodies in, messages out. It keeps the
// protocol's life cycle (initialize, initialized, shutdown, exit), the open documents (full and
// incremental sync) and publishes their diagnostics after a pause; the language features are
// request handlers registered on it, each advertised in `initialize` by its capability.
class Server : public QObject {
    Q_OBJECT
public:
    using Output = std::function<void(const QJsonObject&)>;
    using Log = std::function<void(const QString&)>;
    // A request's answer; set `error` to answer with an error instead.
    using RequestHandler = std::function<QJsonValue(const QJsonValue& params, jsonrpc::Error& error)>;

    static constexpr int kDiagnosticsPauseMs = 250;

    Server(Output output, Log log, QObject* parent = nullptr);

    void receive(const QByteArray& body);
    // The client's side of the stream closed without `exit`.
    void inputEnded();
    void setDiagnosticsPause(int ms) { m_pause.setInterval(ms); }
    // Publishes the diagnostics of the documents changed since the last time, without the pause.
    void publishPendingDiagnostics();

    // For the feature handlers.
    void addRequest(const QString& method, RequestHandler handler);
    void advertise(const QString& capability, const QJsonValue& value);
    // A capability whose value depends on what the client said it can take.
    void advertise(const QString& capability, const std::function<QJsonValue(const ClientSupport&)>& value);
    Workspace& workspace() { return m_workspace; }
    const ClientSupport& client() const { return m_client; }
    // The open document a request's `textDocument.uri` names; sets `error` when there is none.
    TextDocument* documentOf(const QJsonValue& params, jsonrpc::Error& error);

Q_SIGNALS:
    // `exit` arrived or the input ended: the process should end with this status.
    void finished(int status);

private:
    enum class State { Starting, Running, ShutDown };

    void request(const jsonrpc::Message& m);
    void notification(const jsonrpc::Message& m);
    QJsonValue initialize(const QJsonValue& params, jsonrpc::Error& error);
    void didOpen(const QJsonObject& params);
    void didChange(const QJsonObject& params);
    void didClose(const QJsonObject& params);
    void watchFiles();
    void filesChanged(const QJsonObject& params);
    void changed(const QString& uri, const QString& path);
    void publish(const QString& uri, const QJsonArray& diagnostics, int version);

    Output m_output;
    Log m_log;
    State m_state = State::Starting;
    QHash<QString, RequestHandler> m_requests;
    QJsonObject m_capabilities;
    QHash<QString, std::function<QJsonValue(const ClientSupport&)>> m_clientCapabilities;
    ClientSupport m_client;
    Workspace m_workspace;
    QTimer m_pause;
    QSet<QString> m_changedFolders;         // folders with a change since the last check
    QSet<QString> m_changedDocuments;       // documents without a folder (not files)
    QHash<QString, QJsonArray> m_published; // the last diagnostics sent, by URI
};

} // namespace lsp
