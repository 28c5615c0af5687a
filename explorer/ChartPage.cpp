#include "ChartPage.h"

#include "ExplorerChart.h"

#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr qreal OutputWidth = 1000;

} // namespace

namespace ExplorerDetail {

// One line of text, cut short with an ellipsis where it is too long. A new
// text repaints the line and nothing else: a label would ask for a new
// layout, and the tab widget repaints itself whole on every layout.
class Readout : public QWidget
{
public:
    explicit Readout(QWidget *parent)
        : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setAutoFillBackground(true);
    }

    QString text() const { return m_text; }
    void setText(const QString &text)
    {
        if (text == m_text)
            return;
        m_text = text;
        setToolTip(text);
        update();
    }

    QSize sizeHint() const override { return QSize(0, fontMetrics().height() + 6); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect line = rect().adjusted(2, 0, -2, 0);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(m_text, Qt::ElideRight, line.width()));
    }

private:
    QString m_text;
};

} // namespace ExplorerDetail

ChartPage::ChartPage(QWidget *parent)
    : ExplorerPage(parent)
{
    m_layout = new QVBoxLayout(this);
    m_chart = new ExplorerChart(this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setMinimumSize(480, 300);
    m_readout = new ExplorerDetail::Readout(this);
    m_readout->setObjectName(QStringLiteral("readout"));
    m_layout->addWidget(m_chart, 1);
    m_layout->addWidget(m_readout);
    connect(m_chart, &ExplorerChart::hovered, this, &ChartPage::hoverAt);
    connect(m_chart, &ExplorerChart::hoverLeft, this, &ChartPage::hoverEnded);
}

QString ChartPage::readout() const
{
    return m_readout->text();
}

void ChartPage::setCaseText(const QString &text)
{
    m_caseText = text;
    m_readout->setText(text);
}

void ChartPage::hoverAt(qreal x, const QPoint &globalPosition)
{
    QPointF point;
    QString text;
    if (!describe(x, &point, &text)) {
        hoverEnded();
        return;
    }
    m_chart->showHover(point);
    m_readout->setText(text);
    QToolTip::showText(globalPosition, text, m_chart);
}

void ChartPage::hoverEnded()
{
    m_chart->hideHover();
    m_readout->setText(m_caseText);
    QToolTip::hideText();
}

// The chart laid out afresh in the shape of `area`, at a width that gives
// the screen's text size about the size of print on paper.
void ChartPage::drawOutput(QPainter *painter, const QRectF &area)
{
    hoverEnded();
    if (area.isEmpty())
        return;
    QChart *chart = m_chart->chart();
    const QSizeF shown = chart->size();
    const qreal width = std::max<qreal>(OutputWidth, shown.width());
    const QSizeF laidOut(width, width * area.height() / area.width());
    chart->resize(laidOut);
    chart->layout()->activate();
    m_chart->setHairlines(false);
    m_chart->scene()->render(painter, area, QRectF(chart->pos(), laidOut));
    m_chart->setHairlines(true);
    chart->resize(shown);
    chart->layout()->activate();
}

QSize ChartPage::outputSize() const
{
    return m_chart->size();
}
