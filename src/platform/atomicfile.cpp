// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomicfile.h"

#include "platform/processinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace atomicfile {

namespace {

std::atomic<int> g_serial{0};

struct FaultPlan {
    std::mutex mutex;
    std::optional<WriteFault> fault;
    int opened = 0;
};

FaultPlan& faultPlan()
{
    static FaultPlan plan;
    return plan;
}

// The byte at which the file opened now fails, when the seam is armed for it.
std::optional<qint64> faultForNextFile(int* error)
{
    FaultPlan& plan = faultPlan();
    const std::lock_guard lock(plan.mutex);
    if (!plan.fault)
        return std::nullopt;
    if (++plan.opened != plan.fault->file)
        return std::nullopt;
    *error = plan.fault->error;
    return plan.fault->atByte;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The system's own limit on the links of one path.
constexpr int kMaxLinkHops = 40;

std::optional<QString> syncHandle(QFile& file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return systemReason(errno);
#else
    Q_UNUSED(file);
#endif
    return std::nullopt;
}

} // namespace

bool isTemporaryName(const QString& fileName)
{
    return fileName.startsWith(kTemporaryPrefix);
}

std::optional<QString> finalTarget(const QString& path, QString* reason)
{
    QString current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    if (reason)
        *reason = systemReason(ELOOP);
    return std::nullopt;
}

void injectWriteFault(std::optional<WriteFault> fault)
{
    FaultPlan& plan = faultPlan();
    const std::lock_guard lock(plan.mutex);
    plan.fault = fault;
    plan.opened = 0;
}

PendingFile::PendingFile(QString target, Links links) : m_target(std::move(target)), m_links(links) {}

PendingFile::~PendingFile()
{
    discard();
}

std::optional<FileFailure> PendingFile::open()
{
    QString loop;
    const std::optional<QString> final = m_links == Links::Follow ? finalTarget(m_target, &loop) : m_target;
    if (!final)
        return failure(loop);
    m_final = *final;
    const QFileInfo target(m_final);
    if (target.isDir())
        return failure(QStringLiteral("a folder of that name stands where the file belongs"));
    const QString folder = target.path();
    // ".qrb2-writing-NAME-PID-START-N": the writer's process id and start time tell a sweep
    // whether the writer still runs.
    const QString stem = kTemporaryPrefix + target.fileName() + QLatin1Char('-') +
                         QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
                         QString::number(processinfo::ownStartTime()) + QLatin1Char('-');
    // A name taken by another writer is skipped; NewOnly never opens an existing file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temporary = QDir(folder).filePath(stem + QString::number(g_serial.fetch_add(1)));
        m_file.setFileName(m_temporary);
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        if (QFileInfo::exists(m_temporary))
            continue;
        const QString reason = m_file.errorString();
        m_temporary.clear();
        return failure(reason);
    }
    if (!m_file.isOpen()) {
        m_temporary.clear();
        return failure(QStringLiteral("no free temporary name beside the file"));
    }
    if (target.exists() && !target.isSymLink())
        m_file.setPermissions(QFile::permissions(target.filePath()));
    int error = 0;
    if (const auto at = faultForNextFile(&error)) {
        m_faultAt = *at;
        m_faultError = error;
    }
    return std::nullopt;
}

std::optional<FileFailure> PendingFile::write(QByteArrayView bytes)
{
    qsizetype size = bytes.size();
    const bool faulty = m_faultAt && m_written + size > *m_faultAt;
    if (faulty)
        size = static_cast<qsizetype>(*m_faultAt - m_written);
    qsizetype done = 0;
    // A short write sets no error; the next attempt gives the system's reason.
    while (done < size) {
        const qint64 n = m_file.write(bytes.data() + done, size - done);
        if (n <= 0)
            return failure(m_file.errorString());
        done += n;
        m_written += n;
    }
    if (faulty)
        return failure(systemReason(m_faultError));
    return std::nullopt;
}

std::optional<FileFailure> PendingFile::finish()
{
    if (m_finished)
        return std::nullopt;
    if (!m_file.isOpen())
        return failure(QStringLiteral("the file was not written"));
    if (const auto reason = syncHandle(m_file))
        return failure(*reason);
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        return failure(m_file.errorString());
    m_finished = true;
    return std::nullopt;
}

std::optional<FileFailure> PendingFile::rename()
{
    if (!m_finished)
        return failure(QStringLiteral("the file was not written"));
    const QByteArray from = QFile::encodeName(m_temporary);
    const QByteArray to = QFile::encodeName(m_final);
    if (std::rename(from.constData(), to.constData()) != 0)
        return failure(systemReason(errno));
    m_temporary.clear();
    m_finished = false;
    return std::nullopt;
}

std::optional<FileFailure> PendingFile::renameNew(bool& nameTaken)
{
    nameTaken = false;
    if (!m_finished)
        return failure(QStringLiteral("the file was not written"));
    const QByteArray from = QFile::encodeName(m_temporary);
    const QByteArray to = QFile::encodeName(m_target);
#ifdef Q_OS_UNIX
    // A hard link never replaces an existing name; where the file system has none, the name is
    // first reserved by creating it exclusively and then replaced by the temporary.
    int error = ::link(from.constData(), to.constData()) == 0 ? 0 : errno;
    if (error == 0) {
        ::unlink(from.constData());
        m_temporary.clear();
        m_finished = false;
        return std::nullopt;
    }
    if (error == EPERM || error == EOPNOTSUPP || error == EMLINK || error == ENOSYS) {
        const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        error = fd >= 0 ? 0 : errno;
        if (fd >= 0) {
            ::close(fd);
            std::optional<FileFailure> failed = rename();
            if (failed)
                ::unlink(to.constData());
            return failed;
        }
    }
    if (error == EEXIST) {
        nameTaken = true;
        return std::nullopt;
    }
    return failure(systemReason(error));
#else
    if (QFileInfo::exists(m_target)) {
        nameTaken = true;
        return std::nullopt;
    }
    return rename();
#endif
}

void PendingFile::discard()
{
    if (m_file.isOpen())
        m_file.close();
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    m_temporary.clear();
    m_finished = false;
}

QList<FileFailure> commit(const QList<PendingFile*>& files)
{
    QList<FileFailure> failures;
    for (PendingFile* file : files) {
        if (auto failure = file->finish())
            failures.append(*failure);
    }
    if (!failures.isEmpty()) {
        for (PendingFile* file : files)
            file->discard();
        return failures;
    }
    QSet<QString> folders;
    for (PendingFile* file : files) {
        if (auto failure = file->rename())
            failures.append(*failure);
        folders.insert(QFileInfo(file->finalPath()).path());
    }
    for (const QString& folder : folders)
        syncFolder(folder);
    return failures;
}

QList<FileFailure> replaceAll(const QList<Replacement>& files)
{
    std::vector<std::unique_ptr<PendingFile>> pending;
    QList<PendingFile*> written;
    QList<FileFailure> failures;
    for (const Replacement& replacement : files) {
        auto file = std::make_unique<PendingFile>(replacement.path);
        std::optional<FileFailure> failure = file->open();
        for (qsizetype i = 0; !failure && i < replacement.parts.size(); ++i)
            failure = file->write(replacement.parts.at(i));
        if (failure) {
            // Its space goes back at once; the others are still tried, so every file that
            // cannot be written is named.
            file->discard();
            failures.append(*failure);
            continue;
        }
        written.append(file.get());
        pending.push_back(std::move(file));
    }
    if (!failures.isEmpty())
        return failures; // the pending files remove their temporaries
    return commit(written);
}

std::optional<FileFailure> replace(const QString& path, const QByteArray& bytes)
{
    const QList<FileFailure> failures = replaceAll({Replacement{path, {bytes}}});
    if (failures.isEmpty())
        return std::nullopt;
    return failures.first();
}

namespace {

// Writes the source's bytes into the open temporary and finishes it.
std::optional<FileFailure> copyInto(const QString& source, PendingFile& out)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return FileFailure{source, in.errorString()};
    if (auto failure = out.open())
        return failure;
    constexpr qint64 kChunk = 1024 * 1024;
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk = in.read(kChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return FileFailure{source, in.errorString()};
        if (auto failure = out.write(chunk))
            return failure;
    }
    return out.finish();
}

} // namespace

std::optional<FileFailure> replace(const QString& path, const QByteArray& bytes, Links links)
{
    PendingFile file(path, links);
    if (auto failure = file.open())
        return failure;
    if (auto failure = file.write(bytes))
        return failure;
    if (auto failure = file.finish())
        return failure;
    if (auto failure = file.rename())
        return failure;
    syncFolder(QFileInfo(file.finalPath()).path());
    return std::nullopt;
}

std::optional<FileFailure> copy(const QString& source, const QString& target)
{
    PendingFile out(target);
    if (auto failure = copyInto(source, out))
        return failure;
    return out.rename();
}

std::optional<FileFailure> copyNew(const QString& source, const QString& target, bool& nameTaken)
{
    nameTaken = false;
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) {
        nameTaken = true;
        return std::nullopt;
    }
    PendingFile out(target, Links::Replace);
    if (auto failure = copyInto(source, out))
        return failure;
    auto failure = out.renameNew(nameTaken);
    if (!failure && !nameTaken)
        syncFolder(QFileInfo(target).path());
    return failure;
}

void syncFolder(const QString& folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

namespace {

// The writer sits in the temporary's name: ".qrb2-writing-NAME-PID-START-N". A name without
// both numbers was not written by a run that could still be going.
bool writerIsRunning(const QString& temporaryName)
{
    const QStringList parts = temporaryName.split(QLatin1Char('-'));
    if (parts.size() < 6)
        return false;
    bool pidOk = false;
    bool startOk = false;
    const qint64 pid = parts.at(parts.size() - 3).toLongLong(&pidOk);
    const quint64 start = parts.at(parts.size() - 2).toULongLong(&startOk);
    return pidOk && startOk && processinfo::isRunning(pid, start);
}

} // namespace

QStringList sweepStale(const QString& folder)
{
    QStringList removed;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return removed;
    const QStringList names =
        dir.entryList({kTemporaryPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (writerIsRunning(name))
            continue; // another copy of the program is writing it now
        if (QFile::remove(dir.filePath(name)))
            removed.append(dir.filePath(name));
    }
    return removed;
}

} // namespace atomicfile
