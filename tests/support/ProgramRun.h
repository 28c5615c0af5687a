#pragma once
// Runs a real program, the test's own executable or a tool, as a user or an
// installer does and collects what it printed; a run that does not end in
// time is killed.
#include <QByteArray>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>

namespace OrvaTest {

struct ProgramRun {
    int exitCode = -1; // -1: did not finish, -2: crashed
    QByteArray out;
    QByteArray err;
};

struct RunOptions {
    QString workingDirectory;           // empty: the test's
    std::function<void()> inChild;      // runs in the child before the program: limits, streams
    QString standardOutputFile;         // standard output goes there instead of into `out`
    int timeoutMs = 60000;
};

// Any program, to its end.
inline ProgramRun runProcess(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                             const RunOptions &options = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!options.workingDirectory.isEmpty())
        process.setWorkingDirectory(options.workingDirectory);
    if (options.inChild)
        process.setChildProcessModifier(options.inChild);
    if (!options.standardOutputFile.isEmpty())
        process.setStandardOutputFile(options.standardOutputFile);
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForFinished(options.timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

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

// OrvaCalc itself, without the start-up update check.
inline ProgramRun runProgram(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment, const RunOptions &options)
{
    skipStartupUpdateCheck(environment);
    return runProcess(program, arguments, environment, options);
}

inline ProgramRun runProgram(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment, const QString &workingDirectory = QString())
{
    RunOptions options;
    options.workingDirectory = workingDirectory;
    return runProgram(program, arguments, environment, options);
}

// As on a server: no display and no platform chosen, a home, settings and
// runtime folder of its own.
inline QProcessEnvironment serverEnvironment(const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    return environment;
}

} // namespace OrvaTest
