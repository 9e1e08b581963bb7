// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/features.h"

#include "lsp/documentsymbols.h"
#include "lsp/hover.h"
#include "lsp/server.h"

namespace lsp {

void addLanguageFeatures(Server& server)
{
    server.addRequest(QStringLiteral("textDocument/documentSymbol"),
                      [&server](const QJsonValue& params, jsonrpc::Error& error) -> QJsonValue {
                          const TextDocument* document = server.documentOf(params, error);
                          return document ? documentSymbols(*document, server.client().hierarchicalSymbols)
                                          : QJsonValue();
                      });
    server.advertise(QStringLiteral("documentSymbolProvider"), true);

    server.addRequest(
        QStringLiteral("textDocument/hover"),
        [&server](const QJsonValue& params, jsonrpc::Error& error) -> QJsonValue {
            const TextDocument* document = server.documentOf(params, error);
            Position position;
            if (document && !fromJson(params.toObject().value(QStringLiteral("position")), position))
                error = {jsonrpc::InvalidParams, QStringLiteral("hover needs a position")};
            if (!document || error.code != 0)
                return QJsonValue();
            return hover(server.workspace(), *document, position, server.client().markdownHover);
        });
    server.advertise(QStringLiteral("hoverProvider"), true);
}

} // namespace lsp
