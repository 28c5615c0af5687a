#pragma once

#include <QChartView>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QString>
#include <QTimer>

class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// One chart of the explorer: curves of a few styles, labelled vertical marks
// along the top, the case's own point, and a point that follows the mouse.
// Series are kept and refilled, so that a redraw per keystroke stays cheap.
class ExplorerChart : public QChartView
{
    Q_OBJECT

public:
    struct Curve {
        int style = 0; // index into the styles added
        QList<QPointF> points;
    };
    struct Mark {
        qreal x = 0;
        QString label;
        bool operator==(const Mark &other) const { return x == other.x && label == other.label; }
    };

    explicit ExplorerChart(QWidget *parent = nullptr);

    // A style of curve; the legend names each style once.
    int addStyle(const QString &legend, const QPen &pen);

    void setTitles(const QString &chart, const QString &xAxis, const QString &yAxis);
    void setCurves(const QList<Curve> &curves);
    // Dashed vertical lines, labelled along the top.
    void setMarks(const QList<Mark> &marks);
    void setMarkLabelAngle(int degrees);
    // Ticks of the x axis at whole multiples of `interval`.
    void setXTicks(qreal interval);
    void setCasePoint(const QPointF &point, const QString &legend);
    // The x range as given; the y range widened to whole steps and to 0.
    void setRanges(qreal xMin, qreal xMax, qreal yMin, qreal yMax);
    // Thin lines drawn fast for the screen, or as strokes for output.
    void setHairlines(bool hairlines);
    // 1, 2 or 5 times a power of ten, at least `rough`.
    static qreal niceStep(qreal rough);

    void showHover(const QPointF &point);
    void hideHover();

    QPointF casePoint() const;
    QList<Mark> marks() const { return m_marks; }
    // Where a point of the chart's values lies in the view.
    QPoint viewPosition(const QPointF &value) const;

signals:
    // The mouse is over the plot at this x value; `globalPosition` is where.
    void hovered(qreal x, const QPoint &globalPosition);
    void hoverLeft();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Style {
        QString legend;
        QPen pen;
    };

    QLineSeries *seriesAt(int index);
    void applyStyle(QLineSeries *series, int style, bool inLegend);
    void placeMarkLines();
    void keepPointsOnTop();

    QValueAxis *m_x = nullptr;
    QValueAxis *m_y = nullptr;
    QCategoryAxis *m_marksAxis = nullptr;
    QLineSeries *m_zero = nullptr;
    QScatterSeries *m_case = nullptr;
    QScatterSeries *m_hover = nullptr;
    QList<Style> m_styles;
    QList<QLineSeries *> m_series;
    QList<int> m_seriesStyle; // style shown by each series, -1 when unused
    QList<Mark> m_marks;
    QList<QLineSeries *> m_markLines;
    QPen m_markPen;
    QTimer m_smoothing;
};
