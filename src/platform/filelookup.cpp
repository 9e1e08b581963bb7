// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filelookup.h"

#include <QDir>
#include <QFileInfo>

namespace filelookup {

QString resolve(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

QString resolvePath(const QString& folder, const QString& relativePath)
{
    QString path = folder;
    const QStringList steps = relativePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& step : steps)
        path = resolve(path, step);
    return path;
}

QStringList resolveEach(const QString& folder, const QStringList& names)
{
    const QDir dir(folder);
    QStringList entries;
    bool listed = false;
    QStringList paths;
    for (const QString& name : names) {
        QString path = dir.filePath(name);
        if (!QFileInfo::exists(path)) {
            if (!listed) {
                entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                        QDir::Name);
                listed = true;
            }
            for (const QString& entry : entries) {
                if (entry.compare(name, Qt::CaseInsensitive) == 0) {
                    path = dir.filePath(entry);
                    break;
                }
            }
        }
        paths.append(path);
    }
    return paths;
}

bool exists(const QString& folder, const QString& name)
{
    return QFileInfo::exists(resolve(folder, name));
}

} // namespace filelookup
