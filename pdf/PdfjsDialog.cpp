#include "PdfjsDialog.h"

#include "PdfjsProtocol.h"
#include "PrintProxy.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QPointer>
#include <QStandardPaths>
#include <QToolBar>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Thirty seconds: far beyond what the biggest form needs to render or save.
constexpr int DefaultBusyTimeout = 30000;

const QString InjectionName = QStringLiteral("orvaForm");

// The viewer kept after its first use, hidden while no form is shown.
QPointer<PdfjsDialog> keptViewer;

bool sameForm(const PdfjsForm &a, const PdfjsForm &b)
{
    return a.url == b.url && a.fields == b.fields;
}

} // namespace

PdfjsDialog::PdfjsDialog(PdfjsHost *host, QWidget *parent)
    : QMainWindow(parent)
    , m_host(host)
{
    setWindowModality(Qt::ApplicationModal);
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

bool PdfjsDialog::setUp()
{
    QFile script(PdfjsProtocol::ChannelScriptResource);
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "PDFUtils::openWithAcrobat" << PdfjsProtocol::ChannelScriptResource << "exists"
                 << QFile::exists(PdfjsProtocol::ChannelScriptResource) << script.errorString();
        return false;
    }
    m_channelScript = QString::fromUtf8(script.readAll());

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

    connect(m_view, &QWebEngineView::loadFinished, this, &PdfjsDialog::loaded);
    connect(proxy, &PrintProxy::dataReady, this, &PdfjsDialog::finishPrint);
    connect(proxy, &PrintProxy::pdfReady, this, &PdfjsDialog::finishSave);
    connect(proxy, &PrintProxy::formFilled, this, &PdfjsDialog::filled);
    return true;
}

// The channel, the page's form helper and (while the viewer loads) the
// opening of the first form run in the page as soon as it is parsed: the
// form starts loading with the viewer, not after it.
QWebEngineScript PdfjsDialog::formInjection(bool withOpen) const
{
    QWebEngineScript script;
    script.setName(InjectionName);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    QString source = m_channelScript + QLatin1Char('\n') + PdfjsProtocol::formScript();
    if (withOpen)
        source += QLatin1Char('\n') + PdfjsProtocol::openFormScript(m_injected.url, m_injected.fields);
    script.setSourceCode(source);
    return script;
}

bool PdfjsDialog::open(const PdfjsForm &form)
{
    const bool first = !m_view;
    if (first && !setUp())
        return false;
    m_form = form;
    setWindowTitle(form.title);
    m_acrobat->setVisible(m_host->canOpenWithAcrobat());
    m_ready = false;
    m_closing = false;
    m_closeAfterSave = false;
    setBusy(Pending::None);
    qDebug() << "PDFUtils::openWithAcrobat" << form.url << "with" << form.fields.size() << "fields set";

    if (first) {
        m_injected = form;
        m_view->page()->scripts().insert(formInjection(true));
        // Loading first: the view's drawing surface, made when it loads,
        // would otherwise make the window anew after showing and lose its
        // maximised state.
        qDebug() << "PDFUtils::openWithAcrobat" << "QWebEngineView.load" << PdfjsProtocol::viewerUrl();
        m_view->load(PdfjsProtocol::viewerUrl());
        if (parentWidget())
            resize(parentWidget()->size());
    } else if (m_pageLoaded) {
        runLogged(PdfjsProtocol::openFormScript(form.url, form.fields));
    }
    if (testAttribute(Qt::WA_DontShowOnScreen))
        show();
    else
        showMaximized();
    return true;
}

void PdfjsDialog::loaded(bool ok)
{
    qDebug() << "-------" << "QWebEngineView::loadFinished" << "ok" << ok;
    m_pageLoaded = ok;
    // A page loaded again (after its renderer was lost) opens no stale form.
    QWebEngineScriptCollection &scripts = m_view->page()->scripts();
    for (const QWebEngineScript &script : scripts.find(InjectionName))
        scripts.remove(script);
    scripts.insert(formInjection(false));
    // A form asked for while the viewer was still loading.
    if (ok && !sameForm(m_form, m_injected)) {
        m_injected = m_form;
        runLogged(PdfjsProtocol::openFormScript(m_form.url, m_form.fields));
    }
}

void PdfjsDialog::filled(const QString &missing)
{
    if (missing.startsWith(QLatin1Char('!')))
        qWarning().noquote() << "PdfjsDialog: the form could not be opened:" << missing.mid(1);
    else if (!missing.isEmpty())
        qWarning().noquote() << "PdfjsDialog: fields not in" << m_form.url.fileName() << ":" << missing;
    m_ready = !missing.startsWith(QLatin1Char('!'));
    updateActions();
    emit formReady(missing);
}

void PdfjsDialog::addToolBarButtons()
{
    QToolBar *toolBar = addToolBar(QStringLiteral("pdfjs toolbar"));
    toolBar->setObjectName(QStringLiteral("pdfjsToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setMovable(false);

    m_close = toolBar->addAction(QIcon(QStringLiteral(":/images/pdf/cross.png")), tr("Close"));
    m_close->setShortcut(QKeySequence::Cancel);
    toolBar->addSeparator();
    QAction *print = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/printer.png")), tr("Print"));
    print->setShortcut(QKeySequence::Print);
    QAction *save = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/disk.png")), tr("Save"));
    save->setShortcut(QKeySequence::Save);
    toolBar->addSeparator();
    QAction *mail = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/mail.png")), tr("Send Mail"));
    // Every command from the keyboard; the form's page uses no Ctrl+M.
    mail->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    // Shown only while a PDF program is registered, checked at every opening.
    m_acrobat = toolBar->addAction(QIcon(QStringLiteral(":/images/menu/acrobat.png")), tr("Open in Acrobat"));
    m_acrobat->setShortcut(QKeySequence::Open);
    m_toolbarActions = toolBar->actions();

    m_close->setObjectName(QStringLiteral("closeAction"));
    print->setObjectName(QStringLiteral("printAction"));
    save->setObjectName(QStringLiteral("saveAction"));
    mail->setObjectName(QStringLiteral("mailAction"));
    m_acrobat->setObjectName(QStringLiteral("acrobatAction"));
    connect(m_close, &QAction::triggered, this, &QWidget::close);
    connect(print, &QAction::triggered, this, &PdfjsDialog::startPrint);
    connect(save, &QAction::triggered, this, [this] { startSave(PdfjsProtocol::SaveIntent); });
    connect(mail, &QAction::triggered, this, [this] { startSave(PdfjsProtocol::MailIntent); });
    connect(m_acrobat, &QAction::triggered, this, [this] { startSave(PdfjsProtocol::AcrobatIntent); });
}

void PdfjsDialog::startPrint()
{
    // A printer that writes a PDF file gets the filled form itself, with
    // its text; only paper gets pictures of the pages.
    switch (m_host->choosePrinter(this, &m_printFile)) {
    case PdfjsHost::PrintCancelled:
        return;
    case PdfjsHost::PrintToPdfFile:
        startSave(PdfjsProtocol::PrintFileIntent);
        return;
    case PdfjsHost::PrintToPrinter:
        break;
    }
    setBusy(Pending::Print);
    runLogged(PdfjsProtocol::printScript());
}

void PdfjsDialog::startSave(const QString &intent)
{
    setBusy(Pending::Save, intent);
    runLogged(PdfjsProtocol::rememberSaveScript());
    runLogged(PdfjsProtocol::saveScript(intent));
}

void PdfjsDialog::runLogged(const QString &script)
{
    m_view->page()->runJavaScript(script, [script](const QVariant &result) {
        qDebug().noquote() << "runJavaScript" << "\n"
                           << "script:" << "\n"
                           << PdfjsProtocol::oneLine(script).left(2000) << "\n"
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
        if (intent == PdfjsProtocol::FillIntent) {
            if (self->m_filledPdf)
                *self->m_filledPdf = bytes;
            self->setBusy(Pending::None);
            emit self->filledPdfReady();
            return;
        }
        const bool written = self->handOver(bytes, intent);
        if (!self)
            return;
        // Mail keeps only a temporary copy: the entries are not saved by it.
        if (written && intent != PdfjsProtocol::MailIntent)
            self->runLogged(PdfjsProtocol::markSavedScript());
        self->setBusy(Pending::None);
        const bool closeNow = self->m_closeAfterSave && written;
        self->m_closeAfterSave = false;
        if (closeNow)
            self->closeNow();
    });
}

bool PdfjsDialog::handOver(const QByteArray &bytes, const QString &intent)
{
    QString target;
    QString error;
    if (intent == PdfjsProtocol::MailIntent) {
        target = m_host->temporaryCopyPath(m_form.proposedName, &error);
        if (target.isEmpty()) {
            m_host->critical(this, tr("Save PDF"),
                             tr("Failed to open '%1' because of '%2'")
                                 .arg(QDir::temp().filePath(m_form.proposedName), error));
            return false;
        }
    } else if (intent == PdfjsProtocol::PrintFileIntent) {
        target = m_printFile;
    } else {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        target = m_host->saveFileName(
            this, tr("Save as PDF"),
            PdfjsProtocol::proposedSaveName(documents, m_form.proposedName, QDateTime::currentDateTime()),
            tr("PDF files (*.pdf)"));
    }
    if (target.isEmpty())
        return false;

    // Nothing from the page is not a form: writing it would leave an empty
    // file that looks saved.
    if (bytes.isEmpty())
        error = tr("the viewer returned no form data");
    if (!error.isEmpty() || !m_host->writeFile(target, bytes, &error)) {
        m_host->critical(this, tr("Save PDF"), tr("Failed to open '%1' because of '%2'").arg(target, error));
        return false;
    }

    if (intent == PdfjsProtocol::MailIntent) {
        const QString subject = PdfjsProtocol::mailSubject(m_form.proposedName);
        const QString attachment = QDir::toNativeSeparators(target);
        if (!m_host->sendToMail(subject, PdfjsProtocol::MailBody, attachment)) {
            const QUrl address = PdfjsProtocol::mailtoFallback(subject, PdfjsProtocol::MailBody, target);
            qDebug() << ">>> Send email <<<" << address;
            m_host->openUrl(address);
        }
    } else if (intent == PdfjsProtocol::AcrobatIntent) {
        m_host->openInAcrobat(target);
    }
    return true;
}

void PdfjsDialog::setBusy(Pending pending, const QString &intent)
{
    m_pending = pending;
    m_pendingIntent = intent;
    updateActions();
    if (pending == Pending::None)
        m_busyTimer.stop();
    else
        m_busyTimer.start();
}

// Close is there whenever nothing runs; the operations once the form is
// open and filled.
void PdfjsDialog::updateActions()
{
    const bool idle = m_pending == Pending::None;
    for (QAction *action : std::as_const(m_toolbarActions))
        action->setEnabled(idle && (m_ready || action == m_close));
}

void PdfjsDialog::busyExpired()
{
    if (m_pending == Pending::None)
        return;
    qWarning() << "PdfjsDialog: the page did not answer within" << m_busyTimer.interval() << "ms";
    const bool closing = m_pending == Pending::CloseCheck;
    setBusy(Pending::None);
    if (closing) {
        // A page that does not answer can save nothing either.
        closeNow();
        return;
    }
    m_closeAfterSave = false;
    m_host->warning(this, windowTitle(),
                    tr("The form could not be processed: the viewer did not answer in time.\n"
                       "Close the form and open it again."));
}

void PdfjsDialog::closeEvent(QCloseEvent *event)
{
    if (m_closing || !m_view) {
        m_closing = false;
        QMainWindow::closeEvent(event);
        // Put away: the next opening starts from a page without a form.
        if (m_view && event->isAccepted())
            runLogged(PdfjsProtocol::closeFormScript());
        m_ready = false;
        updateActions();
        return;
    }
    event->ignore();
    // An operation runs: it ends (or times out) first.
    if (m_pending != Pending::None)
        return;
    if (!m_ready) {
        closeNow();
        return;
    }
    setBusy(Pending::CloseCheck);
    QPointer<PdfjsDialog> self(this);
    m_view->page()->runJavaScript(PdfjsProtocol::unsavedScript(), [self](const QVariant &unsaved) {
        if (!self || self->m_pending != Pending::CloseCheck)
            return;
        self->setBusy(Pending::None);
        self->askBeforeClose(unsaved.toBool());
    });
}

void PdfjsDialog::askBeforeClose(bool unsaved)
{
    if (!unsaved) {
        closeNow();
        return;
    }
    switch (m_host->askBeforeClose(this, windowTitle(),
                                   tr("This form has entries that are not saved in a file.\n"
                                      "Save them before closing the form?"))) {
    case PdfjsHost::SaveEntries:
        m_closeAfterSave = true;
        startSave(PdfjsProtocol::SaveIntent);
        break;
    case PdfjsHost::DiscardEntries:
        closeNow();
        break;
    case PdfjsHost::KeepOpen:
        break;
    }
}

void PdfjsDialog::closeNow()
{
    m_closing = true;
    close();
}

bool PdfjsDialog::fillWithoutWindow(const PdfjsForm &form, int timeout, QByteArray *pdf, QString *error)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    QEventLoop loop;
    QString failure;
    connect(this, &PdfjsDialog::formReady, &loop, [this, &loop, &failure](const QString &missing) {
        if (missing.startsWith(QLatin1Char('!'))) {
            failure = tr("the form could not be opened: %1").arg(missing.mid(1));
            loop.quit();
            return;
        }
        startSave(PdfjsProtocol::FillIntent);
    });
    connect(this, &PdfjsDialog::filledPdfReady, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    if (!open(form)) {
        *error = tr("the form viewer's channel script is missing");
        return false;
    }
    m_filledPdf = pdf;
    pdf->clear();
    loop.exec();
    m_filledPdf = nullptr;
    if (!pdf->isEmpty())
        return true;
    *error = failure.isEmpty() ? tr("the form viewer did not answer in time") : failure;
    return false;
}

extern "C" Q_DECL_EXPORT bool orvaOpenPdfjsViewer(PdfjsHost *host, QWidget *parent, const PdfjsForm &form)
{
    // One viewer is kept per main window and shown again for the next
    // form; a second one while it shows lives only until it is closed.
    PdfjsDialog *dialog = keptViewer;
    if (dialog && dialog->parentWidget() != parent && !dialog->isVisible()) {
        delete dialog;
        dialog = nullptr;
    }
    const bool keep = !dialog;
    if (!dialog || dialog->isVisible()) {
        dialog = new PdfjsDialog(host, parent);
        if (keep)
            keptViewer = dialog;
        else
            dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!dialog->open(form)) {
        delete dialog;
        return false;
    }
    // The kept page must go before the web engine does, which ends in a
    // clean-up routine of its own, registered as the first page was made;
    // routines run last registered first.
    static const bool cleanUp = [] {
        qAddPostRoutine([] { delete keptViewer; });
        return true;
    }();
    Q_UNUSED(cleanUp)
    return true;
}

extern "C" Q_DECL_EXPORT bool orvaFillPdfjsForm(PdfjsHost *host, const PdfjsForm &form, QByteArray *pdf,
                                                QString *error)
{
    PdfjsDialog dialog(host);
    return dialog.fillWithoutWindow(form, 120000, pdf, error);
}
