// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/projectfiles.h"

#include "platform/atomicfile.h"
#include "platform/filelookup.h"
#include "platform/rtfreader.h"
#include "platform/textfile.h"

#include <QFileInfo>
#include <QStringList>

namespace projectfiles {

QString path(const QString& workDir, const QString& name)
{
    return filelookup::resolve(workDir, name);
}

FileOutcome ensureExist(const QString& workDir)
{
    const QStringList names{kVlo, kSlo, kNotes, kHelp};
    QStringList missing;
    for (const QString& name : names) {
        if (!filelookup::exists(workDir, name))
            missing << name;
    }
    FileOutcome outcome;
    for (const QString& name : missing) {
        if (auto failure = textfile::createEmpty(path(workDir, name)))
            outcome.add(*failure);
    }
    return outcome;
}

QString withoutWriterLineEnd(const QString& fileText)
{
    if (fileText.endsWith(textfile::kCrLf))
        return fileText.left(fileText.size() - 2);
    return fileText;
}

LoadResult load(const QString& workDir, const QString& name)
{
    LoadResult result;
    textfile::ReadResult read = textfile::read(path(workDir, name));
    result.failure = read.failure;
    // A rich-text document (written by a word processor) comes in as its plain text.
    const QString text = rtf::isRtf(read.text) ? rtf::parse(read.text.toLatin1()).plainText() : read.text;
    result.text = withoutWriterLineEnd(text);
    return result;
}

FileOutcome write(const QString& workDir, const Texts& texts, bool withNotes, const QStringList& skip)
{
    struct Item {
        const QString& name;
        const QString& text;
    };
    QList<Item> items{{kVlo, texts.vlo}, {kSlo, texts.slo}};
    if (withNotes)
        items.append({kNotes, texts.notes});
    FileOutcome outcome;
    QList<atomicfile::Replacement> files;
    for (const Item& item : items) {
        if (skip.contains(item.name))
            continue;
        QString replaced;
        QByteArray bytes = textfile::encode(item.text, &replaced);
        bytes.append("\r\n", 2);
        outcome.noteReplaced(replaced);
        files.append({path(workDir, item.name), {bytes}});
    }
    // The files of one save are replaced together, so they never mix two saves.
    for (const FileFailure& failure : atomicfile::replaceAll(files))
        outcome.add(failure);
    return outcome;
}

} // namespace projectfiles
