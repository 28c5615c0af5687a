// Kills the process at one named call, to see what a crash right there
// leaves behind. Preloaded into a program under test (LD_PRELOAD):
//   ORVA_KILL_AT=ftruncate     at the first ftruncate
//   ORVA_KILL_AT=pwrite:2      at the second pwrite
//   ORVA_KILL_PATH=case.cml    counting only calls on files whose path holds this
// The process gets SIGKILL before the call runs. Calls: pwrite, ftruncate,
// fsync, posix_fallocate, rename (on its new name).
//   ORVA_FAIL_AT=fsync:1       the first fsync fails with EIO instead, as
//                              on a disk that lost the data (fsync only)
// No allocation, no Qt, no sanitizer, so that it also loads into a program
// built with AddressSanitizer, whose runtime then comes first in LD_PRELOAD
// (KillAt.h sees to that).
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int s_matching;

int pathMatches(const char *path)
{
    const char *wanted = getenv("ORVA_KILL_PATH");
    return !wanted || !*wanted || (path && strstr(path, wanted));
}

int fdMatches(int fd)
{
    char link[64];
    char path[4096];
    const char *wanted = getenv("ORVA_KILL_PATH");
    ssize_t n;
    if (!wanted || !*wanted)
        return 1;
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    n = readlink(link, path, sizeof path - 1);
    if (n < 0)
        return 0;
    path[n] = '\0';
    return strstr(path, wanted) != nullptr;
}

// True when `call` is the one the variable names ("write" or "write:N",
// the Nth matching call); `counter` counts the matching calls.
int isNamedCall(const char *variable, const char *call, int matches, int *counter)
{
    const char *named = getenv(variable);
    size_t length = strlen(call);
    if (!named || !matches || strncmp(named, call, length) != 0 || (named[length] && named[length] != ':'))
        return 0;
    return ++*counter == (named[length] == ':' ? atoi(named + length + 1) : 1);
}

void killAt(const char *call, int matches)
{
    if (isNamedCall("ORVA_KILL_AT", call, matches, &s_matching))
        syscall(SYS_kill, syscall(SYS_getpid), SIGKILL);
}

int s_failing;

// True when this call is the one ORVA_FAIL_AT names.
int failAt(const char *call, int matches)
{
    return isNamedCall("ORVA_FAIL_AT", call, matches, &s_failing);
}

} // namespace

#define NEXT(name) (reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name)))

extern "C" {

ssize_t pwrite(int fd, const void *data, size_t size, off_t offset)
{
    killAt("pwrite", fdMatches(fd));
    return NEXT(pwrite)(fd, data, size, offset);
}

ssize_t pwrite64(int fd, const void *data, size_t size, off64_t offset)
{
    killAt("pwrite", fdMatches(fd));
    return NEXT(pwrite64)(fd, data, size, offset);
}

int ftruncate(int fd, off_t length)
{
    killAt("ftruncate", fdMatches(fd));
    return NEXT(ftruncate)(fd, length);
}

int ftruncate64(int fd, off64_t length)
{
    killAt("ftruncate", fdMatches(fd));
    return NEXT(ftruncate64)(fd, length);
}

int fsync(int fd)
{
    killAt("fsync", fdMatches(fd));
    if (failAt("fsync", fdMatches(fd))) {
        errno = EIO;
        return -1;
    }
    return NEXT(fsync)(fd);
}

int posix_fallocate(int fd, off_t offset, off_t length)
{
    killAt("posix_fallocate", fdMatches(fd));
    return NEXT(posix_fallocate)(fd, offset, length);
}

int posix_fallocate64(int fd, off64_t offset, off64_t length)
{
    killAt("posix_fallocate", fdMatches(fd));
    return NEXT(posix_fallocate64)(fd, offset, length);
}

int rename(const char *from, const char *to)
{
    killAt("rename", pathMatches(to));
    return NEXT(rename)(from, to);
}

} // extern "C"
