// Worksheet computations of OrvaDocument: lines 1 to 4, Worksheet A (sole
// custody), Worksheet B (shared custody) and the warnings. Court orders are
// set from these numbers, so the arithmetic follows the guideline program's
// conventions exactly: "round" converts to a 32-bit float and rounds to
// nearest with ties to even; "round3" keeps three decimals, halves away from
// zero; products of a share and an amount are formed in float.

#include "OrvaDocument.h"
#include "OrvaEnums.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <limits>

// The warnings' trace lines go to the debug log; the category check keeps
// their formatting off the hot path when debug output is switched off.
Q_LOGGING_CATEGORY(lcGuideline, "orva.guideline")

namespace {

constexpr qint64 AmountMax = std::numeric_limits<qint64>::max();
constexpr qint64 AmountMin = std::numeric_limits<qint64>::min();

// Amount arithmetic saturates instead of overflowing: amounts come from user
// input and case files, which may hold any 64-bit value.
qint64 add(qint64 a, qint64 b)
{
    if (b > 0 && a > AmountMax - b)
        return AmountMax;
    if (b < 0 && a < AmountMin - b)
        return AmountMin;
    return a + b;
}

qint64 sub(qint64 a, qint64 b)
{
    if (b < 0 && a > AmountMax + b)
        return AmountMax;
    if (b > 0 && a < AmountMin + b)
        return AmountMin;
    return a - b;
}

qint64 negate(qint64 a)
{
    return a == AmountMin ? AmountMax : -a;
}

// Whole number of a value already rounded, clamped into the 64-bit range.
template <typename Real>
qint64 toAmount(Real rounded)
{
    if (std::isnan(rounded))
        return 0;
    if (rounded >= Real(9.223372036854775807e18))
        return AmountMax;
    if (rounded <= Real(-9.223372036854775807e18))
        return AmountMin;
    return static_cast<qint64>(rounded);
}

// round: 32-bit float, nearest, ties to even (the default rounding mode).
qint64 roundFloat(float value)
{
    return toAmount(std::nearbyint(value));
}

// Three decimals of a fraction given in thousandths, halves away from zero.
float thousandthsToFraction(float thousandths)
{
    return std::round(thousandths) / 1000.0f;
}

// Income share of an adjusted income within the combined adjusted income.
float incomeShare(qint64 own, qint64 combined)
{
    if (combined <= 0 || own <= 0)
        return 0.0f;
    const float share = thousandthsToFraction(float(own) * 1000.0f / float(combined));
    return share > 1.0f ? 1.0f : share;
}

float timeShare(int overnights)
{
    return thousandthsToFraction(float(overnights) * 1000.0f / 365.0f);
}

OrvaDocument::Parent other(OrvaDocument::Parent parent)
{
    return parent == OrvaDocument::Mother ? OrvaDocument::Father : OrvaDocument::Mother;
}

// The schedule's obligation for `income` and `children` (1..6) under `mode`:
// the row at or above the income, the version's formula above its top.
qint64 basicObligationOf(int mode, qint64 income, int children)
{
    const bool july2022 = mode == OrvaDocument::July2022;
    const qint64 floor = july2022 ? 1200 : 1250;
    if (income < floor)
        income = floor;
    const qint64 limit = july2022 ? 30000 : 15000;
    if (income > limit) {
        // Above the schedule: the extrapolation formula of the version, on the
        // unrounded income.
        if (july2022) {
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
    const OrvaEnums::Schedule schedule = july2022 ? OrvaEnums::Second : OrvaEnums::First;
    return OrvaEnums::instance().row(schedule, income)[children - 1];
}

// Family Law § 12-201(c)(1)(iii) and (c)(2), § 12-204(a)(3): a parent's
// allowance for the other children living in the parent's home is 75 % of
// the basic obligation the schedule gives for those children together (one
// look-up for all of them, the worksheet's "#Children X.75"), on that
// parent's own actual income. Halves round up: an obligation of 702 gives 527.
qint64 multifamilyAllowance(int mode, qint64 actualIncome, int children)
{
    if (!OrvaDocument::hasMultifamilyAdjustment(mode) || children <= 0)
        return 0;
    const qint64 obligation =
        basicObligationOf(mode, actualIncome, std::min(children, OrvaDocument::MaxMultifamilyChildren));
    // floor(0.75 x B + 0.5) in whole numbers, without overflow for any B >= 0.
    static constexpr qint64 quarterRemainder[4] = {0, 1, 2, 2};
    return 3 * (obligation / 4) + quarterRemainder[obligation % 4];
}

} // namespace

// ---- Lines 1 to 4 ------------------------------------------------------------------

qint64 OrvaDocument::combinedIncome() const
{
    return add(m_motherMonthlyIncome, m_fatherMonthlyIncome);
}

qint64 OrvaDocument::motherMultifamilyAdjustment() const
{
    return multifamilyAllowance(m_mode, m_motherMonthlyIncome, m_motherMultifamilyChildren);
}

qint64 OrvaDocument::fatherMultifamilyAdjustment() const
{
    return multifamilyAllowance(m_mode, m_fatherMonthlyIncome, m_fatherMultifamilyChildren);
}

// Line 2: line 1 minus 1a and 1b, plus or minus 1c, minus 1d.
qint64 OrvaDocument::motherAdjustedActualIncome() const
{
    return sub(add(sub(sub(m_motherMonthlyIncome, m_motherExistingChildSupportPayment), m_motherAlimonyPaid),
                   m_motherAlimonyAwarded),
               motherMultifamilyAdjustment());
}

qint64 OrvaDocument::fatherAdjustedActualIncome() const
{
    return sub(add(sub(sub(m_fatherMonthlyIncome, m_fatherExistingChildSupportPayment), m_fatherAlimonyPaid),
                   m_fatherAlimonyAwarded),
               fatherMultifamilyAdjustment());
}

qint64 OrvaDocument::adjustedCombinedIncome() const
{
    return add(motherAdjustedActualIncome(), fatherAdjustedActualIncome());
}

float OrvaDocument::motherIncomeShare() const
{
    return incomeShare(motherAdjustedActualIncome(), adjustedCombinedIncome());
}

float OrvaDocument::fatherIncomeShare() const
{
    return incomeShare(fatherAdjustedActualIncome(), adjustedCombinedIncome());
}

int OrvaDocument::childCount() const
{
    // A name counts when something is left after trimming white space; checked
    // in place because this runs for nearly every worksheet line.
    const QString *names[6] = {&m_child1Name, &m_child2Name, &m_child3Name,
                               &m_child4Name, &m_child5Name, &m_child6Name};
    int count = 0;
    for (const QString *name : names) {
        for (const QChar c : *name) {
            if (!c.isSpace()) {
                ++count;
                break;
            }
        }
    }
    return count == 0 ? 1 : count;
}

qint64 OrvaDocument::extrapolationLimit() const
{
    return m_mode == July2022 ? 30000 : 15000;
}

qint64 OrvaDocument::basicObligation() const
{
    return basicObligationOf(m_mode, adjustedCombinedIncome(), childCount());
}

// ---- Expenses and Worksheet A ---------------------------------------------------------

static qint64 cashMedicalSupport(qint64 income, double percent)
{
    return toAmount(std::nearbyint(double(income) * percent * 0.01));
}

qint64 OrvaDocument::motherCashMedicalSupport() const
{
    return cashMedicalSupport(m_motherMonthlyIncome, m_motherCashMedicalPercent);
}

qint64 OrvaDocument::fatherCashMedicalSupport() const
{
    return cashMedicalSupport(m_fatherMonthlyIncome, m_fatherCashMedicalPercent);
}

qint64 OrvaDocument::expenseOf(Parent parent, ExpenseKind kind) const
{
    const bool mother = parent == Mother;
    switch (kind) {
    case WorkRelated: return mother ? m_motherWorkRelatedExpenses : m_fatherWorkRelatedExpenses;
    case HealthInsurance: return mother ? m_motherHealthInsurance : m_fatherHealthInsurance;
    case ExtraMedical: return mother ? m_motherExtraMedicalExpenses : m_fatherExtraMedicalExpenses;
    case CashMedical: return mother ? motherCashMedicalSupport() : fatherCashMedicalSupport();
    case Additional: return mother ? m_motherAdditionalExpenses : m_fatherAdditionalExpenses;
    }
    return 0;
}

qint64 OrvaDocument::expenseTotal(ExpenseKind kind) const
{
    return add(expenseOf(Mother, kind), expenseOf(Father, kind));
}

qint64 OrvaDocument::totalWorkRelatedExpenses() const { return expenseTotal(WorkRelated); }
qint64 OrvaDocument::totalHealthInsurance() const { return expenseTotal(HealthInsurance); }
qint64 OrvaDocument::totalExtraMedicalExpenses() const { return expenseTotal(ExtraMedical); }
qint64 OrvaDocument::totalCashMedicalSupport() const { return expenseTotal(CashMedical); }
qint64 OrvaDocument::totalAdditionalExpenses() const { return expenseTotal(Additional); }

qint64 OrvaDocument::totalChildSupportObligation() const
{
    qint64 total = basicObligation();
    for (ExpenseKind kind : {WorkRelated, HealthInsurance, ExtraMedical, CashMedical, Additional})
        total = add(total, expenseTotal(kind));
    return total;
}

qint64 OrvaDocument::incomeShareProduct(Parent parent, qint64 amount) const
{
    const float share = parent == Mother ? motherIncomeShare() : fatherIncomeShare();
    return roundFloat(share * float(amount));
}

qint64 OrvaDocument::motherObligation() const { return incomeShareProduct(Mother, totalChildSupportObligation()); }
qint64 OrvaDocument::fatherObligation() const { return incomeShareProduct(Father, totalChildSupportObligation()); }

// Expenses a parent pays directly; cash medical support is not among them.
qint64 OrvaDocument::motherDirectPayments() const
{
    return add(add(add(m_motherWorkRelatedExpenses, m_motherHealthInsurance), m_motherExtraMedicalExpenses),
               m_motherAdditionalExpenses);
}

qint64 OrvaDocument::fatherDirectPayments() const
{
    return add(add(add(m_fatherWorkRelatedExpenses, m_fatherHealthInsurance), m_fatherExtraMedicalExpenses),
               m_fatherAdditionalExpenses);
}

qint64 OrvaDocument::soleBasicSupportDue(Parent parent) const
{
    // Only the non-custodial parent owes line 7.
    const bool payer = (parent == Father && isSoleMotherCustody(m_custodyType))
                       || (parent == Mother && isSoleFatherCustody(m_custodyType));
    return payer ? incomeShareProduct(parent, totalChildSupportObligation()) : 0;
}

qint64 OrvaDocument::soleRecommendedChildSupport(Parent parent) const
{
    Parent payer;
    if (isSoleMotherCustody(m_custodyType))
        payer = Father;
    else if (isSoleFatherCustody(m_custodyType))
        payer = Mother;
    else
        return 0;
    const qint64 due = soleBasicSupportDue(payer);
    const qint64 direct = payer == Mother ? motherDirectPayments() : fatherDirectPayments();
    if (parent == payer)
        return due > direct ? sub(due, direct) : 0;
    // The paying parent already pays more directly than his whole obligation:
    // the custodial parent owes the difference.
    return direct > due ? sub(direct, due) : 0;
}

qint64 OrvaDocument::motherBasicSupportDue() const
{
    if (isSharedCustody(m_custodyType))
        return sharedBasicSupportDue(Mother);
    return soleBasicSupportDue(Mother);
}

qint64 OrvaDocument::fatherBasicSupportDue() const
{
    if (isSharedCustody(m_custodyType))
        return sharedBasicSupportDue(Father);
    return soleBasicSupportDue(Father);
}

qint64 OrvaDocument::motherRecommendedChildSupport() const
{
    if (isSharedCustody(m_custodyType))
        return sharedRecommendedChildSupport(Mother);
    return soleRecommendedChildSupport(Mother);
}

qint64 OrvaDocument::fatherRecommendedChildSupport() const
{
    if (isSharedCustody(m_custodyType))
        return sharedRecommendedChildSupport(Father);
    return soleRecommendedChildSupport(Father);
}

// ---- Worksheet B ---------------------------------------------------------------------------

qint64 OrvaDocument::sharedBasicObligation() const
{
    return roundFloat(float(basicObligation()) * 1.5f);
}

float OrvaDocument::motherTimeShare() const { return timeShare(m_motherOvernights); }
float OrvaDocument::fatherTimeShare() const { return timeShare(m_fatherOvernights); }

qint64 OrvaDocument::motherSharedObligation() const { return incomeShareProduct(Mother, sharedBasicObligation()); }
qint64 OrvaDocument::fatherSharedObligation() const { return incomeShareProduct(Father, sharedBasicObligation()); }

double OrvaDocument::overnightsFactor(int overnights) const
{
    if (m_mode != NewOct2020 && m_mode != July2022)
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

qint64 OrvaDocument::adjustedSharedObligation(Parent parent) const
{
    const float share = parent == Mother ? motherIncomeShare() : fatherIncomeShare();
    const int overnights = parent == Mother ? m_motherOvernights : m_fatherOvernights;
    const float product = share * float(sharedBasicObligation());
    return roundFloat(float(double(product) * (1.0 + overnightsFactor(overnights))));
}

qint64 OrvaDocument::motherAdjustedSharedObligation() const { return adjustedSharedObligation(Mother); }
qint64 OrvaDocument::fatherAdjustedSharedObligation() const { return adjustedSharedObligation(Father); }

qint64 OrvaDocument::motherSharedAdjustment() const
{
    return sub(motherAdjustedSharedObligation(), motherSharedObligation());
}

qint64 OrvaDocument::fatherSharedAdjustment() const
{
    return sub(fatherAdjustedSharedObligation(), fatherSharedObligation());
}

qint64 OrvaDocument::amountOwed(Parent parent) const
{
    // Each parent owes the other for the time the children spend with the
    // other; the time fraction is not rounded here.
    const int otherNights = parent == Mother ? m_fatherOvernights : m_motherOvernights;
    const float fraction = float(otherNights) / 365.0f;
    return roundFloat(float(adjustedSharedObligation(parent)) * fraction);
}

qint64 OrvaDocument::motherAmountOwed() const { return amountOwed(Mother); }
qint64 OrvaDocument::fatherAmountOwed() const { return amountOwed(Father); }

qint64 OrvaDocument::sharedBasicSupportDue(Parent parent) const
{
    const qint64 own = amountOwed(parent);
    const qint64 theirs = amountOwed(other(parent));
    return own > theirs ? sub(own, theirs) : 0;
}

qint64 OrvaDocument::expensePortion(Parent parent, ExpenseKind kind) const
{
    return incomeShareProduct(parent, expenseTotal(kind));
}

qint64 OrvaDocument::expenseExcess(Parent parent, ExpenseKind kind) const
{
    const qint64 paid = expenseOf(parent, kind);
    const qint64 portion = expensePortion(parent, kind);
    return paid >= portion ? sub(paid, portion) : 0;
}

qint64 OrvaDocument::cashMedicalCredit(Parent parent) const
{
    const float own = parent == Mother ? motherTimeShare() : fatherTimeShare();
    const float theirs = parent == Mother ? fatherTimeShare() : motherTimeShare();
    return own > theirs ? 0 : negate(expensePortion(parent, CashMedical));
}

qint64 OrvaDocument::expenseCredits(Parent parent) const
{
    qint64 credits = cashMedicalCredit(parent);
    for (ExpenseKind kind : {WorkRelated, HealthInsurance, ExtraMedical, Additional})
        credits = add(credits, expenseExcess(parent, kind));
    return credits;
}

qint64 OrvaDocument::expenseBalanceDue(Parent parent) const
{
    const qint64 motherCredits = expenseCredits(Mother);
    const qint64 fatherCredits = expenseCredits(Father);
    if (parent == Mother)
        return motherCredits < fatherCredits ? sub(fatherCredits, motherCredits) : 0;
    return motherCredits >= fatherCredits ? sub(motherCredits, fatherCredits) : 0;
}

qint64 OrvaDocument::sharedRecommendedChildSupport(Parent parent) const
{
    const qint64 due = sharedBasicSupportDue(parent);
    const qint64 balance = expenseBalanceDue(parent);
    const qint64 otherDue = sharedBasicSupportDue(other(parent));
    const qint64 otherBalance = expenseBalanceDue(other(parent));
    if (due > 0 && balance > 0)
        return add(due, balance);
    if (sub(due, otherBalance) > 0)
        return sub(due, otherBalance);
    if (sub(otherDue, balance) < 0)
        return sub(balance, otherDue);
    return 0;
}

// ---- Warnings ------------------------------------------------------------------------------

bool OrvaDocument::recommendedChildSupportWarning(Parent parent, qint64 &soleValue) const
{
    if (!isSharedCustody(m_custodyType) || m_mode == PreOct2020)
        return false;
    const qint64 recommended = sharedRecommendedChildSupport(parent);
    if (recommended <= 0)
        return false;
    // What this parent would pay as the paying parent of Worksheet A.
    const qint64 due = incomeShareProduct(parent, totalChildSupportObligation());
    const qint64 direct = parent == Mother ? motherDirectPayments() : fatherDirectPayments();
    soleValue = due > direct ? sub(due, direct) : 0;
    qCDebug(lcGuideline) << (parent == Mother ? "OrvaDocument::motherRecommendedChildSupportWarning"
                                  : "OrvaDocument::fatherRecommendedChildSupportWarning")
             << "soleValue:" << soleValue;
    return recommended > soleValue;
}

bool OrvaDocument::motherRecommendedChildSupportWarning(qint64 &soleValue) const
{
    return recommendedChildSupportWarning(Mother, soleValue);
}

bool OrvaDocument::fatherRecommendedChildSupportWarning(qint64 &soleValue) const
{
    return recommendedChildSupportWarning(Father, soleValue);
}

bool OrvaDocument::hasSharedAboveSoleWarning() const
{
    qint64 motherSole = 0;
    qint64 fatherSole = 0;
    return motherRecommendedChildSupportWarning(motherSole) || fatherRecommendedChildSupportWarning(fatherSole);
}

OrvaDocument::ExtrapolationCheck OrvaDocument::checkExtrapolation(bool quiet)
{
    const qint64 income = adjustedCombinedIncome();
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
