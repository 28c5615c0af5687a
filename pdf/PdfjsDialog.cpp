#include "PdfjsDialog.h"

#include "PdfjsHost.h"
#include "PdfjsProtocol.h"
#include "PrintProxy.h"

#include <QAction>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPointer>
#include <QStandardPaths>
#include <QToolBar>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Thirty seconds: far beyond what the biggest form needs to render or save.
constexpr int DefaultBusyTimeout = 30000;

} // namespace

PdfjsDialog::PdfjsDialog(PdfjsHost *host, const QUrl &url, const QString &title, const QString &proposedName,
                         QWidget *parent)
    : QMainWindow(parent)
    , m_host(host)
    , m_url(url)
    , m_proposedName(proposedName)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(title);
    m_busyTimer.setSingleShot(true);
    m_busyTimer.setInterval(DefaultBusyTimeout);
    connect(&m_busyTimer, &QTimer::timeout, this, &PdfjsDialog::busyExpired);
}

PdfjsDialog::~PdfjsDialog()
{
    // The page answers pending scripts while it is destroyed; it must go
    // while this window is still whole, and its answers must find nothing.
    m_pending = Pending::None;
    QWebEngineView *view = m_view;
    m_view = nullptr;
    delete view;
}

bool PdfjsDialog::open()
{
    m_view = new QWebEngineView(this);
    m_view->setAccessibleName(tr("Court form"));
    QWebEngineSettings *settings = m_view->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, true);
    settings->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, true);
    setCentralWidget(m_view);

    addToolBarButtons();

    auto *channel = new QWebChannel(m_view->page());
    m_view->page()->setWebChannel(channel);
    auto *proxy = new PrintProxy(m_view->page());
    channel->registerObject(QStringLiteral("printProxy"), proxy);

    QFile script(PdfjsProtocol::ChannelScriptResource);
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "PDFUtils::openWithAcrobat" << PdfjsProtocol::ChannelScriptResource << "exists"
                 << QFile::exists(PdfjsProtocol::ChannelScriptResource) << script.errorString();
        return false;
    }
    m_channelScript = QString::fromUtf8(script.readAll());

    connect(m_view, &QWebEngineView::loadFinished, this, &PdfjsDialog::startUp);
    connect(proxy, &PrintProxy::dataReady, this, &PdfjsDialog::finishPrint);
    connect(proxy, &PrintProxy::pdfReady, this, &PdfjsDialog::finishSave);

    // Loading first: the view's drawing surface, made when it loads, would
    // otherwise make the window anew after showing and lose its maximised
    // state.
    qDebug() << "PDFUtils::openWithAcrobat" << "QWebEngineView.load" << PdfjsProtocol::viewerUrl();
    m_view->load(PdfjsProtocol::viewerUrl());
    if (parentWidget())
        resize(parentWidget()->size());
    showMaximized();
    return true;
}

void PdfjsDialog::addToolBarButtons()
{
    QToolBar *toolBar = addToolBar(QStringLiteral("pdfjs toolbar"));
    toolBar->setObjectName(QStringLiteral("pdfjsToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setMovable(false);

    QAction *close = toolBar->addAction(QIcon(QStringLiteral(":/images/pdf/cross.png")), tr("Close"));
    close->setShortcut(QKeySequence::Cancel);
    toolBar->addSeparator();
    QAction *print = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/printer.png")), tr("Print"));
    print->setShortcut(QKeySequence::Print);
    QAction *save = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/disk.png")), tr("Save"));
    save->setShortcut(QKeySequence::Save);
    toolBar->addSeparator();
    QAction *mail = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/mail.png")), tr("Send Mail"));
    // Every command from the keyboard; the form's page uses no Ctrl+M.
    mail->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    QAction *acrobat = nullptr;
    if (m_host->canOpenWithAcrobat()) {
        acrobat = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/acrobat.png")), tr("Open in Acrobat"));
        acrobat->setShortcut(QKeySequence::Open);
    }
    m_toolbarActions = toolBar->actions();

    close->setObjectName(QStringLiteral("closeAction"));
    print->setObjectName(QStringLiteral("printAction"));
    save->setObjectName(QStringLiteral("saveAction"));
    mail->setObjectName(QStringLiteral("mailAction"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(print, &QAction::triggered, this, &PdfjsDialog::startPrint);
    connect(save, &QAction::triggered, this, [this] { startSave(PdfjsProtocol::SaveIntent); });
    connect(mail, &QAction::triggered, this, [this] { startSave(PdfjsProtocol::MailIntent); });
    if (acrobat) {
        acrobat->setObjectName(QStringLiteral("acrobatAction"));
        connect(acrobat, &QAction::triggered, this, [this] { startSave(PdfjsProtocol::AcrobatIntent); });
    }
}

void PdfjsDialog::startUp(bool ok)
{
    const QString open = PdfjsProtocol::openScript(m_url);
    qDebug() << "-------" << "QWebEngineView::loadFinished" << "ok" << ok << "script" << open;
    QPointer<PdfjsDialog> self(this);
    m_view->page()->runJavaScript(open, [self](const QVariant &result) {
        if (!self || !self->m_view)
            return;
        qDebug() << "-------" << "PDFViewerApplication.open" << result;
        self->m_view->page()->runJavaScript(self->m_channelScript, [self](const QVariant &initialized) {
            if (!self || !self->m_view)
                return;
            qDebug() << "-------" << "qwebchannel initialized" << initialized;
            self->m_view->page()->runJavaScript(PdfjsProtocol::installProxyScript(), [](const QVariant &installed) {
                qDebug() << "-------" << "printProxy installed" << installed;
            });
        });
    });
}

void PdfjsDialog::startPrint()
{
    setBusy(Pending::Print);
    runLogged(PdfjsProtocol::printScript());
}

void PdfjsDialog::startSave(const QString &intent)
{
    setBusy(Pending::Save, intent);
    runLogged(PdfjsProtocol::saveScript(intent));
}

void PdfjsDialog::runLogged(const QString &script)
{
    m_view->page()->runJavaScript(script, [script](const QVariant &result) {
        qDebug().noquote() << "runJavaScript" << "\n"
                           << "script:" << "\n"
                           << PdfjsProtocol::oneLine(script) << "\n"
                           << "result:" << "\n"
                           << result.toString();
    });
}

void PdfjsDialog::finishPrint()
{
    if (m_pending != Pending::Print) {
        // An answer after its operation timed out, or one nobody asked for.
        qWarning() << "PdfjsDialog: page images arrived with no print waiting; ignored";
        return;
    }
    m_busyTimer.start();
    QPointer<PdfjsDialog> self(this);
    m_view->page()->runJavaScript(QStringLiteral("window.tempdata"), [self](const QVariant &result) {
        if (!self || self->m_pending != Pending::Print)
            return;
        self->m_busyTimer.stop();
        const QStringList pages = result.toStringList();
        qDebug() << ">>>>>>>>" << "window.tmpdata recieved" << result.typeName() << pages.size();
        self->m_host->printImages(PdfjsProtocol::imagesFromDataUrls(pages));
        if (self)
            self->setBusy(Pending::None);
    });
}

void PdfjsDialog::finishSave(const QString &intent)
{
    if (m_pending != Pending::Save || intent != m_pendingIntent) {
        qWarning() << "PdfjsDialog: a filled form arrived with no save waiting for" << intent << "; ignored";
        return;
    }
    m_busyTimer.start();
    QPointer<PdfjsDialog> self(this);
    m_view->page()->runJavaScript(QStringLiteral("window.tempdata"), [self, intent](const QVariant &result) {
        if (!self || self->m_pending != Pending::Save)
            return;
        self->m_busyTimer.stop();
        const QByteArray bytes = result.toByteArray();
        qDebug() << ">>>>>>>>" << "window.tmpdata recieved" << result.typeName() << bytes.size() << "intent"
                 << intent;
        self->handOver(bytes, intent);
        if (self)
            self->setBusy(Pending::None);
    });
}

void PdfjsDialog::handOver(const QByteArray &bytes, const QString &intent)
{
    QString target;
    QString error;
    if (intent == PdfjsProtocol::MailIntent) {
        target = m_host->temporaryCopyPath(m_proposedName, &error);
        if (target.isEmpty()) {
            m_host->critical(this, tr("Save PDF"),
                             tr("Failed to open '%1' because of '%2'")
                                 .arg(QDir::temp().filePath(m_proposedName), error));
            return;
        }
    } else {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        target = m_host->saveFileName(
            this, tr("Save as PDF"),
            PdfjsProtocol::proposedSaveName(documents, m_proposedName, QDateTime::currentDateTime()),
            tr("PDF files (*.pdf)"));
    }
    if (target.isEmpty())
        return;

    // Nothing from the page is not a form: writing it would leave an empty
    // file that looks saved.
    if (bytes.isEmpty())
        error = tr("the viewer returned no form data");
    if (!error.isEmpty() || !m_host->writeFile(target, bytes, &error)) {
        m_host->critical(this, tr("Save PDF"), tr("Failed to open '%1' because of '%2'").arg(target, error));
        return;
    }

    if (intent == PdfjsProtocol::MailIntent) {
        const QString subject = PdfjsProtocol::mailSubject(m_proposedName);
        const QString attachment = QDir::toNativeSeparators(target);
        if (!m_host->sendToMail(subject, PdfjsProtocol::MailBody, attachment)) {
            const QUrl address = PdfjsProtocol::mailtoFallback(subject, PdfjsProtocol::MailBody, target);
            qDebug() << ">>> Send email <<<" << address;
            m_host->openUrl(address);
        }
    } else if (intent == PdfjsProtocol::AcrobatIntent) {
        m_host->openInAcrobat(target);
    }
}

void PdfjsDialog::setBusy(Pending pending, const QString &intent)
{
    m_pending = pending;
    m_pendingIntent = intent;
    const bool idle = pending == Pending::None;
    for (QAction *action : std::as_const(m_toolbarActions))
        action->setEnabled(idle);
    if (idle)
        m_busyTimer.stop();
    else
        m_busyTimer.start();
}

void PdfjsDialog::busyExpired()
{
    if (m_pending == Pending::None)
        return;
    qWarning() << "PdfjsDialog: the page did not answer within" << m_busyTimer.interval() << "ms";
    setBusy(Pending::None);
    m_host->warning(this, windowTitle(),
                    tr("The form could not be processed: the viewer did not answer in time.\n"
                       "Close the form and open it again."));
}

extern "C" Q_DECL_EXPORT bool orvaOpenPdfjsViewer(PdfjsHost *host, QWidget *parent, const QUrl &url,
                                                  const QString &title, const QString &proposedName)
{
    auto *dialog = new PdfjsDialog(host, url, title, proposedName, parent);
    if (!dialog->open()) {
        delete dialog;
        return false;
    }
    return true;
}
