#include "PaperSize.h"

#include <QSettings>

namespace PaperSize {

QString name(Size size)
{
    return size == A4 ? QStringLiteral("a4") : QStringLiteral("letter");
}

bool fromName(const QString &text, Size *size)
{
    const QString key = text.trimmed().toLower();
    if (key == QLatin1String("letter"))
        *size = Letter;
    else if (key == QLatin1String("a4"))
        *size = A4;
    else
        return false;
    return true;
}

Size fromSettings()
{
    Size size = Letter;
    fromName(QSettings().value(QLatin1String(SettingsKey)).toString(), &size);
    return size;
}

void store(Size size)
{
    QSettings settings;
    settings.setValue(QLatin1String(SettingsKey), name(size));
    settings.sync();
}

QPageSize pageSize(Size size)
{
    return QPageSize(size == A4 ? QPageSize::A4 : QPageSize::Letter);
}

} // namespace PaperSize
