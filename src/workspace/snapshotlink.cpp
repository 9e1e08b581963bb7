// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/snapshotlink.h"

#include "platform/atomicfile.h"
#include "workspace/snapshotname.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace snapshotlink {

namespace {

int g_refusals = 0;

// Backup folder and project file (lower case) -> full path of its newest snapshot; an empty
// path when the folder held none.
QHash<QString, QString>& newestByFile()
{
    static QHash<QString, QString> memory;
    return memory;
}

QString keyOf(const QString& source, const QString& target)
{
    return QFileInfo(target).absolutePath() + QLatin1Char('/') + QFileInfo(source).fileName().toLower();
}

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString newestInFolder(const QString& folder, const QString& projectFile)
{
    QString newest;
    std::optional<snapshotname::Parts> newestParts;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!name.startsWith(projectFile, Qt::CaseInsensitive))
            continue;
        const std::optional<snapshotname::Parts> parts = snapshotname::parse(name);
        if (!parts || parts->projectFile.compare(projectFile, Qt::CaseInsensitive) != 0)
            continue;
        if (!newestParts || parts->when > newestParts->when ||
            (parts->when == newestParts->when && parts->number > newestParts->number)) {
            newest = it.filePath();
            newestParts = parts;
        }
    }
    return newest;
}

QString newestSnapshot(const QString& source, const QString& target)
{
    const QString key = keyOf(source, target);
    auto known = newestByFile().constFind(key);
    if (known != newestByFile().cend())
        return *known;
    const QString found = newestInFolder(QFileInfo(target).absolutePath(), QFileInfo(source).fileName());
    newestByFile().insert(key, found);
    return found;
}

bool sameBytes(const QString& a, const QString& b)
{
    const QFileInfo infoA(a);
    const QFileInfo infoB(b);
    if (!infoA.isFile() || !infoB.isFile() || infoA.size() != infoB.size())
        return false;
    if (infoA.size() == 0)
        return true;
    QFile fileA(a);
    QFile fileB(b);
    if (!fileA.open(QIODevice::ReadOnly) || !fileB.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = infoA.size();
    const uchar* bytesA = fileA.map(0, size);
    const uchar* bytesB = fileB.map(0, size);
    if (bytesA && bytesB)
        return std::memcmp(bytesA, bytesB, size_t(size)) == 0;
    // No mapping on this file system: read them.
    return fileA.readAll() == fileB.readAll();
}

} // namespace

Linked linkToNewestIfSame(const QString& source, const QString& target)
{
    const QString newest = newestSnapshot(source, target);
    if (newest.isEmpty() || !sameBytes(source, newest) || g_refusals > 0)
        return Linked::No;
    // A link never replaces an existing name, so two writers cannot take each other's snapshot.
    std::error_code error;
    std::filesystem::create_hard_link(fsPath(newest), fsPath(target), error);
    if (error == std::errc::file_exists)
        return Linked::NameTaken;
    if (error)
        return Linked::No;
    atomicfile::syncFolder(QFileInfo(target).path());
    return Linked::Yes;
}

void remember(const QString& source, const QString& target)
{
    newestByFile().insert(keyOf(source, target), QFileInfo(target).absoluteFilePath());
}

RefusingLinks::RefusingLinks()
{
    ++g_refusals;
}

RefusingLinks::~RefusingLinks()
{
    --g_refusals;
}

} // namespace snapshotlink
