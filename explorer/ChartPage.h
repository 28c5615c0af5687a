#pragma once

#include "ExplorerPage.h"

class ExplorerChart;
class QVBoxLayout;

namespace ExplorerDetail {
class Readout;
}

// A tab with one chart and a line under it that reads out the point under
// the mouse, or the case's own point when the mouse is elsewhere.
class ChartPage : public ExplorerPage
{
    Q_OBJECT

public:
    explicit ChartPage(QWidget *parent = nullptr);

    ExplorerChart *chart() const { return m_chart; }
    QString readout() const;

    void drawOutput(QPainter *painter, const QRectF &area) override;
    QSize outputSize() const override;

protected:
    // The point of the curve nearest to `x` and what it means; false when
    // there is none.
    virtual bool describe(qreal x, QPointF *point, QString *text) const = 0;
    void setCaseText(const QString &text);
    QVBoxLayout *pageLayout() const { return m_layout; }

private:
    void hoverAt(qreal x, const QPoint &globalPosition);
    void hoverEnded();

    QVBoxLayout *m_layout = nullptr;
    ExplorerChart *m_chart = nullptr;
    ExplorerDetail::Readout *m_readout = nullptr;
    QString m_caseText;
};
