// SPDX-License-Identifier: GPL-3.0-or-later
#include "lsp/workspace.h"

#include "lsp/messagereader.h"
#include "platform/filelookup.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace lsp {

namespace {

const QString kProjectValues = QStringLiteral("VLO.qrb");
const QString kProjectScript = QStringLiteral("SLO.qrb");

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

QString nameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

GroupFile fromDocument(const TextDocument& d)
{
    return GroupFile{d.path, d.uri, d.kind, d.text};
}

// Skips a comment that starts at `i`; returns whether there was one.
bool skipComment(const QString& text, qsizetype& i)
{
    if (text.at(i) != u'/' || i + 1 >= text.size())
        return false;
    if (text.at(i + 1) == u'/') {
        const qsizetype end = text.indexOf(u'\n', i);
        i = end < 0 ? text.size() : end;
        return true;
    }
    if (text.at(i + 1) == u'*') {
        const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
        i = end < 0 ? text.size() : end + 2;
        return true;
    }
    return false;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-';
}

} // namespace

QString ScriptGroup::key() const
{
    if (script)
        return script->path.isEmpty() ? script->uri : script->path;
    if (!values.isEmpty())
        return values.first().path.isEmpty() ? values.first().uri : values.first().path;
    return QString();
}

ScriptNameLine namedScript(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        if (skipComment(text, i))
            continue;
        if (!isWordChar(text.at(i))) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && isWordChar(text.at(i)))
            ++i;
        if (QStringView(text).sliced(start, i - start) != QLatin1String("script"))
            continue;
        while (i < text.size() &&
               (text.at(i) == u' ' || text.at(i) == u'\t' || text.at(i) == u'\r' || text.at(i) == u'\n'))
            ++i;
        if (i >= text.size() || text.at(i) != u'"')
            continue;
        const qsizetype close = text.indexOf(u'"', i + 1);
        const qsizetype newline = text.indexOf(u'\n', i + 1);
        if (close < 0 || (newline >= 0 && newline < close))
            continue;
        return ScriptNameLine{text.mid(i + 1, close - i - 1), i, close + 1 - i};
    }
    return ScriptNameLine{};
}

TextDocument& Workspace::open(const TextDocument& document)
{
    return *m_documents.insert(document.uri, document);
}

void Workspace::close(const QString& uri)
{
    m_documents.remove(uri);
}

TextDocument* Workspace::find(const QString& uri)
{
    const auto it = m_documents.find(uri);
    return it == m_documents.end() ? nullptr : &*it;
}

const TextDocument* Workspace::find(const QString& uri) const
{
    const auto it = m_documents.constFind(uri);
    return it == m_documents.cend() ? nullptr : &*it;
}

QList<const TextDocument*> Workspace::openIn(const QString& folder) const
{
    QList<const TextDocument*> result;
    for (const TextDocument& d : m_documents) {
        if (!d.path.isEmpty() && folderOf(d.path) == folder)
            result.append(&d);
    }
    std::sort(result.begin(), result.end(),
              [](const TextDocument* a, const TextDocument* b) { return a->path < b->path; });
    return result;
}

std::optional<QString> Workspace::readFromDisk(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxMessageBytes) {
        m_disk.remove(path);
        return std::nullopt;
    }
    const auto cached = m_disk.constFind(path);
    if (cached != m_disk.cend() && cached->modified == info.lastModified() && cached->size == info.size())
        return cached->text;
    textfile::ReadResult read = textfile::read(path);
    if (!read.ok()) {
        m_disk.remove(path);
        return std::nullopt;
    }
    m_disk.insert(path, DiskText{info.lastModified(), info.size(), read.text});
    return read.text;
}

std::optional<GroupFile> Workspace::fileAtPath(const QString& path)
{
    for (const TextDocument& d : m_documents) {
        if (d.path == path)
            return fromDocument(d);
    }
    const std::optional<QString> text = readFromDisk(path);
    if (!text)
        return std::nullopt;
    return GroupFile{path, QString(), kindOf(path, QString()), *text};
}

// The file `name` of `folder` in any letter case, the open document first; an exact match wins.
std::optional<GroupFile> Workspace::fileAt(const QString& folder, const QString& name)
{
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\'))
        return std::nullopt;
    const QList<const TextDocument*> open = openIn(folder);
    for (const bool exact : {true, false}) {
        for (const TextDocument* d : open) {
            const QString n = nameOf(d->path);
            if (exact ? n == name : sameName(n, name))
                return fromDocument(*d);
        }
    }
    return fileAtPath(filelookup::resolve(folder, name));
}

QList<GroupFile> Workspace::valuesNaming(const QString& folder, const QString& scriptName)
{
    QList<GroupFile> result;
    QStringList seen;
    for (const TextDocument* d : openIn(folder)) {
        if (d->kind != DocumentKind::Values)
            continue;
        seen.append(d->path);
        if (sameName(namedScript(d->text).name, scriptName))
            result.append(fromDocument(*d));
    }
    const QDir dir(folder);
    for (const QString& entry : dir.entryList({QStringLiteral("*.vlo")}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(entry);
        if (seen.contains(path))
            continue;
        const std::optional<QString> text = readFromDisk(path);
        if (text && sameName(namedScript(*text).name, scriptName))
            result.append(GroupFile{path, QString(), DocumentKind::Values, *text});
    }
    std::sort(result.begin(), result.end(),
              [](const GroupFile& a, const GroupFile& b) { return a.path < b.path; });
    return result;
}

ScriptGroup Workspace::groupOf(const TextDocument& document)
{
    ScriptGroup group;
    const GroupFile self = fromDocument(document);
    if (document.path.isEmpty()) {
        if (isScript(document.kind))
            group.script = self;
        else
            group.values.append(self);
        return group;
    }
    const QString folder = folderOf(document.path);
    switch (document.kind) {
    case DocumentKind::ProjectScript:
    case DocumentKind::ProjectValues:
        group.project = true;
        group.script = document.kind == DocumentKind::ProjectScript ? self : fileAt(folder, kProjectScript);
        if (document.kind == DocumentKind::ProjectValues)
            group.values.append(self);
        else if (std::optional<GroupFile> values = fileAt(folder, kProjectValues))
            group.values.append(*values);
        return group;
    case DocumentKind::Script:
        group.script = self;
        group.values = valuesNaming(folder, nameOf(document.path));
        return group;
    case DocumentKind::Values: {
        const ScriptNameLine named = namedScript(document.text);
        std::optional<GroupFile> script = fileAt(folder, named.name);
        if (script && script->kind == DocumentKind::Script) {
            group.values = valuesNaming(folder, nameOf(script->path));
            group.script = std::move(script);
            return group;
        }
        group.values.append(self);
        if (!named.name.isEmpty()) {
            group.missingScript = named.name;
            group.missingScriptOffset = named.offset;
            group.missingScriptLength = named.length;
        }
        return group;
    }
    case DocumentKind::Other:
        break;
    }
    return group;
}

} // namespace lsp
