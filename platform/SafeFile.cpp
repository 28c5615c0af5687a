#include "SafeFile.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <windows.h>
#else
#include "PosixFiles.h"
#include "RewriteJournal.h"

#include <QDebug>
#include <QDir>
#include <QFile>

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

bool writeNativeFileSafely(const QByteArray &path, const QByteArray &data, QString *error)
{
    return writeFileSafely(QFile::decodeName(path), data, error);
}

QStringList finishInterruptedRewrites()
{
    // QSaveFile replaces files whole; nothing is rewritten in place here.
    return {};
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

using Posix::systemReason;

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

// A link in a folder where everyone may create files but only owners remove
// them (/tmp) is followed only when it is the user's own or the folder
// owner's, as the kernel's protected_symlinks has it, whether or not that is
// switched on: anyone could have put it there to make a save overwrite
// another file.
bool isPlantedLink(const QByteArray &link, const struct stat &linkStat)
{
    struct stat folder {};
    if (::stat(Posix::folderOf(link).constData(), &folder) != 0)
        return false; // the lookup through it fails on its own
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return shared && linkStat.st_uid != ::geteuid() && linkStat.st_uid != folder.st_uid;
}

const QString PlantedLinkReason =
    QStringLiteral("A link another user put in a shared folder is not followed");

// Every folder on the way to `path` that is a link must pass isPlantedLink.
QString checkFolderLinks(const QByteArray &path)
{
    for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1)) {
        const QByteArray part = path.left(slash);
        struct stat st {};
        if (::lstat(part.constData(), &st) == 0 && S_ISLNK(st.st_mode) && isPlantedLink(part, st))
            return PlantedLinkReason;
    }
    return QString();
}

// The path a chain of symbolic links finally names, so that the link stays
// and the file it points to gets the new content. Empty or the reason.
QString resolveLinks(QByteArray path, QByteArray *resolved)
{
    for (int hop = 0; hop < 40; ++hop) {
        const QString folderReason = checkFolderLinks(path);
        if (!folderReason.isEmpty())
            return folderReason;
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *resolved = path;
            return QString();
        }
        if (isPlantedLink(path, st))
            return PlantedLinkReason;
        QByteArray link(qMax<qsizetype>(qsizetype(st.st_size), 255) + 1, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return systemReason(errno);
        if (length >= link.size())
            return systemReason(ENAMETOOLONG);
        link.truncate(length);
        path = link.startsWith('/') ? link : Posix::folderOf(path) + '/' + link;
    }
    return systemReason(ELOOP);
}

// Rewrites an existing regular file where it is, keeping its owner, group,
// mode and links. The old and new bytes are kept in a journal first, so that
// a rewrite cut off midway is finished later; a failing write puts the
// previous content back.
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
    Journal::Rewrite rewrite{target, st.st_dev, st.st_ino, QByteArray(), data};
    int code = Posix::readAll(fd, qint64(st.st_size), &rewrite.before);
    QByteArray journal;
    if (code == 0 && (code = Journal::keep(rewrite, &journal)) != 0)
        qCritical().noquote() << "SafeFile: cannot keep the journal of a rewrite:" << systemReason(code);
    if (code != 0) {
        ::close(fd);
        return fail(error, systemReason(code));
    }

    code = Posix::replaceContent(fd, data);
    if (code != 0 && Posix::replaceContent(fd, rewrite.before) != 0) {
        // Neither version is whole: the journal finishes the new one later.
        ::close(fd);
        return fail(error, systemReason(code));
    }
    if (::close(fd) != 0 && code == 0)
        code = errno;
    Journal::drop(journal);
    return code == 0 || fail(error, systemReason(code));
}

} // namespace

bool writeFileSafely(const QString &path, const QByteArray &data, QString *error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name given"));
    return writeNativeFileSafely(QFile::encodeName(path), data, error);
}

bool writeNativeFileSafely(const QByteArray &path, const QByteArray &data, QString *error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name given"));
    QByteArray target;
    const QString linkReason = resolveLinks(path, &target);
    if (!linkReason.isEmpty())
        return fail(error, linkReason);
    // A rewrite of this file cut off earlier is finished before it is
    // written again.
    const QByteArray journal = Journal::fileFor(target);
    if (!journal.isEmpty() && ::access(journal.constData(), F_OK) == 0)
        Journal::finish(journal);

    struct stat st {};
    const bool exists = ::lstat(target.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        return fail(error, systemReason(errno));
    if (exists && !S_ISREG(st.st_mode))
        return fail(error, notRegular(st.st_mode));

    const QByteArray folder = Posix::folderOf(target);
    Posix::removeStaleTemporaries(folder);
    // A new file gets the user's usual mode; a replacement starts private and
    // takes the old file's mode below.
    QByteArray temporary;
    const int fd = Posix::createTemporary(folder, exists ? mode_t(S_IRUSR | S_IWUSR) : mode_t(0666), &temporary);
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

    int code = Posix::writeAll(fd, data);
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
    Posix::syncFolder(folder);
    return true;
}

QStringList finishInterruptedRewrites()
{
    QStringList sentences;
    for (const QByteArray &journal : Journal::leftOver()) {
        const QString sentence = Journal::finish(journal);
        if (!sentence.isEmpty())
            sentences << sentence;
    }
    return sentences;
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
