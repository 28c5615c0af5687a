// Cost of computing every worksheet line of a case, as the main window does
// on every keystroke: all lines of Worksheet A and of Worksheet B plus both
// warnings, for varied cases in all three guideline versions.
//   bench_guideline                   times per case, printed
//   bench_guideline --instructions N  computes N cases once each inside
//                                     measuredWorksheets(), for callgrind
//                                     (tools/callgrind.sh)
#include "OrvaDocument.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using D = OrvaDocument;

// Every line of both worksheets and both warnings from one computation.
qint64 everyLine(const D &d)
{
    const WorksheetLines w = d.worksheet();
    qint64 sum = w.combinedIncome + w.adjustedCombinedIncome + w.basicObligation + w.totalChildSupportObligation
                 + w.sharedBasicObligation;
    for (qint64 total : w.expenseTotal)
        sum += total;
    for (const WorksheetLines::Parent *p : {&w.mother, &w.father}) {
        sum += p->adjustedActualIncome + qint64(p->incomeShare * 1000) + p->cashMedicalSupport + p->directPayments
               + p->obligation + p->basicSupportDue + p->recommendedChildSupport + qint64(p->timeShare * 1000)
               + p->sharedObligation + p->sharedAdjustment + p->adjustedSharedObligation + p->amountOwed
               + p->cashMedicalCredit + p->expenseCredits + p->expenseBalanceDue + p->sharedAboveSole
               + p->soleValue;
        for (int kind = 0; kind < WorksheetLines::ExpenseKinds; ++kind)
            sum += p->expensePortion[kind] + p->expenseExcess[kind];
    }
    return sum;
}

std::vector<std::unique_ptr<D>> makeCases(int count)
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

} // namespace

// The section callgrind counts (--toggle-collect=measuredWorksheets*): kept
// out of line and outside any namespace so the pattern finds it.
Q_NEVER_INLINE qint64 measuredWorksheets(const std::vector<std::unique_ptr<D>> &cases)
{
    qint64 sum = 0;
    for (const auto &d : cases)
        sum += everyLine(*d);
    return sum;
}

int main(int argc, char **argv)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    if (argc > 2 && std::strcmp(argv[1], "--instructions") == 0) {
        const auto cases = makeCases(std::max(1, std::atoi(argv[2])));
        everyLine(*cases.front()); // the schedules are built on first use, outside the count
        std::printf("guideline: %d cases counted in measuredWorksheets\n", int(cases.size()));
        return measuredWorksheets(cases) == 42 ? 1 : 0;
    }

    const int caseCount = argc > 1 ? std::atoi(argv[1]) : 30000;
    const auto cases = makeCases(caseCount);
    volatile qint64 sink = measuredWorksheets(cases); // warm-up

    const int rounds = 9;
    std::vector<double> perCase;
    QElapsedTimer timer;
    for (int r = 0; r < rounds; ++r) {
        timer.start();
        sink = sink + measuredWorksheets(cases);
        perCase.push_back(double(timer.nsecsElapsed()) / caseCount);
    }
    std::sort(perCase.begin(), perCase.end());
    std::printf("guideline: %d cases x %d rounds, all lines of Worksheets A and B plus both warnings\n", caseCount,
                rounds);
    std::printf("guideline: %.0f ns per full worksheet (median; fastest round %.0f ns), %.0f worksheets per second\n",
                perCase[rounds / 2], perCase.front(), 1e9 / perCase[rounds / 2]);
    return sink == 42 ? 1 : 0;
}
