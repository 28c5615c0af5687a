// The update check against a real HTTP server on 127.0.0.1.
#include "UpdateDialog.h"
#include "UpdateService.h"

#include "DialogCloser.h"
#include "Manifest.h"
#include "UpdateServer.h"

#include "../ui/OrvaTestMain.h"

#include <QElapsedTimer>
#include <QSettings>

using OrvaTest::DialogCloser;
using OrvaTest::manifestJson;
using OrvaTest::manifestOf;
using OrvaTest::manifestProduct;
using OrvaTest::manifestVersion;
using OrvaTest::UpdateServer;

class TestUpdateService : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void versionCodes_data();
    void versionCodes();
    void installedVersionIsTheBuilds();
    void manifestAddress_data();
    void manifestAddress();

    void offers_data();
    void offers();
    void failures_data();
    void failures();

    void skipThenStartupAndInteractive();
    void startupCheck_data();
    void startupCheck();

private:
    UpdateServer m_server;
};

void TestUpdateService::init()
{
    QSettings settings;
    settings.clear();
    settings.sync();
    m_server.requests.clear();
    m_server.connections = 0;
    if (!m_server.port())
        QVERIFY(m_server.listen());
    QSettings().setValue(UpdateService::HostKey, m_server.host());
}

void TestUpdateService::versionCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("display"); // missing parts from 16.2.24.319
    QTest::newRow("release") << "16.2.24.319" << true << "16.02.24.0319";
    QTest::newRow("two-digit minor") << "16.10.0.0" << true << "16.10.00.0000";
    QTest::newRow("two parts") << "16.3" << false << "16.03.24.0319";
    QTest::newRow("five parts") << "16.3.0.0.1" << false << "16.03.00.0000";
    QTest::newRow("letters") << "16.x.0.0" << false << "16.02.00.0000";
    QTest::newRow("negative") << "16.3.0.-1" << false << "16.03.00.0319";
    QTest::newRow("empty part") << "16..0.0" << false << "16.02.00.0000";
    QTest::newRow("beyond int") << "16.3.0.99999999999" << false << "16.03.00.0319";
    QTest::newRow("spaces") << " 16.3.0.0" << false << "16.03.00.0000";
    QTest::newRow("empty") << "" << false << "16.02.24.0319";
}

void TestUpdateService::versionCodes()
{
    QFETCH(QString, code);
    QFETCH(bool, valid);
    QFETCH(QString, display);
    VersionNumber number{};
    QCOMPARE(UpdateService::parseVersion(code, &number), valid);
    QCOMPARE(UpdateService::displayCode(code, {16, 2, 24, 319}), display);
}

void TestUpdateService::installedVersionIsTheBuilds()
{
    // One constant: the window title and about box show the same version.
    const UpdateService service;
    const VersionNumber installed = service.installedVersion();
    QCOMPARE(installed, (VersionNumber{16, 2, 24, 319}));
    QCOMPARE(QStringLiteral("%1.%2.%3.%4").arg(installed[0]).arg(installed[1]).arg(installed[2]).arg(installed[3]),
             QCoreApplication::applicationVersion());
    QCOMPARE(UpdateService::displayVersion(installed), QStringLiteral("16.02.24.0319"));
}

void TestUpdateService::manifestAddress_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("url"); // empty: refused
    QTest::newRow("name") << "updates.example.org" << "http://updates.example.org/mac/update.json";
    QTest::newRow("name and port") << "updates.example.org:8080" << "http://updates.example.org:8080/mac/update.json";
    QTest::newRow("address and port") << "127.0.0.1:5000" << "http://127.0.0.1:5000/mac/update.json";
    QTest::newRow("IPv6") << "[::1]:81" << "http://[::1]:81/mac/update.json";
    QTest::newRow("spaces around") << "  example.org " << "http://example.org/mac/update.json";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("scheme") << "https://example.org" << "";
    QTest::newRow("path") << "example.org/other" << "";
    QTest::newRow("user") << "me@example.org" << "";
    QTest::newRow("port too large") << "example.org:70000" << "";
    QTest::newRow("port not a number") << "example.org:http" << "";
}

void TestUpdateService::manifestAddress()
{
    QFETCH(QString, host);
    QFETCH(QString, url);
    const QUrl manifest = UpdateService::manifestUrlFor(host);
    QCOMPARE(manifest.isValid() ? manifest.toString() : QString(), url);
}

void TestUpdateService::offers_data()
{
    QTest::addColumn<QByteArray>("manifest");
    QTest::addColumn<QString>("channel");  // empty: the default
    QTest::addColumn<QString>("skipped");  // stored update-skipped-versions
    QTest::addColumn<bool>("interactive");
    QTest::addColumn<QString>("offered");  // empty: no update
    QTest::addColumn<QString>("description");

    const QString os = UpdateService::currentOsCode();
    const QStringList stable{"stable"};
    QTest::newRow("newest of three")
        << manifestOf({manifestVersion("16.2.24.319"), manifestVersion("16.3.0.0"), manifestVersion("16.2.25.1")})
        << "" << "" << false << "16.3.0.0" << "Release 16.3.0.0";
    QTest::newRow("equal or older never")
        << manifestOf({manifestVersion("16.2.24.319"), manifestVersion("16.2.24.318"), manifestVersion("15.99.99.999")})
        << "" << "" << true << "" << "";
    QTest::newRow("components as numbers")
        << manifestOf({manifestVersion("16.10.0.0"), manifestVersion("16.9.9.9")}) << "" << "" << false << "16.10.0.0"
        << "Release 16.10.0.0";
    QTest::newRow("first of equals stays")
        << manifestOf({manifestVersion("16.3.0.0", "first"), manifestVersion("16.3.0.0", "second")}) << "" << ""
        << false << "16.3.0.0" << "first";
    QTest::newRow("other channel only")
        << manifestOf({manifestVersion("16.3.0.0", "beta build", {"beta"}), manifestVersion("16.2.25.1")}) << ""
        << "" << true << "16.2.25.1" << "Release 16.2.25.1";
    QTest::newRow("that channel chosen")
        << manifestOf({manifestVersion("16.3.0.0", "beta build", {"beta"}), manifestVersion("16.2.25.1")})
        << "beta" << "" << false << "16.3.0.0" << "beta build";
    QTest::newRow("channel letter case")
        << manifestOf({manifestVersion("16.3.0.0", "", {"Stable"})}) << "" << "" << true << "" << "";
    QTest::newRow("os code missing")
        << manifestOf({manifestVersion("16.3.0.0", "", stable, {os + "-other", "win7"})}) << "" << "" << true << ""
        << "";
    QTest::newRow("os code letter case")
        << manifestOf({manifestVersion("16.3.0.0", "", stable, {os.toUpper()})}) << "" << "" << true << "" << "";
    QTest::newRow("product code letter case")
        << manifestJson({manifestProduct({manifestVersion("16.3.0.0")}, "OrvaCalc-Pro-WIN")}) << "" << "" << false
        << "16.3.0.0" << "Release 16.3.0.0";
    QTest::newRow("other product")
        << manifestJson({manifestProduct({manifestVersion("17.0.0.0")}, "orvacalc-lite-win"),
                         manifestProduct({manifestVersion("16.3.0.0")})})
        << "" << "" << false << "16.3.0.0" << "Release 16.3.0.0";
    QTest::newRow("greatest over two entries of the product")
        << manifestJson({manifestProduct({manifestVersion("16.4.0.0")}),
                         manifestProduct({manifestVersion("16.3.0.0")}, "ORVACALC-PRO-WIN")})
        << "" << "" << false << "16.4.0.0" << "Release 16.4.0.0";
    QTest::newRow("codes not of four numbers")
        << manifestOf({manifestVersion("17.0"), manifestVersion("17.0.0.0.1"), manifestVersion("17.x.0.0"),
                       manifestVersion("16.2.25.0")})
        << "" << "" << false << "16.2.25.0" << "Release 16.2.25.0";
    QTest::newRow("skipped at start-up")
        << manifestOf({manifestVersion("16.3.0.0"), manifestVersion("16.2.25.1")}) << "" << ";16.3.0.0" << false
        << "16.2.25.1" << "Release 16.2.25.1";
    QTest::newRow("skipped, asked by the user")
        << manifestOf({manifestVersion("16.3.0.0"), manifestVersion("16.2.25.1")}) << "" << ";16.3.0.0" << true
        << "16.3.0.0" << "Release 16.3.0.0";

    QJsonObject noCode = manifestVersion("17.0.0.0");
    noCode.remove("code");
    QJsonObject numberCode = manifestVersion("17.0.0.0");
    numberCode["code"] = 17;
    QJsonObject channelText = manifestVersion("17.0.0.0");
    channelText["channels"] = "stable";
    QJsonObject osText = manifestVersion("17.0.0.0");
    osText["os-codes"] = os;
    QJsonObject noLink = manifestVersion("17.0.0.0");
    noLink["url"] = " ";
    QTest::newRow("versions without code or link or with members of the wrong type")
        << manifestOf({noCode, numberCode, channelText, osText, noLink, manifestVersion("16.2.30.0")}) << "" << "" << false
        << "16.2.30.0" << "Release 16.2.30.0";
    QJsonObject noVersions = manifestProduct({});
    noVersions.remove("versions");
    QJsonObject versionsObject = manifestProduct({});
    versionsObject["versions"] = manifestVersion("17.0.0.0");
    QJsonObject noProductCode = manifestProduct({manifestVersion("17.0.0.0")});
    noProductCode.remove("code");
    QTest::newRow("products without code or versions")
        << manifestJson({noVersions, versionsObject, noProductCode, manifestProduct({manifestVersion("16.2.30.0")})})
        << "" << "" << false << "16.2.30.0" << "Release 16.2.30.0";
}

void TestUpdateService::offers()
{
    QFETCH(QByteArray, manifest);
    QFETCH(QString, channel);
    QFETCH(QString, skipped);
    QFETCH(bool, interactive);
    QFETCH(QString, offered);
    QFETCH(QString, description);

    m_server.manifest(manifest);
    QSettings settings;
    if (!channel.isEmpty())
        settings.setValue(UpdateService::ChannelKey, channel);
    if (!skipped.isEmpty())
        settings.setValue(UpdateService::SkippedVersionsKey, skipped);
    settings.sync();

    UpdateService service;
    service.check(interactive);
    QVERIFY2(!service.error(), qPrintable(service.errorText() + ": " + service.errorDetails()));
    QCOMPARE(m_server.requests.size(), 1);
    const UpdateServer::Request request = m_server.requests.first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path, QByteArray("/mac/update.json"));
    QCOMPARE(request.headers.value("user-agent"), QByteArray("orva-calc-v1.0"));
    QCOMPARE(request.headers.value("content-type"), QByteArray("application/json; charset=utf-8"));
    QCOMPARE(service.updateAvailable(), !offered.isEmpty());
    QCOMPARE(service.update().code, offered);
    QCOMPARE(service.update().description, description);
    if (!offered.isEmpty()) {
        QCOMPARE(service.update().url, "http://127.0.0.1:9/orvacalc-" + offered + ".exe");
        QCOMPARE(service.update().date, QDate(2024, 5, 1));
    }
}

void TestUpdateService::failures_data()
{
    QTest::addColumn<QString>("host"); // empty: the test server
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("details"); // contained in the details
    QTest::addColumn<int>("requests");

    const QString connect = "Error connecting to update server";
    QTest::newRow("not found") << "" << 404 << QByteArray("gone") << 0 << connect << "Not Found" << 1;
    QTest::newRow("server error") << "" << 500 << QByteArray("{}") << 0 << connect << "server replied" << 1;
    QTest::newRow("slower than two seconds") << "" << 200 << QByteArray(R"({"products": []})") << 3000 << connect
                                             << "Operation canceled" << 1;
    QTest::newRow("not JSON") << "" << 200 << QByteArray("<html>maintenance</html>") << 0
                              << "Error parsing server response" << "" << 1;
    QTest::newRow("cut-off JSON") << "" << 200 << QByteArray(R"({"products": [{"code": )") << 0
                                  << "Error parsing server response" << "" << 1;
    QTest::newRow("no products") << "" << 200 << QByteArray(R"({"versions": []})") << 0
                                 << "JSON does not contain 'products' key" << "" << 1;
    QTest::newRow("products not a list") << "" << 200 << QByteArray(R"({"products": {"code": "x"}})") << 0
                                         << "JSON does not contain 'products' key" << "" << 1;
    QTest::newRow("top level a list") << "" << 200 << QByteArray(R"([{"products": []}])") << 0
                                      << "JSON does not contain 'products' key" << "" << 1;
    QTest::newRow("larger than any manifest")
        << "" << 200 << QByteArray(R"({"products": [], "pad": ")") + QByteArray(5 * 1024 * 1024, 'x') + "\"}" << 0
        << "Error parsing server response" << "larger than" << 1;
    QTest::newRow("nobody listening") << "127.0.0.1:1" << 200 << QByteArray() << 0 << connect << "refused" << 0;
    QTest::newRow("host setting not a host") << "http://example.org/x" << 200 << QByteArray() << 0 << connect
                                             << "http://example.org/x" << 0;
}

void TestUpdateService::failures()
{
    QFETCH(QString, host);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, delayMs);
    QFETCH(QString, text);
    QFETCH(QString, details);
    QFETCH(int, requests);

    UpdateServer::Route route;
    route.status = status;
    route.body = body;
    route.delayMs = delayMs;
    m_server.route("/mac/update.json", route);
    if (!host.isEmpty())
        QSettings().setValue(UpdateService::HostKey, host);

    UpdateService service;
    QElapsedTimer timer;
    timer.start();
    service.check(true);
    const qint64 elapsed = timer.elapsed();
    QVERIFY(service.error());
    QVERIFY(!service.updateAvailable());
    QCOMPARE(service.errorText(), text);
    if (details.isEmpty())
        QVERIFY2(!service.errorDetails().isEmpty() || text.startsWith("JSON"), "the parser's reason is missing");
    else
        QVERIFY2(service.errorDetails().contains(details), qPrintable(service.errorDetails()));
    QCOMPARE(m_server.requests.size(), requests);
    if (delayMs > 0)
        QVERIFY2(elapsed >= 1900, "the watchdog gave up before its two seconds");
}

void TestUpdateService::skipThenStartupAndInteractive()
{
    m_server.manifest(manifestOf({manifestVersion("16.3.0.0")}));
    {
        UpdateService first;
        first.check(false);
        QCOMPARE(first.update().code, QStringLiteral("16.3.0.0"));
        QVERIFY(first.skipVersion(first.update().code));
    }
    {
        UpdateService startup;
        startup.check(false);
        QVERIFY(!startup.error());
        QVERIFY(!startup.updateAvailable());
    }
    UpdateService interactive;
    interactive.check(true);
    QVERIFY(interactive.updateAvailable());
    QCOMPARE(interactive.update().code, QStringLiteral("16.3.0.0"));
    QVERIFY(!QSettings().contains(UpdateService::SkippedVersionsKey));
    UpdateService nextStartup;
    nextStartup.check(false);
    QVERIFY(nextStartup.updateAvailable());
}

void TestUpdateService::startupCheck_data()
{
    QTest::addColumn<QString>("host"); // empty: the test server
    QTest::addColumn<QByteArray>("manifest");
    QTest::addColumn<bool>("enabled"); // update-check-at-startup
    QTest::addColumn<QString>("log");  // empty: the dialog is shown instead
    const QByteArray offer = manifestOf({manifestVersion("16.3.0.0")});
    QTest::newRow("no update") << "" << manifestOf({manifestVersion("16.2.24.319")}) << true
                               << "UpdateService: initial check: no updates available";
    QTest::newRow("not JSON") << "" << QByteArray("garbage") << true
                              << "UpdateService: initial check: error: Error parsing server response details: "
                                 "illegal value";
    QTest::newRow("no network") << "127.0.0.1:1" << QByteArray() << true
                                << "UpdateService: initial check: error: Error connecting to update server details: "
                                   "Connection refused";
    QTest::newRow("update") << "" << offer << true << "";
    QTest::newRow("switched off") << "" << offer << false
                                  << "UpdateService: initial check: skipped, update-check-at-startup is false";
}

void TestUpdateService::startupCheck()
{
    QFETCH(QString, host);
    QFETCH(QByteArray, manifest);
    QFETCH(bool, enabled);
    QFETCH(QString, log);
    m_server.manifest(manifest);
    if (!host.isEmpty())
        QSettings().setValue(UpdateService::HostKey, host);
    QSettings().setValue(UpdateService::StartupCheckKey, enabled);

    if (!log.isEmpty())
        QTest::ignoreMessage(QtInfoMsg, qPrintable(log));
    const DialogCloser closer;
    UpdateService service;
    QVERIFY(service.runStartupCheck());
    if (log.isEmpty()) {
        QCOMPARE(closer.topTexts, QStringList{"Software update available"});
        QCOMPARE(closer.withButtons, 1);
        QVERIFY(closer.updateTexts.value(0).startsWith("Remote Version: 16.03.00.0000\n"));
    } else {
        QVERIFY(closer.topTexts.isEmpty());
    }
    if (!enabled) {
        QTest::qWait(100);
        QCOMPARE(m_server.connections, 0);
    }
}

ORVA_WIDGET_TEST_MAIN(TestUpdateService)
#include "tst_updateservice.moc"
