// The real executable, started as a user or an installer starts it.
#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCalcApplication : public QObject
{
    Q_OBJECT

private:
    using Run = OrvaTest::ProgramRun;
    static Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
    {
        return OrvaTest::runProgram(program, arguments, environment);
    }
    static QProcessEnvironment environment(const QString &home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("QT_LOGGING_RULES");
        env.remove("DISPLAY");
        env.insert("HOME", home);
        env.insert("XDG_CONFIG_HOME", home + "/.config");
        env.insert("XDG_DATA_HOME", home + "/.local/share");
        return env;
    }

private slots:
    void unknownOptionExitsWithOne();
    void noDisplaySaysSoPlainly();
    void scaleFromCommandLine();
    void quietVersion();
    void importOld_data();
    void importOld();
};

void TestCalcApplication::unknownOptionExitsWithOne()
{
    QTemporaryDir home;
    const Run result = run(ORVA_EXECUTABLE, {"--no-such-option"}, environment(home.path()));
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains("Unknown option 'no-such-option'"), result.err.constData());
}

void TestCalcApplication::noDisplaySaysSoPlainly()
{
    QTemporaryDir home;
    QProcessEnvironment env = environment(home.path());
    env.remove("QT_QPA_PLATFORM");
    env.remove("WAYLAND_DISPLAY");
    const Run window = run(ORVA_EXECUTABLE, {}, env);
    QCOMPARE(window.exitCode, 1);
    QVERIFY2(window.err.contains("there is no display to open the window on"), window.err.constData());
    QVERIFY(window.err.contains("--worksheet-pdf OUT.pdf CASE.cml"));

    // What needs no window still works.
    const Run help = run(ORVA_EXECUTABLE, {"--help"}, env);
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--worksheet-pdf"));
    const Run bad = run(ORVA_EXECUTABLE, {"--bogus"}, env);
    QCOMPARE(bad.exitCode, 1);
    QVERIFY(bad.err.contains("Unknown option 'bogus'"));
}

void TestCalcApplication::scaleFromCommandLine()
{
    // --help ends the program after the scale decision and the parser ran.
    QTemporaryDir home;
    const Run result = run(ORVA_EXECUTABLE, {"--scale", "1.5", "--help", "--verbose"}, environment(home.path()));
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.contains("scale factor from arg \"1.5\""), result.err.constData());
    QVERIFY(result.out.contains("--importold"));
    QVERIFY(result.out.contains("--scale <1>"));

    const Run joined = run(ORVA_EXECUTABLE, {"--scale=1,25", "--help", "--verbose"}, environment(home.path()));
    QCOMPARE(joined.exitCode, 0);
    QVERIFY2(joined.err.contains("scale factor from arg \"1.25\""), joined.err.constData());

    // Without a display there is no screen information: factor 1.00.
    const Run automatic = run(ORVA_EXECUTABLE, {"--help", "--verbose"}, environment(home.path()));
    QCOMPARE(automatic.exitCode, 0);
    QVERIFY2(automatic.err.contains("scale factor \"1.00\""), automatic.err.constData());
}

void TestCalcApplication::quietVersion()
{
    QTemporaryDir home;
    const Run result = run(ORVA_EXECUTABLE, {"--version"}, environment(home.path()));
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QByteArray());
    QVERIFY(result.out.startsWith("Orva-Calc Professional ") && result.out.count('\n') == 1);
    // The log went to its file instead, with its lines' texts.
    QFile log(home.filePath(".local/share/Pellwood/Orva-Calc/orvacalc.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("<< main >> (pre run)"));
}

void TestCalcApplication::importOld_data()
{
    QTest::addColumn<QString>("argument");
    QTest::newRow("option") << "--importold";
    QTest::newRow("plain word") << "importold";
}

void TestCalcApplication::importOld()
{
    QFETCH(QString, argument);
    // The program copies the "userfiles" folder beside the executable, so run
    // a copy of it from a folder of our own.
    QTemporaryDir install;
    QTemporaryDir home;
    const QString program = install.filePath("orvacalc");
    QVERIFY(QFile::copy(ORVA_EXECUTABLE, program));
    QVERIFY(QDir(install.path()).mkpath("userfiles/samples"));
    {
        QFile sample(install.filePath("userfiles/samples/example.cml"));
        QVERIFY(sample.open(QIODevice::WriteOnly));
        sample.write("<case/>");
    }
    QVERIFY(QDir(home.path()).mkpath("Public/ORVA"));
    {
        QFile existing(home.filePath("Public/ORVA/mine.cml"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("mine");
    }
    {
        // A user's file of the same name is never replaced.
        QFile userCopy(install.filePath("userfiles/mine.cml"));
        QVERIFY(userCopy.open(QIODevice::WriteOnly));
        userCopy.write("installed");
    }

    const Run result = run(program, {argument}, environment(home.path()));
    QCOMPARE(result.exitCode, 0);
    QVERIFY(QFile::exists(home.filePath("Public/ORVA/samples/example.cml")));
    QFile kept(home.filePath("Public/ORVA/mine.cml"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("mine"));
}

QTEST_GUILESS_MAIN(TestCalcApplication)
#include "tst_calcapplication.moc"
