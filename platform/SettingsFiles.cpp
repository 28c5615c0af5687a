#include "Platform.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QSettings>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace Platform {

#ifdef Q_OS_WIN

QString guardSettingsFiles(const QString &, const QString &)
{
    // The settings live in the registry.
    return QString();
}

#else

namespace {

// The folder the settings store reads a scope from, as it finds it.
QString userSettingsFolder()
{
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    return QDir::homePath() + QStringLiteral("/.config");
}

// A name the store can neither read nor create: every key then has its default.
const QString NowhereFolder = QStringLiteral("/dev/null/orvacalc-settings-not-used");

} // namespace

QString guardSettingsFiles(const QString &organization, const QString &application)
{
    const struct {
        QSettings::Scope scope;
        QString folder;
    } scopes[] = {{QSettings::UserScope, userSettingsFolder()},
                  {QSettings::SystemScope, QLibraryInfo::path(QLibraryInfo::SettingsPath)}};
    QStringList refused;
    for (const auto &[scope, folder] : scopes) {
        const QString files[] = {folder + QLatin1Char('/') + organization + QLatin1Char('/') + application
                                     + QStringLiteral(".conf"),
                                 folder + QLatin1Char('/') + organization + QStringLiteral(".conf")};
        for (const QString &file : files) {
            struct stat st {};
            if (::stat(QFile::encodeName(file).constData(), &st) != 0 || S_ISREG(st.st_mode))
                continue;
            QSettings::setPath(QSettings::NativeFormat, scope, NowhereFolder);
            QSettings::setPath(QSettings::IniFormat, scope, NowhereFolder);
            refused << file;
        }
    }
    if (refused.isEmpty())
        return QString();
    return QStringLiteral("Settings: not a regular file, not read; the settings have their defaults: %1")
        .arg(refused.join(QStringLiteral(", ")));
}

#endif

} // namespace Platform
