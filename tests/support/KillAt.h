#pragma once
// Runs a program so that it is killed at one named call (the kill_at
// library, preloaded): what a crash exactly there leaves on disk.
#include <QDir>
#include <QProcessEnvironment>
#include <QString>

#include <link.h>

namespace OrvaTest {

// The AddressSanitizer runtime this process has loaded, if it was built
// with one as a shared library: a preloaded library must come after it.
inline QString sanitizerRuntime()
{
    QString found;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            const QString name = QString::fromLocal8Bit(info->dlpi_name);
            if (name.contains(QLatin1String("libasan.so")) || name.contains(QLatin1String("libclang_rt.asan"))) {
                *static_cast<QString *>(data) = name;
                return 1;
            }
            return 0;
        },
        &found);
    return found;
}

// `environment` for a program to be killed at its `nth` call of `call`
// ("pwrite", "ftruncate", "fsync", "posix_fallocate", "rename") on a file
// whose path holds `pathPart` (empty: any file).
inline QProcessEnvironment killAtEnvironment(QProcessEnvironment environment, const QString &call, int nth = 1,
                                             const QString &pathPart = QString())
{
    QStringList preload;
    const QString runtime = sanitizerRuntime();
    if (!runtime.isEmpty())
        preload << runtime;
    preload << QStringLiteral(ORVA_KILL_AT_LIBRARY);
    environment.insert(QStringLiteral("LD_PRELOAD"), preload.join(QLatin1Char(':')));
    environment.insert(QStringLiteral("ORVA_KILL_AT"), call + QLatin1Char(':') + QString::number(nth));
    environment.insert(QStringLiteral("ORVA_KILL_PATH"), pathPart);
    return environment;
}

// `environment` for a program whose `nth` fsync of a file whose path holds
// `pathPart` fails with EIO.
inline QProcessEnvironment fsyncFailsEnvironment(QProcessEnvironment environment, int nth,
                                                 const QString &pathPart)
{
    environment = killAtEnvironment(environment, QString(), 0, pathPart);
    environment.remove(QStringLiteral("ORVA_KILL_AT"));
    environment.insert(QStringLiteral("ORVA_FAIL_AT"), QStringLiteral("fsync:") + QString::number(nth));
    return environment;
}

} // namespace OrvaTest
