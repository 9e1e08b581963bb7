// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder with byte-level helpers for the files the tests check.
class TempFolder {
public:
    TempFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    void mkdir(const QString& relative) const;
    QStringList entries(const QString& relative = {}) const;

private:
    QTemporaryDir m_dir;
};

// True when the tests run as root, where permission bits do not stop a write.
bool runningAsRoot();

// Makes a folder read-only for the length of a test. Root ignores permission bits, so as root
// the folder is bind-mounted read-only instead. `active()` is false when neither worked.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool active() const { return m_active; }
    QString why() const { return m_why; }

private:
    QString m_path;
    bool m_mounted = false;
    bool m_active = false;
    QString m_why;
};

// A small tmpfs mounted over a folder, to fill a disk. Needs root.
class TinyFilesystem {
public:
    TinyFilesystem(const QString& path, int kibibytes);
    ~TinyFilesystem();
    TinyFilesystem(const TinyFilesystem&) = delete;
    TinyFilesystem& operator=(const TinyFilesystem&) = delete;
    bool active() const { return m_active; }
    QString why() const { return m_why; }

private:
    QString m_path;
    bool m_active = false;
    QString m_why;
};
