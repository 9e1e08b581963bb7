// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

TempFolder::TempFolder() = default;

QString TempFolder::file(const QString& relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

void TempFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

QByteArray TempFolder::read(const QString& relative) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

bool TempFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(file(relative));
}

void TempFolder::mkdir(const QString& relative) const
{
    QDir().mkpath(file(relative));
}

QStringList TempFolder::entries(const QString& relative) const
{
    // Hidden files too: a temporary left behind must show.
    return QDir(file(relative))
        .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

ReadOnlyFolder::ReadOnlyFolder(const QString& path) : m_path(path)
{
    const QByteArray p = QFile::encodeName(path);
    if (!runningAsRoot()) {
        m_active = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        if (!m_active)
            m_why = QStringLiteral("could not change the folder's permissions");
        return;
    }
    if (::mount(p.constData(), p.constData(), nullptr, MS_BIND, nullptr) != 0) {
        m_why = QStringLiteral("running as root and a read-only bind mount is not allowed here: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
    if (::mount(nullptr, p.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        m_why = QStringLiteral("could not remount read-only: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_active = true;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    else if (!runningAsRoot())
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TinyFilesystem::TinyFilesystem(const QString& path, int kibibytes) : m_path(path)
{
    if (!runningAsRoot()) {
        m_why = QStringLiteral("mounting a small tmpfs needs root");
        return;
    }
    QDir().mkpath(path);
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) != 0) {
        m_why =
            QStringLiteral("mounting a tmpfs failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_active = true;
}

TinyFilesystem::~TinyFilesystem()
{
    if (m_active)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
}
