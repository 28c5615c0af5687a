#pragma once
// What the start-up benchmarks share: a child process timed from its start
// to the line it prints once its window is shown, the memory figures of
// /proc, and the medians of alternating runs.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace Bench {

// A field of /proc/self/status in kB (Linux): "VmHWM:" the peak resident
// memory, "VmRSS:" the current one; -1 when unknown.
inline long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The value `fraction` of the way up the sorted values (0.5: the median);
// 0 without values.
inline double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * (values.size() - 1) + 0.5));
    return values[index];
}

inline double median(const std::vector<double> &values)
{
    return percentile(values, 0.5);
}

// What a start-up child printed: "shown" and its figures.
struct ShownReport {
    double millis = -1;       // process start to the line; -1: no "shown" line
    QList<QByteArray> words; // the figures after "shown"
};

// Starts `program`, times it up to its first line and waits for its end.
inline ShownReport timeToShown(const QString &program, const QStringList &arguments = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false;*.info=false"));
    QProcess child;
    child.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    ShownReport report;
    QByteArray output;
    while (child.waitForReadyRead(30000)) {
        output += child.readAllStandardOutput();
        if (output.contains('\n')) {
            report.millis = timer.nsecsElapsed() / 1e6;
            break;
        }
    }
    child.waitForFinished(30000);
    report.words = output.trimmed().split(' ');
    if (report.words.takeFirst() != "shown")
        report.millis = -1;
    return report;
}

} // namespace Bench
