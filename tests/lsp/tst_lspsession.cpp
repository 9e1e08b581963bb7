// SPDX-License-Identifier: GPL-3.0-or-later
#include "corpusfiles.h"
#include "lspclient.h"
#include "support/tempfolder.h"
#include "support/testregistry.h"

#include <QRegularExpression>

namespace {

QJsonObject diagnostic(const QJsonObject& where, int severity, const QString& message)
{
    return QJsonObject{{"range", where}, {"severity", severity}, {"source", "qrb2"}, {"message", message}};
}

QString hoverText(LspClient& client, const QString& uri, int line, int character)
{
    const QJsonValue result = client.request("textDocument/hover", at(uri, line, character)).value("result");
    return result.isNull() ? QStringLiteral("null")
                           : result.toObject().value("contents").toObject().value("value").toString();
}

const QString kPublish = QStringLiteral("textDocument/publishDiagnostics");

// The diagnostics of the next publication for `uri`.
QJsonArray diagnosticsOf(LspClient& client, const QString& uri)
{
    return client.waitForNotification(kPublish, uri).value("diagnostics").toArray();
}

} // namespace

class LspSessionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lifeCycleAndErrorAnswers()
    {
        LspClient client;
        QCOMPARE(errorOf(client.request("textDocument/hover", QJsonObject{})),
                 (QJsonObject{{"code", -32002}, {"message", "the server is not initialized"}}));
        client.initialize();
        QCOMPARE(errorOf(client.request("initialize", QJsonObject{})).value("code").toInt(), -32600);
        QCOMPARE(errorOf(client.request("textDocument/formatting", QJsonObject{})),
                 (QJsonObject{{"code", -32601}, {"message", "method not found: textDocument/formatting"}}));
        QCOMPARE(
            errorOf(client.request("textDocument/hover", at("file:///nowhere.slo", 0, 0))),
            (QJsonObject{{"code", -32602}, {"message", "the document is not open: file:///nowhere.slo"}}));
        const QJsonObject shutdown = client.request("shutdown", QJsonValue());
        QVERIFY(shutdown.contains("result") && shutdown.value("result").isNull());
        QCOMPARE(errorOf(client.request("textDocument/hover", QJsonObject{})).value("code").toInt(), -32600);
        client.notify("exit", QJsonValue());
        QCOMPARE(client.waitForExit(), 0);
        QCOMPARE(client.framingError(), QString());

        LspClient rude;
        rude.initialize();
        rude.notify("exit", QJsonValue());
        QCOMPARE(rude.waitForExit(), 1);
    }

    void aPlantedMistakeAndItsIncrementalFix()
    {
        TempFolder folder;
        LspClient client;
        client.initialize();
        const QString uri = openWritten(client, folder, "player0.slo", plantedScript());
        const QString message = QStringLiteral("undeclared name 'factroy': did you mean 'factory'?");
        QJsonObject published = client.waitForNotification(kPublish, uri);
        QCOMPARE(published.value("version").toInt(), 1);
        QCOMPARE(published.value("diagnostics").toArray(),
                 QJsonArray{diagnostic(range(357, 32, 357, 39), 1, message)});

        // A character of two UTF-16 code units in the comment before the mistake moves it by two.
        client.change(uri, 2, 357, 13, 357, 13, QStringLiteral(u"\U0001F600"));
        published = client.waitForNotification(kPublish, uri);
        QCOMPARE(published.value("version").toInt(), 2);
        QCOMPARE(published.value("diagnostics").toArray(),
                 QJsonArray{diagnostic(range(357, 34, 357, 41), 1, message)});

        client.change(uri, 3, 357, 34, 357, 41, "factory");
        published = client.waitForNotification(kPublish, uri);
        QCOMPARE(published.value("version").toInt(), 3);
        QCOMPARE(published.value("diagnostics").toArray(), QJsonArray());

        // A change without a range replaces the text; a lone CR ends a line for the protocol too.
        client.notify(
            "textDocument/didChange",
            QJsonObject{{"textDocument", QJsonObject{{"uri", uri}, {"version", 4}}},
                        {"contentChanges",
                         QJsonArray{QJsonObject{{"text", "public int player;\r\nevent e(every, 10)\r{\r\n"
                                                         "\tx = 1;\r\n}\r\n"}}}}});
        published = client.waitForNotification(kPublish, uri);
        QCOMPARE(published.value("diagnostics").toArray(),
                 QJsonArray{diagnostic(range(3, 1, 3, 2), 1, "undeclared name 'x'")});
        // A change outside the text puts the server out of step: the document is dropped.
        client.change(uri, 5, 40, 0, 40, 0, "x");
        QCOMPARE(diagnosticsOf(client, uri), QJsonArray());
        QCOMPARE(errorOf(client.request("textDocument/documentSymbol", at(uri, 0, 0))).value("code").toInt(),
                 -32602);
        QVERIFY(client.errorOutput().contains(uri +
                                              ": a change at line 41 of a text of 6 lines; the document is "
                                              "closed until the client opens it again"));
    }

    void valueFilesPairWithTheirScript()
    {
        TempFolder folder;
        const QByteArray values = corpusFile("player0.vlo").replace("numScouts[0]", "numScouts[2]");
        folder.write("player0.slo", corpusFile("player0.slo"));
        const QString slo = fileUri(folder.file("player0.slo"));
        LspClient client;
        client.initialize();
        // The value file against the script on disk.
        const QString vlo = openWritten(client, folder, "player0.vlo", values);
        QCOMPARE(diagnosticsOf(client, vlo),
                 QJsonArray{diagnostic(
                     range(15, 1, 15, 10), 1,
                     "index 2 is out of range: 'numScouts' has 2 elements in dimension 1 (0 to 1)")});
        // The script against the value files that name it.
        client.open(slo, QString::fromLatin1(corpusFile("player0.slo")));
        const QJsonArray warnings = diagnosticsOf(client, slo);
        QCOMPARE(warnings.size(), 3);
        QCOMPARE(warnings.at(1),
                 diagnostic(range(106, 14, 106, 25), 2,
                            "public 'extraStruct' is not bound in the VLO: it starts as zero or empty"));
        // Renaming a global in the open script is seen in the value file at once.
        client.change(slo, 2, 86, 14, 86, 24, "tileSpread");
        const QJsonArray afterRename = diagnosticsOf(client, vlo);
        QCOMPARE(afterRename.size(), 2);
        QCOMPARE(afterRename.at(1),
                 diagnostic(range(39, 1, 39, 11), 1, "'tileExpand' is not a global variable of the script"));
        client.notify("textDocument/didClose", QJsonObject{{"textDocument", QJsonObject{{"uri", vlo}}}});
        QCOMPARE(diagnosticsOf(client, vlo), QJsonArray());
    }

    void theProjectFilesAndAMissingScript()
    {
        TempFolder folder;
        folder.write("SLO.qrb", "public int me;\r\npublic STRUCTURESTAT lab;\r\n");
        LspClient client;
        client.initialize();
        const QString project = openWritten(client, folder, "VLO.qrb",
                                            "lab STRUCTURESTAT \"A0ResearchFacility\"\r\nme INT 1\r\n");
        QCOMPARE(
            diagnosticsOf(client, project),
            QJsonArray{diagnostic(range(1, 0, 1, 2), 2,
                                  "the generated head already binds 'me' to the player's number; this later "
                                  "binding wins, so every player would get the same number")});
        // A script named by two value files: what only one of them leaves unbound names it.
        folder.write("one.vlo", "script \"ai.slo\" run { player INT 0 count INT 1 }\n");
        folder.write("two.vlo", "script \"AI.slo\" run { player INT 1 }\n");
        const QString script = openWritten(client, folder, "ai.slo", "public int player, count;\n");
        QCOMPARE(
            diagnosticsOf(client, script),
            QJsonArray{diagnostic(range(0, 19, 0, 24), 2,
                                  "public 'count' is not bound in the VLO: it starts as zero or empty (with "
                                  "two.vlo)")});
        const QString other =
            openWritten(client, folder, "other.vlo", "script \"gone.slo\"\nrun\n{\n\ta INT 1\n}\n");
        QCOMPARE(
            diagnosticsOf(client, other),
            QJsonArray{diagnostic(
                range(0, 7, 0, 17), 2,
                "the script 'gone.slo' is not in this folder: the bindings are not checked against it")});
    }

    // A client that watches files for its servers is asked to watch the scripts and value
    // files; a value file changed on disk is checked again with the open script.
    void filesChangedOnDisk()
    {
        TempFolder folder;
        folder.write("one.vlo", "script \"ai.slo\" run { player INT 0 }\n");
        LspClient client;
        client.initialize(false, true);
        const QJsonObject registration = client.waitForServerRequest("client/registerCapability");
        const QJsonObject watch =
            registration.value("params").toObject().value("registrations").toArray().at(0).toObject();
        QCOMPARE(watch.value("method").toString(), QStringLiteral("workspace/didChangeWatchedFiles"));
        QCOMPARE(watch.value("registerOptions").toObject().value("watchers").toArray().size(), 3);
        client.send(
            QJsonObject{{"jsonrpc", "2.0"}, {"id", registration.value("id")}, {"result", QJsonValue()}});

        const QString script = openWritten(client, folder, "ai.slo", "public int player, count;\n");
        QCOMPARE(diagnosticsOf(client, script).size(), 1);
        folder.write("one.vlo", "script \"ai.slo\" run { player INT 0 count INT 2 }\n");
        client.notify("workspace/didChangeWatchedFiles",
                      QJsonObject{{"changes", QJsonArray{QJsonObject{{"uri", fileUri(folder.file("one.vlo"))},
                                                                     {"type", 2}}}}});
        QCOMPARE(diagnosticsOf(client, script), QJsonArray());
    }

    void outlineAndHoverOnThe23Ai()
    {
        LspClient client;
        Ai ai(client);
        const QString& uri = ai.slo;
        const QJsonArray symbols =
            client.request("textDocument/documentSymbol", at(uri, 0, 0)).value("result").toArray();
        // The kinds counted against a plain reading of the declarations (comments removed).
        QString code = ai.script;
        code.replace(
            QRegularExpression("//[^\n]*|/\\*.*?\\*/", QRegularExpression::DotMatchesEverythingOption), " ");
        auto count = [&code](const char* pattern) {
            int n = 0;
            for (auto it = QRegularExpression(pattern, QRegularExpression::MultilineOption).globalMatch(code);
                 it.hasNext(); it.next())
                ++n;
            return n;
        };
        QMap<int, int> kinds;
        for (const auto& s : symbols)
            ++kinds[s.toObject().value("kind").toInt()];
        QCOMPARE(kinds.value(14), count("^\\s*trigger\\s+\\w+"));
        QCOMPARE(kinds.value(24), count("^\\s*event\\s+\\w+\\s*\\([^)]*\\)\\s*\\{"));
        QCOMPARE(kinds.value(12), count("^\\s*function\\s+\\w+\\s+\\w+\\s*\\([^)]*\\)\\s*\\{"));
        QCOMPARE(kinds.value(13) + kinds.value(18), 148); // names in the 53 public and private lines
        QCOMPARE(symbols.last().toObject(), (QJsonObject{{"name", "consoleEv"},
                                                         {"kind", 24},
                                                         {"detail", "consoleTr"},
                                                         {"range", range(4094, 0, 4136, 1)},
                                                         {"selectionRange", range(4094, 6, 4094, 15)}}));
        const auto found = std::find_if(symbols.begin(), symbols.end(), [](const QJsonValue& s) {
            return s.toObject().value("name") == "numScouts";
        });
        QVERIFY(found != symbols.end());
        QCOMPARE(found->toObject().value("detail").toString(), "public INT[TECHS]");

        // The builtin's parameters named from the help; the member's owner from the object's type.
        QCOMPARE(
            hoverText(client, uri, 357, 16),
            "### builtin function `getStructure`\n\n```slo\ngetStructure(STRUCTURESTAT kind, INT player) : "
            "STRUCTURE\n```\n\n---\n\nThe first structure of this kind that the player owns, or NULLOBJECT.");
        QCOMPARE(hoverText(client, uri, 357, 37),
                 "### global variable `me`\n\n```slo\npublic INT me\n```\n\n---\n\ndeclared at line 86");
        QCOMPARE(hoverText(client, uri, 1059, 118), "### member of BASEOBJ `x`\n\n```slo\nINT x\n```");
        QCOMPARE(
            hoverText(client, uri, 188, 35),
            "### callback `CALL_STRUCTBUILT`\n\n```slo\nCALL_STRUCTBUILT(INT player, ref DROID truck, ref "
            "STRUCTURE structure)\n```\n\n---\n\nA truck of the player finished a structure.");
        QCOMPARE(hoverText(client, uri, 1064, 85), "null"); // in a comment
        QCOMPARE(hoverText(client, ai.vlo, 39, 3),
                 "### global variable `tileExpand`\n\n```slo\npublic INT tileExpand\n```\n\n---\n\n"
                 "declared at line 87 of player0.slo");
        QCOMPARE(hoverText(client, ai.vlo, 39, 14),
                 "### type `int`\n\n```slo\nINT\n```\n\n---\n\nin a VLO: integer (-?[0-9]+)");
    }
};

QRB_TEST(LspSessionTest)

#include "tst_lspsession.moc"
