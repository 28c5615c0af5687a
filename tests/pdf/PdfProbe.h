#pragma once
// Reading worksheet PDFs back for the tests: text with positions (points
// from the top-left corner of the page) and rendered pixels.
#include "LayoutInterpreter.h"
#include "PDFUtils.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QString>
#include <QStringList>

namespace PdfProbe {

// Runs layout lines on a fresh A4 PDF with the worksheet page set-up.
inline bool renderLines(const QString &path, const QStringList &lines, const QHash<QString, QString> &fields,
                        int custodyType, bool *commentsCut = nullptr, const QStringList &continuation = {},
                        int *pages = nullptr)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PDFUtils::setUpPainter(&painter, &printer);
    LayoutInterpreter interpreter(&painter, fields, custodyType);
    interpreter.run(lines, continuation);
    if (commentsCut)
        *commentsCut = interpreter.commentsCut();
    if (pages)
        *pages = interpreter.pageCount();
    return painter.end();
}

// Bounding boxes of every occurrence of `text` on a page.
inline QList<QRectF> find(QPdfDocument &pdf, int page, const QString &text)
{
    QList<QRectF> boxes;
    const QString all = pdf.getAllText(page).text();
    for (qsizetype at = all.indexOf(text); at >= 0; at = all.indexOf(text, at + 1))
        boxes << pdf.getSelectionAtIndex(page, int(at), int(text.size())).boundingRectangle();
    return boxes;
}

// One word of a page as Qt Pdf reads it back: its text and glyph box.
struct Word {
    QString text;
    QRectF box;
};

// Every run of non-blank characters on a page, in the order of the text. A
// word broken after a hyphen at the end of a line is two words: text
// extraction joins them with U+FFFE, which is read back as the hyphen.
inline QList<Word> words(QPdfDocument &pdf, int page)
{
    const QChar lineEndHyphen(0xFFFE);
    QList<Word> list;
    const QString all = pdf.getAllText(page).text();
    qsizetype start = -1;
    for (qsizetype i = 0; i <= all.size(); ++i) {
        const bool blank = i == all.size() || all.at(i).isSpace();
        if (!blank && start < 0)
            start = i;
        const bool hyphen = !blank && all.at(i) == lineEndHyphen;
        if ((blank || hyphen) && start >= 0) {
            const qsizetype end = hyphen ? i + 1 : i;
            const QRectF box = pdf.getSelectionAtIndex(page, int(start), int(end - start)).boundingRectangle();
            QString text = all.mid(start, end - start);
            text.replace(lineEndHyphen, QLatin1Char('-'));
            list << Word{text, box};
            start = -1;
        }
    }
    return list;
}

inline QRectF findOne(QPdfDocument &pdf, int page, const QString &text)
{
    const QList<QRectF> boxes = find(pdf, page, text);
    return boxes.size() == 1 ? boxes.first() : QRectF();
}

// The page rendered at `scale` pixels per point, white background.
inline QImage render(QPdfDocument &pdf, int page, qreal scale)
{
    const QSize size = (pdf.pagePointSize(page) * scale).toSize();
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QImage drawn = pdf.render(page, size);
    QPainter painter(&image);
    painter.drawImage(0, 0, drawn);
    return image;
}

// Darkest grey level (0 black .. 255 white) around a point given in points.
inline int ink(const QImage &image, QPointF point, qreal scale, int radius = 1)
{
    int darkest = 255;
    const int cx = qRound(point.x() * scale);
    const int cy = qRound(point.y() * scale);
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x)
            if (image.rect().contains(x, y))
                darkest = qMin(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

// Number of dark pixels in a rectangle given in points.
inline int darkPixels(const QImage &image, const QRectF &area, qreal scale)
{
    const QRect pixels = QRectF(area.topLeft() * scale, area.size() * scale).toAlignedRect() & image.rect();
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
    return count;
}

} // namespace PdfProbe
