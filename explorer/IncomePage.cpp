#include "IncomePage.h"

#include "ExplorerChart.h"
#include "OrvaDocument.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

IncomePage::IncomePage(QWidget *parent)
    : ChartPage(parent)
{
    auto *row = new QHBoxLayout;
    auto *group = new QButtonGroup(this);
    for (int which = 0; which < 2; ++which) {
        m_switch[which] = new QRadioButton(this);
        m_switch[which]->setObjectName(which == 0 ? QStringLiteral("firstIncomeRadio")
                                                  : QStringLiteral("secondIncomeRadio"));
        group->addButton(m_switch[which], which);
        row->addWidget(m_switch[which]);
    }
    row->addStretch(1);
    m_switch[0]->setChecked(true);
    pageLayout()->insertLayout(0, row);
    connect(group, &QButtonGroup::idClicked, this, &IncomePage::setIncomeParent);
    m_style = chart()->addStyle(tr("Recommended order"), QPen(QColor(0x2c, 0x5c, 0xb8), 2.5));
}

void IncomePage::setIncomeParent(int parent)
{
    if (parent != 0 && parent != 1)
        return;
    m_switch[parent]->setChecked(true);
    if (parent == m_parent)
        return;
    m_parent = parent;
    showCase(m_case);
}

void IncomePage::showCase(const ExplorerCase &shown)
{
    m_case = shown;
    for (int which = 0; which < 2; ++which)
        m_switch[which]->setText(tr("%1's income").arg(shown.parents[which]));
    m_curve = SupportCurves::incomeCurve(shown.input, m_parent);

    ExplorerChart::Curve curve{m_style, {}};
    curve.points.reserve(m_curve.points.size());
    qreal low = 0;
    qreal high = 0;
    for (const SupportCurves::IncomePoint &point : std::as_const(m_curve.points)) {
        const qreal y = ExplorerCase::signedOrder(point.recommended);
        curve.points.append(QPointF(qreal(point.income), y));
        low = std::min(low, y);
        high = std::max(high, y);
    }
    ExplorerChart *view = chart();
    view->setCurves({curve});
    QList<ExplorerChart::Mark> marks;
    if (m_curve.scheduleTop >= 0) {
        const qint64 top = OrvaDocument::extrapolationLimitFor(shown.input.mode);
        marks.append(ExplorerChart::Mark{qreal(m_curve.scheduleTop), tr("Schedule top: %1 combined").arg(ExplorerCase::money(top))});
    }
    view->setMarks(marks);
    // To the next tick: the range, and with it every label, changes only
    // when the incomes pass one.
    const qreal from = qreal(m_curve.points.first().income);
    const qreal interval = ExplorerChart::niceStep((qreal(m_curve.points.last().income) - from) / 7);
    const qreal to = std::ceil(qreal(m_curve.points.last().income) / interval) * interval;
    view->setRanges(from, to, low, high);
    view->setXTicks(interval);
    const QString parentName = shown.parents[m_parent];
    view->setTitles(tr("Monthly order by %1's income").arg(parentName),
                    tr("%1's monthly income, $").arg(parentName),
                    tr("\u2190 %1 pays    %2 pays \u2192").arg(shown.parents[0], shown.parents[1]));

    const WorksheetLines lines = computeWorksheetLines(shown.input);
    const qint64 income = (m_parent == 0 ? shown.input.mother : shown.input.father).monthlyIncome;
    const qint64 recommended[2] = {lines.mother.recommendedChildSupport, lines.father.recommendedChildSupport};
    const QString caseText = tr("This case: %1's income %2, %3")
                                 .arg(parentName, ExplorerCase::money(income), shown.orderText(recommended));
    view->setCasePoint(QPointF(qreal(income), ExplorerCase::signedOrder(recommended)), tr("This case"));
    setCaseText(caseText);
}

bool IncomePage::describe(qreal x, QPointF *point, QString *text) const
{
    const QList<SupportCurves::IncomePoint> &points = m_curve.points;
    if (points.isEmpty())
        return false;
    // The nearest computed income.
    auto at = std::lower_bound(points.cbegin(), points.cend(), x,
                               [](const SupportCurves::IncomePoint &p, qreal value) { return qreal(p.income) < value; });
    if (at == points.cend() || (at != points.cbegin() && x - qreal((at - 1)->income) < qreal(at->income) - x))
        --at;
    *point = QPointF(qreal(at->income), ExplorerCase::signedOrder(at->recommended));
    *text = pointText(*at);
    return true;
}

QString IncomePage::pointText(const SupportCurves::IncomePoint &point) const
{
    QString text = tr("%1's income %2 a month: %3")
                       .arg(m_case.parents[m_parent], ExplorerCase::money(point.income), m_case.orderText(point.recommended));
    if (m_curve.scheduleTop >= 0 && point.income >= m_curve.scheduleTop)
        text += tr(" (above the schedule: extrapolated)");
    return text;
}
