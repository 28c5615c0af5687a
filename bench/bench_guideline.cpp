// Cost of computing every worksheet line of a case, as the main window does
// on every keystroke: all lines of Worksheet A and of Worksheet B plus both
// warnings, for varied cases in all three guideline versions.
#include "OrvaDocument.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

qint64 everyLine(const OrvaDocument &d)
{
    using D = OrvaDocument;
    qint64 sum = d.combinedIncome() + d.motherAdjustedActualIncome() + d.fatherAdjustedActualIncome()
                 + d.adjustedCombinedIncome() + qint64(d.motherIncomeShare() * 1000) + qint64(d.fatherIncomeShare() * 1000)
                 + d.basicObligation();
    // Worksheet A lines.
    sum += d.totalWorkRelatedExpenses() + d.totalHealthInsurance() + d.totalExtraMedicalExpenses()
           + d.totalCashMedicalSupport() + d.totalAdditionalExpenses() + d.totalChildSupportObligation()
           + d.motherObligation() + d.fatherObligation() + d.motherDirectPayments() + d.fatherDirectPayments()
           + d.motherBasicSupportDue() + d.fatherBasicSupportDue() + d.motherRecommendedChildSupport()
           + d.fatherRecommendedChildSupport();
    // Worksheet B lines.
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

std::vector<std::unique_ptr<OrvaDocument>> makeCases(int count)
{
    QRandomGenerator random(20261209);
    std::vector<std::unique_ptr<OrvaDocument>> cases;
    const OrvaDocument::Mode modes[] = {OrvaDocument::PreOct2020, OrvaDocument::NewOct2020, OrvaDocument::July2022};
    for (int i = 0; i < count; ++i) {
        auto d = std::make_unique<OrvaDocument>(modes[i % 3]);
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

} // namespace

int main()
{
    // The warnings write a debug line each; keep the log out of the figure.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int caseCount = 30000;
    const auto cases = makeCases(caseCount);

    volatile qint64 sink = 0;
    for (const auto &d : cases) // warm-up
        sink = sink + everyLine(*d);

    const int rounds = 5;
    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < rounds; ++r)
        for (const auto &d : cases)
            sink = sink + everyLine(*d);
    const qint64 ns = timer.nsecsElapsed();
    const double perWorksheet = double(ns) / (double(caseCount) * rounds);
    std::printf("guideline: %d cases x %d rounds, all lines of Worksheets A and B plus both warnings\n", caseCount,
                rounds);
    std::printf("guideline: %.0f ns per full worksheet, %.0f worksheets per second\n", perWorksheet,
                1e9 / perWorksheet);
    return sink == 42 ? 1 : 0;
}
