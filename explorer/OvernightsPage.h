#pragma once

#include "ChartPage.h"
#include "SupportCurves.h"

// The order against the second parent's overnights, 0 to 365: Worksheet A
// below the shared threshold on either side, Worksheet B between, the
// thresholds marked, and the sole-custody amount where shared lies above it.
class OvernightsPage : public ChartPage
{
    Q_OBJECT

public:
    explicit OvernightsPage(QWidget *parent = nullptr);

    void showCase(const ExplorerCase &shown) override;

protected:
    bool describe(qreal x, QPointF *point, QString *text) const override;

private:
    QString pointText(const SupportCurves::OvernightsPoint &point) const;

    ExplorerCase m_case;
    QList<SupportCurves::OvernightsPoint> m_points;
    int m_soleStyle = 0;
    int m_sharedStyle = 0;
    int m_capStyle = 0;
};
