#include "ExplorerChart.h"

#include <QCategoryAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const QColor CaseColour(0xd9, 0x5f, 0x0e);
// Longer than the pause between two keys of someone typing.
constexpr int SmoothingDelayMs = 400;

void showInLegend(QChart *chart, QAbstractSeries *series, bool shown)
{
    const QList<QLegendMarker *> markers = chart->legend()->markers(series);
    for (QLegendMarker *marker : markers)
        marker->setVisible(shown);
}

} // namespace

ExplorerChart::ExplorerChart(QWidget *parent)
    : QChartView(parent)
{
    setMouseTracking(true);
    // Smooth lines cost more than the rest of a redraw together: while the
    // curves change at every keystroke they are drawn plain, and smooth once
    // the typing pauses.
    m_smoothing.setSingleShot(true);
    m_smoothing.setInterval(SmoothingDelayMs);
    connect(&m_smoothing, &QTimer::timeout, this, [this] { setRenderHint(QPainter::Antialiasing, true); });
    setRenderHint(QPainter::Antialiasing, true);
    QChart *chart = this->chart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    // Square corners: the background is filled at every redraw, and a plain
    // rectangle fills fastest.
    chart->setBackgroundRoundness(0);

    m_x = new QValueAxis(this);
    m_x->setLabelFormat(QStringLiteral("%.0f"));
    m_y = new QValueAxis(this);
    m_y->setLabelFormat(QStringLiteral("%.0f"));
    m_marksAxis = new QCategoryAxis(this);
    m_marksAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // The axis only labels the marks: its grid would also line the plot's edges.
    m_marksAxis->setGridLineVisible(false);
    m_marksAxis->setLineVisible(false);
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    chart->addAxis(m_marksAxis, Qt::AlignTop);

    // The zero line carries the marks axis too: one series per pair of axes.
    m_zero = new QLineSeries(this);
    m_zero->setPen(QPen(Qt::black, 1));
    auto *marksCarrier = new QLineSeries(this);
    m_case = new QScatterSeries(this);
    m_case->setMarkerSize(13);
    m_case->setColor(CaseColour);
    m_case->setBorderColor(Qt::black);
    m_hover = new QScatterSeries(this);
    m_hover->setMarkerSize(9);
    m_hover->setColor(Qt::white);
    m_hover->setBorderColor(Qt::black);
    for (QXYSeries *series : {static_cast<QXYSeries *>(m_zero), static_cast<QXYSeries *>(marksCarrier),
                              static_cast<QXYSeries *>(m_case), static_cast<QXYSeries *>(m_hover)}) {
        chart->addSeries(series);
        series->attachAxis(series == marksCarrier ? m_marksAxis : m_x);
        series->attachAxis(m_y);
    }
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(m_zero), static_cast<QAbstractSeries *>(marksCarrier),
                                    static_cast<QAbstractSeries *>(m_hover)})
        showInLegend(chart, series, false);
    setHairlines(true);
}

// Thin lines as hairlines of one device pixel: the raster engine draws those
// some hundred times faster than the same line stroked as an outline, and a
// keystroke repaints every grid line behind the curve. On paper a hairline
// would be too faint, so output turns them back into strokes.
void ExplorerChart::setHairlines(bool hairlines)
{
    const auto thin = [hairlines](QPen pen) {
        pen.setCosmetic(hairlines);
        return pen;
    };
    for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(m_x), static_cast<QAbstractAxis *>(m_y),
                                static_cast<QAbstractAxis *>(m_marksAxis)}) {
        axis->setGridLinePen(thin(axis->gridLinePen()));
        axis->setLinePen(thin(axis->linePen()));
    }
    m_zero->setPen(thin(m_zero->pen()));
    QPen mark(QColor(0x80, 0x80, 0x80), hairlines ? 1 : 1.5, Qt::DashLine);
    mark.setCosmetic(hairlines);
    m_markPen = mark;
    for (QLineSeries *line : std::as_const(m_markLines))
        line->setPen(m_markPen);
}

int ExplorerChart::addStyle(const QString &legend, const QPen &pen)
{
    m_styles.append({legend, pen});
    return int(m_styles.size()) - 1;
}

void ExplorerChart::setTitles(const QString &chart, const QString &xAxis, const QString &yAxis)
{
    if (this->chart()->title() != chart)
        this->chart()->setTitle(chart);
    if (m_x->titleText() != xAxis)
        m_x->setTitleText(xAxis);
    if (m_y->titleText() != yAxis)
        m_y->setTitleText(yAxis);
}

QLineSeries *ExplorerChart::seriesAt(int index)
{
    if (m_series.size() > index)
        return m_series.at(index);
    while (m_series.size() <= index) {
        auto *series = new QLineSeries(this);
        chart()->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
        m_series.append(series);
        m_seriesStyle.append(-1);
    }
    keepPointsOnTop();
    return m_series.at(index);
}

// Series are drawn in the order they were added: the case's point and the
// mouse's go back on top of curves added after them.
void ExplorerChart::keepPointsOnTop()
{
    for (QScatterSeries *points : {m_case, m_hover}) {
        chart()->removeSeries(points);
        chart()->addSeries(points);
        points->attachAxis(m_x);
        points->attachAxis(m_y);
    }
    showInLegend(chart(), m_hover, false);
}

void ExplorerChart::applyStyle(QLineSeries *series, int style, bool inLegend)
{
    const int index = int(m_series.indexOf(series));
    // Encoded with the legend flag, so that an unchanged series is left alone.
    const int shown = style * 2 + (inLegend ? 1 : 0);
    if (m_seriesStyle.at(index) == shown)
        return;
    m_seriesStyle[index] = shown;
    series->setPen(m_styles.at(style).pen);
    series->setName(m_styles.at(style).legend);
    showInLegend(chart(), series, inLegend);
}

void ExplorerChart::setCurves(const QList<Curve> &curves)
{
    setRenderHint(QPainter::Antialiasing, false);
    m_smoothing.start();
    QList<bool> named(m_styles.size(), false);
    for (int i = 0; i < curves.size(); ++i) {
        const Curve &curve = curves.at(i);
        QLineSeries *series = seriesAt(i);
        applyStyle(series, curve.style, !named.at(curve.style));
        named[curve.style] = true;
        series->replace(curve.points);
        series->setVisible(true);
    }
    for (qsizetype i = curves.size(); i < m_series.size(); ++i) {
        if (m_series.at(i)->isVisible()) {
            m_series.at(i)->clear();
            m_series.at(i)->setVisible(false);
            showInLegend(chart(), m_series.at(i), false);
            m_seriesStyle[i] = -1;
        }
    }
}

void ExplorerChart::setMarks(const QList<Mark> &marks)
{
    if (marks == m_marks)
        return;
    m_marks = marks;
    const QStringList labels = m_marksAxis->categoriesLabels();
    for (const QString &label : labels)
        m_marksAxis->remove(label);
    for (const Mark &mark : marks)
        m_marksAxis->append(mark.label, mark.x);
    while (m_markLines.size() < marks.size()) {
        auto *line = new QLineSeries(this);
        line->setPen(m_markPen);
        chart()->addSeries(line);
        line->attachAxis(m_x);
        line->attachAxis(m_y);
        showInLegend(chart(), line, false);
        m_markLines.append(line);
        keepPointsOnTop();
    }
    placeMarkLines();
}

void ExplorerChart::placeMarkLines()
{
    for (qsizetype i = 0; i < m_markLines.size(); ++i) {
        if (i < m_marks.size())
            m_markLines.at(i)->replace(QList<QPointF>{{m_marks.at(i).x, m_y->min()}, {m_marks.at(i).x, m_y->max()}});
        else if (m_markLines.at(i)->count() > 0)
            m_markLines.at(i)->clear();
    }
}

void ExplorerChart::setMarkLabelAngle(int degrees)
{
    m_marksAxis->setLabelsAngle(degrees);
}

void ExplorerChart::setXTicks(qreal interval)
{
    m_x->setTickType(QValueAxis::TicksDynamic);
    m_x->setTickAnchor(0);
    m_x->setTickInterval(interval);
}

void ExplorerChart::setCasePoint(const QPointF &point, const QString &legend)
{
    if (m_case->count() == 1 && m_case->at(0) == point && m_case->name() == legend)
        return;
    m_case->replace(QList<QPointF>{point});
    m_case->setName(legend);
}

QPointF ExplorerChart::casePoint() const
{
    return m_case->count() == 1 ? m_case->at(0) : QPointF();
}

qreal ExplorerChart::niceStep(qreal rough)
{
    qreal power = 1;
    while (power * 10 <= rough)
        power *= 10;
    for (const qreal factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

// A new range lays every axis label out afresh, which costs more than the
// rest of a redraw: the y axis keeps its range while the curve fits it and
// fills at least half of it, so that typing moves the curve, not the scale.
void ExplorerChart::setRanges(qreal xMin, qreal xMax, qreal yMin, qreal yMax)
{
    if (m_x->min() != xMin || m_x->max() != xMax) {
        m_x->setRange(xMin, xMax);
        m_marksAxis->setStartValue(xMin);
        m_marksAxis->setRange(xMin, xMax);
        m_zero->replace(QList<QPointF>{{xMin, 0}, {xMax, 0}});
    }
    yMin = std::min<qreal>(yMin, 0);
    yMax = std::max<qreal>(yMax, 0);
    const qreal span = std::max<qreal>(yMax - yMin, 100);
    const qreal shown = m_y->max() - m_y->min();
    if (yMin < m_y->min() || yMax > m_y->max() || span * 2 < shown) {
        // Some eight lines across the plot at round amounts, and a quarter
        // of a line's room beyond the curve.
        const qreal step = niceStep(span / 8);
        const qreal low = std::floor((yMin - step / 4) / step) * step;
        const qreal high = std::ceil((yMax + step / 4) / step) * step;
        m_y->setTickCount(qRound((high - low) / step) + 1);
        m_y->setRange(low, high);
        placeMarkLines();
    }
}

QPoint ExplorerChart::viewPosition(const QPointF &value) const
{
    const QPointF inChart = chart()->mapToPosition(value, m_zero);
    return mapFromScene(chart()->mapToScene(inChart));
}

void ExplorerChart::showHover(const QPointF &point)
{
    m_hover->replace(QList<QPointF>{point});
}

void ExplorerChart::hideHover()
{
    if (m_hover->count() > 0)
        m_hover->clear();
}

void ExplorerChart::mouseMoveEvent(QMouseEvent *event)
{
    QChartView::mouseMoveEvent(event);
    const QPointF inChart = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    if (chart()->plotArea().contains(inChart))
        emit hovered(chart()->mapToValue(inChart, m_zero).x(), event->globalPosition().toPoint());
    else
        emit hoverLeft();
}

void ExplorerChart::leaveEvent(QEvent *event)
{
    QChartView::leaveEvent(event);
    emit hoverLeft();
}
