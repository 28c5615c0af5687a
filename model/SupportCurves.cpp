#include "SupportCurves.h"

#include "OrvaDocument.h"

#include <algorithm>

namespace {

constexpr int YearNights = 365;
// The overnights adjustment of October 2020 and July 2022 ends here.
constexpr int AdjustmentEnd = 110;
constexpr qint64 LowestTop = 35000;
constexpr int IncomeSteps = 200;
// Whole steps of this many dollars keep the incomes readable.
constexpr qint64 StepUnit = 25;
// Far beyond any income; keeps the range arithmetic away from overflow with
// whatever a case file holds.
constexpr qint64 HighestTop = qint64(1) << 50;

bool hasLaterRange(int mode)
{
    return mode == OrvaDocument::NewOct2020 || mode == OrvaDocument::July2022;
}

// The custody types the case's own labels go with (Mother/Father or Parent 1/2).
bool usesParentNumbers(int custody)
{
    return custody == OrvaDocument::SharedP1P2 || custody == OrvaDocument::SoleParent1
           || custody == OrvaDocument::SoleParent2;
}

qint64 aboveScheduleFrom(const WorksheetInput &input, int parent, qint64 from, qint64 to)
{
    const qint64 limit = OrvaDocument::extrapolationLimitFor(input.mode);
    const auto above = [&](qint64 income) {
        return computeWorksheetLines(SupportCurves::withIncome(input, parent, income)).adjustedCombinedIncome > limit;
    };
    if (above(from) || !above(to))
        return -1;
    while (to - from > 1) {
        const qint64 middle = from + (to - from) / 2;
        if (above(middle))
            to = middle;
        else
            from = middle;
    }
    return to;
}

} // namespace

namespace SupportCurves {

int sharedThreshold(int mode)
{
    return hasLaterRange(mode) ? 92 : 128;
}

QList<int> thresholdNights(int mode)
{
    const int threshold = sharedThreshold(mode);
    if (!hasLaterRange(mode))
        return {threshold, YearNights - threshold};
    return {threshold, AdjustmentEnd, YearNights - AdjustmentEnd, YearNights - threshold};
}

WorksheetInput withOvernights(const WorksheetInput &input, int nights)
{
    WorksheetInput at = input;
    const int second = std::clamp(nights, 0, YearNights);
    const int threshold = sharedThreshold(input.mode);
    const bool numbered = usesParentNumbers(input.custodyType);
    if (second < threshold) {
        at.custodyType = numbered ? OrvaDocument::SoleParent1 : OrvaDocument::SoleMother;
        at.mother.overnights = YearNights;
        at.father.overnights = 0;
    } else if (YearNights - second < threshold) {
        at.custodyType = numbered ? OrvaDocument::SoleParent2 : OrvaDocument::SoleFather;
        at.mother.overnights = 0;
        at.father.overnights = YearNights;
    } else {
        at.custodyType = numbered ? OrvaDocument::SharedP1P2 : OrvaDocument::Shared;
        at.mother.overnights = YearNights - second;
        at.father.overnights = second;
    }
    return at;
}

WorksheetInput withIncome(const WorksheetInput &input, int parent, qint64 income)
{
    WorksheetInput at = input;
    (parent == 0 ? at.mother : at.father).monthlyIncome = income;
    return at;
}

QList<OvernightsPoint> overnightsCurve(const WorksheetInput &input)
{
    QList<OvernightsPoint> curve;
    curve.reserve(YearNights + 1);
    for (int nights = 0; nights <= YearNights; ++nights) {
        const WorksheetInput at = withOvernights(input, nights);
        const WorksheetLines lines = computeWorksheetLines(at);
        OvernightsPoint point;
        point.nights = nights;
        point.shared = OrvaDocument::isSharedCustody(at.custodyType);
        for (int parent = 0; parent < 2; ++parent) {
            const WorksheetLines::Parent &own = lines.parent(parent);
            point.recommended[parent] = own.recommendedChildSupport;
            if (own.sharedAboveSole) {
                point.aboveSole = parent;
                point.soleAmount = own.soleValue;
            }
        }
        curve.append(point);
    }
    return curve;
}

IncomeCurve incomeCurve(const WorksheetInput &input, int parent)
{
    const qint64 larger = std::clamp<qint64>(std::max(input.mother.monthlyIncome, input.father.monthlyIncome), 0,
                                             HighestTop / 2);
    const qint64 top = std::max(2 * larger, LowestTop);
    const qint64 step = ((top + IncomeSteps - 1) / IncomeSteps + StepUnit - 1) / StepUnit * StepUnit;

    QList<qint64> incomes;
    for (qint64 income = 0; income < top + step; income += step)
        incomes.append(income);
    const qint64 own = (parent == 0 ? input.mother : input.father).monthlyIncome;
    const auto at = std::lower_bound(incomes.begin(), incomes.end(), own);
    if (at == incomes.end() || *at != own)
        incomes.insert(at, own);

    IncomeCurve curve;
    curve.points.reserve(incomes.size());
    for (const qint64 income : std::as_const(incomes)) {
        const WorksheetLines lines = computeWorksheetLines(withIncome(input, parent, income));
        curve.points.append(IncomePoint{income, {lines.mother.recommendedChildSupport, lines.father.recommendedChildSupport}});
    }
    curve.scheduleTop = aboveScheduleFrom(input, parent, std::max(incomes.first(), -HighestTop),
                                          std::min(incomes.last(), HighestTop));
    return curve;
}

} // namespace SupportCurves
