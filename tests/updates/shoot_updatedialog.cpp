// Not a test: grabs the update dialog in its states to PNG files for a look
// by eye (ORVA_SHOTS names the folder), against a server of its own.
#include "UpdateDialog.h"
#include "UpdateService.h"

#include "DesktopRecorder.h"
#include "Manifest.h"
#include "UpdateServer.h"

#include "../ui/OrvaTestMain.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>

#include <cstdio>

using OrvaTest::manifestOf;
using OrvaTest::manifestVersion;
using OrvaTest::UpdateServer;

namespace {

QString g_folder;
int g_failures = 0;

void shoot(QWidget &dialog, const char *name)
{
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        ++g_failures;
    QTest::qWait(50);
    const QString path = QDir(g_folder).filePath(QLatin1String(name) + QStringLiteral(".png"));
    if (!dialog.grab().save(path)) {
        std::fprintf(stderr, "shoot_updatedialog: cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
    std::printf("%s\n", qPrintable(path));
}

void offer(UpdateServer &server, const QString &sha256 = QString())
{
    QJsonObject version = manifestVersion(
        "16.3.0.0", "Faster worksheets, the July 2022 schedule extended above its top, and a clearer print preview.");
    version["url"] = server.url("/files/orvacalc-setup-16.3.0.0.exe");
    if (!sha256.isEmpty())
        version["sha256"] = sha256;
    server.manifest(manifestOf({version}));
}

} // namespace

int main(int argc, char **argv)
{
    OrvaTest::Environment environment;
    CalcApplication app(argc, argv, 1.0f);
    g_folder = qEnvironmentVariable("ORVA_SHOTS", QDir::currentPath());
    QDir().mkpath(g_folder);

    UpdateServer server;
    if (!server.listen())
        return 1;
    QSettings().setValue(UpdateService::HostKey, server.host());
    UpdateServer::Route installer;
    installer.body = QByteArray(400 * 1024, 'x');
    installer.chunkSize = 4096;
    installer.chunkDelayMs = 30;
    server.route("/files/orvacalc-setup-16.3.0.0.exe", installer);
    OrvaTest::DesktopRecorder desktop;

    offer(server);
    {
        UpdateService service;
        service.check(false);
        Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, &service);
        shoot(dialog, "update-startup-offer");
        emit dialog.findChild<QLabel *>("hyperlink")->linkActivated(service.update().url);
        if (!QTest::qWaitFor([&] { return dialog.findChild<QProgressBar *>("progressBar")->value() > 100 * 1024; },
                             10000))
            ++g_failures;
        shoot(dialog, "update-downloading");
        dialog.reject();
    }
    {
        UpdateService service;
        Updates::UpdateDialog dialog(Updates::UpdateDialog::InteractiveMode, &service);
        shoot(dialog, "update-asked-offer");
    }
    offer(server, QStringLiteral("00ff"));
    {
        UpdateService service;
        service.check(false);
        Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, &service);
        dialog.show();
        emit dialog.findChild<QLabel *>("hyperlink")->linkActivated(service.update().url);
        if (!QTest::qWaitFor([&] { return !dialog.downloading(); }, 30000))
            ++g_failures;
        shoot(dialog, "update-checksum-mismatch");
    }
    server.manifest(manifestOf({manifestVersion("16.2.24.319")}));
    {
        UpdateService service;
        Updates::UpdateDialog dialog(Updates::UpdateDialog::InteractiveMode, &service);
        shoot(dialog, "update-asked-none");
    }
    QSettings().setValue(UpdateService::HostKey, QStringLiteral("127.0.0.1:1"));
    {
        UpdateService service;
        Updates::UpdateDialog dialog(Updates::UpdateDialog::InteractiveMode, &service);
        shoot(dialog, "update-asked-error");
    }
    return g_failures == 0 ? 0 : 1;
}
