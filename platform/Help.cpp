#include "Help.h"

#include "Desktop.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <QSettings>
#include <windows.h>
#else
#include <QStandardPaths>
#endif

namespace Platform {

HelpCommand helpViewerCommand(const QString &expandedTemplate, const QString &helpFile)
{
    QString line = expandedTemplate;
    const QString native = QDir::toNativeSeparators(helpFile);
    // A registered "%1" often stands bare; a path with spaces must stay one argument.
    if (line.contains(QLatin1String("\"%1\"")))
        line.replace(QLatin1String("%1"), native);
    else
        line.replace(QLatin1String("%1"), QLatin1Char('"') + native + QLatin1Char('"'));
    QStringList parts = QProcess::splitCommand(line);
    HelpCommand command;
    if (!parts.isEmpty())
        command.program = parts.takeFirst();
    command.arguments = parts;
    return command;
}

#ifdef Q_OS_WIN

bool hasDefaultProgram(const QString &)
{
    return true;
}

namespace {

// The registered viewer command, or hh.exe, with its variables expanded.
// False when the expansion fails.
bool registeredViewerCommand(QString *command)
{
    QSettings registry(QStringLiteral("HKEY_CLASSES_ROOT\\chm.file\\shell\\open\\command"), QSettings::NativeFormat);
    QString pattern = registry.value(QStringLiteral("Default")).toString();
    if (pattern.isEmpty())
        pattern = QStringLiteral("\"%SystemRoot%\\hh.exe\" %1");
    const QByteArray local = pattern.toLocal8Bit();
    char expanded[MAX_PATH] = {};
    const DWORD length = ExpandEnvironmentStringsA(local.constData(), expanded, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return false;
    *command = QString::fromLocal8Bit(expanded);
    return true;
}

} // namespace

bool openHelpFile(const QString &path)
{
    if (openUrl(QUrl::fromLocalFile(path)))
        return true;
    QString pattern;
    bool started = false;
    QString commandText;
    if (registeredViewerCommand(&pattern)) {
        const HelpCommand command = helpViewerCommand(pattern, path);
        commandText = command.program + QLatin1Char(' ') + command.arguments.join(QLatin1Char(' '));
        started = startDetached(command.program, command.arguments);
    } else {
        commandText = QStringLiteral("c:\\Windows\\hh.exe");
        started = startDetached(commandText, {QDir::toNativeSeparators(path)});
    }
    const QProcess unstarted;
    qInfo() << "MainWindow::on_actionContents_triggered"
            << "process.start" << started << "path" << path << "exists" << QFileInfo::exists(path)
            << "process.program()" << unstarted.program() << "process.arguments()" << unstarted.arguments()
            << "command" << commandText;
    return started;
}

#else

bool hasDefaultProgram(const QString &mimeType)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return true;
    }
    const QString answer = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    qDebug() << "Platform::hasDefaultProgram" << mimeType << answer;
    return query.exitCode() == 0 && !answer.isEmpty();
}

bool openHelpFile(const QString &path)
{
    return openWithDefaultProgram(path);
}

#endif

bool openWithDefaultProgram(const QString &path)
{
    const QString type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
    if (!hasDefaultProgram(type)) {
        qDebug() << "Platform::openWithDefaultProgram: no program for" << type << path;
        return false;
    }
    return openUrl(QUrl::fromLocalFile(path));
}

} // namespace Platform
