#include "OvernightsPage.h"

#include "ExplorerChart.h"

#include <algorithm>

OvernightsPage::OvernightsPage(QWidget *parent)
    : ChartPage(parent)
{
    ExplorerChart *view = chart();
    m_soleStyle = view->addStyle(tr("Worksheet A"), QPen(QColor(0x1b, 0x9e, 0x77), 2.5));
    m_sharedStyle = view->addStyle(tr("Worksheet B"), QPen(QColor(0x2c, 0x5c, 0xb8), 2.5));
    m_capStyle = view->addStyle(tr("Sole cap"),
                                QPen(QColor(0xc0, 0x20, 0x20), 2, Qt::DashLine));
    view->setXTicks(50);
    // Upright, so that 92 and 110 stay apart on a narrow chart.
    view->setMarkLabelAngle(-90);
}

void OvernightsPage::showCase(const ExplorerCase &shown)
{
    m_case = shown;
    m_points = SupportCurves::overnightsCurve(shown.input);

    // A new curve wherever the worksheet changes, so that no line joins A
    // and B across a threshold; the cap only where it applies.
    QList<ExplorerChart::Curve> curves;
    QList<ExplorerChart::Curve> caps;
    qreal low = 0;
    qreal high = 0;
    for (int i = 0; i < m_points.size(); ++i) {
        const SupportCurves::OvernightsPoint &point = m_points.at(i);
        const qreal y = ExplorerCase::signedOrder(point.recommended);
        const int style = point.shared ? m_sharedStyle : m_soleStyle;
        const bool starts = i == 0 || m_points.at(i - 1).shared != point.shared;
        const bool ends = i + 1 == m_points.size() || m_points.at(i + 1).shared != point.shared;
        if (starts)
            curves.append(ExplorerChart::Curve{style, {}});
        // Worksheet A does not depend on the overnights: its ends draw it.
        if (point.shared || starts || ends)
            curves.last().points.append(QPointF(point.nights, y));
        low = std::min(low, y);
        high = std::max(high, y);
        if (point.aboveSole < 0)
            continue;
        qint64 sole[2] = {0, 0};
        sole[point.aboveSole] = point.soleAmount;
        if (i == 0 || m_points.at(i - 1).aboveSole != point.aboveSole)
            caps.append(ExplorerChart::Curve{m_capStyle, {}});
        caps.last().points.append(QPointF(point.nights, ExplorerCase::signedOrder(sole)));
    }

    ExplorerChart *view = chart();
    view->setCurves(curves + caps);
    QList<ExplorerChart::Mark> marks;
    const QList<int> thresholds = SupportCurves::thresholdNights(shown.input.mode);
    for (const int nights : thresholds)
        marks.append(ExplorerChart::Mark{qreal(nights), QString::number(nights)});
    view->setMarks(marks);
    view->setRanges(0, 365, low, high);
    view->setTitles(tr("Monthly order by %1's overnights").arg(shown.parents[1]),
                    tr("%1's overnights a year (%2 has the rest of 365)").arg(shown.parents[1], shown.parents[0]),
                    tr("\u2190 %1 pays    %2 pays \u2192").arg(shown.parents[0], shown.parents[1]));

    const int caseNights = std::clamp(shown.input.father.overnights, 0, 365);
    const WorksheetLines lines = computeWorksheetLines(shown.input);
    const qint64 recommended[2] = {lines.mother.recommendedChildSupport, lines.father.recommendedChildSupport};
    const QString caseText = tr("This case: %1 %2 nights, %3").arg(shown.parents[1]).arg(caseNights).arg(
        shown.orderText(recommended));
    view->setCasePoint(QPointF(caseNights, ExplorerCase::signedOrder(recommended)), tr("This case"));
    setCaseText(caseText);
}

bool OvernightsPage::describe(qreal x, QPointF *point, QString *text) const
{
    if (m_points.isEmpty())
        return false;
    const int nights = std::clamp(qRound(x), 0, int(m_points.size()) - 1);
    const SupportCurves::OvernightsPoint &at = m_points.at(nights);
    *point = QPointF(nights, ExplorerCase::signedOrder(at.recommended));
    *text = pointText(at);
    return true;
}

QString OvernightsPage::pointText(const SupportCurves::OvernightsPoint &point) const
{
    QString text = tr("%1 %2 nights, %3 %4: %5 (%6)")
                       .arg(m_case.parents[1])
                       .arg(point.nights)
                       .arg(m_case.parents[0])
                       .arg(365 - point.nights)
                       .arg(m_case.orderText(point.recommended),
                            point.shared ? tr("Worksheet B, shared custody") : tr("Worksheet A, sole custody"));
    if (point.aboveSole >= 0)
        text += tr("; above the sole-custody amount of %1").arg(ExplorerCase::money(point.soleAmount));
    return text;
}
