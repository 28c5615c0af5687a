#include "LayoutInterpreter.h"

#include "OrvaDocument.h"

#include <QDebug>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

#include <limits>

namespace {

const QLatin1String CommentsField("comments");

// Tokens each command kind reads (the kind itself is token 0).
constexpr int LineTokens = 5;      // "G", "B": kind, x1, y1, x2, y2
constexpr int PlainTextTokens = 4; // "T": kind, x, y, text
constexpr int TextItemTokens = 9;  // "TB", "DT": up to the alignment
constexpr int BoundTextTokens = 11; // "TB", "DT" bound to a field

qreal coordinate(const QString &token)
{
    return token.trimmed().toDouble(); // not a number reads as 0
}

QString withoutWhiteSpace(QString text)
{
    // Compiled once: an expression compiled per text item took a seventh of
    // the time of a whole worksheet PDF.
    static const QRegularExpression whiteSpace(QStringLiteral("\\s"));
    text.remove(whiteSpace);
    return text;
}

// Fixed footer texts of older scripts carry an older version and copyright
// year; they are brought up to date as they are drawn.
QString updatedFooterText(QString text)
{
    if (text.contains(QLatin1String("Version 14.0"))) {
        text.replace(QLatin1String("Version 14.0"), QLatin1String("Version 16.2"));
    } else {
        static const QRegularExpression copyright(QStringLiteral("Copyright\\S 2022"));
        if (copyright.match(text).hasMatch())
            text.replace(QLatin1String("2022"), QLatin1String("2024"));
    }
    return text;
}

bool isBoundComments(const QStringList &tokens)
{
    return tokens.size() >= BoundTextTokens && tokens.at(9).trimmed() == QLatin1String("d")
           && tokens.at(10).trimmed() == CommentsField;
}

// An amount or a percentage: cutting one short would print another value.
bool isAmount(const QString &text)
{
    static const QRegularExpression amount(QStringLiteral("^\\s*[-+]?[0-9][0-9,.]*%?\\s*$"));
    return amount.match(text).hasMatch();
}

// Word-wrapped at `width` as every box of the worksheet wraps, the lines
// stacked with the font's leading until one would reach below `height`.
// Returns how many lines fit; a line that does not is the last one made.
int layOutLines(QTextLayout &layout, qreal width, QPaintDevice *device,
                qreal height = std::numeric_limits<qreal>::max())
{
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const qreal leading = qMax<qreal>(QFontMetricsF(layout.font(), device).leading(), 0);
    int fitting = 0;
    qreal top = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
        if (top + line.height() > height + 0.01)
            break;
        ++fitting;
        top += line.height() + leading;
    }
    layout.endLayout();
    return fitting;
}

// Start and length of each line of `text` wrapped at `width`.
QList<QPair<int, int>> wrapLines(const QString &text, const QFont &font, qreal width, QPaintDevice *device)
{
    QTextLayout layout(text, font, device);
    layOutLines(layout, width, device);
    QList<QPair<int, int>> lines;
    for (int i = 0; i < layout.lineCount(); ++i)
        lines << qMakePair(layout.lineAt(i).textStart(), layout.lineAt(i).textLength());
    return lines;
}

} // namespace

LayoutInterpreter::LayoutInterpreter(QPainter *painter, const QHash<QString, QString> &fields, int custodyType)
    : m_painter(painter)
    , m_fields(fields)
    , m_custodyType(custodyType)
    , m_font(initialFont())
    , m_pen(linePen())
{
}

QFont LayoutInterpreter::initialFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Weight(300));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPen LayoutInterpreter::linePen()
{
    return QPen(QBrush(Qt::black), 0.5, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

void LayoutInterpreter::setUpPainter(QPainter *painter, const QRectF &paperPoints, const QRect &paperPixels)
{
    const QRect window = paperPoints.toRect();
    painter->setWindow(window);
    painter->setViewport(paperPixels);
    painter->setWorldTransform(scriptToPaper(QSizeF(window.size())));
    qDebug() << "PDF print: render hints:" << painter->renderHints();
}

QTransform LayoutInterpreter::scriptToPaper(const QSizeF &paperPoints)
{
    const qreal scale = qMin((paperPoints.width() - 2 * ScriptMargin) / (ScriptPageWidth - 2 * ScriptMargin),
                             (paperPoints.height() - 2 * ScriptMargin) / (ScriptPageHeight - 2 * ScriptMargin));
    const qreal dx = (paperPoints.width() - ScriptPageWidth * scale) / 2;
    const qreal dy = (paperPoints.height() - ScriptPageHeight * scale) / 2;
    return QTransform(scale, 0, 0, scale, dx, dy);
}

qreal LayoutInterpreter::textWidth(const QFont &font, const QString &text, QPaintDevice *device)
{
    const QRectF page(0, 0, ScriptPageWidth, ScriptPageHeight);
    return QFontMetricsF(font, device).boundingRect(page, Qt::AlignCenter, text).width();
}

LayoutInterpreter::FittedText LayoutInterpreter::fitText(const QString &text, const QFont &font, qreal maxWidth,
                                                         int maxLines, QPaintDevice *device)
{
    FittedText fitted;
    fitted.pixelSize = font.pixelSize();
    fitted.lines = QStringList{text};
    if (maxWidth <= 0 || fitted.pixelSize <= 0)
        return fitted;
    // More characters than the box can ever show at any size: only the part
    // it might show is measured and set, and the text is cut short.
    const bool tooLong = text.size() > qsizetype(maxLines) * MaxLineCharacters;
    const QString shown = tooLong ? text.left(qsizetype(maxLines) * MaxLineCharacters) : text;
    const bool amount = !tooLong && isAmount(text);
    const int smallest = qMin(fitted.pixelSize, amount ? int(MinimumAmountSize) : int(MinimumTextSize));
    QFont f = font;
    if (tooLong)
        return cutShort(shown, f, smallest, maxWidth, maxLines, device);
    if (textWidth(font, text, device) <= maxWidth)
        return fitted;

    // One line, smaller.
    for (int size = fitted.pixelSize - 1; size >= smallest; --size) {
        f.setPixelSize(size);
        if (textWidth(f, text, device) <= maxWidth) {
            fitted.pixelSize = size;
            return fitted;
        }
    }
    fitted.pixelSize = smallest;
    if (amount)
        return fitted; // as small as it goes, but whole

    // More lines, as large as they fit.
    if (maxLines > 1) {
        for (int size = font.pixelSize(); size >= smallest; --size) {
            f.setPixelSize(size);
            const QList<QPair<int, int>> ranges = wrapLines(text, f, maxWidth, device);
            if (ranges.size() > maxLines)
                continue;
            fitted.pixelSize = size;
            fitted.lines.clear();
            for (const auto &[start, length] : ranges)
                fitted.lines << text.mid(start, length).trimmed();
            return fitted;
        }
    }

    return cutShort(text, f, smallest, maxWidth, maxLines, device);
}

// As many whole lines as there is room for at the smallest size, the last
// one elided.
LayoutInterpreter::FittedText LayoutInterpreter::cutShort(const QString &text, QFont font, int smallest,
                                                          qreal maxWidth, int maxLines, QPaintDevice *device)
{
    FittedText fitted;
    fitted.pixelSize = smallest;
    fitted.elided = true;
    font.setPixelSize(smallest);
    int rest = 0;
    if (maxLines > 1) {
        const QList<QPair<int, int>> ranges = wrapLines(text, font, maxWidth, device);
        for (int i = 0; i < maxLines - 1 && i < ranges.size(); ++i) {
            fitted.lines << text.mid(ranges.at(i).first, ranges.at(i).second).trimmed();
            rest = ranges.at(i).first + ranges.at(i).second;
        }
    }
    fitted.lines << QFontMetricsF(font, device).elidedText(text.mid(rest).trimmed(), Qt::ElideRight, maxWidth);
    return fitted;
}

QStringList LayoutInterpreter::tokenize(const QString &line)
{
    QStringList tokens;
    qsizetype open = line.indexOf(QLatin1Char('"'));
    while (open >= 0) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), open + 1);
        if (close < 0)
            break;
        const qsizetype comma = line.indexOf(QLatin1Char(','), close + 1);
        tokens << line.mid(open + 1, close - open - 1);
        if (comma < 0)
            break;
        open = line.indexOf(QLatin1Char('"'), comma + 1);
    }
    return tokens;
}

QString LayoutInterpreter::decodeLine(const QString &stored)
{
    QString line = stored;
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

void LayoutInterpreter::run(const QStringList &lines, const QStringList &continuation)
{
    m_page = 1;
    m_commentsCut = false;
    m_inContinuation = false;
    planComments(lines, continuation);

    m_painter->setPen(m_pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->setFont(m_font);
    m_commentPart = 0;
    for (const QString &line : lines)
        execute(line);

    m_inContinuation = true;
    for (int part = 1; part < m_commentBoxes.size(); ++part) {
        m_commentPart = part;
        for (const QString &line : continuation)
            execute(line);
    }
    m_inContinuation = false;
}

int LayoutInterpreter::pagesOf(const QStringList &lines)
{
    int pages = 1;
    for (const QString &line : lines) {
        const QStringList tokens = tokenize(decodeLine(line));
        if (!tokens.isEmpty() && tokens.at(0) == QLatin1String("BPG"))
            ++pages;
    }
    return pages;
}

// The comments item of a script with the font it will be drawn in, which
// depends on the text commands before it.
LayoutInterpreter::CommentsItem LayoutInterpreter::findCommentsItem(const QStringList &lines)
{
    CommentsItem item;
    item.font = initialFont();
    for (const QString &line : lines) {
        const QStringList tokens = tokenize(decodeLine(line));
        if (tokens.isEmpty())
            continue;
        const QString &kind = tokens.at(0);
        if (kind == QLatin1String("T") && tokens.size() >= PlainTextTokens) {
            item.font.setPixelSize(12);
        } else if ((kind == QLatin1String("TB") || kind == QLatin1String("DT")) && tokens.size() >= TextItemTokens) {
            item.font.setWeight(tokens.at(6).trimmed() == QLatin1String("b") ? QFont::Bold : QFont::Normal);
            const int size = tokens.at(5).trimmed().toInt();
            if (size > 0)
                item.font.setPixelSize(size);
            if (isBoundComments(tokens)) {
                item.found = true;
                return item;
            }
        }
    }
    return item;
}

qreal LayoutInterpreter::commentsHeight() const
{
    if (m_inContinuation)
        return ContinuationCommentsHeight;
    return OrvaDocument::isSharedCustody(m_custodyType) ? SharedCommentsHeight : SoleCommentsHeight;
}

// Sets the comments into the worksheet's box and one box per continuation
// page, so that the number of pages is known before the first footer is
// drawn. Beyond MaxContinuationPages the last page ends with a line that
// says how much was left out.
void LayoutInterpreter::planComments(const QStringList &lines, const QStringList &continuation)
{
    m_commentBoxes.clear();
    m_pageCount = pagesOf(lines);
    const CommentsItem own = findCommentsItem(lines);
    if (!own.found)
        return;

    QString text = withoutLongInvisibleRuns(m_fields.value(CommentsField));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    qsizetype from = restStart(text, 0);
    if (from >= text.size())
        return;
    CommentBox box;
    qsizetype end = fillBox(text, from, own.font, commentsHeight(), &box);
    m_commentBoxes << box;

    const CommentsItem next = findCommentsItem(continuation);
    const int pagesEach = pagesOf(continuation) - 1; // the pages its "BPG" lines open
    for (int page = 1; next.found && pagesEach > 0; ++page) {
        from = restStart(text, end);
        if (from >= text.size())
            break;
        box.clear();
        end = fillBox(text, from, next.font, ContinuationCommentsHeight, &box);
        if (end == from)
            break; // a box that does not hold a single line
        if (page == MaxContinuationPages && restStart(text, end) < text.size()) {
            // One line less, for the line that says what is missing.
            box.clear();
            const qreal lineHeight = QFontMetricsF(next.font, m_painter->device()).lineSpacing();
            end = fillBox(text, from, next.font, ContinuationCommentsHeight - lineHeight, &box);
            const qreal top = box.isEmpty() ? 0 : box.last().top + lineHeight;
            box << CommentLine{QStringLiteral("[... %1 more characters of the comments are left out]")
                                   .arg(text.size() - end),
                               top};
        }
        m_commentBoxes << box;
        m_pageCount += pagesEach;
        if (page == MaxContinuationPages)
            break;
    }
    if (restStart(text, end) < text.size()) {
        m_commentsCut = true;
        qWarning() << "LayoutInterpreter: comments do not fit the box; left out:" << text.size() - end << "characters";
    }
}

// Format characters (zero-width space, joiners, direction marks) print
// nothing, but the text layout takes time that grows with the square of a
// run of them; runs longer than a few are cut for printing.
QString LayoutInterpreter::withoutLongInvisibleRuns(const QString &text)
{
    constexpr int KeptInRun = 8;
    QString result;
    int run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        run = c.category() == QChar::Other_Format ? run + 1 : 0;
        if (run > KeptInRun && result.isNull())
            result = text.left(i);
        else if (run <= KeptInRun && !result.isNull())
            result += c;
    }
    return result.isNull() ? text : result;
}

// Where the text after a box goes on: the line breaks between two boxes
// are not carried over; blank text at the end counts as nothing.
qsizetype LayoutInterpreter::restStart(const QString &text, qsizetype end)
{
    while (end < text.size() && text.at(end) == QLatin1Char('\n'))
        ++end;
    for (qsizetype i = end; i < text.size(); ++i) {
        if (!text.at(i).isSpace())
            return end;
    }
    return text.size();
}

// Sets `text` from `from` on into a comments box of `height`, word-wrapped,
// in whole lines; returns where the text not in the box starts. The text is
// laid out in slices, so that every character is laid out about once
// however long the text is: the last line of a slice may be cut by the
// slice's end and is laid out again at the start of the next one.
qsizetype LayoutInterpreter::fillBox(const QString &text, qsizetype from, const QFont &font, qreal height,
                                     CommentBox *box) const
{
    QPaintDevice *device = m_painter->device();
    const qreal leading = qMax<qreal>(QFontMetricsF(font, device).leading(), 0);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal top = 0;
    qsizetype at = from;
    while (at < text.size()) {
        QString slice = text.mid(at, LayoutSliceLength);
        const bool toTheEnd = at + slice.size() >= text.size();
        slice.replace(QLatin1Char('\n'), QChar::LineSeparator);
        QTextLayout layout(slice, font, device);
        layout.setTextOption(option);
        layout.beginLayout();
        qsizetype next = slice.size(); // where the next slice starts
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(CommentsWidth);
            if (top + line.height() > height + 0.01) {
                layout.endLayout();
                return at + line.textStart();
            }
            if (!toTheEnd && line.lineNumber() > 0 && line.textStart() + line.textLength() >= slice.size()) {
                next = line.textStart();
                break;
            }
            *box << CommentLine{slice.mid(line.textStart(), line.textLength()), top};
            top += line.height() + leading;
        }
        layout.endLayout();
        at += next;
    }
    return text.size();
}

void LayoutInterpreter::execute(const QString &storedLine)
{
    const QString line = decodeLine(storedLine);
    if (line.isEmpty())
        return;
    const QStringList tokens = tokenize(line);
    if (tokens.isEmpty())
        return;

    const QString &kind = tokens.at(0);
    if (kind == QLatin1String("BPG")) {
        newPage();
    } else if (kind == QLatin1String("G") || kind == QLatin1String("B")) {
        if (tokens.size() < LineTokens) {
            qWarning() << "LayoutInterpreter: line skipped, too few tokens:" << line;
            return;
        }
        const qreal x1 = coordinate(tokens.at(1));
        const qreal y1 = coordinate(tokens.at(2));
        const qreal x2 = coordinate(tokens.at(3));
        const qreal y2 = coordinate(tokens.at(4));
        m_painter->setPen(m_pen);
        m_painter->setBrush(Qt::NoBrush);
        if (kind == QLatin1String("G"))
            m_painter->drawLine(QLineF(x1, y1, x2, y2));
        else
            m_painter->drawRect(QRectF(x1, y1, x2 - x1, y2 - y1));
    } else if (kind == QLatin1String("T")) {
        drawPlainText(tokens);
    } else if (kind == QLatin1String("TB") || kind == QLatin1String("DT")) {
        drawTextItem(tokens);
    }
}

void LayoutInterpreter::newPage()
{
    auto *device = dynamic_cast<QPagedPaintDevice *>(m_painter->device());
    if (!device) {
        qWarning() << "LayoutInterpreter: new page on a device without pages";
        return;
    }
    device->newPage();
    ++m_page;
}

QString LayoutInterpreter::withPageNumbers(QString text) const
{
    text.replace(QLatin1String("{pages}"), QString::number(m_pageCount));
    text.replace(QLatin1String("{page}"), QString::number(m_page));
    return text;
}

void LayoutInterpreter::drawPlainText(const QStringList &tokens)
{
    if (tokens.size() < PlainTextTokens) {
        qWarning() << "LayoutInterpreter: text skipped, too few tokens:" << tokens;
        return;
    }
    m_font.setPixelSize(12);
    m_painter->setFont(m_font);
    m_painter->drawText(QPointF(coordinate(tokens.at(1)), coordinate(tokens.at(2))), tokens.at(3));
}

void LayoutInterpreter::drawTextItem(const QStringList &tokens)
{
    if (tokens.size() < TextItemTokens) {
        qWarning() << "LayoutInterpreter: text item skipped, too few tokens:" << tokens;
        return;
    }
    QString text = tokens.at(4).trimmed();
    QString boundField;
    if (tokens.size() >= 10) {
        if (tokens.at(9).trimmed() == QLatin1String("d")) {
            if (tokens.size() < BoundTextTokens) {
                qWarning() << "LayoutInterpreter: bound item without a field name skipped:" << tokens;
                return;
            }
            boundField = tokens.at(10).trimmed();
            text = m_fields.value(boundField);
        }
    } else {
        text = updatedFooterText(text);
    }
    if (boundField.isEmpty())
        text = withPageNumbers(text);

    m_font.setWeight(tokens.at(6).trimmed() == QLatin1String("b") ? QFont::Bold : QFont::Normal);
    const int size = tokens.at(5).trimmed().toInt();
    if (size > 0)
        m_font.setPixelSize(size);
    m_painter->setFont(m_font);

    qreal x = coordinate(tokens.at(1));
    const qreal y = coordinate(tokens.at(2));
    if (boundField == CommentsField) {
        drawComments(QPointF(x, y), m_commentBoxes.value(m_commentPart));
        return;
    }
    if (text.isEmpty())
        return;

    // Token 3 is the width of the item's box, token 7 the lines it may take.
    QPaintDevice *device = m_painter->device();
    const FittedText fitted = fitText(text, m_font, coordinate(tokens.at(3)), qMax(1, tokens.at(7).trimmed().toInt()),
                                      device);
    QFont font = m_font;
    if (fitted.pixelSize > 0)
        font.setPixelSize(fitted.pixelSize);
    m_painter->setFont(font);
    const qreal spacing = QFontMetricsF(font, device).lineSpacing();
    const QString alignment = withoutWhiteSpace(tokens.at(8));
    for (int i = 0; i < fitted.lines.size(); ++i) {
        const QString &line = fitted.lines.at(i);
        const qreal width = textWidth(font, line, device);
        qreal lineX = x;
        if (alignment == QLatin1String("bc"))
            lineX -= width / 2;
        else if (alignment == QLatin1String("br"))
            lineX -= width;
        m_painter->drawText(QPointF(lineX, y - (fitted.lines.size() - 1 - i) * spacing), line);
    }
    // The item's own size carries on to the commands after it.
    m_painter->setFont(m_font);
}

// The lines planned for the box, each at its place: nothing stands
// half-cut or hidden under a clip in the PDF.
void LayoutInterpreter::drawComments(const QPointF &topLeft, const CommentBox &box)
{
    for (const CommentLine &planned : box) {
        QTextLayout layout(planned.text, m_font, m_painter->device());
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (line.isValid())
            line.setPosition(QPointF(0, planned.top));
        layout.endLayout();
        layout.draw(m_painter, topLeft);
    }
}
