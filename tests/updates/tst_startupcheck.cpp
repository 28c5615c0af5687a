// The real program at start-up: the update check runs before the window
// exists, can be switched off, and never runs for the headless commands.
#include "Manifest.h"
#include "ProgramRun.h"
#include "UpdateServer.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using OrvaTest::manifestOf;
using OrvaTest::manifestVersion;
using OrvaTest::UpdateServer;

class TestStartupCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void beforeTheWindow_data();
    void beforeTheWindow();
    void headlessCommandsStayOffline_data();
    void headlessCommandsStayOffline();

private:
    QProcessEnvironment environment(const QString &home, const QString &host, bool check) const;

    UpdateServer m_server;
};

void TestStartupCheck::initTestCase()
{
    QVERIFY(m_server.listen());
}

QProcessEnvironment TestStartupCheck::environment(const QString &home, const QString &host, bool check) const
{
    QSettings settings(home + "/.config/Pellwood/Orva-Calc.conf", QSettings::IniFormat);
    settings.setValue("update-host", host);
    settings.setValue("update-check-at-startup", check);
    settings.sync();
    QProcessEnvironment env = OrvaTest::serverEnvironment(home);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_LOGGING_RULES", "*.debug=false");
    return env;
}

void TestStartupCheck::beforeTheWindow_data()
{
    QTest::addColumn<QString>("host"); // empty: the test server
    QTest::addColumn<int>("delayMs");  // before the server answers
    QTest::addColumn<bool>("check");
    QTest::addColumn<QString>("line"); // logged before the window; empty: nothing
    QTest::addColumn<int>("connections");
    QTest::newRow("no update") << "" << 0 << true << "UpdateService: initial check: no updates available" << 1;
    QTest::newRow("nobody listening") << "127.0.0.1:1" << 0 << true
                                      << "UpdateService: initial check: error: Error connecting to update server "
                                         "details: Connection refused"
                                      << 0;
    QTest::newRow("silent server") << "" << 20000 << true
                                   << "UpdateService: initial check: error: Error connecting to update server "
                                      "details: Operation canceled"
                                   << 1;
    QTest::newRow("switched off") << "" << 0 << false << "" << 0;
}

void TestStartupCheck::beforeTheWindow()
{
    QFETCH(QString, host);
    QFETCH(int, delayMs);
    QFETCH(bool, check);
    QFETCH(QString, line);
    QFETCH(int, connections);
    m_server.connections = 0;
    m_server.requests.clear();
    UpdateServer::Route manifest;
    manifest.body = manifestOf({manifestVersion("16.2.24.319")});
    manifest.delayMs = delayMs;
    m_server.route("/mac/update.json", manifest);
    const QString setting = host.isEmpty() ? m_server.host() : host;

    QTemporaryDir home;
    QProcess program;
    program.setProcessEnvironment(environment(home.path(), setting, check));
    QByteArray err;
    connect(&program, &QProcess::readyReadStandardError, this, [&] { err += program.readAllStandardError(); });
    program.start(ORVA_EXECUTABLE, {});
    QTRY_VERIFY2_WITH_TIMEOUT(err.contains("MainWindow: window size:"), err.constData(), 30000);
    program.kill();
    program.waitForFinished(5000);

    const qsizetype window = err.indexOf("MainWindow: window size:");
    if (line.isEmpty()) {
        QVERIFY2(!err.contains("UpdateService: initial check: error")
                     && !err.contains("UpdateService: initial check: no updates"),
                 err.constData());
    } else {
        const qsizetype logged = err.indexOf(line.toUtf8());
        QVERIFY2(logged >= 0, err.constData());
        QVERIFY(logged < window);
    }
    QCOMPARE(m_server.connections > 0, connections > 0);
}

void TestStartupCheck::headlessCommandsStayOffline_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("json") << QStringList{"--worksheet-json", ORVA_SOURCE_DIR "/examples/example-shared.cml"};
    QTest::newRow("pdf") << QStringList{"--worksheet-pdf", "OUT", ORVA_SOURCE_DIR "/examples/example-shared.cml"};
    QTest::newRow("alimony json") << QStringList{"--alimony-json", ORVA_SOURCE_DIR "/examples/example.calc"};
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("unknown option") << QStringList{"--no-such-option"};
}

void TestStartupCheck::headlessCommandsStayOffline()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir home;
    arguments.replaceInStrings("OUT", home.filePath("out.pdf"));
    m_server.connections = 0;
    const OrvaTest::ProgramRun run =
        OrvaTest::runProcess(ORVA_EXECUTABLE, arguments, environment(home.path(), m_server.host(), true));
    QVERIFY(run.exitCode >= 0);
    QTest::qWait(50); // a connection the program made is accepted by now
    QCOMPARE(m_server.connections, 0);
    QVERIFY2(!run.err.contains("UpdateService"), "the update check ran");
}

QTEST_MAIN(TestStartupCheck)
#include "tst_startupcheck.moc"
