// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <functional>

// A language client over pipes: starts the built `qrb2 --lsp` without a display and talks to
// it as an editor does. What the server writes is read strictly: a header other than
// "Content-Length: N" and an empty line, or a body that is not a JSON object, is a framing error.
class LspClient {
public:
    LspClient();
    ~LspClient();

    void sendRaw(const QByteArray& bytes);
    void send(const QJsonObject& message);
    void notify(const QString& method, const QJsonValue& params);
    // The whole response to a request; an empty object when none came in time.
    QJsonObject request(const QString& method, const QJsonValue& params, int timeoutMs = 10000);
    // The params of the next notification of `method` (for `uri`, when given), taken from those
    // received; an empty object when none came in time.
    QJsonObject waitForNotification(const QString& method, const QString& uri = QString(),
                                    int timeoutMs = 10000);
    // The next request of `method` from the server, whole; an empty object when none came in time.
    QJsonObject waitForServerRequest(const QString& method, int timeoutMs = 10000);
    // initialize (with markdown hovers, hierarchical symbols and prepareRename; versioned
    // document changes and watched files when asked) and initialized; the result.
    QJsonObject initialize(bool documentChanges = false, bool watchFiles = false);
    void open(const QString& uri, const QString& text, int version = 1);
    // One incremental change of `uri`: the range replaced by `text`.
    void change(const QString& uri, int version, int line, int character, int endLine, int endCharacter,
                const QString& text);

    // Every response received and not yet taken.
    QList<QJsonObject> takeResponses();
    // Closes the server's standard input.
    void closeInput() { m_process.closeWriteChannel(); }
    // Waits until the server has sent nothing for `quietMs` and forgets what it sent.
    void drain(int quietMs);

    // The exit code, or -1 when the server did not end in time or crashed.
    int waitForExit(int timeoutMs = 10000);
    QString errorOutput();
    QString framingError() const { return m_framingError; }
    // A line of /proc/PID/status in kB ("VmHWM", "VmRSS"); -1 when it cannot be read.
    qint64 memoryKb(const char* field) const;

private:
    // The first message received that `wanted` takes, reading on until it comes or time is up.
    QJsonObject take(const std::function<bool(const QJsonObject&)>& wanted, int timeoutMs);
    bool readSome(int timeoutMs);
    void parse();

    QProcess m_process;
    QByteArray m_buffer;
    QList<QJsonObject> m_received;
    QString m_framingError;
    int m_nextId = 1;
};

QString fileUri(const QString& path);

inline QJsonObject range(int line, int character, int endLine, int endCharacter)
{
    return QJsonObject{{"start", QJsonObject{{"line", line}, {"character", character}}},
                       {"end", QJsonObject{{"line", endLine}, {"character", endCharacter}}}};
}

// The params of a request at a place of a document.
inline QJsonObject at(const QString& uri, int line, int character)
{
    return QJsonObject{{"textDocument", QJsonObject{{"uri", uri}}},
                       {"position", QJsonObject{{"line", line}, {"character", character}}}};
}

inline QJsonObject errorOf(const QJsonObject& response)
{
    return response.value("error").toObject();
}
