// A file or --version on the command line: which window a file goes to, and
// the version line written as the real program writes it.

#include "LaunchFile.h"
#include "ProgramRun.h"

#include <QTemporaryDir>
#include <QtTest>

class TestLaunchFile : public QObject
{
    Q_OBJECT

private slots:
    void kindBySuffix_data();
    void kindBySuffix();
    void fileAmongTheArguments_data();
    void fileAmongTheArguments();
    void versionIsPrinted_data();
    void versionIsPrinted();
    void versionThatCannotBeWrittenFails();
};

void TestLaunchFile::kindBySuffix_data()
{
    using Kind = LaunchFile::Kind;
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::newRow("nothing") << "" << int(Kind::None);
    QTest::newRow("case") << "/home/ann/ORVA/smith.cml" << int(Kind::Case);
    QTest::newRow("alimony") << "/home/ann/ORVA/smith.calc" << int(Kind::Alimony);
    QTest::newRow("alimony upper case") << "C:/Cases/SMITH.CALC" << int(Kind::Alimony);
    QTest::newRow("alimony in a folder named .calc") << "/tmp/x.calc/smith.cml" << int(Kind::Case);
    QTest::newRow("calc in the middle") << "smith.calc.cml" << int(Kind::Case);
    QTest::newRow("no suffix goes to the case reader") << "smith" << int(Kind::Case);
    QTest::newRow("other suffix goes to the case reader") << "smith.xml" << int(Kind::Case);
    QTest::newRow("calculator is not calc") << "smith.calculator" << int(Kind::Case);
}

void TestLaunchFile::kindBySuffix()
{
    QFETCH(QString, path);
    QFETCH(int, kind);
    QCOMPARE(int(LaunchFile::kindOf(path)), kind);
}

void TestLaunchFile::fileAmongTheArguments_data()
{
    QTest::addColumn<QStringList>("positional");
    QTest::addColumn<QString>("file");
    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("one") << QStringList{"a.cml"} << "a.cml";
    QTest::newRow("importold alone") << QStringList{"importold"} << "";
    QTest::newRow("importold first") << QStringList{"importold", "b.cml"} << "b.cml";
    QTest::newRow("the first of two") << QStringList{"a.cml", "b.calc"} << "a.cml";
    QTest::newRow("a file named like the word, in a folder") << QStringList{"./importold"} << "./importold";
}

void TestLaunchFile::fileAmongTheArguments()
{
    QFETCH(QStringList, positional);
    QFETCH(QString, file);
    QCOMPARE(LaunchFile::fromArguments(positional), file);
}

void TestLaunchFile::versionIsPrinted_data()
{
    QTest::addColumn<bool>("display");
    QTest::newRow("offscreen") << true;
    QTest::newRow("no display at all") << false;
}

void TestLaunchFile::versionIsPrinted()
{
    QFETCH(bool, display);
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    else
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));

    const OrvaTest::ProgramRun run =
        OrvaTest::runProgram(QStringLiteral(ORVA_EXECUTABLE), {QStringLiteral("--version")}, environment);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("Orva-Calc Professional 16.2.24.319\n"));
}

void TestLaunchFile::versionThatCannotBeWrittenFails()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this system");
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    OrvaTest::RunOptions options;
    options.standardOutputFile = QStringLiteral("/dev/full");
    const OrvaTest::ProgramRun run =
        OrvaTest::runProgram(QStringLiteral(ORVA_EXECUTABLE), {QStringLiteral("--version")}, environment, options);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("cannot write the version"), "the failure is said");
}

QTEST_GUILESS_MAIN(TestLaunchFile)

#include "tst_launchfile.moc"
