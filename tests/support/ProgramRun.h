#pragma once
// Runs a real program, the test's own executable or a tool, as a user or an
// installer does and collects what it printed; a run that does not end in
// time is killed.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A program whose child set-up runs in a child made by a real fork, on a
// stack of its own. QProcess runs its child modifier in a vfork child on a
// small stack inside the parent's; the larger frames of AddressSanitizer
// overran it into the parent's frames, which then crashed.
inline ProgramRun runForked(const QString &program, const QStringList &arguments,
                            const QProcessEnvironment &environment, const RunOptions &options)
{
    // Everything the child uses is made before the fork.
    QList<QByteArray> argumentBytes{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        argumentBytes << argument.toLocal8Bit();
    QList<QByteArray> environmentBytes;
    for (const QString &entry : environment.toStringList())
        environmentBytes << entry.toLocal8Bit();
    const auto pointers = [](QList<QByteArray> &list) {
        std::vector<char *> result;
        for (QByteArray &bytes : list)
            result.push_back(bytes.data());
        result.push_back(nullptr);
        return result;
    };
    std::vector<char *> argv = pointers(argumentBytes);
    std::vector<char *> envp = pointers(environmentBytes);
    const QByteArray folder = QFile::encodeName(options.workingDirectory);
    const QByteArray outFile = QFile::encodeName(options.standardOutputFile);

    ProgramRun result;
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return result;
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return result;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const int input = ::open("/dev/null", O_RDONLY);
        const int output = outFile.isEmpty() ? out[1] : ::open(outFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (input < 0 || output < 0 || ::dup2(input, STDIN_FILENO) < 0 || ::dup2(output, STDOUT_FILENO) < 0
            || ::dup2(err[1], STDERR_FILENO) < 0 || (!folder.isEmpty() && ::chdir(folder.constData()) != 0))
            ::_exit(127);
        options.inChild();
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    bool finished = child > 0;
    QElapsedTimer timer;
    timer.start();
    pollfd streams[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    QByteArray *targets[2] = {&result.out, &result.err};
    while (finished && (streams[0].fd >= 0 || streams[1].fd >= 0)) {
        const qint64 left = options.timeoutMs - timer.elapsed();
        if (left <= 0 || ::poll(streams, 2, int(left)) < 0) {
            finished = false;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || !streams[i].revents)
                continue;
            char buffer[65536];
            const ssize_t n = ::read(streams[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                targets[i]->append(buffer, n);
            } else {
                ::close(streams[i].fd);
                streams[i].fd = -1;
            }
        }
    }
    for (const pollfd &stream : streams) {
        if (stream.fd >= 0)
            ::close(stream.fd);
    }
    if (child > 0 && !finished)
        ::kill(child, SIGKILL);
    int status = 0;
    if (child > 0)
        ::waitpid(child, &status, 0);
    if (finished)
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    return result;
}

// Any program, to its end.
inline ProgramRun runProcess(const QString &program, const QStringList &arguments,
                             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                             const RunOptions &options = {})
{
    if (options.inChild)
        return runForked(program, arguments, environment, options);
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!options.workingDirectory.isEmpty())
        process.setWorkingDirectory(options.workingDirectory);
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

// As on a server: no display and no platform chosen, a home, settings,
// application-data and runtime folder of its own.
inline QProcessEnvironment serverEnvironment(const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    return environment;
}

} // namespace OrvaTest
