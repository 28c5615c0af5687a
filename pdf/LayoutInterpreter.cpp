#include "LayoutInterpreter.h"

#include "OrvaDocument.h"

#include <QDebug>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

namespace {

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
    painter->setWindow(paperPoints.toRect());
    painter->setViewport(paperPixels);
    qDebug() << "PDF print: render hints:" << painter->renderHints();
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

void LayoutInterpreter::run(const QStringList &lines)
{
    m_painter->setPen(m_pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->setFont(m_font);
    for (const QString &line : lines)
        execute(line);
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

    m_font.setWeight(tokens.at(6).trimmed() == QLatin1String("b") ? QFont::Bold : QFont::Normal);
    const int size = tokens.at(5).trimmed().toInt();
    if (size > 0)
        m_font.setPixelSize(size);
    m_painter->setFont(m_font);

    qreal x = coordinate(tokens.at(1));
    const qreal y = coordinate(tokens.at(2));
    if (boundField == QLatin1String("comments")) {
        const qreal height = OrvaDocument::isSharedCustody(m_custodyType) ? SharedCommentsHeight : SoleCommentsHeight;
        drawComments(QRectF(x, y, CommentsWidth, height), text);
        return;
    }
    if (text.isEmpty())
        return;

    const qreal width = m_painter->boundingRect(QRectF(m_painter->window()), Qt::AlignCenter, text).width();
    const QString alignment = withoutWhiteSpace(tokens.at(8));
    if (alignment == QLatin1String("bc"))
        x -= width / 2;
    else if (alignment == QLatin1String("br"))
        x -= width;
    m_painter->drawText(QPointF(x, y), text);
}

// Word-wrapped into the box; a line that would reach below the box is left
// out together with everything after it, so no text stands half-cut or hidden
// under a clip in the PDF.
void LayoutInterpreter::drawComments(const QRectF &box, const QString &text)
{
    m_commentsCut = false;
    QString body = text;
    while (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    if (body.isEmpty())
        return;
    body.replace(QLatin1Char('\n'), QChar::LineSeparator);

    QTextLayout layout(body, m_font, m_painter->device());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(m_font, m_painter->device()).leading();

    QList<QTextLine> fitting;
    qreal top = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, top));
        if (top + line.height() > box.height() + 0.01) {
            m_commentsCut = !body.mid(line.textStart()).trimmed().isEmpty();
            break;
        }
        fitting << line;
        top += line.height() + qMax<qreal>(leading, 0);
    }
    layout.endLayout();

    for (const QTextLine &line : std::as_const(fitting))
        line.draw(m_painter, box.topLeft());
    if (m_commentsCut)
        qWarning() << "LayoutInterpreter: comments do not fit the box; lines left out from"
                   << fitting.size() + 1;
}
