// SPDX-License-Identifier: GPL-3.0-or-later
#include "corpusfiles.h"
#include "lspclient.h"
#include "support/testregistry.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QSet>

namespace {

const QString kProbe = QStringLiteral("file:///probe/p.slo");

QByteArray json(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray framed(const QByteArray& body)
{
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// Hostile messages of every kind a broken or malicious client could send.
class RandomMessages {
public:
    explicit RandomMessages(quint32 seed) : m_random(seed) {}

    // The bytes of one message; `answerId` is set when a well-formed request must be answered.
    QByteArray next(int id, int& answerId)
    {
        answerId = -1;
        QByteArray body;
        switch (m_random.bounded(8)) {
        case 0:
            for (int i = m_random.bounded(300); i > 0; --i)
                body += char(m_random.bounded(256));
            break;
        case 1:
            body = QList<QByteArray>{"42", "[1,2,{}]", "\"text\"", "null", "{", "{\"id\":1,", "[]"}.at(
                m_random.bounded(7));
            break;
        case 2:
            body = json(QJsonObject{{"jsonrpc", "2.0"}, {"id", QJsonObject{{"a", 1}}}, {"method", value()}});
            break;
        case 3:
        case 4: {
            static const QStringList methods{"textDocument/hover", "textDocument/documentSymbol",
                                             "initialize",         "textDocument/definition",
                                             "workspace/symbol",   ""};
            const QString& method = methods.at(m_random.bounded(int(methods.size())));
            body =
                json(QJsonObject{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params()}});
            answerId = id;
            break;
        }
        case 5:
            body = json(notification("textDocument/didOpen",
                                     QJsonObject{{"textDocument", QJsonObject{{"uri", uri()},
                                                                              {"languageId", value()},
                                                                              {"version", value()},
                                                                              {"text", text()}}}}));
            break;
        case 6:
            body = json(notification(
                "textDocument/didChange",
                QJsonObject{{"textDocument", QJsonObject{{"uri", uri()}}}, {"contentChanges", changes()}}));
            break;
        default:
            body = json(notification(
                QList<QString>{"textDocument/didClose", "$/cancelRequest", "initialized",
                               "workspace/didChangeConfiguration", "textDocument/didSave"}
                    .at(m_random.bounded(5)),
                m_random.bounded(2) ? value() : QJsonObject{{"textDocument", QJsonObject{{"uri", uri()}}}}));
        }
        // Broken framing for one message in ten; the stream is in step again after it.
        switch (m_random.bounded(20)) {
        case 0:
            answerId = -1;
            return "Content-Length: twelve\r\n\r\n" + body;
        case 1:
            answerId = -1;
            return "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n" + body;
        case 2:
            answerId = -1;
            return "Content-Length: " + QByteArray::number(qMax<qsizetype>(0, body.size() - 5)) + "\r\n\r\n" +
                   body;
        case 3: {
            // Blanks after the body are still JSON: a request among them is answered.
            const int extra = m_random.bounded(1, 64);
            return "Content-Length: " + QByteArray::number(body.size() + extra) + "\r\n\r\n" + body +
                   QByteArray(extra, ' ');
        }
        default:
            return framed(body);
        }
    }

private:
    QJsonObject notification(const QString& method, const QJsonValue& params)
    {
        return QJsonObject{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
    }
    QJsonValue value()
    {
        switch (m_random.bounded(6)) {
        case 0:
            return QJsonValue();
        case 1:
            return int(m_random.generate());
        case 2:
            return -1.5;
        case 3:
            return QStringLiteral("slo");
        case 4:
            return QJsonArray{1, "x"};
        default:
            return QJsonObject{{"uri", 3}};
        }
    }
    QString uri()
    {
        static const QStringList uris{"file:///tmp/rnd/a.slo",
                                      "file:///tmp/rnd/b.vlo",
                                      "file:///tmp/rnd/SLO.qrb",
                                      "untitled:1",
                                      "",
                                      "::::",
                                      "file:///tmp/rnd/%ZZ.slo",
                                      "file:///tmp/rnd/c.txt"};
        return uris.at(m_random.bounded(int(uris.size())));
    }
    QString text()
    {
        static const QStringList parts{"public int a[",
                                       "event e(every, 10) {",
                                       "}",
                                       "script \"a.slo\" run {",
                                       "a INT 1\n",
                                       "/*",
                                       "\"",
                                       "#define X ",
                                       "\r",
                                       "\n",
                                       u"\U0001F600"_qs,
                                       QString(QChar(0)),
                                       "x-1",
                                       "function int f(int a);",
                                       "trigger t(",
                                       "(((("};
        QString result;
        for (int i = m_random.bounded(40); i > 0; --i)
            result += parts.at(m_random.bounded(int(parts.size())));
        return result;
    }
    QJsonObject position()
    {
        const int big = m_random.bounded(2) ? 1 << 30 : 3;
        return QJsonObject{{"line", m_random.bounded(-2, big)}, {"character", m_random.bounded(-2, big)}};
    }
    QJsonValue params()
    {
        if (m_random.bounded(4) == 0)
            return value();
        return QJsonObject{{"textDocument", QJsonObject{{"uri", m_random.bounded(2) ? kProbe : uri()}}},
                           {"position", m_random.bounded(4) ? QJsonValue(position()) : value()},
                           {"capabilities", value()}};
    }
    QJsonArray changes()
    {
        QJsonArray list;
        for (int i = m_random.bounded(4); i > 0; --i) {
            QJsonObject change{{"text", m_random.bounded(5) ? QJsonValue(text()) : value()}};
            if (m_random.bounded(4))
                change.insert("range", QJsonObject{{"start", position()}, {"end", position()}});
            list.append(change);
        }
        return list;
    }

    QRandomGenerator m_random;
};

QString firstSymbol(LspClient& client)
{
    return client
        .request("textDocument/documentSymbol", QJsonObject{{"textDocument", QJsonObject{{"uri", kProbe}}}})
        .value("result")
        .toArray()
        .first()
        .toObject()
        .value("name")
        .toString();
}

} // namespace

class LspRobustnessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hostileInputLeavesTheServerAnswering()
    {
        LspClient client;
        client.initialize();
        client.open(kProbe, "public int player;\nevent e(every, 10)\n{\n}\n");
        RandomMessages messages(2300);
        QSet<int> mustAnswer;
        for (int id = 1000; id < 2000; ++id) {
            int answerId = -1;
            client.sendRaw(messages.next(id, answerId));
            if (answerId >= 0)
                mustAnswer.insert(answerId);
        }
        QCOMPARE(firstSymbol(client), "player");
        QSet<int> answered;
        for (const QJsonObject& response : client.takeResponses()) {
            const int id = response.value("id").toInt(-1);
            QVERIFY2(!answered.contains(id), qPrintable(QStringLiteral("request %1 answered twice").arg(id)));
            answered.insert(id);
        }
        QCOMPARE(answered, mustAnswer);
        QVERIFY(mustAnswer.size() > 200);

        // 100 MB announced and sent: thrown away as it comes, never held.
        const qint64 peakBefore = client.memoryKb("VmHWM");
        const QByteArray head =
            "{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"textDocument/hover\",\"params\":\"";
        const qsizetype huge = 100 * 1024 * 1024;
        client.sendRaw("Content-Length: " + QByteArray::number(huge) + "\r\n\r\n" + head);
        const QByteArray filler(1024 * 1024, 'a');
        for (qsizetype sent = head.size(); sent < huge; sent += filler.size())
            client.sendRaw(filler.left(qMin(filler.size(), huge - sent)));
        QCOMPARE(firstSymbol(client), "player");
        QVERIFY(client.takeResponses().isEmpty());
        const qint64 growth = client.memoryKb("VmHWM") - peakBefore;
        qInfo("peak memory %lld kB before the 100 MB message, %lld kB more after it", peakBefore, growth);
        QVERIFY2(growth < 8 * 1024, qPrintable(QString::number(growth)));

        client.closeInput();
        QCOMPARE(client.waitForExit(), 1);
        const QString log = client.errorOutput();
        for (const char* line :
             {"qrb2 --lsp: dropped a message of 104857600 bytes: the limit is 67108864 bytes\n",
              "qrb2 --lsp: dropped a message whose Content-Length is not a number\n",
              "qrb2 --lsp: dropped a message: not JSON (",
              "qrb2 --lsp: the input ended without an exit notification\n"})
            QVERIFY2(log.contains(QLatin1String(line)), line);
        QCOMPARE(client.framingError(), QString());
    }

    // Diagnostics of the 2.3 AI after a change, through the pipe; completion right after a
    // change (the index built again) at a line's start, after a builtin's prefix and after
    // `_factory.`; the server's memory with the script and its value file open.
    void speedAndMemoryWithThe23Ai()
    {
        LspClient client;
        Ai ai(client);
        const QString& slo = ai.slo;
        client.drain(1000);
        qint64 slowest = 0;
        const QList<std::pair<int, int>> places{{599, 1}, {357, 20}, {1059, 118}};
        QList<qint64> afterChange(places.size(), 0);
        for (int version = 2; version < 14; ++version) {
            QElapsedTimer clock;
            clock.start();
            client.change(slo, version, 357, 1, 357, 1, version % 2 ? " " : "");
            const QJsonObject published = client.waitForNotification("textDocument/publishDiagnostics", slo);
            QCOMPARE(published.value("version").toInt(), version);
            slowest = qMax(slowest, clock.elapsed() - 250);
            client.drain(300);
            const qsizetype place = version % places.size();
            clock.restart();
            const QJsonObject answer = client.request(
                "textDocument/completion", at(slo, places.at(place).first, places.at(place).second));
            afterChange[place] = qMax(afterChange.at(place), clock.elapsed());
            QVERIFY(!answer.value("result")["items"].toArray().isEmpty());
        }
        const qint64 rss = client.memoryKb("VmRSS");
        const qint64 limit = (3 * (ai.script.size() + ai.values.size())) / 1024 + 50 * 1024;
        qInfo("diagnostics at most %lld ms after the pause; memory %lld kB (limit %lld kB)", slowest, rss,
              limit);
        qInfo("completion after a change at most %lld ms (every name), %lld ms (a prefix), %lld ms (members)",
              afterChange.at(0), afterChange.at(1), afterChange.at(2));
        QVERIFY2(slowest <= 100, qPrintable(QString::number(slowest)));
        QVERIFY(*std::max_element(afterChange.cbegin(), afterChange.cend()) <= 100);
        QVERIFY(rss > 0 && rss <= limit);
    }
};

QRB_TEST(LspRobustnessTest)

#include "tst_lsprobustness.moc"
