#include "ExplorerOutput.h"

#include "ExplorerPage.h"
#include "SafeFile.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

const QMarginsF SheetMargins(12.7, 12.7, 12.7, 12.7); // millimetres

QPageLayout sheetLayout(PaperSize::Size paper)
{
    return QPageLayout(PaperSize::pageSize(paper), QPageLayout::Landscape, SheetMargins, QPageLayout::Millimeter);
}

// Inside the margins, where a painter on the paged device starts.
QRect paintArea(const QPageLayout &layout, int resolution)
{
    return QRect(QPoint(0, 0), layout.paintRectPixels(resolution).size());
}

// The heading in one line at the top of `area`, the page below it.
void drawSheet(QPainter &painter, const QRect &area, ExplorerPage &page, const QString &heading)
{
    QFont font = painter.font();
    font.setPointSizeF(10);
    painter.setFont(font);
    const int headingHeight = painter.fontMetrics().height() * 2;
    painter.drawText(QRect(area.left(), area.top(), area.width(), headingHeight), Qt::AlignLeft | Qt::AlignTop,
                     heading);
    page.drawOutput(&painter, QRectF(area.adjusted(0, headingHeight, 0, 0)));
}

} // namespace

namespace ExplorerOutput {

QByteArray png(ExplorerPage &page)
{
    const QSize size = page.outputSize() * 2;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    page.drawOutput(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
}

QByteArray pdf(ExplorerPage &page, const QString &heading, PaperSize::Size paper)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(sheetLayout(paper));
    writer.setCreator(QStringLiteral("Orva-Calc Professional"));
    writer.setTitle(QStringLiteral("Support Explorer"));
    QPainter painter;
    if (!painter.begin(&writer))
        return QByteArray();
    painter.setRenderHint(QPainter::Antialiasing);
    drawSheet(painter, paintArea(writer.pageLayout(), writer.resolution()), page, heading);
    if (!painter.end())
        return QByteArray();
    return bytes;
}

bool print(ExplorerPage &page, const QString &heading, QPrinter *printer, PaperSize::Size paper, QString *error)
{
    // The printer's own PDF output reports no write error: the file is
    // written here, whole or not at all.
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
        const QByteArray bytes = pdf(page, heading, paper);
        if (bytes.isEmpty()) {
            if (error)
                *error = QStringLiteral("The chart could not be drawn");
            return false;
        }
        return Platform::writeFileSafely(printer->outputFileName(), bytes, error);
    }
    printer->setPageLayout(sheetLayout(paper));
    QPainter painter;
    if (!painter.begin(printer)) {
        if (error)
            *error = QStringLiteral("The printer could not be started");
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    drawSheet(painter, paintArea(printer->pageLayout(), printer->resolution()), page, heading);
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("The printer reported an error");
        return false;
    }
    return true;
}

} // namespace ExplorerOutput
