// Court form benchmarks, printed as figures (nothing is asserted):
//  1. start-up with and without the form viewer beside the program: process
//     start to the window shown and the peak resident memory, alternating
//     runs of a child process (bench_forms_startup); the viewer must cost
//     nothing until used, so the web engine must not even be mapped then;
//  2. menu command to the form's first page drawn with the case's values
//     set, for each of the four forms (the first one includes starting the
//     web engine; the others reuse the viewer kept hidden), and the
//     resident memory before and after.
// Run on the offscreen platform: QT_QPA_PLATFORM=offscreen ./build/bench/bench_forms

#include "Ask.h"
#include "CalcApplication.h"
#include "FormViewer.h"
#include "MainWindow.h"
#include "OrvaDocument.h"
#include "StartupTiming.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <vector>

namespace {

using Bench::median;
using Bench::statusKb;

struct StartupRun {
    double millis = -1;
    double peakMb = 0;
    bool engineMapped = false;
    bool viewerRegistered = false;
};

StartupRun runStartupChild(const QString &program)
{
    const Bench::ShownReport report = Bench::timeToShown(program);
    StartupRun run;
    run.millis = report.millis;
    run.peakMb = report.words.value(0).toDouble() / 1024.0;
    run.engineMapped = report.words.value(1) == "1";
    run.viewerRegistered = report.words.value(2) == "1";
    return run;
}

int startupBenchmark(const QString &self)
{
    // The same program in a folder without the viewer beside it: what the
    // program was before the forms.
    QTemporaryDir bare;
    const QString copy = QDir(bare.path()).filePath(QStringLiteral("bench_forms_startup"));
    if (!QFile::copy(self, copy)) {
        std::fprintf(stderr, "bench_forms: can't copy %s\n", qPrintable(self));
        return 1;
    }
    QFile(copy).setPermissions(QFile(self).permissions());

    const int runs = 10;
    std::vector<double> withMs, withoutMs, withMb, withoutMb;
    bool mapped = false, registered = true;
    for (int i = 0; i < runs; ++i) {
        const StartupRun with = runStartupChild(self);
        const StartupRun without = runStartupChild(copy);
        if (with.millis < 0 || without.millis < 0) {
            std::fprintf(stderr, "bench_forms: start-up run %d failed\n", i);
            return 1;
        }
        withMs.push_back(with.millis);
        withoutMs.push_back(without.millis);
        withMb.push_back(with.peakMb);
        withoutMb.push_back(without.peakMb);
        mapped = mapped || with.engineMapped;
        registered = registered && with.viewerRegistered && !without.viewerRegistered;
    }
    std::printf("start-up, process start to window shown (%d runs each, alternating):\n", runs);
    std::printf("  viewer beside the program: median %.1f ms, peak memory %.1f MB\n", median(withMs), median(withMb));
    std::printf("  no viewer (as before):     median %.1f ms, peak memory %.1f MB\n", median(withoutMs),
                median(withoutMb));
    std::printf("  ratio with/without: time %.3f, memory %.3f\n", median(withMs) / median(withoutMs),
                median(withMb) / median(withoutMb));
    std::printf("  web engine mapped at start-up: %s; viewer resources registered: %s\n", mapped ? "YES" : "no",
                registered ? "yes" : "NO");
    return 0;
}

int formBenchmark(int argc, char **argv)
{
    CalcApplication app(argc, argv, 1.0f);
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // The forms open filled from the example case; closing them discards.
    window.openCaseFile(QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml"));
    window.document()->setFormsClient(OrvaDocument::FirstParentClient);
    Ask::setAnswering(true);
    std::printf("menu command to the form's first page drawn, filled from the case (offscreen):\n");
    std::printf("  resident memory with the window shown: %.1f MB\n", statusKb("VmRSS:") / 1024.0);
    const char *actions[] = {"actionSaveable_9_202", "actionSaveable_9_203", "actionJoint_Parenting_Statement",
                             "actionParent_Plan_Tool", "actionSaveable_9_202"};
    double first = -1, reopened = -1;
    for (int round = 0; round < 5; ++round) {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(actions[round]));
        QElapsedTimer timer;
        timer.start();
        action->trigger();
        QPointer<QWidget> viewer = OrvaTest::formViewer();
        if (!viewer) {
            std::fprintf(stderr, "bench_forms: no viewer for %s\n", actions[round]);
            return 1;
        }
        bool drawn = false;
        while (!drawn && timer.elapsed() < 120000) {
            drawn = OrvaTest::firstPageDrawn(viewer);
            if (!drawn)
                QTest::qWait(10);
        }
        const double millis = timer.nsecsElapsed() / 1e6;
        if (round == 0)
            first = drawn ? millis : -1;
        if (round == 4)
            reopened = drawn ? millis : -1;
        std::printf("  %-32s %s%8.0f ms, resident memory %.1f MB\n", actions[round],
                    round == 0 ? "(engine starts) " : round == 4 ? "(again)         " : "                ",
                    drawn ? millis : -1.0, statusKb("VmRSS:") / 1024.0);
        Ask::answerNextBox(QMessageBox::Discard);
        viewer->close();
        for (int wait = 0; viewer && viewer->isVisible() && wait < 1000; ++wait)
            QTest::qWait(10);
        Ask::takeShown();
        // As between a user's two forms: the page has put the last one away.
        for (int wait = 0; viewer && wait < 1000; ++wait) {
            if (OrvaTest::evaluate(viewer, QStringLiteral("!PDFViewerApplication.pdfDocument")).toBool())
                break;
            QTest::qWait(10);
        }
    }
    std::printf("  first opening %.0f ms (target 1000), reopening %.0f ms (target 400), ratio %.2f\n", first,
                reopened, first > 0 ? reopened / first : -1.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    const QString child = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteDir().filePath(
        QStringLiteral("bench_forms_startup"));
    const int result = startupBenchmark(child);
    if (result != 0)
        return result;
    return formBenchmark(argc, argv);
}
