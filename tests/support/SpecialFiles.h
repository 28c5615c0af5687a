#pragma once
// What a test puts where a program is to write a file, when it is not a
// regular file: the program must refuse it and leave it as it was.
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>

namespace OrvaTest {

// `kind` is "fifo" (a named pipe), "device" (a character device with the
// null device's numbers, as a node of the test's own: root only) or
// "folder". False when it could not be made.
inline bool makeSpecialFile(const QString &kind, const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(native.constData(), 0644) == 0;
    if (kind == QLatin1String("device"))
        return ::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (kind == QLatin1String("folder"))
        return QDir().mkpath(path);
    return false;
}

// True when `path` is still the special file makeSpecialFile made there.
inline bool isSpecialFile(const QString &kind, const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    if (kind == QLatin1String("fifo"))
        return S_ISFIFO(st.st_mode);
    if (kind == QLatin1String("device"))
        return S_ISCHR(st.st_mode) && st.st_rdev == makedev(1, 3);
    if (kind == QLatin1String("folder"))
        return S_ISDIR(st.st_mode);
    return false;
}

} // namespace OrvaTest
