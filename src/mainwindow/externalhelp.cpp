// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/externalhelp.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFile>

namespace externalhelp {

Copy place(const QString& cacheFolder, const QByteArray& document)
{
    Copy copy;
    copy.path = QDir(cacheFolder).filePath(kFileName);
    if (!QDir().mkpath(cacheFolder)) {
        copy.failure = FileFailure{cacheFolder, QStringLiteral("the folder could not be created")};
        return copy;
    }
    QFile existing(copy.path);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == document.size() &&
        existing.readAll() == document)
        return copy;
    existing.close();
    copy.failure = textfile::replaceAtomically(copy.path, document);
    return copy;
}

} // namespace externalhelp
