// SPDX-License-Identifier: GPL-3.0-or-later
#include "corpusfiles.h"
#include "lspclient.h"
#include "support/testregistry.h"

#include <QRegularExpression>

namespace {

QJsonObject with(QJsonObject params, const char* key, const QJsonValue& value)
{
    params.insert(key, value);
    return params;
}

// The offset of a protocol position in a text whose lines end at "\n".
qsizetype offsetOf(const QString& text, const QJsonObject& position)
{
    qsizetype offset = 0;
    for (int line = position.value("line").toInt(); line > 0; --line)
        offset = text.indexOf(u'\n', offset) + 1;
    return offset + position.value("character").toInt();
}

QString textAt(const QString& text, const QJsonObject& where)
{
    const qsizetype start = offsetOf(text, where.value("start").toObject());
    return text.mid(start, offsetOf(text, where.value("end").toObject()) - start);
}

// A word's places in the code of a script, comments left out.
int countInCode(QString script, const QString& word)
{
    script.replace(QRegularExpression("//[^\n]*|/\\*.*?\\*/", QRegularExpression::DotMatchesEverythingOption),
                   " ");
    return int(script.count(QRegularExpression("\\b" + word + "\\b")));
}

int countBindings(const QString& values, const QString& word)
{
    return int(
        values.count(QRegularExpression("^[ \\t]*" + word + "\\[", QRegularExpression::MultilineOption)));
}

QStringList labelsOf(const QJsonArray& items)
{
    QStringList labels;
    for (const auto& item : items)
        labels.append(item.toObject().value("label").toString());
    return labels;
}

QJsonArray itemsAt(LspClient& client, const QString& uri, int line, int character)
{
    return client.request("textDocument/completion", at(uri, line, character))
        .value("result")
        .toObject()
        .value("items")
        .toArray();
}

} // namespace

class LspFeaturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Completion as the editor ranks it and members by the object's type; the parameters of a
    // call.
    void completionAndParameters()
    {
        LspClient client;
        Ai ai(client);
        QCOMPARE(
            client.request("textDocument/signatureHelp", at(ai.slo, 1059, 109)).value("result").toObject(),
            (QJsonObject{{"signatures",
                          QJsonArray{QJsonObject{
                              {"label", "droidCanReach(DROID droid, INT x, INT y) : BOOL"},
                              {"parameters", QJsonArray{QJsonObject{{"label", QJsonArray{14, 25}}},
                                                        QJsonObject{{"label", QJsonArray{27, 32}}},
                                                        QJsonObject{{"label", QJsonArray{34, 39}}}}},
                              {"activeParameter", 1},
                              {"documentation", "TRUE when the droid's propulsion can get to that place."}}}},
                         {"activeSignature", 0},
                         {"activeParameter", 1}}));
        QVERIFY(client.request("textDocument/signatureHelp", at(ai.slo, 1059, 100)).value("result").isNull());
        QCOMPARE(itemsAt(client, ai.slo, 1064, 85), QJsonArray()); // in a comment

        // After `_factory.`: the members of a STRUCTURE, as the game's table lists them.
        QFile table(QStringLiteral(QRB_LSP_TESTS "/../../resources/script-builtins/objvars.tsv"));
        QVERIFY(table.open(QIODevice::ReadOnly));
        QStringList members;
        for (const QByteArray& row : table.readAll().split('\n')) {
            const QList<QByteArray> cells = row.split('\t');
            if (cells.size() > 2 && (cells.at(2) == "BASEOBJ" || cells.at(2) == "STRUCTURE"))
                members.append(QString::fromLatin1(cells.at(0)));
        }
        members.sort(Qt::CaseInsensitive);
        const QJsonArray afterDot = itemsAt(client, ai.slo, 1059, 118);
        QCOMPARE(labelsOf(afterDot), members);
        QCOMPARE(afterDot.last().toObject(),
                 (QJsonObject{
                     {"label", "z"},
                     {"kind", 5},
                     {"detail", "member: INT"},
                     {"sortText", "13"},
                     {"textEdit", QJsonObject{{"range", range(1059, 118, 1059, 118)}, {"newText", "z"}}}}));

        // A new line after a character of two UTF-16 code units: a body's locals first.
        client.change(ai.slo, 2, 599, 18, 599, 18, QStringLiteral(u"\n\t/*\U0001F600*/_"));
        QJsonArray items = itemsAt(client, ai.slo, 600, 8);
        QStringList firstThree;
        for (qsizetype i = 0; i < 3; ++i)
            firstThree.append(items.at(i)["label"].toString() + u'|' + items.at(i)["detail"].toString());
        QCOMPARE(firstThree,
                 (QStringList{"_maxBuilders|local: INT", "_numBuilders|local: INT", "_DEBUG|global: BOOL"}));
        QCOMPARE(items.at(0)["textEdit"].toObject(),
                 (QJsonObject{{"range", range(600, 7, 600, 8)}, {"newText", "_maxBuilders"}}));
        client.change(ai.slo, 3, 600, 8, 600, 8, "numBuilders = iterateG");
        items = itemsAt(client, ai.slo, 600, 30);
        QCOMPARE(labelsOf(items), (QStringList{"iterateGroup", "iterateGroupB"}));
        QCOMPARE(items.at(0)["kind"].toInt(), 3);
        QCOMPARE(items.at(0)["detail"].toString(), "builtin function: iterateGroup(GROUP group) : DROID");
        QCOMPARE(items.at(0)["textEdit"].toObject(),
                 (QJsonObject{{"range", range(600, 22, 600, 30)}, {"newText", "iterateGroup("}}));
    }

    // From a binding to its global; every place of a global in the script and in both value
    // files, with the declaration or without.
    void definitionsAndReferences()
    {
        LspClient client;
        Ai ai(client);
        const auto definition = [&client](const QString& uri, int line, int character) {
            return client.request("textDocument/definition", at(uri, line, character)).value("result");
        };
        QCOMPARE(definition(ai.vlo, 39, 3).toObject(),
                 (QJsonObject{{"uri", ai.slo}, {"range", range(86, 14, 86, 24)}}));
        QVERIFY(definition(ai.slo, 357, 16).isNull()); // a builtin

        for (const bool declaration : {true, false}) {
            const QJsonArray places = client
                                          .request("textDocument/references",
                                                   with(at(ai.vlo, 146, 3), "context",
                                                        QJsonObject{{"includeDeclaration", declaration}}))
                                          .value("result")
                                          .toArray();
            QMap<QString, int> count;
            for (const QJsonValue place : places) {
                const QString uri = place["uri"].toString();
                ++count[uri];
                QCOMPARE(textAt(ai.textOf(uri), place["range"].toObject()), "structs");
            }
            QCOMPARE(count.value(ai.slo), countInCode(ai.script, "structs") - (declaration ? 0 : 1));
            QCOMPARE(count.value(ai.vlo), countBindings(ai.values, "structs"));
            QCOMPARE(count.value(ai.other), countBindings(ai.otherValues, "structs"));
            QCOMPARE(places.size(), count.value(ai.slo) + count.value(ai.vlo) + count.value(ai.other));
            if (declaration)
                QCOMPARE(places.first().toObject(),
                         (QJsonObject{{"uri", ai.slo}, {"range", range(102, 34, 102, 41)}}));
        }
    }

    // A global renamed in the script and every value file that names it; the names the game's
    // language keeps, and one already taken, refused with the reason.
    void renameAcrossTheFiles()
    {
        LspClient client;
        Ai ai(client);
        QCOMPARE(client.request("textDocument/prepareRename", at(ai.slo, 102, 36)).value("result").toObject(),
                 (QJsonObject{{"range", range(102, 34, 102, 41)}, {"placeholder", "structs"}}));
        QCOMPARE(errorOf(client.request("textDocument/prepareRename", at(ai.slo, 357, 16))),
                 (QJsonObject{{"code", -32803},
                              {"message",
                               "'getStructure' is a builtin function of the game's language: only names "
                               "the script declares can be renamed."}}));
        const auto renameTo = [&](const QString& uri, const char* name) {
            return client.request("textDocument/rename", with(at(uri, 102, 36), "newName", name));
        };
        QCOMPARE(
            errorOf(renameTo(ai.slo, "getStructure")),
            (QJsonObject{{"code", -32803},
                         {"message", "'getStructure' is a builtin function of the game's language: choose "
                                     "another name."}}));

        const QJsonObject changes =
            renameTo(ai.slo, "structKinds").value("result").toObject().value("changes").toObject();
        QCOMPARE(changes.keys(), (QStringList{ai.slo, ai.vlo, ai.other}));
        for (const QString& uri : changes.keys()) {
            // Applied from the last edit back; renaming back gives the file byte for byte.
            QString text = ai.textOf(uri);
            const QJsonArray edits = changes.value(uri).toArray();
            for (qsizetype i = edits.size() - 1; i >= 0; --i) {
                const QJsonObject where = edits.at(i)["range"].toObject();
                QCOMPARE(textAt(text, where), "structs");
                const qsizetype start = offsetOf(text, where.value("start").toObject());
                text.replace(start, 7, edits.at(i)["newText"].toString());
            }
            QCOMPARE(int(text.count("structKinds")), uri == ai.slo
                                                         ? countInCode(ai.script, "structs")
                                                         : countBindings(ai.textOf(uri), "structs"));
            QCOMPARE(text.replace("structKinds", "structs"), ai.textOf(uri));
        }

        // A client that takes versioned changes: the open files' versions, null for the other.
        LspClient versioned;
        Ai again(versioned, true);
        versioned.change(again.slo, 4, 0, 0, 0, 0, "");
        const QJsonArray documents =
            versioned.request("textDocument/rename", with(at(again.vlo, 146, 3), "newName", "structKinds"))
                .value("result")["documentChanges"]
                .toArray();
        QJsonArray heads;
        for (const QJsonValue document : documents)
            heads.append(document["textDocument"]);
        QCOMPARE(heads, (QJsonArray{QJsonObject{{"uri", again.slo}, {"version", 4}},
                                    QJsonObject{{"uri", again.vlo}, {"version", 1}},
                                    QJsonObject{{"uri", again.other}, {"version", QJsonValue()}}}));
        QCOMPARE(documents.at(2)["edits"].toArray(), changes.value(ai.other).toArray());
    }
};

QRB_TEST(LspFeaturesTest)

#include "tst_lspfeatures.moc"
