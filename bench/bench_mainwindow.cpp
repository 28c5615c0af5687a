// Main window benchmarks, printed as figures (nothing is asserted):
//  1. keystroke to refreshed window: one key typed into an amount field, the
//     full refresh it causes and the repaint, over 1000 edits;
//  2. start-up: process start to the window shown, and the peak resident
//     memory of that process, over several runs of a child process.
// Run on the offscreen platform: QT_QPA_PLATFORM=offscreen ./build/bench/bench_mainwindow

#include "CalcApplication.h"
#include "FCItemEdit.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * (values.size() - 1) + 0.5));
    return values[index];
}

// Peak resident set size of this process in kB (Linux), -1 when unknown.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

int keystrokeBenchmark(int argc, char **argv)
{
    CalcApplication app(argc, argv, 1.0f);
    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) {
        std::fprintf(stderr, "bench_mainwindow: the window did not become active\n");
        return 1;
    }
    Ui::MainWindow *ui = window.form();
    OrvaDocument *doc = window.document();
    doc->setChildName(1, QStringLiteral("Avery"));
    doc->setChildName(2, QStringLiteral("Riley"));
    doc->setFatherMonthlyIncome(5200);
    doc->setMotherWorkRelatedExpenses(300);
    doc->setFatherCashMedicalPercent(1.5);
    window.refresh();
    QLineEdit *edit = ui->motherMonthlyIncomeEdit->lineEdit();
    ui->motherMonthlyIncomeEdit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("41"));
    QApplication::processEvents();

    const int edits = 1000;
    std::vector<double> micros;
    micros.reserve(edits);
    QElapsedTimer timer;
    for (int i = 0; i < edits; ++i) {
        // Alternately type a digit and take it back: every key is one edit
        // with its refresh, the income moving between 41x and 41.
        const bool typeDigit = i % 2 == 0;
        timer.start();
        if (typeDigit)
            QTest::keyClick(edit, static_cast<Qt::Key>(Qt::Key_0 + (i / 2) % 10));
        else
            QTest::keyClick(edit, Qt::Key_Backspace);
        QApplication::processEvents();
        micros.push_back(timer.nsecsElapsed() / 1000.0);
    }
    const qint64 income = doc->motherMonthlyIncome();

    std::vector<double> refreshOnly;
    for (int i = 0; i < edits; ++i) {
        timer.start();
        window.refresh();
        refreshOnly.push_back(timer.nsecsElapsed() / 1000.0);
    }

    std::printf("keystroke to refreshed window (%d edits, %s):\n", edits, qPrintable(QGuiApplication::platformName()));
    std::printf("  median %.1f us, 99th percentile %.1f us, max %.1f us\n", percentile(micros, 0.5),
                percentile(micros, 0.99), percentile(micros, 1.0));
    std::printf("refresh alone: median %.1f us, 99th percentile %.1f us\n", percentile(refreshOnly, 0.5),
                percentile(refreshOnly, 0.99));
    std::printf("  (last income %lld, recommended %lld / %lld)\n", static_cast<long long>(income),
                static_cast<long long>(doc->motherRecommendedChildSupport()),
                static_cast<long long>(doc->fatherRecommendedChildSupport()));
    return 0;
}

// The child of the start-up benchmark: what the program does up to the shown
// window, then it reports its peak memory and ends.
int startupChild(int argc, char **argv)
{
    CalcApplication app(argc, argv, 1.0f);
    MainWindow window;
    window.showNormal();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    std::printf("shown %ld\n", peakResidentKb());
    std::fflush(stdout);
    return 0;
}

int startupBenchmark(const char *self)
{
    const int runs = 10;
    std::vector<double> millis;
    std::vector<double> peaks;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false;*.info=false"));
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        child.start(QString::fromLocal8Bit(self), {QStringLiteral("--startup-child")});
        double shownAfter = -1;
        QByteArray output;
        while (child.waitForReadyRead(30000)) {
            output += child.readAllStandardOutput();
            if (output.contains('\n')) {
                shownAfter = timer.nsecsElapsed() / 1e6;
                break;
            }
        }
        child.waitForFinished(30000);
        const QList<QByteArray> words = output.trimmed().split(' ');
        if (shownAfter < 0 || words.value(0) != "shown") {
            std::fprintf(stderr, "bench_mainwindow: start-up run %d failed: %s\n", run, output.constData());
            return 1;
        }
        millis.push_back(shownAfter);
        peaks.push_back(words.value(1).toDouble() / 1024.0);
    }
    std::printf("start-up, process start to window shown (%d runs): median %.1f ms, min %.1f ms, max %.1f ms\n",
                runs, percentile(millis, 0.5), percentile(millis, 0.0), percentile(millis, 1.0));
    std::printf("peak resident memory at the shown window: median %.1f MB, max %.1f MB\n", percentile(peaks, 0.5),
                percentile(peaks, 1.0));
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
    const int result = startupBenchmark(argv[0]);
    if (result != 0)
        return result;
    return keystrokeBenchmark(argc, argv);
}
