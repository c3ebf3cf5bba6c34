#include "durable_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace DurableFile {
namespace {

struct Failure {
    Step step;
    int error;
};

std::optional<Failure> nextFailure;

QString cause(const QString& path, int error) {
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path),
                                        QString::fromLocal8Bit(std::strerror(error)));
}

// A symlink is written through, as an editor would: the link stays a link.
QString resolved(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// The folder's entry for the rename must reach the disk too; when it
// cannot, the old file or the new one is there whole, so this is no failure.
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString temporaryName(const QString& target) {
    const QFileInfo info(target);
    const QString random = QString::number(QRandomGenerator::global()->generate(), 16);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
           random + QLatin1String(temporarySuffix);
}

int openTemporary(const QString& target, QByteArray& name) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = QFile::encodeName(temporaryName(target));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

QString write(const QString& path, const QByteArray& contents) {
    const std::optional<Failure> failure = std::exchange(nextFailure, std::nullopt);
    const auto failsAt = [&failure](Step step) {
        if (!failure || failure->step != step)
            return false;
        errno = failure->error;
        return true;
    };

    const QString target = resolved(path);
    const QByteArray targetName = QFile::encodeName(target);
    QByteArray temporary;
    int fd = failsAt(Step::Open) ? -1 : openTemporary(target, temporary);
    if (fd < 0)
        return cause(path, errno);
    const auto abandon = [&](int error) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        return cause(path, error);
    };

    struct stat old {};
    if (::stat(targetName.constData(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        return abandon(errno);

    const char* data = contents.constData();
    qsizetype left = contents.size();
    if (failsAt(Step::Write))
        return abandon(errno);
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return abandon(errno);
        }
        data += written;
        left -= written;
    }
    if (failsAt(Step::Sync) || ::fsync(fd) != 0)
        return abandon(errno);
    // Some file systems (NFS) say only now that the data did not fit.
    if (failsAt(Step::Close))
        return abandon(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon(errno);
    if (failsAt(Step::Rename) || ::rename(temporary.constData(), targetName.constData()) != 0)
        return abandon(errno);
    syncFolder(QFile::encodeName(QFileInfo(target).absolutePath()));
    return QString();
}

QString temporaryNameFor(const QString& path) {
    return temporaryName(resolved(path));
}

QString replaceWith(const QString& built, const QString& path) {
    const QString target = resolved(path);
    const QByteArray builtName = QFile::encodeName(built);
    const auto abandon = [&](int error) {
        ::unlink(builtName.constData());
        return cause(path, error);
    };
    const int fd = ::open(builtName.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return abandon(errno);
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0)
        return abandon(error);
    if (::rename(builtName.constData(), QFile::encodeName(target).constData()) != 0)
        return abandon(errno);
    syncFolder(QFile::encodeName(QFileInfo(target).absolutePath()));
    return QString();
}

void failNextWriteAt(Step step, int error) {
    nextFailure = Failure{step, error};
}

bool isTemporary(const QString& fileName) {
    return fileName.startsWith(QLatin1Char('.')) &&
           fileName.endsWith(QLatin1String(temporarySuffix)) &&
           fileName.size() > int(qstrlen(temporarySuffix)) + 1;
}

int removeStaleTemporaries(const QString& folder, std::chrono::seconds age) {
    if (folder.isEmpty())
        return 0;
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-age.count());
    int removed = 0;
    const QFileInfoList found =
        QDir(folder).entryInfoList({QStringLiteral("*") + QLatin1String(temporarySuffix)},
                                   QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& file : found) {
        if (isTemporary(file.fileName()) && file.lastModified().toUTC() < before &&
            QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

bool sameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace DurableFile
