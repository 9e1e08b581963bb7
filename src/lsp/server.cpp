// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/server.h"

#include "lsp/diagnostics.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QUrl>

namespace lsp {

namespace {

QJsonObject objectAt(const QJsonValue& value, const char* key)
{
    return value.toObject().value(QLatin1String(key)).toObject();
}

QString localPath(const QString& uri)
{
    const QUrl url(uri);
    if (!url.isValid() || !url.isLocalFile())
        return QString();
    return QDir::cleanPath(url.toLocalFile());
}

} // namespace

Server::Server(Output output, Log log, QObject* parent)
    : QObject(parent), m_output(std::move(output)), m_log(std::move(log))
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(kDiagnosticsPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &Server::publishPendingDiagnostics);
    // Full and incremental changes are both taken; the client sends the incremental kind.
    advertise(QStringLiteral("textDocumentSync"),
              QJsonObject{{QStringLiteral("openClose"), true}, {QStringLiteral("change"), 2}});
    advertise(QStringLiteral("positionEncoding"), QStringLiteral("utf-16"));
}

void Server::addRequest(const QString& method, RequestHandler handler)
{
    m_requests.emplace(method, std::move(handler));
}

void Server::advertise(const QString& capability, const QJsonValue& value)
{
    m_capabilities.insert(capability, value);
}

void Server::advertise(const QString& capability,
                       const std::function<QJsonValue(const ClientSupport&)>& value)
{
    m_clientCapabilities.insert(capability, value);
}

void Server::receive(const QByteArray& body)
{
    const jsonrpc::Message m = jsonrpc::classify(body);
    switch (m.kind) {
    case jsonrpc::Message::Kind::Invalid:
        m_log(QStringLiteral("dropped a message: %1").arg(m.problem));
        return;
    case jsonrpc::Message::Kind::Response:
        return; // the server asks the client nothing
    case jsonrpc::Message::Kind::Request:
        request(m);
        return;
    case jsonrpc::Message::Kind::Notification:
        notification(m);
        return;
    }
}

void Server::inputEnded()
{
    m_log(QStringLiteral("the input ended without an exit notification"));
    Q_EMIT finished(1);
}

void Server::request(const jsonrpc::Message& m)
{
    jsonrpc::Error error;
    QJsonValue result;
    if (m_state == State::ShutDown) {
        error = {jsonrpc::InvalidRequest, QStringLiteral("the server is shut down")};
    } else if (m.method == QLatin1String("initialize")) {
        if (m_state != State::Starting)
            error = {jsonrpc::InvalidRequest, QStringLiteral("initialize was already received")};
        else
            result = initialize(m.params, error);
    } else if (m_state == State::Starting) {
        error = {jsonrpc::ServerNotInitialized, QStringLiteral("the server is not initialized")};
    } else if (m.method == QLatin1String("shutdown")) {
        m_state = State::ShutDown;
        m_pause.stop();
    } else if (const auto handler = m_requests.constFind(m.method); handler != m_requests.cend()) {
        result = (*handler)(m.params, error);
    } else {
        error = {jsonrpc::MethodNotFound, QStringLiteral("method not found: %1").arg(m.method)};
    }
    m_output(error.code != 0 ? jsonrpc::errorResponse(m.id, error) : jsonrpc::response(m.id, result));
}

void Server::notification(const jsonrpc::Message& m)
{
    if (m.method == QLatin1String("exit")) {
        Q_EMIT finished(m_state == State::ShutDown ? 0 : 1);
        return;
    }
    if (m_state != State::Running || m.method.startsWith(u'$'))
        return;
    if (m.method == QLatin1String("initialized")) {
        watchFiles();
        return;
    }
    if (!m.params.isObject()) {
        m_log(QStringLiteral("dropped %1: its params are not an object").arg(m.method));
        return;
    }
    const QJsonObject params = m.params.toObject();
    if (m.method == QLatin1String("textDocument/didOpen"))
        didOpen(params);
    else if (m.method == QLatin1String("textDocument/didChange"))
        didChange(params);
    else if (m.method == QLatin1String("textDocument/didClose"))
        didClose(params);
    else if (m.method == QLatin1String("workspace/didChangeWatchedFiles"))
        filesChanged(params);
    else if (m.method != QLatin1String("textDocument/didSave"))
        m_log(QStringLiteral("ignored the notification %1").arg(m.method));
}

QJsonValue Server::initialize(const QJsonValue& params, jsonrpc::Error& error)
{
    if (!params.isObject()) {
        error = {jsonrpc::InvalidParams, QStringLiteral("initialize needs its params")};
        return QJsonValue();
    }
    const QJsonObject textDocument =
        objectAt(params, "capabilities").value(QStringLiteral("textDocument")).toObject();
    const QJsonArray hoverFormats =
        objectAt(textDocument, "hover").value(QStringLiteral("contentFormat")).toArray();
    m_client.markdownHover = hoverFormats.contains(QStringLiteral("markdown"));
    m_client.hierarchicalSymbols = objectAt(textDocument, "documentSymbol")
                                       .value(QStringLiteral("hierarchicalDocumentSymbolSupport"))
                                       .toBool();
    m_client.prepareRename =
        objectAt(textDocument, "rename").value(QStringLiteral("prepareSupport")).toBool();
    m_client.documentChanges = objectAt(objectAt(params, "capabilities"), "workspace")
                                   .value(QStringLiteral("workspaceEdit"))
                                   .toObject()
                                   .value(QStringLiteral("documentChanges"))
                                   .toBool();
    m_client.watchedFiles = objectAt(objectAt(params, "capabilities"), "workspace")
                                .value(QStringLiteral("didChangeWatchedFiles"))
                                .toObject()
                                .value(QStringLiteral("dynamicRegistration"))
                                .toBool();
    QJsonObject capabilities = m_capabilities;
    for (auto it = m_clientCapabilities.cbegin(); it != m_clientCapabilities.cend(); ++it)
        capabilities.insert(it.key(), it.value()(m_client));
    m_state = State::Running;
    return QJsonObject{{QStringLiteral("capabilities"), capabilities},
                       {QStringLiteral("serverInfo"),
                        QJsonObject{{QStringLiteral("name"), QStringLiteral("qrb2")},
                                    {QStringLiteral("version"), QStringLiteral(QRB_VERSION)}}}};
}

TextDocument* Server::documentOf(const QJsonValue& params, jsonrpc::Error& error)
{
    const QString uri = objectAt(params, "textDocument").value(QStringLiteral("uri")).toString();
    TextDocument* document = m_workspace.find(uri);
    if (!document)
        error = {jsonrpc::InvalidParams, uri.isEmpty()
                                             ? QStringLiteral("no textDocument.uri")
                                             : QStringLiteral("the document is not open: %1").arg(uri)};
    return document;
}

void Server::didOpen(const QJsonObject& params)
{
    const QJsonObject item = params.value(QStringLiteral("textDocument")).toObject();
    TextDocument document;
    document.uri = item.value(QStringLiteral("uri")).toString();
    const QJsonValue text = item.value(QStringLiteral("text"));
    if (document.uri.isEmpty() || !text.isString()) {
        m_log(QStringLiteral("dropped didOpen without a uri and a text"));
        return;
    }
    document.text = text.toString();
    document.version = item.value(QStringLiteral("version")).toInt();
    document.path = localPath(document.uri);
    document.kind = kindOf(document.path.isEmpty() ? QUrl(document.uri).path() : document.path,
                           item.value(QStringLiteral("languageId")).toString());
    m_workspace.open(document);
    changed(document.uri, document.path);
}

void Server::didChange(const QJsonObject& params)
{
    const QJsonObject item = params.value(QStringLiteral("textDocument")).toObject();
    const QString uri = item.value(QStringLiteral("uri")).toString();
    TextDocument* document = m_workspace.find(uri);
    if (!document) {
        m_log(QStringLiteral("dropped a change of a document that is not open: %1").arg(uri));
        return;
    }
    QString problem;
    if (!applyChanges(document->text, params.value(QStringLiteral("contentChanges")).toArray(), problem)) {
        // Out of step with the client: better no answers than wrong ones, until it opens the document again.
        m_log(QStringLiteral("%1: %2; the document is closed until the client opens it again")
                  .arg(uri, problem));
        didClose(params);
        return;
    }
    document->version = item.value(QStringLiteral("version")).toInt(document->version);
    changed(uri, document->path);
}

void Server::didClose(const QJsonObject& params)
{
    const QString uri = objectAt(params, "textDocument").value(QStringLiteral("uri")).toString();
    const TextDocument* document = m_workspace.find(uri);
    if (!document)
        return;
    const QString path = document->path;
    m_workspace.close(uri);
    m_published.remove(uri);
    m_output(jsonrpc::notification(
        QStringLiteral("textDocument/publishDiagnostics"),
        QJsonObject{{QStringLiteral("uri"), uri}, {QStringLiteral("diagnostics"), QJsonArray()}}));
    changed(QString(), path);
}

// A script or value file changed on disk (a .vlo beside an open script edited elsewhere, a
// checkout): the client tells, where it watches files for its servers.
void Server::watchFiles()
{
    if (!m_client.watchedFiles)
        return;
    QJsonArray watchers;
    for (const char* pattern : {"**/*.slo", "**/*.vlo", "**/*.qrb"})
        watchers.append(QJsonObject{{QStringLiteral("globPattern"), QLatin1String(pattern)}});
    const QJsonObject registration{
        {QStringLiteral("id"), QStringLiteral("qrb2-watched-files")},
        {QStringLiteral("method"), QStringLiteral("workspace/didChangeWatchedFiles")},
        {QStringLiteral("registerOptions"), QJsonObject{{QStringLiteral("watchers"), watchers}}}};
    m_output(jsonrpc::request(QStringLiteral("qrb2-register-1"), QStringLiteral("client/registerCapability"),
                              QJsonObject{{QStringLiteral("registrations"), QJsonArray{registration}}}));
}

void Server::filesChanged(const QJsonObject& params)
{
    const QJsonArray changes = params.value(QStringLiteral("changes")).toArray();
    for (const QJsonValue change : changes) {
        const QString path = localPath(change.toObject().value(QStringLiteral("uri")).toString());
        if (!path.isEmpty())
            changed(QString(), path);
    }
}

void Server::changed(const QString& uri, const QString& path)
{
    if (!uri.isEmpty())
        m_changedDocuments.insert(uri);
    if (!path.isEmpty())
        m_changedFolders.insert(QFileInfo(path).absolutePath());
    m_pause.start();
}

void Server::publishPendingDiagnostics()
{
    m_pause.stop();
    if (m_state != State::Running)
        return;
    QList<const TextDocument*> candidates;
    for (const QString& folder : std::as_const(m_changedFolders))
        candidates += m_workspace.openIn(folder);
    for (const QString& uri : std::as_const(m_changedDocuments)) {
        if (const TextDocument* d = m_workspace.find(uri); d && d->path.isEmpty())
            candidates.append(d);
    }
    const QSet<QString> edited = std::exchange(m_changedDocuments, {});
    m_changedFolders.clear();
    QSet<QString> checked;
    for (const TextDocument* candidate : std::as_const(candidates)) {
        if (candidate->kind == DocumentKind::Other)
            continue;
        const ScriptGroup group = m_workspace.groupOf(*candidate);
        if (checked.contains(group.key()))
            continue;
        checked.insert(group.key());
        const QHash<QString, QJsonArray> diagnostics = diagnoseGroup(group);
        QList<GroupFile> files = group.values;
        if (group.script)
            files.prepend(*group.script);
        for (const GroupFile& file : std::as_const(files)) {
            const TextDocument* open = file.uri.isEmpty() ? nullptr : m_workspace.find(file.uri);
            if (!open)
                continue;
            const QJsonArray list = diagnostics.value(file.path.isEmpty() ? file.uri : file.path);
            if (edited.contains(file.uri) || !m_published.contains(file.uri) ||
                m_published.value(file.uri) != list)
                publish(file.uri, list, open->version);
        }
    }
}

void Server::publish(const QString& uri, const QJsonArray& diagnostics, int version)
{
    m_published.insert(uri, diagnostics);
    m_output(jsonrpc::notification(QStringLiteral("textDocument/publishDiagnostics"),
                                   QJsonObject{{QStringLiteral("uri"), uri},
                                               {QStringLiteral("version"), version},
                                               {QStringLiteral("diagnostics"), diagnostics}}));
}

} // namespace lsp
