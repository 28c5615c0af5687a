// The worksheet arithmetic in one pass.
#include "WorksheetLines.h"

#include "GuidelineRounding.h"
#include "OrvaDocument.h"
#include "OrvaEnums.h"

#include <QtNumeric>

#include <limits>

namespace {

constexpr qint64 AmountMax = std::numeric_limits<qint64>::max();
constexpr qint64 AmountMin = std::numeric_limits<qint64>::min();

// Amount arithmetic saturates instead of overflowing: amounts come from user
// input and case files, which may hold any 64-bit value.
inline qint64 add(qint64 a, qint64 b)
{
    qint64 sum;
    if (Q_UNLIKELY(qAddOverflow(a, b, &sum)))
        return b > 0 ? AmountMax : AmountMin;
    return sum;
}

inline qint64 sub(qint64 a, qint64 b)
{
    qint64 difference;
    if (Q_UNLIKELY(qSubOverflow(a, b, &difference)))
        return b < 0 ? AmountMax : AmountMin;
    return difference;
}

inline qint64 negate(qint64 a)
{
    return a == AmountMin ? AmountMax : -a;
}

} // namespace


namespace {

using GuidelineRounding::roundFloat;

constexpr int WorkRelatedKind = OrvaDocument::WorkRelated;
constexpr int HealthInsuranceKind = OrvaDocument::HealthInsurance;
constexpr int ExtraMedicalKind = OrvaDocument::ExtraMedical;
constexpr int CashMedicalKind = OrvaDocument::CashMedical;
constexpr int AdditionalKind = OrvaDocument::Additional;

// Three decimals of a fraction given in thousandths, halves away from zero.
inline float thousandthsToFraction(float thousandths)
{
    return GuidelineRounding::halfAwayFromZero(thousandths) / 1000.0f;
}

inline float incomeShareOf(qint64 own, qint64 combined)
{
    if (combined <= 0 || own <= 0)
        return 0.0f;
    const float share = thousandthsToFraction(float(own) * 1000.0f / float(combined));
    return share > 1.0f ? 1.0f : share;
}

inline float timeShareOf(int overnights)
{
    return thousandthsToFraction(float(overnights) * 1000.0f / 365.0f);
}

inline qint64 cashMedicalOf(qint64 income, double percent)
{
    return GuidelineRounding::toAmount(GuidelineRounding::nearestEven(double(income) * percent * 0.01));
}

// Overnights adjustment of the October 2020 and July 2022 guidelines.
inline double overnightsFactorOf(int mode, int overnights)
{
    if (mode != OrvaDocument::NewOct2020 && mode != OrvaDocument::July2022)
        return 0.0;
    if (overnights >= 92 && overnights <= 94)
        return 0.10;
    if (overnights >= 95 && overnights <= 98)
        return 0.08;
    if (overnights >= 99 && overnights <= 102)
        return 0.06;
    if (overnights >= 103 && overnights <= 105)
        return 0.04;
    if (overnights >= 106 && overnights <= 109)
        return 0.02;
    return 0.0;
}

qint64 basicObligationOf(int mode, qint64 adjustedCombined, int children, qint64 limit)
{
    qint64 income = adjustedCombined;
    const qint64 floor = mode == OrvaDocument::July2022 ? 1200 : 1250;
    if (income < floor)
        income = floor;
    if (income > limit) {
        // Above the schedule: the extrapolation formula of the version, on the
        // unrounded income.
        if (mode == OrvaDocument::July2022) {
            static constexpr float slope[6] = {0.0669f, 0.1054f, 0.1201f, 0.1342f, 0.1476f, 0.1605f};
            static constexpr double base[6] = {1156, 1434, 1653, 1845, 2030, 2205};
            const float product = slope[children - 1] * float(income);
            return roundFloat(float(double(product) + base[children - 1]));
        }
        static constexpr float percent[6] = {0.1295f, 0.18975f, 0.22525f, 0.25225f, 0.279143f, 0.304571f};
        return roundFloat(percent[children - 1] * float(income));
    }
    if (income % OrvaEnums::KeyStep != 0)
        income += OrvaEnums::KeyStep - income % OrvaEnums::KeyStep;
    const OrvaEnums::Schedule schedule = mode == OrvaDocument::July2022 ? OrvaEnums::Second : OrvaEnums::First;
    return OrvaEnums::instance().row(schedule, income)[children - 1];
}

// The amounts of one parent's own expenses, by kind.
inline void expensesOf(const WorksheetInput::Parent &in, qint64 cashMedical, qint64 (&out)[WorksheetLines::ExpenseKinds])
{
    out[WorkRelatedKind] = in.workRelatedExpenses;
    out[HealthInsuranceKind] = in.healthInsurance;
    out[ExtraMedicalKind] = in.extraMedicalExpenses;
    out[CashMedicalKind] = cashMedical;
    out[AdditionalKind] = in.additionalExpenses;
}

// Line 7 and 8 of Worksheet A for both parents.
void soleLines(int custody, WorksheetLines &w)
{
    WorksheetLines::Parent *payer = nullptr;
    WorksheetLines::Parent *custodial = nullptr;
    if (OrvaDocument::isSoleMotherCustody(custody)) {
        payer = &w.father;
        custodial = &w.mother;
    } else if (OrvaDocument::isSoleFatherCustody(custody)) {
        payer = &w.mother;
        custodial = &w.father;
    } else {
        return; // no such custody: nothing is due
    }
    // Only the non-custodial parent owes line 7.
    const qint64 due = payer->obligation;
    const qint64 direct = payer->directPayments;
    payer->basicSupportDue = due;
    payer->recommendedChildSupport = due > direct ? sub(due, direct) : 0;
    // The paying parent already pays more directly than his whole obligation:
    // the custodial parent owes the difference.
    custodial->recommendedChildSupport = direct > due ? sub(direct, due) : 0;
}

// Lines 5 to 14 of Worksheet B for both parents.
void sharedLines(const WorksheetInput &in, WorksheetLines &w)
{
    WorksheetLines::Parent *const parents[2] = {&w.mother, &w.father};
    const WorksheetInput::Parent *const inputs[2] = {&in.mother, &in.father};

    w.sharedBasicObligation = roundFloat(float(w.basicObligation) * 1.5f);
    for (int p = 0; p < 2; ++p) {
        WorksheetLines::Parent &lines = *parents[p];
        const float share = lines.incomeShare;
        lines.timeShare = timeShareOf(inputs[p]->overnights);
        lines.sharedObligation = roundFloat(share * float(w.sharedBasicObligation));
        const float product = share * float(w.sharedBasicObligation);
        const double factor = overnightsFactorOf(in.mode, inputs[p]->overnights);
        lines.adjustedSharedObligation = roundFloat(float(double(product) * (1.0 + factor)));
        lines.sharedAdjustment = sub(lines.adjustedSharedObligation, lines.sharedObligation);
        // Each parent owes the other for the time the children spend with the
        // other; the time fraction is not rounded here.
        const float fraction = float(inputs[1 - p]->overnights) / 365.0f;
        lines.amountOwed = roundFloat(float(lines.adjustedSharedObligation) * fraction);
    }

    for (int p = 0; p < 2; ++p) {
        WorksheetLines::Parent &lines = *parents[p];
        const WorksheetLines::Parent &other = *parents[1 - p];
        qint64 paid[WorksheetLines::ExpenseKinds];
        expensesOf(*inputs[p], lines.cashMedicalSupport, paid);
        for (int kind = 0; kind < WorksheetLines::ExpenseKinds; ++kind) {
            const qint64 portion = roundFloat(lines.incomeShare * float(w.expenseTotal[kind]));
            lines.expensePortion[kind] = portion;
            lines.expenseExcess[kind] = paid[kind] >= portion ? sub(paid[kind], portion) : 0;
        }
        lines.cashMedicalCredit = lines.timeShare > other.timeShare ? 0 : negate(lines.expensePortion[CashMedicalKind]);
        qint64 credits = lines.cashMedicalCredit;
        for (int kind : {WorkRelatedKind, HealthInsuranceKind, ExtraMedicalKind, AdditionalKind})
            credits = add(credits, lines.expenseExcess[kind]);
        lines.expenseCredits = credits;
    }

    const qint64 motherCredits = w.mother.expenseCredits;
    const qint64 fatherCredits = w.father.expenseCredits;
    w.mother.expenseBalanceDue = motherCredits < fatherCredits ? sub(fatherCredits, motherCredits) : 0;
    w.father.expenseBalanceDue = motherCredits >= fatherCredits ? sub(motherCredits, fatherCredits) : 0;
}

// Line 10 and 14 of Worksheet B.
void sharedDueAndRecommendation(WorksheetLines &w)
{
    WorksheetLines::Parent *const parents[2] = {&w.mother, &w.father};
    for (int p = 0; p < 2; ++p) {
        const qint64 own = parents[p]->amountOwed;
        const qint64 theirs = parents[1 - p]->amountOwed;
        parents[p]->basicSupportDue = own > theirs ? sub(own, theirs) : 0;
    }
    qint64 recommended[2];
    for (int p = 0; p < 2; ++p) {
        const qint64 due = parents[p]->basicSupportDue;
        const qint64 balance = parents[p]->expenseBalanceDue;
        const qint64 otherDue = parents[1 - p]->basicSupportDue;
        const qint64 otherBalance = parents[1 - p]->expenseBalanceDue;
        if (due > 0 && balance > 0)
            recommended[p] = add(due, balance);
        else if (sub(due, otherBalance) > 0)
            recommended[p] = sub(due, otherBalance);
        else if (sub(otherDue, balance) < 0)
            recommended[p] = sub(balance, otherDue);
        else
            recommended[p] = 0;
    }
    w.mother.recommendedChildSupport = recommended[0];
    w.father.recommendedChildSupport = recommended[1];
}

// What each parent would pay as the paying parent of Worksheet A, and whether
// the shared-custody recommendation exceeds it.
void sharedAboveSole(int mode, WorksheetLines::Parent &lines)
{
    if (mode == OrvaDocument::PreOct2020 || lines.recommendedChildSupport <= 0)
        return;
    lines.soleValueChecked = true;
    const qint64 due = lines.obligation;
    const qint64 direct = lines.directPayments;
    lines.soleValue = due > direct ? sub(due, direct) : 0;
    lines.sharedAboveSole = lines.recommendedChildSupport > lines.soleValue;
}

} // namespace

WorksheetLines computeWorksheetLines(const WorksheetInput &in)
{
    WorksheetLines w;
    const WorksheetInput::Parent *const inputs[2] = {&in.mother, &in.father};
    WorksheetLines::Parent *const parents[2] = {&w.mother, &w.father};

    // Lines 1 to 4.
    w.combinedIncome = add(in.mother.monthlyIncome, in.father.monthlyIncome);
    for (int p = 0; p < 2; ++p) {
        const WorksheetInput::Parent &parent = *inputs[p];
        parents[p]->adjustedActualIncome =
            add(sub(sub(parent.monthlyIncome, parent.existingChildSupportPayment), parent.alimonyPaid),
                parent.alimonyAwarded);
    }
    w.adjustedCombinedIncome = add(w.mother.adjustedActualIncome, w.father.adjustedActualIncome);
    for (int p = 0; p < 2; ++p)
        parents[p]->incomeShare = incomeShareOf(parents[p]->adjustedActualIncome, w.adjustedCombinedIncome);
    w.childCount = in.childCount;
    w.extrapolationLimit = in.mode == OrvaDocument::July2022 ? 30000 : 15000;
    w.basicObligation = basicObligationOf(in.mode, w.adjustedCombinedIncome, in.childCount, w.extrapolationLimit);

    // Expenses and Worksheet A.
    qint64 paid[2][WorksheetLines::ExpenseKinds];
    for (int p = 0; p < 2; ++p) {
        const WorksheetInput::Parent &parent = *inputs[p];
        parents[p]->cashMedicalSupport = cashMedicalOf(parent.monthlyIncome, parent.cashMedicalPercent);
        expensesOf(parent, parents[p]->cashMedicalSupport, paid[p]);
        // Cash medical support is not paid directly.
        parents[p]->directPayments =
            add(add(add(parent.workRelatedExpenses, parent.healthInsurance), parent.extraMedicalExpenses),
                parent.additionalExpenses);
    }
    qint64 total = w.basicObligation;
    for (int kind = 0; kind < WorksheetLines::ExpenseKinds; ++kind) {
        w.expenseTotal[kind] = add(paid[0][kind], paid[1][kind]);
        total = add(total, w.expenseTotal[kind]);
    }
    w.totalChildSupportObligation = total;
    for (int p = 0; p < 2; ++p)
        parents[p]->obligation = roundFloat(parents[p]->incomeShare * float(total));

    // Worksheet B lines are printed for shared custody only, but computed for
    // every case: the document's getters answer them whatever the custody.
    sharedLines(in, w);

    if (OrvaDocument::isSharedCustody(in.custodyType)) {
        sharedDueAndRecommendation(w);
        sharedAboveSole(in.mode, w.mother);
        sharedAboveSole(in.mode, w.father);
    } else {
        soleLines(in.custodyType, w);
    }
    return w;
}
