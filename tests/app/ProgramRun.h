#pragma once
// Runs the real executable as a user or an installer does and collects what
// it printed; a run that does not end within a minute is killed.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ProgramRun {
    int exitCode = -1; // -1: did not finish, -2: crashed
    QByteArray out;
    QByteArray err;
};

inline ProgramRun runProgram(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment, const QString &workingDirectory = QString())
{
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
