// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/datafolder.h"

#include "platform/filelookup.h"
#include "workspace/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace datafolder {

namespace {

const QStringList kShippedFolders{QStringLiteral("mts"), QStringLiteral("RTS")};

FileFailure failure(const QString& path, const QString& reason)
{
    return FileFailure{QDir::toNativeSeparators(path), reason};
}

void copyMissing(const QString& from, const QString& to, const QString& name, FileOutcome& outcome)
{
    if (filelookup::exists(to, name))
        return;
    QFile source(from + QLatin1Char('/') + name);
    if (!source.exists())
        return;
    const QString copy = to + QLatin1Char('/') + name;
    if (!source.copy(copy)) {
        outcome.add(failure(copy, source.errorString()));
        return;
    }
    // Shipped files are read-only for the user; the copies are the user's to change.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
}

} // namespace

QString Inputs::defaultSharedDataFromProgram()
{
    return QStringLiteral(QRB_SHARED_DATA_FROM_BIN);
}

Choice choose(const Inputs& inputs)
{
    Choice choice;
    if (!inputs.folderOption.isNull()) {
        const QFileInfo folder(inputs.folderOption);
        if (!folder.exists())
            choice.error = QStringLiteral("the folder '%1' does not exist").arg(inputs.folderOption);
        else if (!folder.isDir())
            choice.error = QStringLiteral("'%1' is not a folder").arg(inputs.folderOption);
        const QString path = folder.absoluteFilePath();
        choice.place.folders = Folders{path, path};
        return choice;
    }

    const QDir program(inputs.programDir);
    const QString shipped = QDir::cleanPath(program.filePath(inputs.sharedDataFromProgram));
    const bool installed = !inputs.sharedDataFromProgram.isEmpty() && QFileInfo(shipped).isDir();
    if (!installed || filelookup::exists(inputs.programDir, settingsfile::kFileName)) {
        choice.place.folders = Folders{inputs.programDir, inputs.currentDir};
        return choice;
    }
    if (inputs.userDataDir.isEmpty()) {
        choice.error = QStringLiteral("the user's data folder is not known (is HOME set?)");
        return choice;
    }
    choice.place.folders = Folders{inputs.userDataDir, inputs.userDataDir};
    choice.place.shippedData = shipped;
    return choice;
}

FileOutcome prepare(const Place& place)
{
    FileOutcome outcome;
    if (place.shippedData.isEmpty())
        return outcome;
    const QString target = place.folders.workDir;
    if (!QDir().mkpath(target)) {
        outcome.add(failure(target, QStringLiteral("the folder could not be created")));
        return outcome;
    }
    copyMissing(place.shippedData, target, QStringLiteral("Help.qrb"), outcome);
    for (const QString& folderName : kShippedFolders) {
        const QDir from(place.shippedData + QLatin1Char('/') + folderName);
        if (!from.exists())
            continue;
        const QString to = filelookup::resolve(target, folderName);
        if (!QDir().mkpath(to)) {
            outcome.add(failure(to, QStringLiteral("the folder could not be created")));
            continue;
        }
        for (const QString& name : from.entryList(QDir::Files, QDir::Name))
            copyMissing(from.path(), to, name, outcome);
    }
    return outcome;
}

} // namespace datafolder
