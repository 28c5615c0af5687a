#pragma once

#include <QCryptographicHash>
#include <QDialog>
#include <QNetworkReply>
#include <QPointer>
#include <QSslError>
#include <QUrl>

#include <memory>

class QLabel;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QSaveFile;
class UpdateService;

namespace Updates {

// Shows the outcome of an update check and downloads the offered installer
// into the download folder. Start-up mode shows a check already run;
// interactive mode runs the check itself while it is built.
class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    enum Mode { StartupMode = 0, InteractiveMode = 1 };

    // `service` is not owned and must outlive the dialog.
    UpdateDialog(int mode, UpdateService *service, QWidget *parent = nullptr);
    ~UpdateDialog() override;

    int mode() const { return m_mode; }
    bool downloading() const { return m_downloading; }
    // Where the last download was (or is being) written.
    QString downloadPath() const { return m_downloadPath; }
    // An installer was started, or the program's windows were closed for
    // one: the program ends once this dialog is closed.
    bool programMustEnd() const { return m_programMustEnd; }

    // A download still running is abandoned, its partial file removed.
    void done(int result) override;

    // The file name a download from `url` is saved under: the link's last
    // segment, only when it is a plain name. Empty otherwise.
    static QString plainFileName(const QUrl &url);

private slots:
    void on_remindLaterButton_clicked();
    void on_skipButton_clicked();
    void reply_readyRead();
    void reply_downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void reply_error(QNetworkReply::NetworkError code);
    void reply_finished();
    void reply_sslErrors(const QList<QSslError> &errors);
    void on_hyperlink_linkActivated(const QString &link);

private:
    void setupForm();
    void showOutcome();
    void showStatus(const QString &text);
    void fallBackToBrowser(const QUrl &url);
    bool appendToFile(QNetworkReply *reply);
    void installDownloaded();
    bool closeProgramWindows(bool *closedAny);
    void abandonDownload();
    // The system the installed version runs on, as the version label says it.
    QString systemLine() const;

    // The form, built in setupForm() with these object names.
    QLabel *m_topLabel = nullptr;
    QLabel *m_currentVersionLabel = nullptr;
    QLabel *m_hyperlink = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_updateLabel = nullptr;
    QPushButton *m_remindLaterButton = nullptr;
    QPushButton *m_skipButton = nullptr;

    int m_mode = StartupMode;
    UpdateService *m_service = nullptr;
    bool m_downloading = false;
    bool m_programMustEnd = false;
    std::unique_ptr<QSaveFile> m_file;
    QNetworkAccessManager *m_manager = nullptr;
    QPointer<QNetworkReply> m_reply;
    QString m_downloadPath;
    QUrl m_link;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    QString m_writeError;
    QString m_outcomeText; // the check's outcome, shown above any status
};

} // namespace Updates
