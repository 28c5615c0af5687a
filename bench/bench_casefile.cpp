// Opening hostile and large case files: time against a plain pass of the XML
// reader over the same bytes (the baseline, measured in the same run), and
// the peak memory of opening a 100 MB file of ignored elements, in a child
// process of its own and through the headless command.
//
//   ./build/bench/bench_casefile [FOLDER]   (FOLDER keeps the files; default: a temporary one)
#include "CaseFileScan.h"
#include "OrvaDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray caseXml(const QByteArray &children, const QByteArray &rootAttributes = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<n1:Case xmlns:n1=\"urn:orvacalc_case\"" + rootAttributes
           + "><case><casenum>1</casenum>" + children + "</case></n1:Case>\n";
}

QByteArray repeated(const QByteArray &piece, qint64 size)
{
    QByteArray all;
    all.reserve(size + piece.size());
    while (all.size() < size)
        all += piece;
    return all;
}

QByteArray attributes(int count, const char *prefix)
{
    QByteArray list;
    for (int i = 0; i < count; ++i)
        list += ' ' + QByteArray(prefix) + QByteArray::number(i) + "=\"v\"";
    return list;
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = qMin(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// Every token of the file through the XML reader, nothing kept: what any
// reading costs at least.
void plainPass(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        xml.readNext();
}

bool openCase(const QString &path, QString *reason)
{
    OrvaDocument document(OrvaDocument::July2022);
    return document.readCaseFile(path, reason);
}

// Peak resident memory, in MB, of a program run to its end; its standard
// output goes to `sink`.
double peakMegabytes(const QString &program, const QStringList &arguments, const QString &sink)
{
    QList<QByteArray> words{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        words << argument.toLocal8Bit();
    QList<char *> argv;
    for (QByteArray &word : words)
        argv << word.data();
    argv << nullptr;
    const QByteArray output = QFile::encodeName(sink);
    const pid_t child = fork();
    if (child == 0) {
        const int fd = open(output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0)
            _exit(127);
        execv(argv.first(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 127)
        return -1;
    return usage.ru_maxrss / 1024.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Run again by itself to open one file in a process of its own.
    if (argc == 3 && QByteArray(argv[1]) == "--open") {
        QString reason;
        return openCase(QString::fromLocal8Bit(argv[2]), &reason) ? 0 : 1;
    }
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);

    // Memory first, while this process is small: a child starts out with
    // the resident memory of the process it was forked from.
    const QString huge = QDir(folder).filePath(QStringLiteral("100MB-ignored.cml"));
    {
        QFile out(huge);
        const QByteArray start = caseXml("");
        bool written = out.open(QIODevice::WriteOnly) && out.write(start.left(start.indexOf("</case>"))) > 0;
        const QByteArray block = repeated("<lasttype>ignored</lasttype>\n", 1024 * 1024);
        for (int i = 0; written && i < 100; ++i)
            written = out.write(block) == block.size();
        written = written && out.write("</case></n1:Case>\n") > 0 && out.flush();
        if (!written)
            return 1;
    }
    const QString sink = QDir(folder).filePath(QStringLiteral("stdout.txt"));
    const double opening = peakMegabytes(QCoreApplication::applicationFilePath(), {QStringLiteral("--open"), huge}, sink);
    const double command = peakMegabytes(QStringLiteral(ORVA_EXECUTABLE), {QStringLiteral("--worksheet-json"), huge}, sink);
    const double empty = peakMegabytes(QCoreApplication::applicationFilePath(), {QStringLiteral("--open"), sink}, sink);
    QFile::remove(huge);

    const qint64 tenMegabytes = 10 * 1024 * 1024;
    QByteArray spread;
    for (int i = 0; spread.size() < tenMegabytes; ++i)
        spread += "<e" + attributes(30, "a") + "/>\n";
    QByteArray nested;
    for (int i = 0; i < 31; ++i)
        nested += "<x xmlns:p" + QByteArray::number(i) + "=\"urn:" + QByteArray::number(i) + "\">";
    nested += repeated("<y/>", tenMegabytes - 20000);
    for (int i = 0; i < 31; ++i)
        nested += "</x>";

    const struct {
        const char *name;
        QByteArray bytes;
    } files[] = {
        {"100,000 attributes on one element (1.4 MB)", caseXml("<x" + attributes(100000, "a") + "/>")},
        {"10 MB comment", caseXml("<comments>" + repeated("comment text ", tenMegabytes) + "</comments>")},
        {"10 MB of ignored elements", caseXml(repeated("<lasttype>ignored</lasttype>\n", tenMegabytes))},
        {"10 MB of unknown elements", caseXml(repeated("<future/>\n", tenMegabytes))},
        {"10 MB, 30 attributes on every element", caseXml(spread)},
        {"10 MB inside 31 namespace declarations", caseXml("<footnote>" + nested + "</footnote>")},
    };

    std::printf("%-46s %6s %8s %8s %8s %6s  %s\n", "file", "MB", "open ms", "scan ms", "plain ms", "ratio",
                "result");
    for (const auto &file : files) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(file.name).section(' ', 0, 3) + ".cml");
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size() || !out.flush())
            return 1;
        out.close();
        QString reason;
        bool opened = false;
        const double open = bestOf(3, [&] { opened = openCase(path, &reason); });
        // The plain pass is the baseline; over many attributes it is what
        // the open avoids, so it runs once.
        const bool quadratic = file.bytes.size() < 2 * 1024 * 1024;
        const double plain = bestOf(quadratic ? 1 : 3, [&] { plainPass(path); });
        const double scan = bestOf(3, [&] {
            QFile in(path);
            if (in.open(QIODevice::ReadOnly))
                scanCaseFile(&in);
        });
        std::printf("%-46s %6.1f %8.1f %8.1f %8.1f %6.2f  %s\n", file.name, file.bytes.size() / 1048576.0, open, scan,
                    plain, open / plain, opened ? "opened" : qPrintable(reason.left(60)));
    }

    std::printf("\n100 MB of ignored elements, peak memory: opening %.0f MB, --worksheet-json %.0f MB "
                "(opening an empty file: %.0f MB)\n",
                opening, command, empty);
    return 0;
}
