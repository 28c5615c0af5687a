#include "PDFUtils.h"

#include "Ask.h"
#include "LayoutInterpreter.h"
#include "OrvaDocument.h"
#include "PDFDocument.h"
#include "SafeFile.h"

#include <QBuffer>
#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QMetaEnum>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfDocumentRenderOptions>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>
#include <utility>

namespace {

QString pdfErrorName(QPdfDocument::Error error)
{
    const char *key = QMetaEnum::fromType<QPdfDocument::Error>().valueToKey(int(error));
    return key ? QString::fromLatin1(key) : QString::number(int(error));
}

// The chosen paper, portrait, without margins on the printer's own
// resolution; returns the printable page in device pixels.
QRect prepareFullPage(QPrinter *printer, const char *logTag)
{
    printer->setResolution(printer->physicalDpiX());
    qDebug() << logTag << printer->resolution();
    printer->setPageLayout(QPageLayout(PaperSize::pageSize(PaperSize::fromSettings()), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    printer->setFullPage(true);
    return printer->pageRect(QPrinter::DevicePixel).toRect();
}

// Where pages for a printer are drawn: on the printer itself or, for a
// printer that prints to a PDF file, into a PDF in memory that is written to
// that file as a whole at the end. The printer's own file output reports no
// write error, and a pipe at the chosen name would stop the program.
class PrintTarget
{
public:
    PrintTarget(QPrinter *printer, const char *logTag)
        : m_printer(printer)
        , m_page(prepareFullPage(printer, logTag))
    {
        if (printer->outputFormat() != QPrinter::PdfFormat || printer->outputFileName().isEmpty())
            return;
        m_file = printer->outputFileName();
        m_buffer.setBuffer(&m_bytes);
        m_buffer.open(QIODevice::WriteOnly);
        m_writer = std::make_unique<QPdfWriter>(&m_buffer);
        m_writer->setResolution(printer->resolution());
        m_writer->setPageLayout(printer->pageLayout());
        m_page = m_writer->pageLayout().fullRectPixels(m_writer->resolution());
    }

    QPagedPaintDevice *device() { return m_writer ? static_cast<QPagedPaintDevice *>(m_writer.get()) : m_printer; }
    QRect page() const { return m_page; }

    // After the painter has ended: the file, when there is one, is written.
    bool finish(bool drawn)
    {
        if (!m_writer || !drawn)
            return drawn;
        QString reason;
        if (!Platform::writeFileSafely(m_file, m_bytes, &reason)) {
            qCritical().noquote() << "PDFUtils::printPDF: can't write" << m_file << reason;
            return false;
        }
        return true;
    }

private:
    QPrinter *m_printer;
    QRect m_page;
    QString m_file;
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
};

// Draws one prepared page picture centred on the page.
void drawCentred(QPainter &painter, const QPixmap &pixmap, const QRect &page)
{
    painter.drawPixmap(PDFUtils::centredOrigin(pixmap.size(), page), pixmap);
}

} // namespace

QPoint PDFUtils::centredOrigin(const QSize &size, const QRect &page)
{
    const QPointF centre = QRectF(page).center();
    const QPoint roundedCentre(qRound(centre.x()), qRound(centre.y()));
    return QPoint(roundedCentre.x() - size.width() / 2, roundedCentre.y() - size.height() / 2);
}

QSize PDFUtils::fittedSize(const QSizeF &source, const QSize &page)
{
    return source.scaled(QSizeF(page), Qt::KeepAspectRatio).toSize();
}

void PDFUtils::setUpPainter(QPainter *painter, QPrinter *printer)
{
    LayoutInterpreter::setUpPainter(painter, printer->paperRect(QPrinter::Point),
                                    printer->paperRect(QPrinter::DevicePixel).toRect());
}

bool PDFUtils::save(const OrvaDocument &document, const QString &fileName, QPrinter *printer, QString *error)
{
    return save(document, fileName, printer, PaperSize::fromSettings(), error);
}

bool PDFUtils::save(const OrvaDocument &document, const QString &fileName, QPrinter *printer, PaperSize::Size paper,
                    QString *error)
{
    if (!printer) {
        return saveFile(document, paper, fileName, error, [&fileName](const QByteArray &pdf, QString *reason) {
            return Platform::writeFileSafely(fileName, pdf, reason);
        });
    }

    QElapsedTimer timer;
    timer.start();
    printer->setFullPage(true);
    printer->setPageSize(PaperSize::pageSize(paper));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setResolution(printer->physicalDpiX());
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    qDebug() << "PDFUtils::save" << "Printer resolution" << printer->resolution();

    QPainter painter;
    if (!painter.begin(printer)) {
        qCritical() << "PDFUtils::save: can't start printing to" << printer->printerName();
        if (error)
            *error = QStringLiteral("The printer could not be started");
        return false;
    }
    setUpPainter(&painter, printer);
    drawWorksheet(document, &painter);
    const bool finished = painter.end();
    qDebug() << "PDF printed in" << timer.elapsed() << "ms";
    if (!finished && error)
        *error = QStringLiteral("The printer reported an error");
    return finished;
}

bool PDFUtils::saveNative(const OrvaDocument &document, const QByteArray &nativeFileName, PaperSize::Size paper,
                          QString *error)
{
    return saveFile(document, paper, QFile::decodeName(nativeFileName), error,
                    [&nativeFileName](const QByteArray &pdf, QString *reason) {
                        return Platform::writeNativeFileSafely(nativeFileName, pdf, reason);
                    });
}

bool PDFUtils::saveFile(const OrvaDocument &document, PaperSize::Size paper, const QString &shownName, QString *error,
                        const std::function<bool(const QByteArray &, QString *)> &write)
{
    // Drawn in memory and written in one go: the file is either the whole
    // worksheet or the one that was there before. The safe writer's
    // temporary file beside it can outlive a program stopped midway; the
    // next save into that folder removes it once it is a day old.
    QByteArray pdf;
    if (!drawWorksheetPdf(document, paper, &pdf)) {
        if (error)
            *error = QStringLiteral("The worksheet could not be drawn");
        return false;
    }
    QString reason;
    if (!write(pdf, &reason)) {
        qCritical().noquote() << "PDFUtils::save: can't write" << shownName << reason;
        if (error)
            *error = reason;
        return false;
    }
    return true;
}

bool PDFUtils::print(const OrvaDocument &document, QPrinter *printer, QString *error)
{
    // The printer's own PDF output goes straight into the file and reports
    // no write error: a full disk left a cut-off file that passed for
    // printed, and a pipe at the name stopped the program.
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        return save(document, printer->outputFileName(), nullptr, error);
    return save(document, QString(), printer, error);
}

bool PDFUtils::drawWorksheetPdf(const OrvaDocument &document, PaperSize::Size paper, QByteArray *pdf)
{
    QElapsedTimer timer;
    timer.start();
    QBuffer buffer(pdf);
    buffer.open(QIODevice::WriteOnly);
    // The resolution of a high-resolution printer, the paper without
    // margins: the page a file printer in full-page mode gives.
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(PaperSize::pageSize(paper), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setCreator(QStringLiteral("Orva-Calc Professional " ORVA_VERSION_TEXT));
    writer.setTitle(OrvaDocument::isSharedCustody(document.custodyType()) ? QStringLiteral("Worksheet B")
                                                                           : QStringLiteral("Worksheet A"));
    qDebug() << "PDFUtils::save" << "Printer resolution" << writer.resolution();

    QPainter painter;
    if (!painter.begin(&writer)) {
        qCritical() << "PDFUtils::save: can't start drawing the worksheet";
        return false;
    }
    const QPageLayout layout = writer.pageLayout();
    LayoutInterpreter::setUpPainter(&painter, layout.fullRect(QPageLayout::Point),
                                    layout.fullRectPixels(writer.resolution()));
    drawWorksheet(document, &painter);
    const bool finished = painter.end();
    qDebug() << "PDF printed in" << timer.elapsed() << "ms";
    return finished && !pdf->isEmpty();
}

void PDFUtils::drawWorksheet(const OrvaDocument &document, QPainter *painter)
{
    PDFDocument worksheet;
    const QStringList lines = worksheet.loadWorksheetLayout(document);
    worksheet.fillWorksheetFields(document);
    worksheet.drawLayout(painter, lines, document.custodyType());
}

bool PDFUtils::printPDF(const QString &fileName, QWidget *parent)
{
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, parent);
    if (!Ask::exec(dialog))
        return false;
    return printPDFOnPrinter(fileName, &printer);
}

bool PDFUtils::printPDF(const QList<QImage> &images, QWidget *parent)
{
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, parent);
    if (!Ask::exec(dialog))
        return false;
    return printImagesOnPrinter(images, &printer);
}

bool PDFUtils::printPDFOnPrinter(const QString &fileName, QPrinter *printer)
{
    QPdfDocument pdf;
    pdf.load(fileName);
    if (pdf.error() != QPdfDocument::Error::None) {
        qCritical().noquote() << "PDFUtils: can't load pdf file:" << pdfErrorName(pdf.error());
        return false;
    }

    PrintTarget target(printer, "PDFUtils::printPDF: printer resolution:");
    const QRect page = target.page();
    QPainter painter;
    if (!painter.begin(target.device())) {
        qCritical() << "PDFUtils::printPDF: can't start printing";
        return false;
    }
    QPdfDocumentRenderOptions options;
    options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
    bool complete = true;
    for (int i = 0; i < pdf.pageCount(); ++i) {
        if (i > 0)
            target.device()->newPage();
        QElapsedTimer timer;
        timer.start();
        const QSize size = fittedSize(pdf.pagePointSize(i), page.size());
        QImage image = pdf.render(i, size, options);
        if (image.isNull()) {
            // A page that cannot be rendered (out of memory at a high printer
            // resolution) must not pass for printed.
            qCritical() << "PDFUtils::printPDF: can't render page" << i << "at" << size;
            complete = false;
            continue;
        }
        const QPixmap pixmap = QPixmap::fromImage(std::move(image));
        qDebug() << "Preparing page" << i << "took" << timer.restart() << "ms";
        drawCentred(painter, pixmap, page);
        qDebug() << "Drawing page" << i << "took" << timer.elapsed() << "ms";
    }
    const bool ended = painter.end();
    return target.finish(ended) && complete;
}

bool PDFUtils::printImagesOnPrinter(const QList<QImage> &images, QPrinter *printer)
{
    if (images.isEmpty()) {
        qCritical() << "no images";
        return false;
    }
    PrintTarget target(printer, "PDFUtils::printPDF: printer resolution:");
    const QRect page = target.page();
    QPainter painter;
    if (!painter.begin(target.device())) {
        qCritical() << "PDFUtils::printPDF: can't start printing";
        return false;
    }
    for (int i = 0; i < images.size(); ++i) {
        if (i > 0)
            target.device()->newPage();
        QElapsedTimer timer;
        timer.start();
        const QImage &image = images.at(i);
        const QSize size = fittedSize(QSizeF(image.size()), page.size());
        const QPixmap pixmap = QPixmap::fromImage(image.scaled(size, Qt::KeepAspectRatio, Qt::FastTransformation));
        qDebug() << "Preparing page" << i << "took" << timer.restart() << "ms";
        drawCentred(painter, pixmap, page);
        qDebug() << "Drawing page" << i << "took" << timer.elapsed() << "ms";
    }
    const bool ended = painter.end();
    return target.finish(ended);
}
