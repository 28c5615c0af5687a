#include "CalcApplication.h"
#include "Platform.h"
#include "ScaleDecision.h"
#include "resources.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace ScaleDecision;

Q_DECLARE_METATYPE(Platform::Monitor)

class TestScaleDecision : public QObject
{
    Q_OBJECT

private slots:
    void argumentWalk_data();
    void argumentWalk();
    void automaticSearch_data();
    void automaticSearch();
    void automaticSearchDiagnostics();
    void systemScalingKeepsFactorOne();
    void monitorOfTheDecision_data();
    void monitorOfTheDecision();
    void screenOfARealXServer_data();
    void screenOfARealXServer();
    void factorText_data();
    void factorText();
    void fontForScale_data();
    void fontForScale();
    void styleSheetRewrite();
    void copyDirectoryNested();
    void copyDirectoryExistingFiles();
    void copyDirectoryFailures();
};

void TestScaleDecision::argumentWalk_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("commandLinePath");
    QTest::addColumn<QString>("value");

    QTest::newRow("pair") << QStringList{"--scale", "1.5"} << true << "1.5";
    QTest::newRow("joined with = and comma") << QStringList{"--scale=1,5"} << true << "1.5";
    QTest::newRow("joined 1,25") << QStringList{"--scale=1,25"} << true << "1.25";
    QTest::newRow("pair keeps comma") << QStringList{"--scale", "1,5"} << true << "1,5";
    QTest::newRow("option after --scale resumes") << QStringList{"--scale", "-x", "2"} << true << "1";
    QTest::newRow("--scale last") << QStringList{"importold", "--scale"} << true << "1";
    QTest::newRow("other arguments first") << QStringList{"importold", "--scale", "1.75"} << true << "1.75";
    QTest::newRow("no arguments") << QStringList{} << false << "1";
    QTest::newRow("no scale") << QStringList{"importold"} << false << "1";
    // The concatenation decides: "--sc" + "ale" mentions --scale, yet no single
    // argument does, so the value stays "1".
    QTest::newRow("split across arguments") << QStringList{"--sc", "ale"} << true << "1";
}

void TestScaleDecision::argumentWalk()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, commandLinePath);
    QFETCH(QString, value);
    QCOMPARE(hasScaleArgument(arguments), commandLinePath);
    if (commandLinePath)
        QCOMPARE(scaleFromArguments(arguments), value);
}

void TestScaleDecision::automaticSearch_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("percent");

    QTest::newRow("1366x768") << 1366 << 768 << 100;
    QTest::newRow("1920x1080") << 1920 << 1080 << 100;
    QTest::newRow("2560x1440") << 2560 << 1440 << 130;
    QTest::newRow("3840x2160") << 3840 << 2160 << 200;
    QTest::newRow("1280x1024") << 1280 << 1024 << 100;
    QTest::newRow("tiny screen terminates") << 100 << 100 << 100;
    QTest::newRow("zero screen terminates") << 0 << 0 << 100;
}

void TestScaleDecision::automaticSearch()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, percent);
    QCOMPARE(automaticScalePercent(width, height), percent);
}

void TestScaleDecision::automaticSearchDiagnostics()
{
    QStringList lines;
    QCOMPARE(automaticScalePercent(2560, 1440, &lines), 130);
    QCOMPARE(lines.size(), 3); // 1.10, 1.20, 1.30
    QVERIFY(lines.at(0).contains("try bigger"));
    QVERIFY(lines.at(2).contains("scaleFactorInt\n130"));

    lines.clear();
    QCOMPARE(automaticScalePercent(1366, 768, &lines), 100);
    QVERIFY(!lines.isEmpty());
    QVERIFY(lines.at(0).contains("try smaller"));
    QVERIFY(lines.at(0).contains("screenHeight\n768"));
}

void TestScaleDecision::systemScalingKeepsFactorOne()
{
    // Only monitors at 100 % system scaling are enlarged by the program.
    const int screenPercent = automaticScalePercent(3840, 2160);
    QCOMPARE(formatScaleFactor(effectiveScalePercent(screenPercent, 1.5f)), QString("1.00"));
    QCOMPARE(formatScaleFactor(effectiveScalePercent(screenPercent, 1.0f)), QString("2.00"));
    // The fuzzy comparison accepts float noise around 1.0.
    QCOMPARE(effectiveScalePercent(130, 100 / 100.0f), 130);
    QVERIFY(fuzzyIsOne(1.0f + 1e-7f));
    QVERIFY(!fuzzyIsOne(1.001f));
}

void TestScaleDecision::monitorOfTheDecision_data()
{
    using Platform::Monitor;
    QTest::addColumn<QList<Monitor>>("monitors");
    QTest::addColumn<QSize>("wholeScreen");
    QTest::addColumn<QSize>("chosen");
    QTest::addColumn<QString>("factor");

    const Monitor top{0, 0, 1920, 1080, false};
    const Monitor bottomPrimary{0, 1080, 1920, 1080, true};
    // Two 1920 x 1080 monitors stacked make a 1920 x 2160 X screen, which
    // alone would give 1.50: the window opens on one monitor of them.
    QTest::newRow("stacked, primary below") << QList<Monitor>{top, bottomPrimary} << QSize(1920, 2160)
                                            << QSize(1920, 1080) << "1.00";
    QTest::newRow("primary is a large one second") << QList<Monitor>{{0, 0, 1366, 768, false}, {1366, 0, 3840, 2160, true}}
                                                   << QSize(5206, 2160) << QSize(3840, 2160) << "2.00";
    QTest::newRow("no primary: the first") << QList<Monitor>{{0, 0, 2560, 1440, false}, {2560, 0, 1920, 1080, false}}
                                           << QSize(4480, 1440) << QSize(2560, 1440) << "1.30";
    QTest::newRow("a monitor without size is passed over")
        << QList<Monitor>{{0, 0, 0, 0, true}, {0, 0, 1366, 768, false}} << QSize(1366, 768) << QSize(1366, 768)
        << "1.00";
    QTest::newRow("no monitor known: the whole screen") << QList<Monitor>{} << QSize(1920, 2160)
                                                        << QSize(1920, 2160) << "1.50";
}

void TestScaleDecision::monitorOfTheDecision()
{
    QFETCH(QList<Platform::Monitor>, monitors);
    QFETCH(QSize, wholeScreen);
    QFETCH(QSize, chosen);
    QFETCH(QString, factor);
    Platform::ScreenSize whole;
    whole.valid = true;
    whole.width = wholeScreen.width();
    whole.height = wholeScreen.height();
    const Platform::ScreenSize size = Platform::primaryMonitorSize(monitors, whole);
    QVERIFY(size.valid);
    QCOMPARE(QSize(size.width, size.height), chosen);
    QCOMPARE(formatScaleFactor(effectiveScalePercent(automaticScalePercent(size.width, size.height), 1.0f)), factor);
}

void TestScaleDecision::screenOfARealXServer_data()
{
    QTest::addColumn<QStringList>("serverArguments");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("with XRandR") << QStringList{"-screen", "0", "1600x1200x24"} << QSize(1600, 1200);
    QTest::newRow("without XRandR: the whole screen")
        << QStringList{"-screen", "0", "1366x768x24", "-extension", "RANDR"} << QSize(1366, 768);
}

void TestScaleDecision::screenOfARealXServer()
{
    QFETCH(QStringList, serverArguments);
    QFETCH(QSize, expected);
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        QSKIP("Xvfb is not installed (tools/deps.sh installs it)");
    int number = 140;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
           || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    const QString display = QStringLiteral(":%1").arg(number);
    QProcess server;
    server.start(xvfb, QStringList{display, QStringLiteral("-nolisten"), QStringLiteral("tcp")} + serverArguments);
    QVERIFY(server.waitForStarted(5000));
    const auto stop = qScopeGuard([&server] {
        server.terminate();
        if (!server.waitForFinished(5000))
            server.kill();
    });
    QVERIFY(QTest::qWaitFor(
        [number] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)); }, 5000));

    const QByteArray before = qgetenv("DISPLAY");
    qputenv("DISPLAY", display.toLocal8Bit());
    const Platform::ScreenSize size = Platform::primaryScreenSize();
    if (before.isNull())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", before);
    QVERIFY(size.valid);
    QCOMPARE(QSize(size.width, size.height), expected);
}

void TestScaleDecision::factorText_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("text");
    QTest::newRow("100") << 100 << "1.00";
    QTest::newRow("110") << 110 << "1.10";
    QTest::newRow("130") << 130 << "1.30";
    QTest::newRow("200") << 200 << "2.00";
    QTest::newRow("250") << 250 << "2.50";
}

void TestScaleDecision::factorText()
{
    QFETCH(int, percent);
    QFETCH(QString, text);
    QCOMPARE(formatScaleFactor(percent), text);
}

void TestScaleDecision::fontForScale_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("edit");
    QTest::newRow("1.0") << 1.0f << false << 14 << 18;
    QTest::newRow("1.25") << 1.25f << true << 10 << 13;
    QTest::newRow("1.4 uses the squared rule") << 1.4f << true << 8 << 11;
    QTest::newRow("1.5") << 1.5f << true << 12 << 15;
    QTest::newRow("1.75") << 1.75f << true << 10 << 13;
    QTest::newRow("2.0") << 2.0f << true << 9 << 12;
}

void TestScaleDecision::fontForScale()
{
    QFETCH(float, scale);
    QFETCH(bool, scaled);
    QFETCH(int, font);
    QFETCH(int, edit);
    const FontScale result = ScaleDecision::fontForScale(scale);
    QCOMPARE(result.scaled, scaled);
    QCOMPARE(result.fontPixelSize, font);
    if (scaled)
        QCOMPARE(result.editHeight, edit);
}

void TestScaleDecision::styleSheetRewrite()
{
    OrvaResources::registerAll();
    QFile file(":/stylesheets/orva.qss");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString sheet = QString::fromUtf8(file.readAll());
    QCOMPARE(sheet.count("height: 18px;"), 3);

    QCOMPARE(scaledStyleSheet(sheet, ScaleDecision::fontForScale(1.0f)), sheet);
    const QString scaled = scaledStyleSheet(sheet, ScaleDecision::fontForScale(1.5f));
    QCOMPARE(scaled.count("height: 18px;"), 0);
    QCOMPARE(scaled.count("height: 15px;"), 3);
    // Only the height rules change.
    QCOMPARE(scaled.size(), sheet.size());
}

static void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

static QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestScaleDecision::copyDirectoryNested()
{
    QTemporaryDir source;
    QTemporaryDir destination;
    QVERIFY(QDir(source.path()).mkpath("cases/2024/old"));
    writeFile(source.filePath("top.cml"), "top");
    writeFile(source.filePath("cases/a.cml"), "a");
    writeFile(source.filePath("cases/2024/old/b.cml"), "b");
    QVERIFY(QDir(source.path()).mkpath("empty"));

    QVERIFY(CalcApplication::copyDirectory(source.path(), destination.path(), false));
    QCOMPARE(readFile(destination.filePath("top.cml")), QByteArray("top"));
    QCOMPARE(readFile(destination.filePath("cases/a.cml")), QByteArray("a"));
    QCOMPARE(readFile(destination.filePath("cases/2024/old/b.cml")), QByteArray("b"));
    QVERIFY(QFileInfo(destination.filePath("empty")).isDir());
}

void TestScaleDecision::copyDirectoryExistingFiles()
{
    QTemporaryDir source;
    QTemporaryDir destination;
    writeFile(source.filePath("case.cml"), "new");
    writeFile(destination.filePath("case.cml"), "old");

    QVERIFY(CalcApplication::copyDirectory(source.path(), destination.path(), false));
    QCOMPARE(readFile(destination.filePath("case.cml")), QByteArray("old"));

    QVERIFY(CalcApplication::copyDirectory(source.path(), destination.path(), true));
    QCOMPARE(readFile(destination.filePath("case.cml")), QByteArray("new"));
}

void TestScaleDecision::copyDirectoryFailures()
{
    {
        // A file where a folder must be created.
        QTemporaryDir source;
        QTemporaryDir destination;
        QVERIFY(QDir(source.path()).mkpath("cases"));
        writeFile(source.filePath("cases/a.cml"), "a");
        writeFile(destination.filePath("cases"), "in the way");
        QVERIFY(!CalcApplication::copyDirectory(source.path(), destination.path(), false));
    }
    {
        // A folder where a file must be replaced.
        QTemporaryDir source;
        QTemporaryDir destination;
        writeFile(source.filePath("a.cml"), "a");
        QVERIFY(QDir(destination.path()).mkpath("a.cml/inside"));
        QVERIFY(!CalcApplication::copyDirectory(source.path(), destination.path(), true));
    }
    {
        // The copy stops at the first failure; what was copied before stays.
        QTemporaryDir source;
        QTemporaryDir destination;
        writeFile(source.filePath("kept.cml"), "kept");
        QVERIFY(QDir(source.path()).mkpath("sub"));
        writeFile(source.filePath("sub/x.cml"), "x");
        writeFile(destination.filePath("sub"), "in the way");
        QVERIFY(!CalcApplication::copyDirectory(source.path(), destination.path(), false));
        QCOMPARE(readFile(destination.filePath("kept.cml")), QByteArray("kept"));
    }
}

QTEST_GUILESS_MAIN(TestScaleDecision)
#include "tst_scaledecision.moc"
