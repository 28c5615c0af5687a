#include "LaunchFile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace LaunchFile {

QString fromArguments(const QStringList &positional)
{
    for (const QString &argument : positional) {
        if (argument != QLatin1String("importold"))
            return argument;
    }
    return {};
}

Kind kindOf(const QString &path)
{
    if (path.isEmpty())
        return Kind::None;
    if (QFileInfo(path).suffix().compare(QLatin1String("calc"), Qt::CaseInsensitive) == 0)
        return Kind::Alimony;
    return Kind::Case;
}

bool writeToStream(std::FILE *stream, const QByteArray &text, QString *error)
{
    errno = 0;
    const size_t written = std::fwrite(text.constData(), 1, size_t(text.size()), stream);
    const bool flushed = std::fflush(stream) == 0;
    if (written == size_t(text.size()) && flushed && !std::ferror(stream))
        return true;
    if (error)
        *error = errno ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("write error");
    std::clearerr(stream);
    return false;
}

} // namespace LaunchFile
