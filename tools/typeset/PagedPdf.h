#pragma once
// What the document generators share: a rich-text document typeset on US
// Letter pages with a footer on every page, drawn in memory and written out
// only when all of it was drawn, so a failed build never leaves half a PDF.

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <QTextFrame>

namespace Typeset {

// The layout scales every length from 1/96 inch to the device except a
// block's left margin, which it takes in device pixels: multiply that one by
// kBlockScale.
constexpr int kResolution = 600;
constexpr qreal kBlockScale = kResolution / 96.0;
constexpr qreal kMarginSide = 84; // 1/96 inch
constexpr qreal kMarginTop = 76;
constexpr qreal kMarginBottom = 84;

inline const QStringList &serif()
{
    static const QStringList families = {QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")};
    return families;
}

inline const QStringList &sans()
{
    static const QStringList families = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    return families;
}

inline QFont font(const QStringList &families, qreal points, bool bold = false, bool italic = false)
{
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

class PagedPdf
{
public:
    explicit PagedPdf(const QString &title)
        : m_buffer(&m_bytes)
        , m_writer(&m_buffer)
    {
        m_buffer.open(QIODevice::WriteOnly);
        m_writer.setResolution(kResolution);
        m_writer.setPageSize(QPageSize(QPageSize::Letter));
        m_writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        m_writer.setTitle(title); // the viewer shows it as the document's name
        m_writer.setCreator(QStringLiteral("Orva-Calc Professional"));
    }

    // Pages `text` within the margins. Laid out on the writer itself, so that
    // fonts are measured at its resolution; call it once the text is complete,
    // or the document is paginated anew on every insertion.
    void layOut(QTextDocument &text)
    {
        text.documentLayout()->setPaintDevice(&m_writer);
        QTextFrameFormat root = text.rootFrame()->frameFormat();
        root.setLeftMargin(kMarginSide);
        root.setRightMargin(kMarginSide);
        root.setTopMargin(kMarginTop);
        root.setBottomMargin(kMarginBottom);
        text.rootFrame()->setFrameFormat(root);
        text.setPageSize(QSizeF(m_writer.width(), m_writer.height()));
    }

    // Draws every page of the laid-out `text`, `footer` at the foot's left and
    // "Page N of M" at its right, and writes the PDF as `path`. An earlier
    // file stays as it was unless the new one was written completely.
    bool write(QTextDocument &text, const QString &footer, const QString &path, QString *error)
    {
        if (!print(text, footer)) {
            *error = QStringLiteral("the pages could not be drawn");
            return false;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(m_bytes) != m_bytes.size() || !file.commit()) {
            *error = file.errorString();
            return false;
        }
        return true;
    }

private:
    bool print(QTextDocument &text, const QString &footer)
    {
        QPainter painter;
        if (!painter.begin(&m_writer))
            return false;
        const QSizeF page = text.pageSize();
        const int pages = text.pageCount();
        const QRectF band(kMarginSide * kBlockScale, page.height() - 60 * kBlockScale,
                          page.width() - 2 * kMarginSide * kBlockScale, 20 * kBlockScale);
        for (int i = 0; i < pages; ++i) {
            if (i > 0 && !m_writer.newPage()) {
                painter.end();
                return false;
            }
            painter.save();
            painter.translate(0, -i * page.height());
            text.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
            painter.restore();
            painter.setFont(font(sans(), 8));
            painter.setPen(QColor(0x60, 0x60, 0x60));
            painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, footer);
            painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                             QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages));
        }
        return painter.end() && !m_bytes.isEmpty();
    }

    QByteArray m_bytes;
    QBuffer m_buffer;
    QPdfWriter m_writer;
};

} // namespace Typeset
