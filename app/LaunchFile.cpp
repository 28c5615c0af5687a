#include "LaunchFile.h"

#include <QFileInfo>

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

} // namespace LaunchFile
