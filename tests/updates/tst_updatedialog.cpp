// The update dialog and the installer download against a real HTTP server on
// 127.0.0.1; whatever would reach the desktop is recorded instead.
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"
#include "UpdateDialog.h"
#include "UpdateService.h"

#include "AskAnswers.h"
#include "DesktopRecorder.h"
#include "DialogCloser.h"
#include "Manifest.h"
#include "SpecialFiles.h"
#include "UpdateServer.h"

#include "../ui/OrvaTestMain.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>

using OrvaTest::AskAnswers;
using OrvaTest::DesktopRecorder;
using OrvaTest::DialogCloser;
using OrvaTest::manifestOf;
using OrvaTest::manifestVersion;
using OrvaTest::UpdateServer;

namespace {

const QString InstallerName = QStringLiteral("orvacalc-setup-16.3.0.0.exe");

QByteArray installerBody()
{
    // Distinct bytes throughout, so that a piece lost or doubled shows.
    QByteArray body;
    body.reserve(200 * 1024);
    for (int i = 0; body.size() < 200 * 1024; ++i)
        body += QByteArray::number(i) + ',';
    return body;
}

QString sha256Hex(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString downloadFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QString labelText(const QDialog &dialog, const char *name)
{
    return dialog.findChild<QLabel *>(name)->text();
}

// The link target inside the hyperlink's rich text, as a browser reads it.
QString hyperlinkTarget(const QDialog &dialog)
{
    QTextDocument document;
    document.setHtml(labelText(dialog, "hyperlink"));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isAnchor())
                return it.fragment().charFormat().anchorHref();
        }
    }
    return {};
}

// What a click on the hyperlink does.
void activateLink(const QDialog &dialog, const QString &link)
{
    emit dialog.findChild<QLabel *>("hyperlink")->linkActivated(link);
}

} // namespace

class TestUpdateDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void outcomes_data();
    void outcomes();
    void hyperlinkKeepsTheAddress();

    void download_data();
    void download();
    void failedDownload_data();
    void failedDownload();
    void linkWorksAgainAfterAFailure();
    void plantedInstallerName_data();
    void plantedInstallerName();
    void fileNameMustBePlain_data();
    void fileNameMustBePlain();
    void onlyWebAddresses_data();
    void onlyWebAddresses();

    void buttons_data();
    void buttons();
    void skipNotStored();
    void buttonsWaitForTheDownload();

    void mainWindowClosedFirst_data();
    void mainWindowClosedFirst();
    void checkForUpdatesCommand();

private:
    // A checked service whose update is the installer on the test server.
    std::unique_ptr<UpdateService> serviceWithUpdate(const QString &sha256 = QString(),
                                                     const QString &path = "/files/" + InstallerName);
    void waitForDownload(const Updates::UpdateDialog &dialog);

    UpdateServer m_server;
    QByteArray m_body = installerBody();
};

void TestUpdateDialog::init()
{
    QSettings settings;
    settings.clear();
    settings.sync();
    m_server.requests.clear();
    m_server.connections = 0;
    m_server.closedPaths.clear();
    if (!m_server.port())
        QVERIFY(m_server.listen());
    QSettings().setValue(UpdateService::HostKey, m_server.host());
    UpdateServer::Route installer;
    installer.body = m_body;
    installer.contentType = "application/octet-stream";
    installer.chunkSize = 8 * 1024;
    installer.chunkDelayMs = 20; // half a second: the progress signal comes every 100 ms at most
    m_server.route("/files/" + InstallerName.toLatin1(), installer);
    QFileInfo folder(downloadFolder());
    if (folder.isDir())
        QVERIFY(QDir(folder.filePath()).removeRecursively());
    else if (folder.exists())
        QVERIFY(QFile::remove(folder.filePath()));
}

std::unique_ptr<UpdateService> TestUpdateDialog::serviceWithUpdate(const QString &sha256, const QString &path)
{
    QJsonObject version = manifestVersion("16.3.0.0", "Faster worksheets.");
    version["url"] = m_server.url(path);
    if (!sha256.isNull())
        version["sha256"] = sha256;
    m_server.manifest(manifestOf({version}));
    auto service = std::make_unique<UpdateService>();
    service->check(false);
    return service;
}

void TestUpdateDialog::waitForDownload(const Updates::UpdateDialog &dialog)
{
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.downloading(), 15000);
}

void TestUpdateDialog::outcomes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("manifest"); // empty: nobody listens
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("update");
    QTest::addColumn<bool>("link");
    QTest::addColumn<bool>("buttons");

    const QByteArray offer = manifestOf({manifestVersion("16.3.0.0", "Faster worksheets.")});
    const QByteArray none = manifestOf({manifestVersion("16.2.24.319")});
    const QString remote = "Remote Version: 16.03.00.0000\nDescription: Faster worksheets.";
    QTest::newRow("start-up, update") << 0 << offer << "Software update available" << remote << true << true;
    QTest::newRow("asked, update") << 1 << offer << "Remote update" << remote << true << false;
    QTest::newRow("asked, none") << 1 << none << "Remote update" << "No updates available" << false << false;
    QTest::newRow("asked, not JSON")
        << 1 << QByteArray("{oops") << "Remote update"
        << "Error receiving updates:\nError parsing server response\nunterminated object" << false << false;
    QTest::newRow("asked, no network")
        << 1 << QByteArray() << "Remote update"
        << "Error receiving updates:\nError connecting to update server\nConnection refused" << false << false;
}

void TestUpdateDialog::outcomes()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, manifest);
    QFETCH(QString, top);
    QFETCH(QString, update);
    QFETCH(bool, link);
    QFETCH(bool, buttons);

    m_server.manifest(manifest);
    if (manifest.isEmpty())
        QSettings().setValue(UpdateService::HostKey, "127.0.0.1:1");
    UpdateService service;
    if (mode == Updates::UpdateDialog::StartupMode)
        service.check(false);

    Updates::UpdateDialog dialog(mode, &service);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(labelText(dialog, "topLabel"), top);
    QCOMPARE(labelText(dialog, "updateLabel"), update);
    QCOMPARE(dialog.findChild<QLabel *>("hyperlink")->isVisible(), link);
    QVERIFY(!dialog.findChild<QProgressBar *>("progressBar")->isVisible());
    for (const char *name : {"remindLaterButton", "skipButton"}) {
        const QPushButton *button = dialog.findChild<QPushButton *>(name);
        QCOMPARE(button->isVisible(), buttons);
        QCOMPARE(button->isEnabled(), link);
    }
    if (link)
        QCOMPARE(hyperlinkTarget(dialog), QStringLiteral("http://127.0.0.1:9/orvacalc-16.3.0.0.exe"));
    // The check of the interactive mode runs under the wait cursor, and
    // only then.
    QCOMPARE(m_server.requests.size(), manifest.isEmpty() ? 0 : 1);
    if (!manifest.isEmpty())
        QCOMPARE(m_server.requests.first().waitCursor, mode == Updates::UpdateDialog::InteractiveMode);
    QVERIFY(!QApplication::overrideCursor());
}

void TestUpdateDialog::hyperlinkKeepsTheAddress()
{
    // An address with characters that mean something in markup still leads
    // exactly where the manifest says.
    const QString address = m_server.url("/files/a&b=\"c\"<d>.exe");
    QJsonObject version = manifestVersion("16.3.0.0", "<b>bold</b> & <i>more</i>");
    version["url"] = address;
    m_server.manifest(manifestOf({version}));
    UpdateService service;
    service.check(false);
    const Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, &service);
    QCOMPARE(hyperlinkTarget(dialog), address);
    QCOMPARE(labelText(dialog, "updateLabel"),
             QStringLiteral("Remote Version: 16.03.00.0000\nDescription: <b>bold</b> & <i>more</i>"));
}

void TestUpdateDialog::download_data()
{
    QTest::addColumn<QString>("sha256"); // null: the manifest has none
    QTest::addColumn<bool>("existing");  // a file of that name is there already
    QTest::newRow("no checksum") << QString() << false;
    QTest::newRow("checksum") << sha256Hex(m_body) << false;
    QTest::newRow("checksum in capitals") << sha256Hex(m_body).toUpper() << false;
    QTest::newRow("replaces an older file") << sha256Hex(m_body) << true;
}

void TestUpdateDialog::download()
{
    QFETCH(QString, sha256);
    QFETCH(bool, existing);
    const QString target = QDir(downloadFolder()).filePath(InstallerName);
    if (existing)
        QVERIFY(writeFile(target, "an older installer"));

    const auto service = serviceWithUpdate(sha256);
    QVERIFY(service->updateAvailable());
    DesktopRecorder desktop;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    dialog.show();
    auto *progress = dialog.findChild<QProgressBar *>("progressBar");
    QSignalSpy values(progress, &QProgressBar::valueChanged);
    QSignalSpy finished(&dialog, &QDialog::finished);

    activateLink(dialog, service->update().url);
    QVERIFY(dialog.downloading());
    QVERIFY(progress->isVisible());
    waitForDownload(dialog);

    QCOMPARE(dialog.downloadPath(), target);
    QCOMPARE(readFile(target), m_body);
    QCOMPARE(QDir(downloadFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{InstallerName});
    QVERIFY2(values.size() >= 3, "the progress bar did not follow the download");
    QCOMPARE(progress->maximum(), int(m_body.size()));
    QCOMPARE(values.last().first().toInt(), int(m_body.size()));
    QCOMPARE(desktop.calls.size(), 1);
    QCOMPARE(desktop.calls.first().kind, Platform::DesktopCall::OpenUrl);
    QCOMPARE(desktop.calls.first().target, QUrl::fromLocalFile(target).toString());
    QVERIFY(dialog.programMustEnd());
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
}

// A download that fails or is not the published installer starts nothing
// and leaves an older file of the same name as it was.
void TestUpdateDialog::failedDownload_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("announced"); // -1: the body's length
    QTest::addColumn<QString>("sha256");   // null: the manifest has none
    QTest::addColumn<bool>("existing");    // an older file of that name is there
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("browser");     // the link goes to the browser
    QTest::addColumn<QString>("shown");
    const QString other = sha256Hex("another installer");
    const QString failed = "The download failed";
    QTest::newRow("not found") << 404 << qint64(-1) << QString() << true << "downloader error: ContentNotFoundError"
                               << true << failed;
    QTest::newRow("server error") << 500 << qint64(-1) << QString() << true
                                  << "downloader error: InternalServerError" << true << failed;
    QTest::newRow("cut off half-way") << 200 << qint64(400 * 1024) << QString() << true
                                      << "downloader error: RemoteHostClosedError" << true << failed;
    QTest::newRow("another file's checksum") << 200 << qint64(-1) << other << false
                                             << "installer checksum mismatch: " << false << "SHA-256";
    QTest::newRow("another file's checksum, older file there")
        << 200 << qint64(-1) << other << true << "installer checksum mismatch: " << false << "SHA-256";
}

void TestUpdateDialog::failedDownload()
{
    QFETCH(int, status);
    QFETCH(qint64, announced);
    QFETCH(QString, sha256);
    QFETCH(bool, existing);
    QFETCH(QString, log);
    QFETCH(bool, browser);
    QFETCH(QString, shown);

    UpdateServer::Route route;
    route.status = status;
    route.body = m_body;
    route.chunkSize = 32 * 1024;
    route.announcedLength = announced;
    m_server.route("/files/" + InstallerName.toLatin1(), route);
    const QString target = QDir(downloadFolder()).filePath(InstallerName);
    if (existing)
        QVERIFY(writeFile(target, "kept"));

    const auto service = serviceWithUpdate(sha256);
    DesktopRecorder desktop;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    dialog.show();
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^UpdateDialog: " + QRegularExpression::escape(log)));
    if (browser)
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^UpdateDialog: failed to download: "));
    activateLink(dialog, service->update().url);
    waitForDownload(dialog);

    QCOMPARE(desktop.targets(), browser ? QStringList{service->update().url} : QStringList());
    QCOMPARE(readFile(target), existing ? QByteArray("kept") : QByteArray("<missing>"));
    QCOMPARE(QDir(downloadFolder()).entryList(QDir::Files | QDir::Hidden).size(), existing ? 1 : 0);
    QVERIFY(!dialog.programMustEnd());
    QVERIFY(dialog.isVisible());
    QVERIFY(labelText(dialog, "updateLabel").contains(shown));
}

void TestUpdateDialog::linkWorksAgainAfterAFailure()
{
    // The download folder cannot be made (a file has its name): the browser
    // gets the link; once the folder is possible, the same link downloads.
    QVERIFY(writeFile(downloadFolder(), "not a folder"));
    const auto service = serviceWithUpdate();
    DesktopRecorder desktop;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    dialog.show();
    QLabel *link = dialog.findChild<QLabel *>("hyperlink");
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^UpdateDialog: failed to create file: "));
    emit link->linkActivated(service->update().url);
    QVERIFY(!dialog.downloading());
    QVERIFY(!dialog.findChild<QProgressBar *>("progressBar")->isVisible());
    QCOMPARE(desktop.targets(), QStringList{service->update().url});
    QCOMPARE(m_server.requests.size(), 1); // the manifest only

    QVERIFY(QFile::remove(downloadFolder()));
    emit link->linkActivated(service->update().url);
    waitForDownload(dialog);
    QCOMPARE(readFile(dialog.downloadPath()), m_body);
    QCOMPARE(desktop.calls.size(), 2);
    QCOMPARE(desktop.calls.last().target, QUrl::fromLocalFile(dialog.downloadPath()).toString());
}

void TestUpdateDialog::plantedInstallerName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a file elsewhere") << "link";
    QTest::newRow("named pipe") << "fifo";
}

// Whatever is under the installer's name stays as it was; the browser
// gets the link instead.
void TestUpdateDialog::plantedInstallerName()
{
    QFETCH(QString, kind);
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim"));
    QVERIFY(writeFile(victim, "mine"));
    const auto service = serviceWithUpdate();
    QVERIFY(QDir().mkpath(downloadFolder()));
    const QString planted =
        QDir(downloadFolder()).filePath(QUrl(service->update().url).fileName());
    QVERIFY(kind == QLatin1String("link") ? QFile::link(victim, planted) : OrvaTest::makeSpecialFile(kind, planted));

    DesktopRecorder desktop;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    dialog.show();
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^UpdateDialog: failed to create file: "));
    emit dialog.findChild<QLabel *>("hyperlink")->linkActivated(service->update().url);
    QVERIFY(!dialog.downloading());
    QCOMPARE(desktop.targets(), QStringList{service->update().url});
    QCOMPARE(m_server.requests.size(), 1); // the manifest only
    QCOMPARE(readFile(victim), QByteArray("mine"));
    QVERIFY(kind == QLatin1String("link") ? QFileInfo(planted).isSymLink() : OrvaTest::isSpecialFile(kind, planted));
}

void TestUpdateDialog::fileNameMustBePlain_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("encoded climb") << "/files/..%2F..%2Fescaped.exe";
    QTest::newRow("encoded backslash") << "/files/..%5C..%5Cescaped.exe";
    QTest::newRow("encoded dots") << "/files/%2E%2E";
    QTest::newRow("no name") << "/files/";
    QTest::newRow("encoded NUL") << "/files/setup.exe%00.txt";
    QTest::newRow("drive-relative name") << "/files/C:escaped.exe";
    QTest::newRow("reserved characters") << "/files/setup%3C1%3E%7C%22%3F*.exe";
    QTest::newRow("trailing dot") << "/files/setup.exe.";
    QTest::newRow("trailing space") << "/files/setup.exe%20";
    QTest::newRow("device name") << "/files/NUL";
    QTest::newRow("device name with extension") << "/files/com1.exe";
    QTest::newRow("console device") << "/files/CONOUT$";
}

void TestUpdateDialog::fileNameMustBePlain()
{
    QFETCH(QString, path);
    const auto service = serviceWithUpdate(QString(), path);
    const QString link = service->update().url;
    DesktopRecorder desktop;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^UpdateDialog: no plain file name in the link: "));
    activateLink(dialog, link);

    QVERIFY(!dialog.downloading());
    QCOMPARE(m_server.requests.size(), 1); // the manifest only: nothing downloaded
    QCOMPARE(desktop.targets(), QStringList{QUrl(link).toString()});
    QVERIFY(!QFileInfo::exists(downloadFolder()) || QDir(downloadFolder()).isEmpty());
    const QDir home(QDir::homePath());
    QVERIFY(!home.exists("escaped.exe"));
    QVERIFY(!QFileInfo::exists(home.absoluteFilePath("../escaped.exe")));
}

void TestUpdateDialog::onlyWebAddresses_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("local file") << "file:///bin/sh";
    QTest::newRow("ftp") << "ftp://127.0.0.1/setup.exe";
    QTest::newRow("empty") << "";
}

void TestUpdateDialog::onlyWebAddresses()
{
    QFETCH(QString, link);
    const auto service = serviceWithUpdate();
    DesktopRecorder desktop;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^UpdateDialog: not a web address: "));
    activateLink(dialog, link);
    QVERIFY(!dialog.downloading());
    QVERIFY(desktop.calls.isEmpty());
    QVERIFY(!QFileInfo::exists(downloadFolder()));
    QVERIFY(labelText(dialog, "updateLabel").contains("not a web address"));
}

void TestUpdateDialog::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("stored"); // update-skipped-versions before
    QTest::addColumn<QString>("after");
    QTest::newRow("remind me later") << "remindLaterButton" << "" << "";
    QTest::newRow("remind me later keeps skips") << "remindLaterButton" << "16.2.30.0" << "16.2.30.0";
    QTest::newRow("first skip") << "skipButton" << "" << ";16.3.0.0";
    QTest::newRow("skip after another") << "skipButton" << "16.2.30.0" << "16.2.30.0;16.3.0.0";
}

void TestUpdateDialog::buttons()
{
    QFETCH(QString, button);
    QFETCH(QString, stored);
    QFETCH(QString, after);
    if (!stored.isEmpty())
        QSettings().setValue(UpdateService::SkippedVersionsKey, stored);
    const auto service = serviceWithUpdate();
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
    QCOMPARE(QSettings().value(UpdateService::SkippedVersionsKey).toString(), after);
    QVERIFY(!dialog.programMustEnd());
}

void TestUpdateDialog::skipNotStored()
{
    // A settings store that cannot be written: the skip is not remembered,
    // and the dialog says so instead of closing as if it were.
    const auto service = serviceWithUpdate();
    const QString store = QSettings().fileName();
    QVERIFY(QFile::remove(store));
    QVERIFY(QDir().mkpath(store));
    Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, service.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^UpdateService: cannot write the settings"));
    QTest::mouseClick(dialog.findChild<QPushButton *>("skipButton"), Qt::LeftButton);
    const bool visible = dialog.isVisible();
    const QString text = labelText(dialog, "updateLabel");
    QVERIFY(QDir(store).removeRecursively());
    QVERIFY(visible);
    QVERIFY(text.contains("could not be remembered"));
}

void TestUpdateDialog::buttonsWaitForTheDownload()
{
    UpdateServer::Route slow;
    slow.body = m_body;
    slow.delayMs = 500;
    m_server.route("/files/slow.exe", slow);
    const auto service = serviceWithUpdate(QString(), "/files/slow.exe");
    DesktopRecorder desktop;
    auto dialog = std::make_unique<Updates::UpdateDialog>(Updates::UpdateDialog::StartupMode, service.get());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    activateLink(*dialog, service->update().url);
    QVERIFY(dialog->downloading());

    QTest::mouseClick(dialog->findChild<QPushButton *>("remindLaterButton"), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QPushButton *>("skipButton"), Qt::LeftButton);
    activateLink(*dialog, service->update().url);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->downloading());
    QVERIFY(!QSettings().contains(UpdateService::SkippedVersionsKey));
    QTRY_COMPARE(m_server.requests.size(), 2); // the manifest and one download

    // Closed while downloading: the download is abandoned and leaves nothing.
    dialog->reject();
    QVERIFY(!dialog->downloading());
    dialog.reset();
    QTRY_VERIFY(m_server.closedPaths.contains("/files/slow.exe")); // the download's connection was dropped
    QVERIFY(desktop.calls.isEmpty());
    QVERIFY(QDir(downloadFolder()).isEmpty());
    QCOMPARE(m_server.requests.size(), 2);
}

void TestUpdateDialog::mainWindowClosedFirst_data()
{
    QTest::addColumn<bool>("withWindow"); // false: at start-up, before the window exists
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer"); // to "Save file ...?"
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("starts"); // the desktop can start the installer
    const int none = QMessageBox::NoButton;
    QTest::newRow("nothing to save") << true << false << none << true << true;
    QTest::newRow("changes dropped") << true << true << int(QMessageBox::No) << true << true;
    QTest::newRow("close cancelled") << true << true << int(QMessageBox::Cancel) << false << true;
    QTest::newRow("installer does not start") << true << false << none << true << false;
    // Nothing replaces the program: its window opens as usual.
    QTest::newRow("installer does not start, no window yet") << false << false << none << false << false;
}

void TestUpdateDialog::mainWindowClosedFirst()
{
    QFETCH(bool, withWindow);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, ends);
    QFETCH(bool, starts);

    std::unique_ptr<MainWindow> window;
    if (withWindow) {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->document()->setMotherMonthlyIncome(4100);
        window->document()->setModified(modified);
    }
    const auto service = serviceWithUpdate(sha256Hex(m_body));
    DesktopRecorder desktop(starts);
    AskAnswers answers;
    if (answer != QMessageBox::NoButton)
        answers.box(QMessageBox::StandardButton(answer));

    Updates::UpdateDialog dialog(Updates::UpdateDialog::InteractiveMode, service.get(), window.get());
    dialog.show();
    activateLink(dialog, service->update().url);
    waitForDownload(dialog);

    const QList<Ask::Shown> shown = answers.shown();
    QCOMPARE(shown.size(), modified ? 1 : 0);
    if (modified)
        QVERIFY(shown.first().text.startsWith("Save file"));
    const QString target = QDir(downloadFolder()).filePath(InstallerName);
    QCOMPARE(readFile(target), m_body);
    QCOMPARE(dialog.programMustEnd(), ends);
    // Open while there is something to tell: the installer was kept or did
    // not start.
    QCOMPARE(dialog.isVisible(), !ends || !starts);
    if (!starts)
        QVERIFY(labelText(dialog, "updateLabel").contains("could not be started"));
    const bool kept = withWindow && !ends;
    QCOMPARE(desktop.targets(), kept ? QStringList() : QStringList{QUrl::fromLocalFile(target).toString()});
    if (kept) {
        // The case stays as it was, and the installer waits in the folder.
        QVERIFY(window->document()->modified());
        QCOMPARE(window->document()->motherMonthlyIncome(), qint64(4100));
        QVERIFY(labelText(dialog, "updateLabel").contains(QDir::toNativeSeparators(target)));
    }
    if (window)
        QCOMPARE(window->isVisible(), !ends);
}

void TestUpdateDialog::checkForUpdatesCommand()
{
    QSettings().setValue(UpdateService::SkippedVersionsKey, ";16.3.0.0");
    m_server.manifest(manifestOf({manifestVersion("16.3.0.0", "Faster worksheets.")}));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAction *action = window.form()->actionCheck_for_updates;
    QVERIFY(action->isEnabled());

    const DialogCloser closer;
    action->trigger();
    QCOMPARE(closer.topTexts, QStringList{"Remote update"});
    QCOMPARE(closer.updateTexts,
             QStringList{"Remote Version: 16.03.00.0000\nDescription: Faster worksheets."}); // skip ignored
    QCOMPARE(closer.withButtons, 0);
    QCOMPARE(m_server.requests.size(), 1);
    QVERIFY(m_server.requests.first().waitCursor);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!QSettings().contains(UpdateService::SkippedVersionsKey));
    QVERIFY(window.isVisible());
}

ORVA_WIDGET_TEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
