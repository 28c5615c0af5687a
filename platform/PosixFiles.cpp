#include "PosixFiles.h"

#ifndef Q_OS_WIN

#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform::Posix {

namespace {

const char TemporaryPrefix[] = ".orvacalc-";
const char TemporarySuffix[] = ".tmp";
constexpr int TemporaryRandomLength = 6;
constexpr time_t StaleAfterSeconds = 24 * 60 * 60;

bool isTemporaryName(const char *name)
{
    const size_t prefix = sizeof TemporaryPrefix - 1;
    const size_t suffix = sizeof TemporarySuffix - 1;
    if (std::strlen(name) != prefix + TemporaryRandomLength + suffix)
        return false;
    return std::strncmp(name, TemporaryPrefix, prefix) == 0
           && std::strcmp(name + prefix + TemporaryRandomLength, TemporarySuffix) == 0;
}

} // namespace

QString systemReason(int code)
{
    return qt_error_string(code);
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

int writeAll(int fd, const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.constData() + done, size_t(data.size() - done), off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        done += n;
    }
    return 0;
}

int readAll(int fd, qint64 size, QByteArray *data)
{
    data->resize(qsizetype(size));
    qsizetype done = 0;
    while (done < data->size()) {
        const ssize_t n = ::pread(fd, data->data() + done, size_t(data->size() - done), off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            break;
        done += n;
    }
    data->truncate(done);
    return 0;
}

int replaceContent(int fd, const QByteArray &data)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    int code = 0;
    if (data.size() > st.st_size)
        code = ::posix_fallocate(fd, 0, off_t(data.size()));
    if (code == EOPNOTSUPP || code == EINVAL)
        code = 0;
    if (code == 0)
        code = writeAll(fd, data);
    if (code == 0 && ::ftruncate(fd, off_t(data.size())) != 0)
        code = errno;
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    return code;
}

int createTemporary(const QByteArray &folder, mode_t mode, QByteArray *name)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray candidate = folder + '/' + TemporaryPrefix;
        for (int i = 0; i < TemporaryRandomLength; ++i)
            candidate += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        candidate += TemporarySuffix;
        const int fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0) {
            *name = candidate;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

void removeStaleTemporaries(const QByteArray &folder)
{
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return;
    DIR *dir = ::fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return;
    }
    const time_t now = std::time(nullptr);
    const uid_t self = ::geteuid();
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name))
            continue;
        // Only regular files of this user: never another user's file, nor
        // anything a link would lead to.
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == self && now - st.st_mtime > StaleAfterSeconds)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace Platform::Posix

#endif
