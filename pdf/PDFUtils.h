#pragma once

#include "PaperSize.h"

#include <QImage>
#include <QList>
#include <QString>

class OrvaDocument;
class QPainter;
class QPrinter;
class QWidget;

// Worksheet output and printing of existing PDF material.
class PDFUtils
{
public:
    // Renders the worksheet of `document` (A or B as its custody type
    // decides) into the PDF file `fileName` when `printer` is null, otherwise
    // onto the already configured printer, on the paper chosen in the
    // settings. True when the painter finished without error.
    static bool save(const OrvaDocument &document, const QString &fileName, QPrinter *printer);
    // The same on the given paper.
    static bool save(const OrvaDocument &document, const QString &fileName, QPrinter *printer,
                     PaperSize::Size paper);

    // Prints every page of a PDF file after a print dialog owned by `parent`.
    static bool printPDF(const QString &fileName, QWidget *parent);
    // Prints one page image per page after a print dialog.
    static bool printPDF(const QList<QImage> &images, QWidget *parent);

    // The printing steps after an accepted dialog, on a given printer.
    static bool printPDFOnPrinter(const QString &fileName, QPrinter *printer);
    static bool printImagesOnPrinter(const QList<QImage> &images, QPrinter *printer);

    // Window in points and viewport in device pixels on the printer's paper.
    static void setUpPainter(QPainter *painter, QPrinter *printer);

    // Top-left corner that centres an item of `size` on `page` (centre
    // coordinates rounded half away from zero).
    static QPoint centredOrigin(const QSize &size, const QRect &page);
    // Integer size of `source` scaled to fit `page`, aspect ratio kept.
    static QSize fittedSize(const QSizeF &source, const QSize &page);
};
