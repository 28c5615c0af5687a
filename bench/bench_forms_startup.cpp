// The start-up child of bench_forms: what the program does up to the shown
// window, then it reports its peak memory, whether the web engine is mapped
// and whether the viewer's resources are registered, and ends. It links
// what the program links (bench_forms itself needs the web engine).

#include "CalcApplication.h"
#include "MainWindow.h"
#include "StartupTiming.h"

#include <QFile>
#include <QtTest>

#include <cstdio>

namespace {

bool webEngineMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

} // namespace

int main(int argc, char **argv)
{
    CalcApplication app(argc, argv, 1.0f);
    MainWindow window;
    window.showNormal();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const bool viewer = QFile::exists(QStringLiteral(":/PDFJS/web/viewer.html"));
    std::printf("shown %ld %d %d\n", Bench::statusKb("VmHWM:"), int(webEngineMapped()), int(viewer));
    std::fflush(stdout);
    return 0;
}
