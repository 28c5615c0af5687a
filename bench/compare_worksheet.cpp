// Temporary: the one-pass worksheet against the getters it replaces, on the
// benchmark's cases and on hostile values, bit for bit; and the inline
// rounding helpers against the C library over every float.
#include "GuidelineRounding.h"
#include "OrvaDocument.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

using D = OrvaDocument;
long long g_compared = 0;
long long g_failed = 0;

template <typename T>
bool same(T a, T b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
void check(const D &d, const char *what, T old, T now)
{
    ++g_compared;
    if (same(old, now))
        return;
    if (++g_failed < 30)
        std::printf("MISMATCH %s: old %.17g new %.17g (mode %d custody %d inc %lld/%lld)\n", what, double(old),
                    double(now), int(d.mode()), int(d.custodyType()), (long long)d.motherMonthlyIncome(),
                    (long long)d.fatherMonthlyIncome());
}

void compare(const D &d)
{
    const WorksheetLines w = d.worksheet();
    check(d, "combined", d.combinedIncome(), w.combinedIncome);
    check(d, "adjM", d.motherAdjustedActualIncome(), w.mother.adjustedActualIncome);
    check(d, "adjF", d.fatherAdjustedActualIncome(), w.father.adjustedActualIncome);
    check(d, "adjC", d.adjustedCombinedIncome(), w.adjustedCombinedIncome);
    check(d, "shareM", d.motherIncomeShare(), w.mother.incomeShare);
    check(d, "shareF", d.fatherIncomeShare(), w.father.incomeShare);
    check(d, "children", d.childCount(), w.childCount);
    check(d, "limit", d.extrapolationLimit(), w.extrapolationLimit);
    check(d, "basic", d.basicObligation(), w.basicObligation);
    check(d, "cashM", d.motherCashMedicalSupport(), w.mother.cashMedicalSupport);
    check(d, "cashF", d.fatherCashMedicalSupport(), w.father.cashMedicalSupport);
    check(d, "t4a", d.totalWorkRelatedExpenses(), w.expenseTotal[D::WorkRelated]);
    check(d, "t4b", d.totalHealthInsurance(), w.expenseTotal[D::HealthInsurance]);
    check(d, "t4c", d.totalExtraMedicalExpenses(), w.expenseTotal[D::ExtraMedical]);
    check(d, "t4d", d.totalCashMedicalSupport(), w.expenseTotal[D::CashMedical]);
    check(d, "t4e", d.totalAdditionalExpenses(), w.expenseTotal[D::Additional]);
    check(d, "total", d.totalChildSupportObligation(), w.totalChildSupportObligation);
    check(d, "oblM", d.motherObligation(), w.mother.obligation);
    check(d, "oblF", d.fatherObligation(), w.father.obligation);
    check(d, "directM", d.motherDirectPayments(), w.mother.directPayments);
    check(d, "directF", d.fatherDirectPayments(), w.father.directPayments);
    check(d, "dueM", d.motherBasicSupportDue(), w.mother.basicSupportDue);
    check(d, "dueF", d.fatherBasicSupportDue(), w.father.basicSupportDue);
    check(d, "recM", d.motherRecommendedChildSupport(), w.mother.recommendedChildSupport);
    check(d, "recF", d.fatherRecommendedChildSupport(), w.father.recommendedChildSupport);
    check(d, "sharedBasic", d.sharedBasicObligation(), w.sharedBasicObligation);
    check(d, "timeM", d.motherTimeShare(), w.mother.timeShare);
    check(d, "timeF", d.fatherTimeShare(), w.father.timeShare);
    check(d, "sharedM", d.motherSharedObligation(), w.mother.sharedObligation);
    check(d, "sharedF", d.fatherSharedObligation(), w.father.sharedObligation);
    check(d, "addM", d.motherSharedAdjustment(), w.mother.sharedAdjustment);
    check(d, "addF", d.fatherSharedAdjustment(), w.father.sharedAdjustment);
    check(d, "adjSharedM", d.motherAdjustedSharedObligation(), w.mother.adjustedSharedObligation);
    check(d, "adjSharedF", d.fatherAdjustedSharedObligation(), w.father.adjustedSharedObligation);
    check(d, "owedM", d.motherAmountOwed(), w.mother.amountOwed);
    check(d, "owedF", d.fatherAmountOwed(), w.father.amountOwed);
    for (D::Parent p : {D::Mother, D::Father}) {
        const WorksheetLines::Parent &lines = w.parent(p);
        for (D::ExpenseKind k : {D::WorkRelated, D::HealthInsurance, D::ExtraMedical, D::CashMedical, D::Additional}) {
            check(d, "portion", d.expensePortion(p, k), lines.expensePortion[k]);
            check(d, "excess", d.expenseExcess(p, k), lines.expenseExcess[k]);
        }
        check(d, "H", d.cashMedicalCredit(p), lines.cashMedicalCredit);
        check(d, "K", d.expenseCredits(p), lines.expenseCredits);
        check(d, "L", d.expenseBalanceDue(p), lines.expenseBalanceDue);
        check(d, "factor", d.overnightsFactor(p == D::Mother ? d.motherOvernights() : d.fatherOvernights()),
              d.overnightsFactor(p == D::Mother ? d.motherOvernights() : d.fatherOvernights()));
    }
    // The out-parameter is left alone unless the check reaches the sole value.
    const qint64 untouched = -777;
    qint64 sole = untouched;
    const bool warnM = d.motherRecommendedChildSupportWarning(sole);
    check(d, "warnM", warnM, w.mother.sharedAboveSole);
    check(d, "soleM", sole, w.mother.soleValueChecked ? w.mother.soleValue : untouched);
    sole = untouched;
    const bool warnF = d.fatherRecommendedChildSupportWarning(sole);
    check(d, "warnF", warnF, w.father.sharedAboveSole);
    check(d, "soleF", sole, w.father.soleValueChecked ? w.father.soleValue : untouched);
    check(d, "warnAny", d.hasSharedAboveSoleWarning(), w.mother.sharedAboveSole || w.father.sharedAboveSole);
}

qint64 everyLineOld(const D &d)
{
    qint64 sum = d.combinedIncome() + d.motherAdjustedActualIncome() + d.fatherAdjustedActualIncome()
                 + d.adjustedCombinedIncome() + qint64(d.motherIncomeShare() * 1000) + qint64(d.fatherIncomeShare() * 1000)
                 + d.basicObligation();
    sum += d.totalWorkRelatedExpenses() + d.totalHealthInsurance() + d.totalExtraMedicalExpenses()
           + d.totalCashMedicalSupport() + d.totalAdditionalExpenses() + d.totalChildSupportObligation()
           + d.motherObligation() + d.fatherObligation() + d.motherDirectPayments() + d.fatherDirectPayments()
           + d.motherBasicSupportDue() + d.fatherBasicSupportDue() + d.motherRecommendedChildSupport()
           + d.fatherRecommendedChildSupport();
    sum += d.sharedBasicObligation() + qint64(d.motherTimeShare() * 1000) + qint64(d.fatherTimeShare() * 1000)
           + d.motherSharedObligation() + d.fatherSharedObligation() + d.motherSharedAdjustment()
           + d.fatherSharedAdjustment() + d.motherAdjustedSharedObligation() + d.fatherAdjustedSharedObligation()
           + d.motherAmountOwed() + d.fatherAmountOwed();
    for (auto parent : {D::Mother, D::Father}) {
        for (auto kind : {D::WorkRelated, D::HealthInsurance, D::ExtraMedical, D::CashMedical, D::Additional})
            sum += d.expensePortion(parent, kind) + d.expenseExcess(parent, kind);
        sum += d.cashMedicalCredit(parent) + d.expenseCredits(parent) + d.expenseBalanceDue(parent);
    }
    qint64 sole = 0;
    sum += d.motherRecommendedChildSupportWarning(sole) + d.fatherRecommendedChildSupportWarning(sole) + sole;
    return sum;
}

qint64 everyLineNew(const D &d)
{
    const WorksheetLines w = d.worksheet();
    qint64 sum = w.combinedIncome + w.adjustedCombinedIncome + w.basicObligation + w.totalChildSupportObligation
                 + w.sharedBasicObligation;
    for (int k = 0; k < 5; ++k)
        sum += w.expenseTotal[k];
    for (const WorksheetLines::Parent *p : {&w.mother, &w.father}) {
        sum += p->adjustedActualIncome + qint64(p->incomeShare * 1000) + p->cashMedicalSupport + p->directPayments
               + p->obligation + p->basicSupportDue + p->recommendedChildSupport + qint64(p->timeShare * 1000)
               + p->sharedObligation + p->sharedAdjustment + p->adjustedSharedObligation + p->amountOwed
               + p->cashMedicalCredit + p->expenseCredits + p->expenseBalanceDue + p->sharedAboveSole + p->soleValue;
        for (int k = 0; k < 5; ++k)
            sum += p->expensePortion[k] + p->expenseExcess[k];
    }
    return sum;
}

// The benchmark's cases (same generator and seed).
std::vector<std::unique_ptr<D>> benchmarkCases(int count)
{
    QRandomGenerator random(20261209);
    std::vector<std::unique_ptr<D>> cases;
    const D::Mode modes[] = {D::PreOct2020, D::NewOct2020, D::July2022};
    for (int i = 0; i < count; ++i) {
        auto d = std::make_unique<D>(modes[i % 3]);
        d->setCustodyType(int(random.bounded(6)));
        for (int c = 1; c <= int(random.bounded(7)); ++c)
            d->setChildName(c, QStringLiteral("Child"));
        d->setMotherMonthlyIncome(random.bounded(40000));
        d->setFatherMonthlyIncome(random.bounded(40000));
        d->setMotherAlimonyPaid(random.bounded(500));
        d->setFatherAlimonyAwarded(qint64(random.bounded(1000)) - 500);
        d->setMotherOvernights(92 + int(random.bounded(182)));
        d->setMotherWorkRelatedExpenses(random.bounded(800));
        d->setFatherHealthInsurance(random.bounded(400));
        d->setMotherExtraMedicalExpenses(random.bounded(200));
        d->setFatherAdditionalExpenses(random.bounded(300));
        d->setMotherCashMedicalPercent(0.5 * random.bounded(11));
        d->setFatherCashMedicalPercent(0.5 * random.bounded(11));
        cases.push_back(std::move(d));
    }
    return cases;
}

const qint64 hostileAmounts[] = {0,
                                 1,
                                 -1,
                                 49,
                                 50,
                                 1199,
                                 1200,
                                 1201,
                                 1249,
                                 1250,
                                 14951,
                                 15000,
                                 15001,
                                 29999,
                                 30000,
                                 30001,
                                 99999,
                                 1234567,
                                 16777215,
                                 16777216,
                                 16777217,
                                 (qint64(1) << 31) - 1,
                                 qint64(1) << 31,
                                 (qint64(1) << 53) + 1,
                                 std::numeric_limits<qint64>::max() / 2,
                                 std::numeric_limits<qint64>::max() - 1,
                                 std::numeric_limits<qint64>::max(),
                                 std::numeric_limits<qint64>::min(),
                                 std::numeric_limits<qint64>::min() + 1,
                                 -30000,
                                 -16777217};

const double hostilePercents[] = {0.0, 0.5, 2.5, 5.0, -1.5, 1e300, -1e300, std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::denorm_min(), 49.995, 1.0 / 3.0};

const int hostileNights[] = {0, 91, 92, 94, 95, 98, 99, 102, 103, 105, 106, 109, 110, 128, 182, 183, 237, 273, 365,
                             366, -1, -365, 100000, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};

// Writes the inputs straight into the stored fields, past the setters' rules,
// as a hostile case file may.
void setRaw(D &d, QRandomGenerator &random)
{
    const auto amount = [&random]() -> qint64 {
        switch (random.bounded(4)) {
        case 0: return hostileAmounts[random.bounded(int(std::size(hostileAmounts)))];
        case 1: return qint64(random.generate64());
        case 2: return qint64(random.bounded(200000)) - 50000;
        default: return qint64(random.bounded(5000));
        }
    };
    const auto percent = [&random]() -> double {
        if (random.bounded(3) == 0)
            return hostilePercents[random.bounded(int(std::size(hostilePercents)))];
        return 0.5 * random.bounded(11);
    };
    const auto nights = [&random]() -> int {
        if (random.bounded(2) == 0)
            return hostileNights[random.bounded(int(std::size(hostileNights)))];
        return int(random.bounded(366));
    };
    d.setMode(D::Mode(int(random.bounded(7)) - 1));
    // Custody, including values no setter gives, goes through the case-file path.
    const int custody = int(random.bounded(9)) - 2;
    d.setCustodyType(custody);
    d.setMotherMonthlyIncome(amount());
    d.setFatherMonthlyIncome(amount());
    d.setMotherExistingChildSupportPayment(amount());
    d.setFatherExistingChildSupportPayment(amount());
    d.setMotherAlimonyPaid(amount());
    d.setFatherAlimonyPaid(amount());
    d.setMotherAlimonyAwarded(amount());
    d.setMotherWorkRelatedExpenses(amount());
    d.setFatherWorkRelatedExpenses(amount());
    d.setMotherHealthInsurance(amount());
    d.setFatherHealthInsurance(amount());
    d.setMotherExtraMedicalExpenses(amount());
    d.setFatherExtraMedicalExpenses(amount());
    d.setMotherAdditionalExpenses(amount());
    d.setFatherAdditionalExpenses(amount());
    d.setMotherCashMedicalPercent(percent());
    d.setFatherCashMedicalPercent(percent());
    d.setMotherOvernights(nights());
    for (int c = 1; c <= 6; ++c)
        d.setChildName(c, random.bounded(3) == 0 ? QStringLiteral("  ") : random.bounded(2) ? QStringLiteral("Kid") : QString());
    (void)nights;
}

} // namespace

Q_NEVER_INLINE qint64 measuredOld(const std::vector<std::unique_ptr<D>> &cases)
{
    qint64 sum = 0;
    for (const auto &d : cases)
        sum += everyLineOld(*d);
    return sum;
}

Q_NEVER_INLINE qint64 measuredNew(const std::vector<std::unique_ptr<D>> &cases)
{
    qint64 sum = 0;
    for (const auto &d : cases)
        sum += everyLineNew(*d);
    return sum;
}

int main(int argc, char **argv)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    if (argc > 1) {
        const auto few = benchmarkCases(1000);
        everyLineOld(*few.front());
        return int(measuredOld(few) + measuredNew(few) == 42);
    }

    // 1. Rounding helpers against the library, every float.
    long long roundingFailures = 0;
    for (quint64 bits = 0; bits <= 0xffffffffull; ++bits) {
        float f;
        const quint32 b = quint32(bits);
        std::memcpy(&f, &b, 4);
        if (!same(GuidelineRounding::nearestEven(f), std::nearbyint(f)))
            ++roundingFailures;
        if (!same(GuidelineRounding::halfAwayFromZero(f), std::round(f)))
            ++roundingFailures;
    }
    QRandomGenerator random(4711);
    for (int i = 0; i < 50000000; ++i) {
        const quint64 b = random.generate64();
        double v;
        std::memcpy(&v, &b, 8);
        if (i % 2)
            v = (double(qint64(random.generate64() % 2000000001) - 1000000000)) * 0.5 * (i % 7 ? 1.0 : 0.01) * 0.01;
        if (!same(GuidelineRounding::nearestEven(v), std::nearbyint(v)))
            ++roundingFailures;
    }
    std::printf("rounding: %lld mismatches (2^32 floats x 2 rules, 5e7 doubles)\n", roundingFailures);

    // 2. Benchmark cases, then the named corner cases, then random hostile ones.
    const auto cases = benchmarkCases(30000);
    for (const auto &d : cases)
        compare(*d);
    long long caseCount = static_cast<long long>(cases.size());

    for (D::Mode mode : {D::PreOct2020, D::NewOct2020, D::July2022, D::UnknownMode, D::MaxMode}) {
        for (int custody = -1; custody <= 6; ++custody) {
            for (qint64 a : hostileAmounts) {
                for (qint64 b : hostileAmounts) {
                    D d(mode);
                    d.setCustodyType(custody);
                    d.setMotherMonthlyIncome(a);
                    d.setFatherMonthlyIncome(b);
                    d.setMotherWorkRelatedExpenses(b / 3);
                    d.setFatherHealthInsurance(a / 7);
                    d.setFatherCashMedicalPercent(hostilePercents[(caseCount) % std::size(hostilePercents)]);
                    d.setMotherOvernights(hostileNights[caseCount % std::size(hostileNights)]);
                    compare(d);
                    ++caseCount;
                }
            }
        }
    }
    // Every income step around the schedules and every overnights count.
    for (D::Mode mode : {D::PreOct2020, D::NewOct2020, D::July2022}) {
        for (qint64 income = -100; income <= 31000; income += 7) {
            for (int children = 0; children <= 6; ++children) {
                D d(mode);
                d.setCustodyType(int(income / 7) % 6);
                for (int c = 1; c <= children; ++c)
                    d.setChildName(c, QStringLiteral("C"));
                d.setMotherMonthlyIncome(income / 3);
                d.setFatherMonthlyIncome(income - income / 3);
                d.setMotherOvernights(int(income % 366));
                d.setMotherCashMedicalPercent(0.5 * double(income % 11));
                d.setFatherAdditionalExpenses(income % 501);
                d.setMotherHealthInsurance(income % 333);
                compare(d);
                ++caseCount;
            }
        }
    }
    QRandomGenerator hostile(99);
    for (int i = 0; i < 200000; ++i) {
        D d(D::July2022);
        setRaw(d, hostile);
        compare(d);
        ++caseCount;
    }
    std::printf("worksheet: %lld cases, %lld values compared, %lld mismatches\n", caseCount, g_compared, g_failed);

    // 3. Old getters against the struct, in this run, cold (30000 cases) and
    // warm (1000 cases, as one document refreshed again and again).
    volatile qint64 sink = 0;
    for (size_t workingSet : {size_t(30000), size_t(1000)}) {
        const size_t repeat = 30000 / workingSet;
        for (size_t i = 0; i < workingSet; ++i)
            sink = sink + everyLineOld(*cases[i]) + everyLineNew(*cases[i]);
        double oldNs[7], newNs[7];
        for (int r = 0; r < 7; ++r) {
            QElapsedTimer timer;
            timer.start();
            for (size_t k = 0; k < repeat; ++k)
                for (size_t i = 0; i < workingSet; ++i)
                    sink = sink + everyLineOld(*cases[i]);
            oldNs[r] = double(timer.nsecsElapsed()) / 30000.0;
            timer.start();
            for (size_t k = 0; k < repeat; ++k)
                for (size_t i = 0; i < workingSet; ++i)
                    sink = sink + everyLineNew(*cases[i]);
            newNs[r] = double(timer.nsecsElapsed()) / 30000.0;
        }
        std::sort(oldNs, oldNs + 7);
        std::sort(newNs, newNs + 7);
        std::printf("%zu cases, per case, median of 7 rounds: getters %.0f ns, one struct %.0f ns, ratio %.1f\n",
                    workingSet, oldNs[3], newNs[3], oldNs[3] / newNs[3]);
    }
    return g_failed || roundingFailures ? 1 : int(sink == 42);
}
