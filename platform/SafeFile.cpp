#include "SafeFile.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <windows.h>
#else
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Platform {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

#ifdef Q_OS_WIN

bool writeFileSafely(const QString &path, const QByteArray &data, QString *error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name given"));
    if (QFileInfo(path).isDir())
        return fail(error, QStringLiteral("Is a folder, not a file"));
    // Device names (NUL, CON, COM1) and named pipes open as something other
    // than a disk file; replacing them is never what the user meant.
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const HANDLE probe = CreateFileW(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(probe);
        CloseHandle(probe);
        if (type != FILE_TYPE_DISK)
            return fail(error, QStringLiteral("Is a device or a pipe, not a regular file"));
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    // The last buffered bytes are written by flush(); a full disk shows there.
    if (file.write(data) != data.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

QString temporaryCopyPath(const QString &name, QString *)
{
    // The temporary folder of a Windows user is the user's own.
    return QDir::temp().filePath(name);
}

bool writeStandardOutput(const QByteArray &data, QString *error)
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        return fail(error, QStringLiteral("Standard output is closed"));
    qint64 done = 0;
    while (done < data.size()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(qMin<qint64>(data.size() - done, 1 << 20));
        if (!WriteFile(out, data.constData() + done, chunk, &written, nullptr) || written == 0)
            return fail(error, qt_error_string(int(GetLastError())));
        done += written;
    }
    return true;
}

void reserveStandardStreams()
{
}

#else

namespace {

QString systemReason(int code)
{
    return qt_error_string(code);
}

QString notRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return systemReason(EISDIR);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("Is a device, not a regular file");
    if (S_ISFIFO(mode))
        return QStringLiteral("Is a pipe, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("Is a socket, not a regular file");
    return QStringLiteral("Not a regular file");
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The path a chain of symbolic links finally names, so that the link stays
// and the file it points to gets the new content. 0 or an errno value.
int resolveLinks(QByteArray path, QByteArray *resolved)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *resolved = path;
            return 0;
        }
        QByteArray link(qMax<qsizetype>(qsizetype(st.st_size), 255) + 1, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return errno;
        if (length >= link.size())
            return ENAMETOOLONG;
        link.truncate(length);
        path = link.startsWith('/') ? link : folderOf(path) + '/' + link;
    }
    return ELOOP;
}

// Writes all of `data` at offset 0; 0 or an errno value.
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

// A new file beside `target`, named after it; -1 with errno on failure.
int createTemporary(const QByteArray &target, mode_t mode, QByteArray *name)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray candidate = target + '.';
        for (int i = 0; i < 6; ++i)
            candidate += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
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

void syncFolder(const QByteArray &folder)
{
    // The rename is done; a folder that cannot be synced (some network file
    // systems) does not undo it.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Rewrites an existing regular file where it is, keeping its owner, group,
// mode and links. The previous content is put back when the write fails.
bool rewriteInPlace(const QByteArray &target, const QByteArray &data, QString *error)
{
    // Non-blocking: a pipe put there meanwhile must not hang the program.
    const int fd = ::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return fail(error, systemReason(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(error, systemReason(code));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(error, notRegular(st.st_mode));
    }
    QByteArray previous;
    int code = readAll(fd, qint64(st.st_size), &previous);
    if (code != 0) {
        ::close(fd);
        return fail(error, systemReason(code));
    }

    // Reserving the room first lets a full disk fail before a byte changes.
    if (data.size() > previous.size())
        code = ::posix_fallocate(fd, 0, off_t(data.size()));
    if (code == EOPNOTSUPP || code == EINVAL)
        code = 0;
    if (code == 0)
        code = writeAll(fd, data);
    if (code == 0 && ::ftruncate(fd, off_t(data.size())) != 0)
        code = errno;
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (code != 0) {
        writeAll(fd, previous);
        ::ftruncate(fd, off_t(previous.size()));
        ::fsync(fd);
        ::close(fd);
        return fail(error, systemReason(code));
    }
    if (::close(fd) != 0)
        return fail(error, systemReason(errno));
    return true;
}

} // namespace

bool writeFileSafely(const QString &path, const QByteArray &data, QString *error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name given"));
    QByteArray target;
    if (const int code = resolveLinks(QFile::encodeName(path), &target))
        return fail(error, systemReason(code));

    struct stat st {};
    const bool exists = ::lstat(target.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        return fail(error, systemReason(errno));
    if (exists && !S_ISREG(st.st_mode))
        return fail(error, notRegular(st.st_mode));

    // A new file gets the user's usual mode; a replacement starts private and
    // takes the old file's mode below.
    QByteArray temporary;
    const int fd = createTemporary(target, exists ? mode_t(S_IRUSR | S_IWUSR) : mode_t(0666), &temporary);
    if (fd < 0) {
        const int code = errno;
        if (exists && (code == EACCES || code == EPERM || code == ENAMETOOLONG))
            return rewriteInPlace(target, data, error);
        return fail(error, systemReason(code));
    }
    // Owner before mode: changing the owner clears set-id bits.
    if (exists && (::fchown(fd, st.st_uid, st.st_gid) != 0 || ::fchmod(fd, st.st_mode & 07777) != 0)) {
        ::close(fd);
        ::unlink(temporary.constData());
        return rewriteInPlace(target, data, error);
    }

    int code = writeAll(fd, data);
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code != 0) {
        ::unlink(temporary.constData());
        return fail(error, systemReason(code));
    }

    // Something else may have been put in the file's place meanwhile.
    struct stat now {};
    if (::lstat(target.constData(), &now) == 0 && !S_ISREG(now.st_mode) && !S_ISLNK(now.st_mode)) {
        ::unlink(temporary.constData());
        return fail(error, notRegular(now.st_mode));
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        code = errno;
        ::unlink(temporary.constData());
        // A sticky folder, or a file that is a mount point, can still be written.
        if (exists && (code == EPERM || code == EACCES || code == EBUSY))
            return rewriteInPlace(target, data, error);
        return fail(error, systemReason(code));
    }
    syncFolder(folderOf(target));
    return true;
}

QString temporaryCopyPath(const QString &name, QString *error)
{
    const QDir folder = QDir::temp();
    const QString path = folder.filePath(name);
    const QByteArray native = QFile::encodeName(path);
    // Claimed before it is written: in a sticky folder nobody else can then
    // put anything in its place.
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return path;
    }
    struct stat st {};
    if (errno == EEXIST && ::lstat(native.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
        return path;

    QByteArray privateFolder = QFile::encodeName(folder.filePath(QStringLiteral("orvacalc-XXXXXX")));
    if (!::mkdtemp(privateFolder.data())) {
        fail(error, systemReason(errno));
        return QString();
    }
    return QDir(QFile::decodeName(privateFolder)).filePath(name);
}

bool writeStandardOutput(const QByteArray &data, QString *error)
{
    // A reader that went away must show as an error here, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    if (std::fflush(stdout) != 0)
        return fail(error, systemReason(errno));
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, data.constData() + done, size_t(data.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(error, systemReason(errno));
        }
        if (n == 0)
            return fail(error, systemReason(EIO));
        done += n;
    }
    return true;
}

void reserveStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
}

#endif

} // namespace Platform
