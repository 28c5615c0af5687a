#pragma once
// Runs the real executable as a user or an installer does and collects what
// it printed; a run that does not end within a minute is killed.
#include <QByteArray>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>

struct ProgramRun {
    int exitCode = -1; // -1: did not finish, -2: crashed
    QByteArray out;
    QByteArray err;
};

// A program started by a test never asks the update server at start-up,
// unless the test set update-check-at-startup itself. Only a settings folder
// the test chose (XDG_CONFIG_HOME in `environment`) is written.
inline void skipStartupUpdateCheck(const QProcessEnvironment &environment)
{
    const QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (configHome.isEmpty())
        return;
    QSettings settings(configHome + QStringLiteral("/Pellwood/Orva-Calc.conf"), QSettings::IniFormat);
    if (!settings.contains(QStringLiteral("update-check-at-startup")))
        settings.setValue(QStringLiteral("update-check-at-startup"), false);
}

inline ProgramRun runProgram(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment, const QString &workingDirectory = QString())
{
    skipStartupUpdateCheck(environment);
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
