#include "ChartPage.h"

#include "ExplorerChart.h"

#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLabel>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr qreal OutputWidth = 1000;

} // namespace

ChartPage::ChartPage(QWidget *parent)
    : ExplorerPage(parent)
{
    m_layout = new QVBoxLayout(this);
    m_chart = new ExplorerChart(this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setMinimumSize(480, 300);
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("readout"));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long readout wraps instead of widening the window.
    m_readout->setWordWrap(true);
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
    m_chart->scene()->render(painter, area, QRectF(chart->pos(), laidOut));
    chart->resize(shown);
    chart->layout()->activate();
}

QSize ChartPage::outputSize() const
{
    return m_chart->size();
}
