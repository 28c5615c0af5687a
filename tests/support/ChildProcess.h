#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace OrvaTest {

// How a child process runs a piece of work: a file-size limit makes writes
// fail as on a full disk; a user and groups (root only) make the work run
// as another member of a shared folder.
struct ChildLimits {
    qint64 fileSizeLimit = 0; // bytes; 0: none
    uid_t uid = 0;            // 0: keep the parent's user
    gid_t gid = 0;
    QList<gid_t> groups;
};

// In a child process: a write past `bytes` fails ("File too large") as on
// a full disk, instead of ending the process. False if the limit is not set.
inline bool limitFileSize(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = rlim_t(bytes);
    limit.rlim_max = rlim_t(bytes);
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// In a child process run as root: from here on it acts as user `uid` in
// group `gid` with the supplementary `groups` (none given: `gid` alone).
inline bool becomeUser(uid_t uid, gid_t gid, QList<gid_t> groups = {})
{
    if (groups.isEmpty())
        groups << gid;
    return ::setgroups(size_t(groups.size()), groups.constData()) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0;
}

struct ChildResult {
    bool finished = false; // false: crashed, hung or could not start
    bool ok = false;       // what the work returned
    QString error;         // the reason the work gave
};

// Runs `work` in a forked child under `limits` and reports what it returned.
// A child that does not finish within a minute is killed.
inline ChildResult runInChild(const ChildLimits &limits, const std::function<bool(QString *)> &work)
{
    ChildResult result;
    int channel[2];
    if (::pipe(channel) != 0)
        return result;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return result;
    }
    if (child == 0) {
        ::close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN); // also under a limit the child inherited
        if (limits.fileSizeLimit > 0 && !limitFileSize(limits.fileSizeLimit))
            ::_exit(3);
        if (limits.uid != 0 && !becomeUser(limits.uid, limits.gid, limits.groups))
            ::_exit(4);
        QString error;
        const bool ok = work(&error);
        const QByteArray message = QByteArray(1, ok ? '1' : '0') + error.toUtf8();
        const ssize_t written = ::write(channel[1], message.constData(), size_t(message.size()));
        ::_exit(written == message.size() ? 0 : 5);
    }
    ::close(channel[1]);
    QByteArray message;
    QElapsedTimer timer;
    timer.start();
    bool open = true;
    while (open && timer.elapsed() < 60000) {
        pollfd fd{channel[0], POLLIN, 0};
        if (::poll(&fd, 1, 1000) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n > 0)
            message.append(buffer, n);
        else
            open = false;
    }
    ::close(channel[0]);
    if (open)
        ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.finished = !open && WIFEXITED(status) && WEXITSTATUS(status) == 0 && !message.isEmpty();
    result.ok = message.startsWith('1');
    result.error = QString::fromUtf8(message.mid(1));
    return result;
}

// True when the suite runs as root and may act as other users.
inline bool runsAsRoot()
{
    return ::geteuid() == 0;
}

// Inside a child run as root: a file system of `bytes` on `folder`, seen
// only by this child and gone with it.
inline bool mountPrivateFileSystem(const QByteArray &folder, qint64 bytes)
{
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return false;
    const QByteArray options = "size=" + QByteArray::number(bytes);
    return ::mount("tmpfs", folder.constData(), "tmpfs", 0, options.constData()) == 0;
}

// Fills the file system of `folder` with the file ".filler" so that no more
// than `room` bytes fit: a real full disk, "No space left on device".
inline bool fillFileSystem(const QByteArray &folder, qint64 room)
{
    const QByteArray filler = folder + "/.filler";
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'f');
    while (::write(fd, page.constData(), size_t(page.size())) == page.size()) {
    }
    struct stat st {};
    ::fstat(fd, &st);
    const qint64 keep = qMax<qint64>(0, qint64(st.st_size) - (room / 4096) * 4096);
    const bool ok = ::ftruncate(fd, off_t(keep)) == 0;
    ::close(fd);
    return ok;
}

} // namespace OrvaTest
