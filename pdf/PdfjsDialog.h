#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <QUrl>

class PdfjsHost;
class QAction;
class QWebEngineView;

// A court form in the PDF.js viewer, with the program's own tool bar above
// it: Close, Print, Save, Send Mail and (when a PDF program is registered)
// Open in Acrobat. The filled form's pages or bytes come from the page over
// the web channel; while an operation runs, every tool bar action is off.
class PdfjsDialog : public QMainWindow
{
    Q_OBJECT
    // How long an operation may wait for the page (milliseconds) before the
    // tool bar is given back with a message.
    Q_PROPERTY(int busyTimeout READ busyTimeout WRITE setBusyTimeout)

public:
    PdfjsDialog(PdfjsHost *host, const QUrl &url, const QString &title, const QString &proposedName,
                QWidget *parent = nullptr);
    ~PdfjsDialog() override;

    // Builds the view, tool bar and channel, shows the window and loads the
    // viewer. False (nothing shown) when the channel script cannot be read.
    bool open();

    int busyTimeout() const { return m_busyTimer.interval(); }
    void setBusyTimeout(int milliseconds) { m_busyTimer.setInterval(milliseconds); }

private:
    enum class Pending { None, Print, Save };

    void addToolBarButtons();
    void startUp(bool ok);
    void startPrint();
    void startSave(const QString &intent);
    void finishPrint();
    void finishSave(const QString &intent);
    void handOver(const QByteArray &bytes, const QString &intent);
    void setBusy(Pending pending, const QString &intent = QString());
    void busyExpired();
    void runLogged(const QString &script);

    PdfjsHost *m_host;
    QUrl m_url;
    QString m_proposedName;
    QString m_channelScript;
    QWebEngineView *m_view = nullptr;
    QList<QAction *> m_toolbarActions;
    QTimer m_busyTimer;
    Pending m_pending = Pending::None;
    QString m_pendingIntent;
};
