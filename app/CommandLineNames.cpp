#include "CommandLineNames.h"

#include <QFile>
#include <QList>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace CommandLineNames {

namespace {

QList<QByteArray> &given()
{
    static QList<QByteArray> arguments;
    return arguments;
}

} // namespace

void capture(int argc, char **argv)
{
    given().clear();
    for (int i = 1; i < argc; ++i)
        given() << QByteArray(argv[i]);
}

bool resolve(const QString &value, FileName *name, QString *error)
{
    name->text = value;
    name->native.clear();
#ifndef Q_OS_WIN
    // Windows hands the arguments over as UTF-16 text, which Qt carries.
    QList<QByteArray> matches;
    for (const QByteArray &argument : given()) {
        // "--option=VALUE" names the file after the "=".
        const qsizetype equals = argument.startsWith("--") ? argument.indexOf('=') : -1;
        for (const QByteArray &candidate : {argument, argument.mid(equals + 1)}) {
            if (QFile::decodeName(candidate) == value && !matches.contains(candidate))
                matches << candidate;
        }
    }
    if (matches.size() > 1) {
        if (error)
            *error = QStringLiteral("\"%1\" is not valid text and stands for more than one of the names given; "
                                    "rename the file")
                         .arg(value);
        return false;
    }
    if (matches.size() == 1 && matches.first() != QFile::encodeName(value))
        name->native = matches.first();
#else
    Q_UNUSED(error);
#endif
    return true;
}

QString readableName(const FileName &name, QString *error, bool *missing)
{
    *missing = false;
    if (name.native.isEmpty())
        return name.text;
#ifdef Q_OS_LINUX
    // A handle on the file, not an opened file: a pipe does not block here.
    const int fd = ::open(name.native.constData(), O_PATH | O_CLOEXEC);
    if (fd < 0) {
        *missing = errno == ENOENT;
        if (error)
            *error = qt_error_string(errno);
        return QString();
    }
    const QString proc = QStringLiteral("/proc/self/fd/%1").arg(fd);
    if (QFile::exists(proc))
        return proc; // held open for the rest of the process
    ::close(fd);
#endif
    if (error)
        *error = QStringLiteral("the name is not valid text, and this system offers no other way to it");
    return QString();
}

} // namespace CommandLineNames
