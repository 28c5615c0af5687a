// Main window benchmarks, printed as figures (nothing is asserted):
//  1. start-up: process start to the window shown, and the peak resident
//     memory of that process, side by side with a bare Qt window holding the
//     same number of line edits, in alternating child processes of one run;
//  2. keystroke to refreshed window: one key typed into an amount field, the
//     full refresh it causes and the repaint, over 1000 edits, with the
//     widgets repainted per keystroke;
//  3. the same keystrokes with the support explorer open on each of its
//     charts, and after it was closed again.
// Run on the offscreen platform: QT_QPA_PLATFORM=offscreen ./build/bench/bench_mainwindow
//
// Instruction counts (tools/callgrind.sh runs these under callgrind):
//   bench_mainwindow --keystrokes N [TAB]       N keystrokes inside measuredKeystrokes(), with the
//                                               support explorer open on page TAB when given
//   bench_mainwindow --startup-child main       start-up inside measuredStartup()
//   bench_mainwindow --startup-child bare EDITS the bare window with EDITS line edits

#include "CalcApplication.h"
#include "FCItemEdit.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"
#include "SupportExplorer.h"
#include "StartupTiming.h"

#include <QElapsedTimer>
#include <QGridLayout>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Bench::percentile;

// Counts the widgets painted while it is installed.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// The case the keystrokes edit: two children, both incomes, an expense and a
// cash medical percentage, so that every computed field shows a figure.
struct KeystrokeWindow {
    MainWindow window;
    QLineEdit *edit = nullptr;

    bool open()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window)) {
            std::fprintf(stderr, "bench_mainwindow: the window did not become active\n");
            return false;
        }
        Ui::MainWindow *ui = window.form();
        OrvaDocument *doc = window.document();
        doc->setChildName(1, QStringLiteral("Avery"));
        doc->setChildName(2, QStringLiteral("Riley"));
        doc->setFatherMonthlyIncome(5200);
        doc->setMotherWorkRelatedExpenses(300);
        doc->setFatherCashMedicalPercent(1.5);
        window.refresh();
        edit = ui->motherMonthlyIncomeEdit->lineEdit();
        ui->motherMonthlyIncomeEdit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("41"));
        QApplication::processEvents();
        return true;
    }

    // Alternately types a digit and takes it back: every key is one edit with
    // its refresh, the income moving between 41x and 41.
    void keystroke(int i)
    {
        if (i % 2 == 0)
            QTest::keyClick(edit, static_cast<Qt::Key>(Qt::Key_0 + (i / 2) % 10));
        else
            QTest::keyClick(edit, Qt::Key_Backspace);
        QApplication::processEvents();
    }
};

} // namespace

// The sections callgrind counts (--toggle-collect=measuredKeystrokes* or
// measuredStartup*): out of line and outside any namespace so the patterns
// find them.
Q_NEVER_INLINE void measuredKeystrokes(KeystrokeWindow &target, int count)
{
    for (int i = 0; i < count; ++i)
        target.keystroke(i);
}

// What a start-up leaves behind; destroyed after the measured section.
struct Started {
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QWidget> window;
};

// Application object, window, shown; returns the window's line edits.
Q_NEVER_INLINE int measuredStartup(Started &started, int &argc, char **argv, bool bare, int lineEdits)
{
    if (bare) {
        started.app = std::make_unique<QApplication>(argc, argv);
        started.window = std::make_unique<QWidget>();
        auto *grid = new QGridLayout(started.window.get());
        for (int i = 0; i < lineEdits; ++i)
            grid->addWidget(new QLineEdit(started.window.get()), i / 3, i % 3);
        started.window->show();
    } else {
        started.app = std::make_unique<CalcApplication>(argc, argv, 1.0f);
        started.window = std::make_unique<MainWindow>();
        started.window->showNormal();
    }
    if (!QTest::qWaitForWindowExposed(started.window.get()))
        return -1;
    return int(started.window->findChildren<QLineEdit *>().size());
}

namespace {

// The child of the start-up benchmark: up to the shown window, then it
// reports its peak memory and line edits and ends.
int startupChild(int argc, char **argv)
{
    const bool bare = argc > 2 && std::strcmp(argv[2], "bare") == 0;
    const int lineEdits = argc > 3 ? std::atoi(argv[3]) : 0;
    Started started;
    const int shown = measuredStartup(started, argc, argv, bare, lineEdits);
    if (shown < 0)
        return 1;
    std::printf("shown %ld %d\n", Bench::statusKb("VmHWM:"), shown);
    std::fflush(stdout);
    started.window.reset();
    return 0;
}

struct StartupRun {
    double millis = -1;
    double peakMb = 0;
    int lineEdits = 0;
};

StartupRun runStartupChild(const char *self, const QStringList &arguments)
{
    const Bench::ShownReport report = Bench::timeToShown(
        QString::fromLocal8Bit(self), QStringList{QStringLiteral("--startup-child")} + arguments);
    StartupRun run;
    run.millis = report.millis;
    run.peakMb = report.words.value(0).toDouble() / 1024.0;
    run.lineEdits = report.words.value(1).toInt();
    return run;
}

int startupBenchmark(const char *self)
{
    const StartupRun first = runStartupChild(self, {QStringLiteral("main")});
    if (first.millis < 0) {
        std::fprintf(stderr, "bench_mainwindow: the main window did not start\n");
        return 1;
    }
    const QString edits = QString::number(first.lineEdits);
    const int runs = 11;
    std::vector<double> mainMs, bareMs, mainMb, bareMb;
    for (int run = 0; run < runs; ++run) {
        // Alternating, so that a busy moment of the machine hits both.
        const StartupRun window = runStartupChild(self, {QStringLiteral("main")});
        const StartupRun bare = runStartupChild(self, {QStringLiteral("bare"), edits});
        if (window.millis < 0 || bare.millis < 0) {
            std::fprintf(stderr, "bench_mainwindow: start-up run %d failed\n", run);
            return 1;
        }
        mainMs.push_back(window.millis);
        bareMs.push_back(bare.millis);
        mainMb.push_back(window.peakMb);
        bareMb.push_back(bare.peakMb);
    }
    const double mainMedian = percentile(mainMs, 0.5), bareMedian = percentile(bareMs, 0.5);
    const double mainPeak = percentile(mainMb, 0.5), barePeak = percentile(bareMb, 0.5);
    std::printf("start-up, process start to window shown (%d runs each, alternating, medians):\n", runs);
    std::printf("  main window %.1f ms, bare window with %d line edits %.1f ms: ratio %.2f\n", mainMedian,
                first.lineEdits, bareMedian, mainMedian / bareMedian);
    std::printf("  peak resident memory: main window %.1f MB, bare window %.1f MB: ratio %.2f\n", mainPeak, barePeak,
                mainPeak / barePeak);
    return 0;
}

// The median keystroke of `edits` edits, in microseconds.
double keystrokeMedian(KeystrokeWindow &target, int edits)
{
    std::vector<double> micros;
    micros.reserve(edits);
    QElapsedTimer timer;
    for (int i = 0; i < edits; ++i) {
        timer.start();
        target.keystroke(i);
        micros.push_back(timer.nsecsElapsed() / 1000.0);
    }
    return percentile(micros, 0.5);
}

// Keystrokes with the explorer open on each chart (every keystroke
// recomputes and redraws the chart shown), then with it closed again.
int explorerBenchmark(KeystrokeWindow &target, double closedMedian)
{
    const int edits = 1000;
    target.window.form()->actionSupport_Explorer->trigger();
    auto *explorer = target.window.findChild<SupportExplorer *>();
    if (!explorer || !QTest::qWaitForWindowExposed(explorer)) {
        std::fprintf(stderr, "bench_mainwindow: the explorer did not open\n");
        return 1;
    }
    QApplication::setActiveWindow(&target.window);
    std::printf("keystroke with the support explorer open (%d edits each, medians):\n", edits);
    std::printf("  closed before opening: %.1f us\n", closedMedian);
    const char *const charts[] = {"overnights chart (366 worksheets)", "income chart (about 200 worksheets)"};
    for (int tab = 0; tab < 2; ++tab) {
        explorer->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        const double open = keystrokeMedian(target, edits);
        std::printf("  open on the %s: %.1f us, %.2f ms more, ratio %.2f\n", charts[tab], open,
                    (open - closedMedian) / 1000.0, open / closedMedian);
    }
    explorer->close();
    QApplication::processEvents();
    const double closed = keystrokeMedian(target, edits);
    std::printf("  closed again: %.1f us, ratio %.2f to before opening\n", closed, closed / closedMedian);
    return 0;
}

int keystrokeBenchmark(int argc, char **argv)
{
    CalcApplication app(argc, argv, 1.0f);
    // The figure is the window's work, not the terminal's.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    KeystrokeWindow target;
    if (!target.open())
        return 1;
    PaintCounter counter;
    app.installEventFilter(&counter);

    const int edits = 1000;
    std::vector<double> micros;
    std::vector<double> paints;
    micros.reserve(edits);
    QElapsedTimer timer;
    for (int i = 0; i < edits; ++i) {
        counter.paints = 0;
        timer.start();
        target.keystroke(i);
        micros.push_back(timer.nsecsElapsed() / 1000.0);
        paints.push_back(counter.paints);
    }
    OrvaDocument *doc = target.window.document();
    const qint64 income = doc->motherMonthlyIncome();

    std::vector<double> refreshOnly;
    for (int i = 0; i < edits; ++i) {
        timer.start();
        target.window.refresh();
        refreshOnly.push_back(timer.nsecsElapsed() / 1000.0);
    }
    app.removeEventFilter(&counter);

    std::printf("keystroke to refreshed window (%d edits, %s):\n", edits, qPrintable(QGuiApplication::platformName()));
    std::printf("  median %.1f us, 99th percentile %.1f us, max %.1f us; widgets painted per keystroke: median %.0f\n",
                percentile(micros, 0.5), percentile(micros, 0.99), percentile(micros, 1.0), percentile(paints, 0.5));
    std::printf("refresh alone: median %.1f us, 99th percentile %.1f us\n", percentile(refreshOnly, 0.5),
                percentile(refreshOnly, 0.99));
    std::printf("  (last income %lld, recommended %lld / %lld)\n", static_cast<long long>(income),
                static_cast<long long>(doc->motherRecommendedChildSupport()),
                static_cast<long long>(doc->fatherRecommendedChildSupport()));
    return explorerBenchmark(target, percentile(micros, 0.5));
}

int keystrokeInstructions(int argc, char **argv, int count, int explorerTab)
{
    CalcApplication app(argc, argv, 1.0f);
    KeystrokeWindow target;
    if (!target.open())
        return 1;
    if (explorerTab >= 0) {
        target.window.form()->actionSupport_Explorer->trigger();
        auto *explorer = target.window.findChild<SupportExplorer *>();
        if (!explorer)
            return 1;
        explorer->tabs()->setCurrentIndex(explorerTab);
        QApplication::setActiveWindow(&target.window);
    }
    for (int i = 0; i < 20; ++i) // caches and glyphs settle outside the count
        target.keystroke(i);
    measuredKeystrokes(target, count);
    std::printf("keystrokes: %d counted in measuredKeystrokes\n", count);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv);

    // Settings and the documents folder of the window go to a scratch home.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    if (argc > 2 && qstrcmp(argv[1], "--keystrokes") == 0)
        return keystrokeInstructions(argc, argv, std::max(1, std::atoi(argv[2])), argc > 3 ? std::atoi(argv[3]) : -1);

    const int result = startupBenchmark(argv[0]);
    if (result != 0)
        return result;
    return keystrokeBenchmark(argc, argv);
}
