#include "UpdateDialog.h"

#include "Desktop.h"
#include "DialogFlags.h"
#include "UpdateService.h"
#include "UpdatesLog.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace Updates {

namespace {

QFrame *horizontalLine(QWidget *parent, const char *name)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// Restores the cursor however the check ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

UpdateDialog::UpdateDialog(int mode, UpdateService *service, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_service(service)
    , m_manager(new QNetworkAccessManager(this))
{
    setupForm();
    OrvaDialogs::setCommonWindowFlags(this);

    QFont topFont = m_topLabel->font();
    topFont.setBold(true);
    if (topFont.pixelSize() > 0)
        topFont.setPixelSize(topFont.pixelSize() + 2);
    else
        topFont.setPointSizeF(topFont.pointSizeF() + 2);
    m_topLabel->setFont(topFont);
    m_hyperlink->hide();
    m_progressBar->hide();
    m_remindLaterButton->setEnabled(false);
    m_skipButton->setEnabled(false);

    if (m_mode == InteractiveMode) {
        m_topLabel->setText(tr("Remote update"));
        m_remindLaterButton->hide();
        m_skipButton->hide();
        const WaitCursor wait;
        m_service->check(true);
    } else {
        m_topLabel->setText(tr("Software update available"));
    }

    m_currentVersionLabel->setText(
        QStringList{tr("Installed Version: Orva-Calc Professional v%1")
                        .arg(UpdateService::displayVersion(m_service->installedVersion())),
                    tr("Update channel: %1").arg(m_service->channel()),
                    systemLine()}
            .join(QLatin1Char('\n')));
    showOutcome();
}

UpdateDialog::~UpdateDialog()
{
    abandonDownload();
}

void UpdateDialog::setupForm()
{
    setObjectName(QStringLiteral("UpdateDialog"));
    setWindowTitle(tr("ORVA-Calc Update"));
    resize(400, 350);

    auto *column = new QVBoxLayout(this);
    column->setObjectName(QStringLiteral("verticalLayout"));

    m_topLabel = new QLabel(this);
    m_topLabel->setObjectName(QStringLiteral("topLabel"));
    m_topLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    column->addWidget(m_topLabel);
    column->addWidget(horizontalLine(this, "line"));

    m_currentVersionLabel = new QLabel(this);
    m_currentVersionLabel->setObjectName(QStringLiteral("currentVersionLabel"));
    m_currentVersionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_currentVersionLabel->setWordWrap(true);
    m_currentVersionLabel->setTextFormat(Qt::PlainText);
    column->addWidget(m_currentVersionLabel);
    column->addWidget(horizontalLine(this, "line_2"));

    m_hyperlink = new QLabel(this);
    m_hyperlink->setObjectName(QStringLiteral("hyperlink"));
    m_hyperlink->setTextFormat(Qt::RichText);
    m_hyperlink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_hyperlink->setOpenExternalLinks(false);
    column->addWidget(m_hyperlink);

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setRange(0, 0);
    column->addWidget(m_progressBar);

    // The manifest's texts are shown as they are, never as markup.
    m_updateLabel = new QLabel(this);
    m_updateLabel->setObjectName(QStringLiteral("updateLabel"));
    m_updateLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_updateLabel->setTextFormat(Qt::PlainText);
    m_updateLabel->setWordWrap(true);
    m_updateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_updateLabel, 1);
    column->addWidget(horizontalLine(this, "line_3"));

    auto *buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("buttonLayout"));
    buttons->addStretch(1);
    m_remindLaterButton = new QPushButton(tr("Remind me later"), this);
    m_remindLaterButton->setObjectName(QStringLiteral("remindLaterButton"));
    m_remindLaterButton->setFlat(true);
    m_remindLaterButton->setDefault(true);
    buttons->addWidget(m_remindLaterButton);
    m_skipButton = new QPushButton(tr("Skip this version"), this);
    m_skipButton->setObjectName(QStringLiteral("skipButton"));
    m_skipButton->setFlat(true);
    buttons->addWidget(m_skipButton);
    // Every outcome can be closed without the title bar.
    auto *closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setFlat(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(closeButton);
    column->addLayout(buttons);

    QMetaObject::connectSlotsByName(this);
}

QString UpdateDialog::systemLine() const
{
#ifdef Q_OS_WIN
    return tr("Windows Version: %1").arg(m_service->osCode());
#else
    return tr("Linux");
#endif
}

void UpdateDialog::showOutcome()
{
    if (m_service->error()) {
        m_outcomeText = tr("Error receiving updates:\n") + m_service->errorText() + QLatin1Char('\n')
            + m_service->errorDetails();
    } else if (m_service->updateAvailable()) {
        const UpdateVersion &update = m_service->update();
        m_hyperlink->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff; text-decoration:underline;\">%2</a>")
                                 .arg(update.url.toHtmlEscaped(), tr("Click here to download and install").toHtmlEscaped()));
        m_hyperlink->show();
        m_outcomeText = tr("Remote Version: %1")
                            .arg(UpdateService::displayCode(update.code, m_service->installedVersion()))
            + QLatin1Char('\n') + tr("Description: %1").arg(update.description);
        m_remindLaterButton->setEnabled(true);
        m_skipButton->setEnabled(true);
    } else {
        m_outcomeText = tr("No updates available");
    }
    m_updateLabel->setText(m_outcomeText);
}

void UpdateDialog::showStatus(const QString &text)
{
    m_updateLabel->setText(text.isEmpty() ? m_outcomeText : m_outcomeText + QStringLiteral("\n\n") + text);
}

// ---- Buttons ------------------------------------------------------------------------

void UpdateDialog::on_remindLaterButton_clicked()
{
    if (m_downloading)
        return;
    reject();
}

void UpdateDialog::on_skipButton_clicked()
{
    if (m_downloading)
        return;
    if (!m_service->skipVersion(m_service->update().code)) {
        showStatus(tr("This version could not be remembered as skipped: the settings could not be written."));
        return;
    }
    reject();
}

void UpdateDialog::done(int result)
{
    abandonDownload();
    QDialog::done(result);
}

// ---- Download -----------------------------------------------------------------------

QString UpdateDialog::plainFileName(const QUrl &url)
{
    // The link's last segment, decoded on its own: an encoded separator in it
    // must not turn into a path.
    const QString path = url.path(QUrl::FullyEncoded);
    const QString name = QUrl::fromPercentEncoding(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toUtf8());
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    // On Windows a colon makes a drive-relative path ("C:setup.exe") or an
    // alternate data stream, and these characters are no part of a file name.
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u"/\\:<>\"|?*").contains(c))
            return {};
    }
    // Windows drops trailing dots and spaces, and device names open a device
    // whatever the extension.
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return {};
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9]|CONIN\\$|CONOUT\\$)"
                                                          "( *\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch())
        return {};
    return name;
}

void UpdateDialog::fallBackToBrowser(const QUrl &url)
{
    if (!Platform::openUrl(url))
        qCCritical(lcUpdates) << "UpdateDialog: the browser could not open" << url.toString();
}

void UpdateDialog::on_hyperlink_linkActivated(const QString &link)
{
    if (m_downloading)
        return;
    const QUrl url(link);
    const QString scheme = url.scheme().toLower();
    // Only web addresses: any other scheme would hand a local file or a
    // program to the desktop.
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        qCCritical(lcUpdates) << "UpdateDialog: not a web address:" << link;
        showStatus(tr("The download address is not a web address: %1").arg(link));
        return;
    }
    const QString name = plainFileName(url);
    if (name.isEmpty()) {
        qCCritical(lcUpdates) << "UpdateDialog: no plain file name in the link:" << link;
        m_progressBar->hide();
        fallBackToBrowser(url);
        return;
    }

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    QDir().mkpath(folder);
    m_downloadPath = QDir(folder).filePath(name);
    // A link or a device planted under the installer's name would have the
    // download written elsewhere, or the program hang on it.
    const QFileInfo existing(m_downloadPath);
    if (existing.isSymLink() || (existing.exists() && !existing.isFile())) {
        qCCritical(lcUpdates).noquote() << "UpdateDialog: failed to create file:" << m_downloadPath
                                        << "is not a regular file";
        m_progressBar->hide();
        fallBackToBrowser(url);
        return;
    }
    // Written beside the target and put in place only when complete: a
    // failed download never leaves a broken installer under the real name.
    auto file = std::make_unique<QSaveFile>(m_downloadPath);
    if (!file->open(QIODevice::WriteOnly)) {
        qCCritical(lcUpdates).noquote() << "UpdateDialog: failed to create file:" << file->errorString();
        m_progressBar->hide();
        fallBackToBrowser(url);
        return;
    }

    m_file = std::move(file);
    m_hash.reset();
    m_writeError.clear();
    m_link = url;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("orva-calc-v1.0"));
    m_reply = m_manager->get(request);
    m_downloading = true;
    m_progressBar->setRange(0, 0);
    m_progressBar->show();
    showStatus(QString());
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateDialog::reply_readyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &UpdateDialog::reply_downloadProgress);
    connect(m_reply, &QNetworkReply::errorOccurred, this, &UpdateDialog::reply_error);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateDialog::reply_finished);
    connect(m_reply, &QNetworkReply::sslErrors, this, &UpdateDialog::reply_sslErrors);
}

bool UpdateDialog::appendToFile(QNetworkReply *reply)
{
    const QByteArray bytes = reply->readAll();
    m_hash.addData(bytes);
    if (m_file->write(bytes) == bytes.size())
        return true;
    m_writeError = m_file->errorString();
    qCCritical(lcUpdates).noquote() << "UpdateDialog: failed to write file:" << m_writeError;
    return false;
}

void UpdateDialog::reply_readyRead()
{
    if (!m_reply || !m_file || !m_writeError.isEmpty())
        return;
    if (!appendToFile(m_reply))
        m_reply->abort(); // finishes the reply at once
}

void UpdateDialog::reply_downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    // An unknown total keeps the bar busy.
    if (bytesTotal <= 0)
        return;
    m_progressBar->setMaximum(static_cast<int>(qMin<qint64>(bytesTotal, INT_MAX)));
    m_progressBar->setValue(static_cast<int>(qMin<qint64>(bytesReceived, INT_MAX)));
}

void UpdateDialog::reply_error(QNetworkReply::NetworkError code)
{
    qCCritical(lcUpdates) << "UpdateDialog: downloader error:"
                          << QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(code);
}

void UpdateDialog::reply_sslErrors(const QList<QSslError> &errors)
{
    // Not overridden: such a download fails and falls back to the browser.
    Q_UNUSED(errors)
}

void UpdateDialog::reply_finished()
{
    QNetworkReply *reply = m_reply;
    if (!reply || !m_file)
        return;
    m_reply = nullptr;
    m_downloading = false;
    reply->deleteLater();
    if (m_writeError.isEmpty())
        appendToFile(reply); // whatever arrived with the end

    const bool failed = reply->error() != QNetworkReply::NoError || !m_writeError.isEmpty();
    if (failed) {
        const QString reason = m_writeError.isEmpty() ? reply->errorString() : m_writeError;
        qCCritical(lcUpdates).noquote() << "UpdateDialog: failed to download:" << reason;
        m_file->cancelWriting();
        m_file.reset();
        m_progressBar->hide();
        showStatus(tr("The download failed: %1\nThe address was opened in your web browser.").arg(reason));
        fallBackToBrowser(m_link);
        return;
    }

    const QString expected = m_service->update().sha256;
    const QString actual = QString::fromLatin1(m_hash.result().toHex());
    if (!expected.isEmpty() && expected.compare(actual, Qt::CaseInsensitive) != 0) {
        qCCritical(lcUpdates).noquote() << "UpdateDialog: installer checksum mismatch: expected" << expected
                                        << "got" << actual;
        m_file->cancelWriting();
        m_file.reset();
        m_progressBar->hide();
        showStatus(tr("The downloaded installer is not the one published (its SHA-256 checksum differs). "
                      "It was deleted and nothing was started."));
        return;
    }
    if (!m_file->commit()) {
        const QString reason = m_file->errorString();
        qCCritical(lcUpdates).noquote() << "UpdateDialog: failed to save file:" << reason;
        m_file.reset();
        m_progressBar->hide();
        showStatus(tr("The download failed: %1\nThe address was opened in your web browser.").arg(reason));
        fallBackToBrowser(m_link);
        return;
    }
    m_file.reset();
    installDownloaded();
}

bool UpdateDialog::closeProgramWindows(bool *closedAny)
{
    // Through each window's own close handling, so that a case with unsaved
    // changes is offered for saving; a cancelled prompt keeps it open.
    *closedAny = false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows) {
        auto *window = qobject_cast<QMainWindow *>(widget);
        if (!window || !window->isVisible())
            continue;
        if (!window->close())
            return false;
        *closedAny = true;
    }
    return true;
}

void UpdateDialog::installDownloaded()
{
    const QString shownPath = QDir::toNativeSeparators(m_downloadPath);
    bool closedWindows = false;
    if (!closeProgramWindows(&closedWindows)) {
        qCInfo(lcUpdates).noquote() << "UpdateDialog: installer kept, the program stays open:" << m_downloadPath;
        showStatus(tr("The installer was saved as %1.\nOrva-Calc stays open: start the installer from the "
                      "download folder after closing it.")
                       .arg(shownPath));
        return;
    }
    if (!Platform::openUrl(QUrl::fromLocalFile(m_downloadPath))) {
        qCCritical(lcUpdates).noquote() << "UpdateDialog: failed to start the installer:" << m_downloadPath;
        // Nothing replaces the program: it goes on unless its window was
        // already closed for the installer.
        m_programMustEnd = closedWindows;
        showStatus(tr("The installer %1 could not be started. Start it from the download folder.").arg(shownPath));
        return;
    }
    m_programMustEnd = true;
    qCInfo(lcUpdates).noquote() << "UpdateDialog: installer started, the program ends:" << m_downloadPath;
    accept();
}

void UpdateDialog::abandonDownload()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    m_downloading = false;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();
    }
    m_progressBar->hide();
}

} // namespace Updates
