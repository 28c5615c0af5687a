#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <QUrl>

#include "PdfjsHost.h"

class QAction;
class QWebEngineScript;
class QWebEngineView;

// A court form in the PDF.js viewer, with the program's own tool bar above
// it: Close, Print, Save, Send Mail and (when a PDF program is registered)
// Open in Acrobat. The form opens with the case's values already in its
// fields; the filled form's pages or bytes come from the page over the web
// channel. While an operation runs, every tool bar action is off. Closing a
// form with entries not saved asks first. The window can be opened again on
// another form: the viewer page stays loaded in between.
class PdfjsDialog : public QMainWindow
{
    Q_OBJECT
    // How long an operation may wait for the page (milliseconds) before the
    // tool bar is given back with a message.
    Q_PROPERTY(int busyTimeout READ busyTimeout WRITE setBusyTimeout)

public:
    explicit PdfjsDialog(PdfjsHost *host, QWidget *parent = nullptr);
    ~PdfjsDialog() override;

    // Shows `form`: the first time builds the view, tool bar and channel
    // and loads the viewer; later only the form changes. False (nothing
    // shown) when the channel script cannot be read.
    bool open(const PdfjsForm &form);
    // The filled form's bytes without showing anything on screen; waits at
    // most `timeout` milliseconds.
    bool fillWithoutWindow(const PdfjsForm &form, int timeout, QByteArray *pdf, QString *error);

    int busyTimeout() const { return m_busyTimer.interval(); }
    void setBusyTimeout(int milliseconds) { m_busyTimer.setInterval(milliseconds); }

signals:
    // The form is open with the case's values set (`missing`: fields the
    // form lacks, or "!" and the page's error).
    void formReady(const QString &missing);
    // Filling without a window: the filled form's bytes have arrived.
    void filledPdfReady();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Pending { None, Print, Save, CloseCheck };

    bool setUp();
    void addToolBarButtons();
    void loaded(bool ok);
    void filled(const QString &missing);
    void startPrint();
    void startSave(const QString &intent);
    void finishPrint();
    void finishSave(const QString &intent);
    bool handOver(const QByteArray &bytes, const QString &intent);
    void setBusy(Pending pending, const QString &intent = QString());
    void updateActions();
    QWebEngineScript formInjection(bool withOpen) const;
    void busyExpired();
    void runLogged(const QString &script);
    void askBeforeClose(bool unsaved);
    void closeNow();

    PdfjsHost *m_host;
    PdfjsForm m_form;
    QString m_channelScript;
    QWebEngineView *m_view = nullptr;
    QAction *m_close = nullptr;
    QAction *m_acrobat = nullptr;
    QList<QAction *> m_toolbarActions;
    QTimer m_busyTimer;
    Pending m_pending = Pending::None;
    QString m_pendingIntent;
    QString m_printFile;     // the PDF file a print dialog chose
    bool m_pageLoaded = false;
    PdfjsForm m_injected;    // the form the page opens as it loads
    bool m_ready = false;    // the form is open and filled
    bool m_closeAfterSave = false;
    bool m_closing = false;  // decided: the next close event closes
    QByteArray *m_filledPdf = nullptr; // while filling without a window
};
