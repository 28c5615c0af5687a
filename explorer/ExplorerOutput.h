#pragma once

#include "PaperSize.h"

#include <QByteArray>
#include <QString>

class ExplorerPage;
class QPrinter;

// The explorer's page (chart or table) as a picture, a PDF or a print-out.
// PDF and print-out carry the case's heading over the page, on one
// landscape sheet of the paper the user chose.
namespace ExplorerOutput {

// PNG bytes at twice the page's size on screen; empty when encoding fails.
QByteArray png(ExplorerPage &page);
// PDF bytes; empty when drawing fails.
QByteArray pdf(ExplorerPage &page, const QString &heading, PaperSize::Size paper);
// Onto a printer set up by the print dialog. A printer that prints into a
// PDF file gets the file written whole, as `pdf` gives it, or not at all.
// False with the reason in `error`.
bool print(ExplorerPage &page, const QString &heading, QPrinter *printer, PaperSize::Size paper, QString *error);

} // namespace ExplorerOutput
