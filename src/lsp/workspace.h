// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lsp/textdocument.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace lsp {

// One file of a group checked together: open in the client (its text as the client has it) or
// only on disk.
struct GroupFile {
    QString path;
    QString uri; // empty when the file is not open
    DocumentKind kind = DocumentKind::Other;
    QString text;
};

// The files the checker reads together: a script and the value files that name it (for the
// project files, SLO.qrb with VLO.qrb as the author's body).
struct ScriptGroup {
    bool project = false;
    std::optional<GroupFile> script;
    QList<GroupFile> values;
    // The script a value file names when it is not in the folder: its name and where the name
    // stands in the value file.
    QString missingScript;
    qsizetype missingScriptOffset = -1;
    qsizetype missingScriptLength = 0;

    QString key() const; // the same for every file of the group
};

// The `script "NAME"` line of a value file: the name (without quotes) and the place of the
// quoted text; an empty name when there is none. Comments are skipped.
struct ScriptNameLine {
    QString name;
    qsizetype offset = -1;
    qsizetype length = 0;
};
ScriptNameLine namedScript(const QString& valuesText);

// The documents the client has open, and the files beside them on disk that pair with them.
class Workspace {
public:
    TextDocument& open(const TextDocument& document);
    void close(const QString& uri);
    TextDocument* find(const QString& uri);
    const TextDocument* find(const QString& uri) const;
    const QHash<QString, TextDocument>& documents() const { return m_documents; }

    // The open documents whose file lies in `folder`.
    QList<const TextDocument*> openIn(const QString& folder) const;
    // The script and value files that `document` is checked with.
    ScriptGroup groupOf(const TextDocument& document);

private:
    std::optional<GroupFile> fileAt(const QString& folder, const QString& name);
    std::optional<GroupFile> fileAtPath(const QString& path);
    std::optional<QString> readFromDisk(const QString& path);
    QList<GroupFile> valuesNaming(const QString& folder, const QString& scriptName);

    struct DiskText {
        QDateTime modified;
        qint64 size = 0;
        QString text;
    };
    QHash<QString, TextDocument> m_documents; // by URI
    QHash<QString, DiskText> m_disk;          // by path
};

} // namespace lsp
