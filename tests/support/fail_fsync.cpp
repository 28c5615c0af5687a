// Preloaded into a program under test (LD_PRELOAD): fsync fails with EIO,
// as on a disk that lost the data, for every file whose path contains the
// text of ORVA_FAIL_FSYNC. Other files, and everything without the
// variable, sync as usual.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

extern "C" int fsync(int fd)
{
    using Fsync = int (*)(int);
    static const Fsync real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    const char *pattern = std::getenv("ORVA_FAIL_FSYNC");
    if (pattern && *pattern) {
        char link[64];
        char target[4096];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t length = ::readlink(link, target, sizeof target - 1);
        if (length > 0) {
            target[length] = '\0';
            if (std::strstr(target, pattern)) {
                errno = EIO;
                return -1;
            }
        }
    }
    return real(fd);
}
