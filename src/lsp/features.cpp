// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/features.h"

#include "lsp/completion.h"
#include "lsp/documentsymbols.h"
#include "lsp/hover.h"
#include "lsp/navigation.h"
#include "lsp/server.h"

#include <QJsonArray>
#include <QJsonObject>
#include <memory>

namespace lsp {

namespace {

// What a request at a place answers from: the document with its group and the place's offset.
using PlaceHandler = std::function<QJsonValue(GroupIndex& group, qsizetype offset, const QJsonObject& params,
                                              jsonrpc::Error&)>;

// Registers a request about a place of an open document. A document of another kind gets
// `none`; a place past the text's last line gets null.
void addPlaceRequest(Server& server, const std::shared_ptr<IndexCache>& cache, const QString& method,
                     const QJsonValue& none, PlaceHandler handler)
{
    server.addRequest(
        method,
        [&server, cache, method, none, handler = std::move(handler)](const QJsonValue& params,
                                                                     jsonrpc::Error& error) -> QJsonValue {
            const TextDocument* document = server.documentOf(params, error);
            Position position;
            if (document && !fromJson(params.toObject().value(QStringLiteral("position")), position))
                error = {jsonrpc::InvalidParams, QStringLiteral("%1 needs a position").arg(method)};
            if (!document || error.code != 0)
                return QJsonValue();
            GroupIndex group(server.workspace(), *cache, *document);
            if (!group.isValid())
                return none;
            const qsizetype offset = group.offsetOf(position);
            if (offset < 0)
                return QJsonValue::Null;
            return handler(group, offset, params.toObject(), error);
        });
}

} // namespace

void addLanguageFeatures(Server& server)
{
    const auto cache = std::make_shared<IndexCache>();

    server.addRequest(QStringLiteral("textDocument/documentSymbol"),
                      [&server, cache](const QJsonValue& params, jsonrpc::Error& error) -> QJsonValue {
                          const TextDocument* document = server.documentOf(params, error);
                          if (!document)
                              return QJsonValue();
                          GroupIndex group(server.workspace(), *cache, *document);
                          return group.isValid() ? documentSymbols(group, server.client().hierarchicalSymbols)
                                                 : QJsonArray();
                      });
    server.advertise(QStringLiteral("documentSymbolProvider"), true);

    addPlaceRequest(server, cache, QStringLiteral("textDocument/hover"), QJsonValue::Null,
                    [&server](GroupIndex& group, qsizetype offset, const QJsonObject&, jsonrpc::Error&) {
                        return hover(group, offset, server.client().markdownHover);
                    });
    server.advertise(QStringLiteral("hoverProvider"), true);

    addPlaceRequest(server, cache, QStringLiteral("textDocument/completion"), QJsonArray(),
                    [](GroupIndex& group, qsizetype offset, const QJsonObject&, jsonrpc::Error&) {
                        return completion(group, offset);
                    });
    server.advertise(QStringLiteral("completionProvider"),
                     QJsonObject{{QStringLiteral("triggerCharacters"), QJsonArray{QStringLiteral(".")}}});

    addPlaceRequest(server, cache, QStringLiteral("textDocument/signatureHelp"), QJsonValue::Null,
                    [](GroupIndex& group, qsizetype offset, const QJsonObject&, jsonrpc::Error&) {
                        return signatureHelp(group, offset);
                    });
    server.advertise(QStringLiteral("signatureHelpProvider"),
                     QJsonObject{{QStringLiteral("triggerCharacters"),
                                  QJsonArray{QStringLiteral("("), QStringLiteral(",")}},
                                 {QStringLiteral("retriggerCharacters"), QJsonArray{QStringLiteral(")")}}});

    addPlaceRequest(server, cache, QStringLiteral("textDocument/definition"), QJsonValue::Null,
                    [](GroupIndex& group, qsizetype offset, const QJsonObject&, jsonrpc::Error&) {
                        return definition(group, offset);
                    });
    server.advertise(QStringLiteral("definitionProvider"), true);

    addPlaceRequest(server, cache, QStringLiteral("textDocument/references"), QJsonArray(),
                    [](GroupIndex& group, qsizetype offset, const QJsonObject& params, jsonrpc::Error&) {
                        const bool withDeclaration = params.value(QStringLiteral("context"))
                                                         .toObject()
                                                         .value(QStringLiteral("includeDeclaration"))
                                                         .toBool();
                        return references(group, offset, withDeclaration);
                    });
    server.advertise(QStringLiteral("referencesProvider"), true);

    addPlaceRequest(server, cache, QStringLiteral("textDocument/prepareRename"), QJsonValue::Null,
                    [](GroupIndex& group, qsizetype offset, const QJsonObject&, jsonrpc::Error& error) {
                        return prepareRename(group, offset, error);
                    });
    addPlaceRequest(server, cache, QStringLiteral("textDocument/rename"), QJsonValue::Null,
                    [&server](GroupIndex& group, qsizetype offset, const QJsonObject& params,
                              jsonrpc::Error& error) -> QJsonValue {
                        const QJsonValue newName = params.value(QStringLiteral("newName"));
                        if (!newName.isString()) {
                            error = {jsonrpc::InvalidParams, QStringLiteral("rename needs a newName")};
                            return QJsonValue();
                        }
                        return rename(group, offset, newName.toString(), server.client().documentChanges,
                                      error);
                    });
    // Clients that cannot ask first are told plainly that rename works.
    server.advertise(QStringLiteral("renameProvider"), [](const ClientSupport& client) -> QJsonValue {
        if (!client.prepareRename)
            return true;
        return QJsonObject{{QStringLiteral("prepareProvider"), true}};
    });
}

} // namespace lsp
