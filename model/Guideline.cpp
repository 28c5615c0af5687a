// Worksheet computations of OrvaDocument: lines 1 to 4, Worksheet A (sole
// custody), Worksheet B (shared custody) and the warnings. Court orders are
// set from these numbers, so the arithmetic follows the guideline program's
// conventions exactly: "round" converts to a 32-bit float and rounds to
// nearest with ties to even; "round3" keeps three decimals, halves away from
// zero; products of a share and an amount are formed in float. Under the
// July 2022 guidelines the lines follow the order and the instructions of
// the court's current forms (CC-DR-034 and CC-DR-035), which the court and
// the other side check a filed worksheet against.
//
// One function computes every line from the case's inputs into a plain
// struct. Each named operation of the document reads its line from a freshly
// computed struct; whoever shows or prints many lines computes it once.

#include "OrvaDocument.h"

#include "BirthDate.h"
#include "GuidelineRounding.h"
#include "OrvaEnums.h"
#include "WorksheetLines.h"

#include <QLoggingCategory>
#include <QtNumeric>

#include <algorithm>
#include <limits>

// The warnings' trace lines go to the debug log; the category check keeps
// their formatting off the hot path when debug output is switched off.
Q_LOGGING_CATEGORY(lcGuideline, "orva.guideline")

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

// The top of the version's schedule; above it the obligation is extrapolated.
inline qint64 extrapolationLimitOf(int mode)
{
    return mode == OrvaDocument::July2022 ? 30000 : 15000;
}

qint64 basicObligationOf(int mode, qint64 adjustedCombined, int children)
{
    qint64 income = adjustedCombined;
    const qint64 floor = mode == OrvaDocument::July2022 ? 1200 : 1250;
    if (income < floor)
        income = floor;
    if (income > extrapolationLimitOf(mode)) {
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

// Family Law § 12-201(c)(1)(iii) and (c)(2), § 12-204(a)(3): a parent's
// allowance for the other children living in the parent's home is 75 % of
// the basic obligation the schedule gives for those children together (one
// look-up for all of them, the worksheet's "#Children X.75"), on that
// parent's own actual income. This is that schedule amount, 0 without line 1d.
qint64 multifamilyBasicOf(int mode, qint64 actualIncome, int children)
{
    if (!OrvaDocument::hasMultifamilyAdjustment(mode) || children <= 0)
        return 0;
    return basicObligationOf(mode, actualIncome, std::min(children, OrvaDocument::MaxMultifamilyChildren));
}

// 75 % of the schedule amount; halves round up: 702 gives 527.
qint64 multifamilyAllowance(qint64 obligation)
{
    // floor(0.75 x B + 0.5) in whole numbers, without overflow for any B >= 0.
    static constexpr qint64 quarterRemainder[4] = {0, 1, 2, 2};
    return 3 * (obligation / 4) + quarterRemainder[obligation % 4];
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
    // Only the non-custodial parent owes line 7. Under July 2022 the direct
    // pay includes cash medical support, and the two amounts below are the
    // form's line 9: positive for the paying parent, negative (reimbursed by
    // the custodial parent) for the other.
    const qint64 due = payer->obligation;
    const qint64 direct = payer->directPayments;
    payer->basicSupportDue = due;
    payer->recommendedChildSupport = due > direct ? sub(due, direct) : 0;
    // The paying parent already pays more directly than his whole obligation:
    // the custodial parent owes the difference.
    custodial->recommendedChildSupport = direct > due ? sub(direct, due) : 0;
}

// Lines 9 to 11 of the July 2022 Worksheet B, in the form's order (Family
// Law § 12-204(m)(2)(ii)): the band rate raises the theoretical obligation
// for the time with the other parent, not the parent's share on line 8.
void theoreticalLines(WorksheetLines::Parent &lines, float otherTime, double factor)
{
    lines.adjustedSharedObligation = lines.sharedObligation;
    lines.theoreticalObligation = roundFloat(float(lines.sharedObligation) * otherTime);
    lines.sharedCustodyBand = factor > 0;
    lines.theoreticalAdjustment =
        lines.sharedCustodyBand ? roundFloat(float(double(lines.theoreticalObligation) * factor)) : 0;
    lines.adjustedTheoreticalObligation = add(lines.theoreticalObligation, lines.theoreticalAdjustment);
    lines.amountOwed = lines.adjustedTheoreticalObligation;
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
        const float product = share * float(w.sharedBasicObligation);
        lines.sharedObligation = roundFloat(product);
        const double factor = overnightsFactorOf(in.mode, inputs[p]->overnights);
        // Each parent owes the other for the time the children spend with the
        // other; the time fraction is not rounded here.
        const float fraction = float(inputs[1 - p]->overnights) / 365.0f;
        if (in.mode == OrvaDocument::July2022) {
            theoreticalLines(lines, fraction, factor);
            continue;
        }
        lines.adjustedSharedObligation = roundFloat(float(double(product) * (1.0 + factor)));
        lines.sharedAdjustment = sub(lines.adjustedSharedObligation, lines.sharedObligation);
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
        // The July 2022 form's line h is the excess paid, as b, d, f and j;
        // the older forms credit the parent with less time minus the portion.
        if (in.mode == OrvaDocument::July2022)
            lines.cashMedicalCredit = lines.expenseExcess[CashMedicalKind];
        else
            lines.cashMedicalCredit =
                lines.timeShare > other.timeShare ? 0 : negate(lines.expensePortion[CashMedicalKind]);
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
        parents[p]->multifamilyBasic = multifamilyBasicOf(in.mode, parent.monthlyIncome, parent.multifamilyChildren);
        parents[p]->multifamilyAdjustment = multifamilyAllowance(parents[p]->multifamilyBasic);
        // Line 2: line 1 minus 1a and 1b, plus or minus 1c, minus 1d.
        parents[p]->adjustedActualIncome =
            sub(add(sub(sub(parent.monthlyIncome, parent.existingChildSupportPayment), parent.alimonyPaid),
                    parent.alimonyAwarded),
                parents[p]->multifamilyAdjustment);
    }
    w.adjustedCombinedIncome = add(w.mother.adjustedActualIncome, w.father.adjustedActualIncome);
    for (int p = 0; p < 2; ++p)
        parents[p]->incomeShare = incomeShareOf(parents[p]->adjustedActualIncome, w.adjustedCombinedIncome);
    w.basicObligation = basicObligationOf(in.mode, w.adjustedCombinedIncome, in.childCount);

    // Expenses and Worksheet A.
    qint64 paid[2][WorksheetLines::ExpenseKinds];
    for (int p = 0; p < 2; ++p) {
        const WorksheetInput::Parent &parent = *inputs[p];
        parents[p]->cashMedicalSupport = cashMedicalOf(parent.monthlyIncome, parent.cashMedicalPercent);
        expensesOf(parent, parents[p]->cashMedicalSupport, paid[p]);
        // The older forms leave cash medical support out of the direct pay;
        // line 7 of the July 2022 form adds up lines 4a to 4e.
        parents[p]->directPayments =
            add(add(add(parent.workRelatedExpenses, parent.healthInsurance), parent.extraMedicalExpenses),
                parent.additionalExpenses);
        if (in.mode == OrvaDocument::July2022)
            parents[p]->directPayments = add(parents[p]->directPayments, parents[p]->cashMedicalSupport);
    }
    qint64 total = w.basicObligation;
    for (int kind = 0; kind < WorksheetLines::ExpenseKinds; ++kind) {
        w.expenseTotal[kind] = add(paid[0][kind], paid[1][kind]);
        total = add(total, w.expenseTotal[kind]);
    }
    w.totalChildSupportObligation = total;
    for (int p = 0; p < 2; ++p) {
        parents[p]->obligation = roundFloat(parents[p]->incomeShare * float(total));
        parents[p]->obligationLessDirectPay = sub(parents[p]->obligation, parents[p]->directPayments);
    }

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

// ---- The case's inputs ---------------------------------------------------------------

int OrvaDocument::childCount() const
{
    // A child counts when its name holds something besides white space, or
    // its birth date reads as a date or an age: a birth date alone is a child
    // too, text that is neither is not. Names are checked in place, without
    // a trimmed copy, as it runs for every computed worksheet.
    const QString *details[6][2] = {{&m_child1Name, &m_child1BirthDate}, {&m_child2Name, &m_child2BirthDate},
                                    {&m_child3Name, &m_child3BirthDate}, {&m_child4Name, &m_child4BirthDate},
                                    {&m_child5Name, &m_child5BirthDate}, {&m_child6Name, &m_child6BirthDate}};
    const auto filled = [](const QString *text) {
        for (const QChar c : *text) {
            if (!c.isSpace())
                return true;
        }
        return false;
    };
    int count = 0;
    for (const auto &child : details) {
        if (filled(child[0]) || (filled(child[1]) && BirthDate::isReadable(*child[1])))
            ++count;
    }
    return count == 0 ? 1 : count;
}

WorksheetInput OrvaDocument::worksheetInput() const
{
    WorksheetInput input;
    input.mode = m_mode;
    input.custodyType = m_custodyType;
    input.childCount = childCount();
    input.mother = {m_motherMonthlyIncome,       m_motherExistingChildSupportPayment, m_motherAlimonyPaid,
                    m_motherAlimonyAwarded,      m_motherOvernights,                  m_motherWorkRelatedExpenses,
                    m_motherHealthInsurance,     m_motherExtraMedicalExpenses,        m_motherCashMedicalPercent,
                    m_motherAdditionalExpenses};
    input.father = {m_fatherMonthlyIncome,       m_fatherExistingChildSupportPayment, m_fatherAlimonyPaid,
                    m_fatherAlimonyAwarded,      m_fatherOvernights,                  m_fatherWorkRelatedExpenses,
                    m_fatherHealthInsurance,     m_fatherExtraMedicalExpenses,        m_fatherCashMedicalPercent,
                    m_fatherAdditionalExpenses};
    input.mother.multifamilyChildren = m_motherMultifamilyChildren;
    input.father.multifamilyChildren = m_fatherMultifamilyChildren;
    return input;
}

// ---- Lines 1 to 4 ------------------------------------------------------------------

qint64 OrvaDocument::combinedIncome() const { return worksheet().combinedIncome; }
qint64 OrvaDocument::motherMultifamilyAdjustment() const { return worksheet().mother.multifamilyAdjustment; }
qint64 OrvaDocument::fatherMultifamilyAdjustment() const { return worksheet().father.multifamilyAdjustment; }
qint64 OrvaDocument::motherAdjustedActualIncome() const { return worksheet().mother.adjustedActualIncome; }
qint64 OrvaDocument::fatherAdjustedActualIncome() const { return worksheet().father.adjustedActualIncome; }
qint64 OrvaDocument::adjustedCombinedIncome() const { return worksheet().adjustedCombinedIncome; }
float OrvaDocument::motherIncomeShare() const { return worksheet().mother.incomeShare; }
float OrvaDocument::fatherIncomeShare() const { return worksheet().father.incomeShare; }
qint64 OrvaDocument::basicObligation() const { return worksheet().basicObligation; }

qint64 OrvaDocument::extrapolationLimit() const
{
    return extrapolationLimitOf(m_mode);
}

qint64 OrvaDocument::extrapolationLimitFor(int mode)
{
    return extrapolationLimitOf(mode);
}

// ---- Expenses and Worksheet A ---------------------------------------------------------

qint64 OrvaDocument::motherCashMedicalSupport() const { return worksheet().mother.cashMedicalSupport; }
qint64 OrvaDocument::fatherCashMedicalSupport() const { return worksheet().father.cashMedicalSupport; }
qint64 OrvaDocument::totalWorkRelatedExpenses() const { return worksheet().expenseTotal[WorkRelated]; }
qint64 OrvaDocument::totalHealthInsurance() const { return worksheet().expenseTotal[HealthInsurance]; }
qint64 OrvaDocument::totalExtraMedicalExpenses() const { return worksheet().expenseTotal[ExtraMedical]; }
qint64 OrvaDocument::totalCashMedicalSupport() const { return worksheet().expenseTotal[CashMedical]; }
qint64 OrvaDocument::totalAdditionalExpenses() const { return worksheet().expenseTotal[Additional]; }
qint64 OrvaDocument::totalChildSupportObligation() const { return worksheet().totalChildSupportObligation; }
qint64 OrvaDocument::motherObligation() const { return worksheet().mother.obligation; }
qint64 OrvaDocument::fatherObligation() const { return worksheet().father.obligation; }
qint64 OrvaDocument::motherDirectPayments() const { return worksheet().mother.directPayments; }
qint64 OrvaDocument::fatherDirectPayments() const { return worksheet().father.directPayments; }
qint64 OrvaDocument::motherBasicSupportDue() const { return worksheet().mother.basicSupportDue; }
qint64 OrvaDocument::fatherBasicSupportDue() const { return worksheet().father.basicSupportDue; }
qint64 OrvaDocument::motherRecommendedChildSupport() const { return worksheet().mother.recommendedChildSupport; }
qint64 OrvaDocument::fatherRecommendedChildSupport() const { return worksheet().father.recommendedChildSupport; }

// ---- Worksheet B ---------------------------------------------------------------------------

qint64 OrvaDocument::sharedBasicObligation() const { return worksheet().sharedBasicObligation; }
float OrvaDocument::motherTimeShare() const { return worksheet().mother.timeShare; }
float OrvaDocument::fatherTimeShare() const { return worksheet().father.timeShare; }
qint64 OrvaDocument::motherSharedObligation() const { return worksheet().mother.sharedObligation; }
qint64 OrvaDocument::fatherSharedObligation() const { return worksheet().father.sharedObligation; }
qint64 OrvaDocument::motherSharedAdjustment() const { return worksheet().mother.sharedAdjustment; }
qint64 OrvaDocument::fatherSharedAdjustment() const { return worksheet().father.sharedAdjustment; }
qint64 OrvaDocument::motherAdjustedSharedObligation() const { return worksheet().mother.adjustedSharedObligation; }
qint64 OrvaDocument::fatherAdjustedSharedObligation() const { return worksheet().father.adjustedSharedObligation; }
qint64 OrvaDocument::motherAmountOwed() const { return worksheet().mother.amountOwed; }
qint64 OrvaDocument::fatherAmountOwed() const { return worksheet().father.amountOwed; }

double OrvaDocument::overnightsFactor(int overnights) const
{
    return overnightsFactorOf(m_mode, overnights);
}

// A kind outside the five has no expenses: portion and excess are 0.
qint64 OrvaDocument::expensePortion(Parent parent, ExpenseKind kind) const
{
    if (kind < 0 || kind >= WorksheetLines::ExpenseKinds)
        return 0;
    return worksheet().parent(parent).expensePortion[kind];
}

qint64 OrvaDocument::expenseExcess(Parent parent, ExpenseKind kind) const
{
    if (kind < 0 || kind >= WorksheetLines::ExpenseKinds)
        return 0;
    return worksheet().parent(parent).expenseExcess[kind];
}

qint64 OrvaDocument::cashMedicalCredit(Parent parent) const { return worksheet().parent(parent).cashMedicalCredit; }
qint64 OrvaDocument::expenseCredits(Parent parent) const { return worksheet().parent(parent).expenseCredits; }
qint64 OrvaDocument::expenseBalanceDue(Parent parent) const { return worksheet().parent(parent).expenseBalanceDue; }

// ---- Warnings ------------------------------------------------------------------------------

bool OrvaDocument::sharedAboveSoleWarning(const WorksheetLines &lines, Parent parent, qint64 &soleValue)
{
    const WorksheetLines::Parent &own = lines.parent(parent);
    if (!own.soleValueChecked)
        return false;
    soleValue = own.soleValue;
    qCDebug(lcGuideline) << (parent == Mother ? "OrvaDocument::motherRecommendedChildSupportWarning"
                                              : "OrvaDocument::fatherRecommendedChildSupportWarning")
                         << "soleValue:" << soleValue;
    return own.sharedAboveSole;
}

bool OrvaDocument::motherRecommendedChildSupportWarning(qint64 &soleValue) const
{
    return sharedAboveSoleWarning(worksheet(), Mother, soleValue);
}

bool OrvaDocument::fatherRecommendedChildSupportWarning(qint64 &soleValue) const
{
    return sharedAboveSoleWarning(worksheet(), Father, soleValue);
}

bool OrvaDocument::hasSharedAboveSoleWarning() const
{
    const WorksheetLines lines = worksheet();
    qint64 motherSole = 0;
    qint64 fatherSole = 0;
    return sharedAboveSoleWarning(lines, Mother, motherSole) || sharedAboveSoleWarning(lines, Father, fatherSole);
}

OrvaDocument::ExtrapolationCheck OrvaDocument::checkExtrapolation(bool quiet)
{
    return checkExtrapolation(quiet, worksheet());
}

OrvaDocument::ExtrapolationCheck OrvaDocument::checkExtrapolation(bool quiet, const WorksheetLines &lines)
{
    const qint64 income = lines.adjustedCombinedIncome;
    if (income == m_lastCheckedAdjustedCombinedIncome)
        return ExtrapolationNoChange;
    m_lastCheckedAdjustedCombinedIncome = income;
    if (income <= extrapolationLimit())
        return ExtrapolationWithinLimit;
    if (m_extrapolationWarnedModes.contains(m_mode) || quiet)
        return ExtrapolationHighlight;
    m_extrapolationWarnedModes.insert(m_mode);
    return ExtrapolationWarn;
}

QString OrvaDocument::extrapolationWarningText(Mode mode)
{
    if (mode == July2022)
        return QStringLiteral("The amount of income exceeds $30,000 for guideline purposes and utilizes an "
                              "extrapolation calculation over that amount.");
    return QStringLiteral("The amount of income exceeds $15,000 for guideline purposes and utilizes an "
                          "extrapolation calculation over that amount.");
}

QString OrvaDocument::sharedAboveSoleNoticeText()
{
    return QStringLiteral("Under the statute this calculation\nis greater than sole guidelines");
}

QString OrvaDocument::sharedAboveSoleQuestionText()
{
    return QStringLiteral("There are instances when running shared custody guidelines the amount of recommended "
                          "support could be greater than sole guidelines.\n\nIt is recommended you run sole "
                          "guidelines worksheet \"A\" to verify support numbers.\n\nFurther information may be "
                          "found in the Statute");
}
