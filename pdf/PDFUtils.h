#pragma once

#include <QByteArray>
#include "PaperSize.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>

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
    // settings. True when the painter finished without error and, for a
    // file, all of it was written; false with the reason in `error`, an
    // existing file then unchanged.
    static bool save(const OrvaDocument &document, const QString &fileName, QPrinter *printer,
                     QString *error = nullptr);
    // The same on the given paper.
    static bool save(const OrvaDocument &document, const QString &fileName, QPrinter *printer,
                     PaperSize::Size paper, QString *error = nullptr);

    // The worksheet PDF into a file named in the system's own bytes, which
    // need not be text (a command-line argument that is not UTF-8).
    static bool saveNative(const OrvaDocument &document, const QByteArray &nativeFileName, PaperSize::Size paper,
                           QString *error = nullptr);

    // Prints the worksheet on a printer configured by a print dialog. A
    // printer that prints to a PDF file writes it as `save` writes a file.
    static bool print(const OrvaDocument &document, QPrinter *printer, QString *error = nullptr);

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

    // ---- Court forms and the desktop (PDFUtilsDesktop.cpp) ----

    // Opens a form (a "qrc:///PDFJS/resourses/..." address) in the form
    // viewer window, which lives on and deletes itself when closed. False
    // when the viewer cannot be set up; the caller then shows the notice.
    static bool openWithAcrobat(const QUrl &url, const QString &title, const QString &proposedName);
    // The notice shown when openWithAcrobat fails.
    static void showPdfErrorNotice();

    // True when a PDF program is registered to open files with.
    static bool canOpenWithAcrobat_platform_specific();
    // Starts the registered PDF program on `fileName`; true when started.
    static bool openInAcrobat_platform_specific(const QString &fileName);
    // The mail program's compose window with `attachment` attached; false
    // only when the mail facility is missing or reports a general failure.
    static bool sendToMail_platform_specific(const QString &subject, const QString &body,
                                             const QString &attachment);
    // One dated line in the mail log.
    static void appendMailLog(const QString &message);
    static QString mailLogPath();

private:
    static bool saveFile(const OrvaDocument &document, PaperSize::Size paper, const QString &shownName, QString *error,
                         const std::function<bool(const QByteArray &, QString *)> &write);
    static bool drawWorksheetPdf(const OrvaDocument &document, PaperSize::Size paper, QByteArray *pdf);
    static void drawWorksheet(const OrvaDocument &document, QPainter *painter);
};
