// The form viewer's entry point and the hand-over of finished PDF files to
// the desktop: the registered PDF program, the mail program and its log.

#include "PDFUtils.h"

#include "Ask.h"
#include "Desktop.h"
#include "PdfHandoff.h"
#include "PdfjsHost.h"
#include "SafeFile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibrary>
#include <QOpenGLContext>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include <memory>

// Qt's own hook for the context every OpenGL context of the program shares
// with; exported by Qt GUI for Qt WebEngine, not declared in a header.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
QT_END_NAMESPACE

namespace {

const char *const ReaderDownloadPage = "https://get.adobe.com/reader/";

QWidget *mainWindow()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == QLatin1String("MainWindow"))
            return window;
    }
    return nullptr;
}

// The program's side of the viewer: the seams and services with state.
class DesktopHost : public PdfjsHost
{
public:
    QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed,
                         const QString &filter) override
    {
        return Ask::saveFileName(parent, caption, proposed, filter);
    }
    void critical(QWidget *parent, const QString &title, const QString &text) override
    {
        Ask::critical(parent, title, text, QMessageBox::Ok);
    }
    void warning(QWidget *parent, const QString &title, const QString &text) override
    {
        Ask::warning(parent, title, text, QMessageBox::Ok);
    }
    CloseAnswer askBeforeClose(QWidget *parent, const QString &title, const QString &text) override
    {
        switch (Ask::question(parent, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                              QMessageBox::Save)) {
        case QMessageBox::Save:
            return SaveEntries;
        case QMessageBox::Discard:
            return DiscardEntries;
        default:
            return KeepOpen;
        }
    }
    PrintChoice choosePrinter(QWidget *parent, QString *pdfFile) override
    {
        m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
        QPrintDialog dialog(m_printer.get(), parent);
        if (!Ask::exec(dialog))
            return PrintCancelled;
        if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty()) {
            *pdfFile = m_printer->outputFileName();
            return PrintToPdfFile;
        }
        return PrintToPrinter;
    }
    bool printImages(const QList<QImage> &images) override
    {
        return m_printer && PDFUtils::printImagesOnPrinter(images, m_printer.get());
    }
    QString temporaryCopyPath(const QString &name, QString *error) override
    {
        return Platform::temporaryCopyPath(name, error);
    }
    bool writeFile(const QString &path, const QByteArray &data, QString *error) override
    {
        return Platform::writeFileSafely(path, data, error);
    }
    bool canOpenWithAcrobat() override { return PDFUtils::canOpenWithAcrobat_platform_specific(); }
    bool openInAcrobat(const QString &fileName) override
    {
        return PDFUtils::openInAcrobat_platform_specific(fileName);
    }
    bool sendToMail(const QString &subject, const QString &body, const QString &attachment) override
    {
        return PDFUtils::sendToMail_platform_specific(subject, body, attachment);
    }
    bool openUrl(const QUrl &url) override { return Platform::openUrl(url); }

private:
    std::unique_ptr<QPrinter> m_printer;
};

// Without a window nobody is asked: what would be said is logged.
class HeadlessHost : public DesktopHost
{
public:
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    void critical(QWidget *, const QString &title, const QString &text) override
    {
        qCritical().noquote() << title << text;
    }
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        qWarning().noquote() << title << text;
    }
    CloseAnswer askBeforeClose(QWidget *, const QString &, const QString &) override { return DiscardEntries; }
    PrintChoice choosePrinter(QWidget *, QString *) override { return PrintCancelled; }
};

// The web engine draws through OpenGL contexts that share with one global
// context. Linked into the program, the engine makes that context at
// start-up, for a second and some 50 MB even if no form is ever opened;
// made here, the viewer's first opening pays for it instead. As the engine
// does, it is installed even when OpenGL is missing (the engine then draws
// in software): the engine relies on there being one.
void shareOpenGlContexts()
{
    static QOpenGLContext *context = nullptr;
    if (context || qt_gl_global_share_context())
        return;
    context = new QOpenGLContext;
    if (!context->create())
        qDebug() << "PDFUtils::openWithAcrobat: no OpenGL; the form viewer draws in software";
    qt_gl_set_global_share_context(context);
    qAddPostRoutine([] {
        qt_gl_set_global_share_context(nullptr);
        delete context;
        context = nullptr;
    });
}

// An entry of the viewer module, which is loaded once on first use and kept.
template <typename Function>
Function viewerEntry(const char *name, QString *error)
{
    Platform::prepareFormViewerEngine();
    shareOpenGlContexts();
    QLibrary library(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("orva_pdfjs")));
    const auto entry = reinterpret_cast<Function>(library.resolve(name));
    if (!entry)
        *error = library.errorString();
    return entry;
}

} // namespace

bool PDFUtils::openWithAcrobat(const QUrl &url, const QString &title, const QString &proposedName)
{
    return openWithAcrobat(PdfjsForm{url, title, proposedName, {}});
}

bool PDFUtils::openWithAcrobat(const PdfjsForm &form)
{
    QString error;
    static OpenPdfjsViewerFunction open = nullptr;
    if (!open)
        open = viewerEntry<OpenPdfjsViewerFunction>(ORVA_PDFJS_ENTRY, &error);
    if (!open) {
        qCritical().noquote() << "PDFUtils::openWithAcrobat: can't load the form viewer:" << error;
        return false;
    }
    static DesktopHost host;
    return open(&host, mainWindow(), form);
}

bool PDFUtils::fillCourtForm(const PdfjsForm &form, QByteArray *pdf, QString *error)
{
    QString reason;
    static FillPdfjsFormFunction fill = nullptr;
    if (!fill)
        fill = viewerEntry<FillPdfjsFormFunction>(ORVA_PDFJS_FILL_ENTRY, &reason);
    if (!fill) {
        *error = QStringLiteral("the form viewer cannot be loaded: %1").arg(reason);
        return false;
    }
    static HeadlessHost host;
    return fill(&host, form, pdf, error);
}

bool PDFUtils::canOpenWithAcrobat_platform_specific()
{
    if (Platform::registeredPdfCommand().isEmpty()) {
        qCritical() << "PDFUtils::canOpenWithAcrobat_platform_specific"
                    << "PDF: could not found Adobe Reader registry entry";
        return false;
    }
    return true;
}

bool PDFUtils::openInAcrobat_platform_specific(const QString &fileName)
{
    const QString command = Platform::registeredPdfCommand();
    if (command.isEmpty()) {
        qCritical() << "PDF: could not found Adobe Reader registry entry";
        return false;
    }
    QStringList arguments = Platform::openCommand(command, QDir::toNativeSeparators(fileName));
    if (arguments.isEmpty()) {
        qCritical() << "PDF: command line args is empty";
        return false;
    }
    const QString program = arguments.takeFirst();
    qDebug() << "Adobe Reader path:" << program;
    qDebug() << "Command:" << arguments.join(QLatin1Char(' '));
    if (!Platform::startDetached(program, arguments)) {
        qCritical() << "Could not start Adobe Reader";
        return false;
    }
    return true;
}

bool PDFUtils::sendToMail_platform_specific(const QString &subject, const QString &body, const QString &attachment)
{
    const char *tag = "PDFUtils::sendToMail_platform_specific";
    qDebug().noquote() << "->" << tag << "\n"
                       << "Subject" << subject << "\n"
                       << "Body" << body << "\n"
                       << "Attach" << attachment << "\n";
    const Platform::MailResult result = Platform::sendMail(subject, body, attachment);
    switch (result.stage) {
    case Platform::MailResult::NoMailer:
        qDebug().noquote() << "->" << tag << "\n" << "Failed to load mapi32.dll";
        appendMailLog(QStringLiteral("Failed to load mapi lib"));
        return false;
    case Platform::MailResult::NoSendFunction:
        qDebug().noquote() << "->" << tag << "\n" << "Failed to load MAPISendMail";
        appendMailLog(QStringLiteral("Failed to load send mail func"));
        return false;
    case Platform::MailResult::Called:
        break;
    }
    qDebug().noquote() << "->" << tag << "\n" << "MAPISendMail" << result.code;
    appendMailLog(QStringLiteral("Send Mail: %1").arg(result.code));
    return !result.generalFailure;
}

QString PDFUtils::mailLogPath()
{
    return QDir::temp().filePath(QStringLiteral("orva_sendmail.log"));
}

void PDFUtils::appendMailLog(const QString &message)
{
    // Appending never touches the lines already there, so a failed write
    // costs at most this line.
    QFile file(mailLogPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QString line = QStringLiteral("%1: %2\n")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy_MM_dd__hh_mm_ss")), message);
    const QByteArray bytes = line.toLocal8Bit();
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError)
        qWarning() << "PDFUtils::appendMailLog: can't write" << file.fileName() << file.errorString();
}

void PDFUtils::showPdfErrorNotice()
{
    QDialog notice(mainWindow());
    notice.setObjectName(QStringLiteral("pdfErrorNotice"));
    auto *layout = new QVBoxLayout(&notice);
    auto *label = new QLabel(&notice);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<p align=\"center\">%1</p><p align=\"center\">%2</p>"
                                  "<p align=\"center\">%3 <a href=\"%4\">%5</a></p>")
                       .arg(QObject::tr("Error opening PDF file"),
                            QObject::tr("Please make sure that you have Adobe Reader installed"),
                            QObject::tr("You can install Adobe Reader from"), QLatin1String(ReaderDownloadPage),
                            QObject::tr("here")));
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString &link) { Platform::openUrl(QUrl(link)); });
    layout->addWidget(label);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, &notice);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &notice, &QDialog::accept);
    layout->addWidget(buttons);
    Ask::exec(notice);
}
