// SPDX-License-Identifier: GPL-3.0-or-later
// The language server reads whatever is written to its standard input. The input is that byte
// stream, fed to the message reader in two parts (cut where its first byte says); each message
// goes to an initialized server, and the diagnostics pending at the end are published at once.
#include "lsp/features.h"
#include "lsp/messagereader.h"
#include "lsp/server.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

constexpr qsizetype kLimit = 4096;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_lsp";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    lsp::Server server(
        [](const QJsonObject& message) {
            check(message.value(QStringLiteral("jsonrpc")) == QStringLiteral("2.0"));
            check(!QJsonDocument(message).toJson(QJsonDocument::Compact).isEmpty());
        },
        [](const QString& line) { check(!line.isEmpty()); });
    lsp::addLanguageFeatures(server);
    server.receive(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})");
    lsp::MessageReader reader(kLimit);
    const qsizetype cut = bytes.isEmpty() ? 0 : uchar(bytes.at(0)) % (bytes.size() + 1);
    reader.feed(QByteArrayView(bytes).first(cut));
    reader.feed(QByteArrayView(bytes).sliced(cut));
    for (const lsp::Incoming& incoming : reader.take()) {
        check(incoming.dropped.isEmpty() || incoming.body.isEmpty());
        check(incoming.body.size() <= kLimit);
        if (incoming.dropped.isEmpty())
            server.receive(incoming.body);
    }
    // What the reader still holds is at most one header or one body in the making.
    check(reader.pendingBytes() <= lsp::kMaxHeaderBytes + kLimit + 1);
    server.publishPendingDiagnostics();
    return 0;
}
