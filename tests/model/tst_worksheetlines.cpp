// The one-pass worksheet: every line of the worked examples, worked out by
// hand, against the struct computed from the bare inputs; the inline
// rounding rules against the C library; and the document's named operations
// against the struct, so that no getter reads a neighbour's line.
#include "GuidelineRounding.h"
#include "OrvaDocument.h"
#include "WorksheetLines.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

using Doc = OrvaDocument;
using Lines = WorksheetLines;
using Expected = QList<QPair<QString, double>>;
Q_DECLARE_METATYPE(WorksheetInput)

namespace {

// Reads a line of the struct by a short name; "m"/"f" name the parent.
double line(const Lines &w, const QString &name)
{
    const QString base = name.left(name.size() - 2);
    const Lines::Parent &p = name.endsWith(QLatin1String("_f")) ? w.father : w.mother;
    static const QHash<QString, double (*)(const Lines &)> whole = {
        {"combined", [](const Lines &l) { return double(l.combinedIncome); }},
        {"adjusted", [](const Lines &l) { return double(l.adjustedCombinedIncome); }},
        {"children", [](const Lines &l) { return double(l.childCount); }},
        {"limit", [](const Lines &l) { return double(l.extrapolationLimit); }},
        {"basic", [](const Lines &l) { return double(l.basicObligation); }},
        {"total4a", [](const Lines &l) { return double(l.expenseTotal[Doc::WorkRelated]); }},
        {"total4b", [](const Lines &l) { return double(l.expenseTotal[Doc::HealthInsurance]); }},
        {"total4d", [](const Lines &l) { return double(l.expenseTotal[Doc::CashMedical]); }},
        {"total4e", [](const Lines &l) { return double(l.expenseTotal[Doc::Additional]); }},
        {"total", [](const Lines &l) { return double(l.totalChildSupportObligation); }},
        {"sharedBasic", [](const Lines &l) { return double(l.sharedBasicObligation); }},
    };
    if (whole.contains(name))
        return whole.value(name)(w);
    static const QHash<QString, double (*)(const Lines::Parent &)> perParent = {
        {"adjusted", [](const Lines::Parent &l) { return double(l.adjustedActualIncome); }},
        {"share", [](const Lines::Parent &l) { return double(l.incomeShare); }},
        {"cash", [](const Lines::Parent &l) { return double(l.cashMedicalSupport); }},
        {"direct", [](const Lines::Parent &l) { return double(l.directPayments); }},
        {"line6", [](const Lines::Parent &l) { return double(l.obligation); }},
        {"due", [](const Lines::Parent &l) { return double(l.basicSupportDue); }},
        {"recommended", [](const Lines::Parent &l) { return double(l.recommendedChildSupport); }},
        {"time", [](const Lines::Parent &l) { return double(l.timeShare); }},
        {"shared", [](const Lines::Parent &l) { return double(l.sharedObligation); }},
        {"addition", [](const Lines::Parent &l) { return double(l.sharedAdjustment); }},
        {"sum", [](const Lines::Parent &l) { return double(l.adjustedSharedObligation); }},
        {"owed", [](const Lines::Parent &l) { return double(l.amountOwed); }},
        {"A", [](const Lines::Parent &l) { return double(l.expensePortion[Doc::WorkRelated]); }},
        {"B", [](const Lines::Parent &l) { return double(l.expenseExcess[Doc::WorkRelated]); }},
        {"C", [](const Lines::Parent &l) { return double(l.expensePortion[Doc::HealthInsurance]); }},
        {"D", [](const Lines::Parent &l) { return double(l.expenseExcess[Doc::HealthInsurance]); }},
        {"G", [](const Lines::Parent &l) { return double(l.expensePortion[Doc::CashMedical]); }},
        {"H", [](const Lines::Parent &l) { return double(l.cashMedicalCredit); }},
        {"I", [](const Lines::Parent &l) { return double(l.expensePortion[Doc::Additional]); }},
        {"J", [](const Lines::Parent &l) { return double(l.expenseExcess[Doc::Additional]); }},
        {"K", [](const Lines::Parent &l) { return double(l.expenseCredits); }},
        {"L", [](const Lines::Parent &l) { return double(l.expenseBalanceDue); }},
        {"checked", [](const Lines::Parent &l) { return l.soleValueChecked ? 1.0 : 0.0; }},
        {"sole", [](const Lines::Parent &l) { return double(l.soleValue); }},
        {"warning", [](const Lines::Parent &l) { return l.sharedAboveSole ? 1.0 : 0.0; }},
    };
    if (perParent.contains(base))
        return perParent.value(base)(p);
    qFatal("no line named %s", qPrintable(name));
}

WorksheetInput input(int mode, int custody, int children, qint64 motherIncome, qint64 fatherIncome)
{
    WorksheetInput in;
    in.mode = mode;
    in.custodyType = custody;
    in.childCount = children;
    in.mother.monthlyIncome = motherIncome;
    in.father.monthlyIncome = fatherIncome;
    in.mother.overnights = Doc::isSoleMotherCustody(custody) ? 365 : Doc::isSoleFatherCustody(custody) ? 0 : 273;
    in.father.overnights = 365 - in.mother.overnights;
    return in;
}

template <typename T>
bool sameBits(T a, T b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

} // namespace

class TestWorksheetLines : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void roundingRules_data();
    void roundingRules();
    void roundingSweep();
    void namedOperationsReadTheirLine_data();
    void namedOperationsReadTheirLine();
    void warningFromComputedLines();
};

void TestWorksheetLines::workedExamples_data()
{
    QTest::addColumn<WorksheetInput>("in");
    QTest::addColumn<Expected>("expected");
    const int pre = Doc::PreOct2020, oct = Doc::NewOct2020, jul = Doc::July2022;

    // Sole mother custody, July 2022, two children.
    WorksheetInput a1 = input(jul, Doc::SoleMother, 2, 3000, 5000);
    a1.mother.workRelatedExpenses = 400;
    a1.father.healthInsurance = 150;
    a1.father.cashMedicalPercent = 1.0;
    QTest::newRow("sole mother July 2022")
        << a1 << Expected{{"combined", 8000}, {"adjusted", 8000}, {"basic", 1748}, {"cash_f", 50}, {"cash_m", 0},
                          {"total4a", 400}, {"total4b", 150}, {"total4d", 50}, {"total", 2348}, {"share_m", 0.375},
                          {"share_f", 0.625}, {"line6_m", 880}, {"line6_f", 1468}, {"due_f", 1468}, {"due_m", 0},
                          {"direct_f", 150}, {"recommended_f", 1318}, {"recommended_m", 0}};

    // Sole father custody, before October 2020, one child.
    WorksheetInput a2 = input(pre, Doc::SoleParent2, 1, 2500, 4000);
    a2.mother.additionalExpenses = 100;
    QTest::newRow("sole father before Oct 2020")
        << a2 << Expected{{"basic", 1026}, {"total4e", 100}, {"total", 1126}, {"share_m", 0.385},
                          {"share_f", 0.615}, {"line6_m", 434}, {"due_m", 434}, {"due_f", 0}, {"direct_m", 100},
                          {"recommended_m", 334}, {"recommended_f", 0}};

    // The custodial parent is owed what the payer pays directly beyond his share.
    WorksheetInput a3 = input(jul, Doc::SoleMother, 1, 4000, 6000);
    a3.father.workRelatedExpenses = 2000;
    QTest::newRow("sole: direct payments above the obligation")
        << a3 << Expected{{"basic", 1345}, {"total", 3345}, {"line6_f", 2007}, {"due_f", 2007},
                          {"recommended_f", 7}, {"recommended_m", 0}};

    // Shared custody, July 2022, two children, father with 100 overnights.
    WorksheetInput b1 = input(jul, Doc::Shared, 2, 4000, 6000);
    b1.mother.overnights = 265;
    b1.father.overnights = 100;
    b1.mother.workRelatedExpenses = 300;
    b1.father.healthInsurance = 200;
    QTest::newRow("shared July 2022")
        << b1 << Expected{{"basic", 1881}, {"share_m", 0.4}, {"share_f", 0.6}, {"sharedBasic", 2822},
                          {"shared_m", 1129}, {"shared_f", 1693}, {"addition_f", 102}, {"addition_m", 0},
                          {"sum_f", 1795}, {"sum_m", 1129}, {"time_m", 0.726}, {"time_f", 0.274},
                          {"owed_m", 309}, {"owed_f", 1303}, {"due_f", 994}, {"due_m", 0}, {"A_m", 120},
                          {"A_f", 180}, {"B_m", 180}, {"B_f", 0}, {"C_m", 80}, {"C_f", 120}, {"D_m", 0},
                          {"D_f", 80}, {"K_m", 180}, {"K_f", 80}, {"L_f", 100}, {"L_m", 0},
                          {"recommended_f", 1094}, {"recommended_m", 0}};

    // Cash medical support of 100 in all; the mother has fewer overnights.
    WorksheetInput b2 = input(oct, Doc::SharedP1P2, 1, 4000, 6000);
    b2.mother.overnights = 100;
    b2.father.overnights = 265;
    b2.mother.cashMedicalPercent = 2.5;
    QTest::newRow("shared: cash medical credit")
        << b2 << Expected{{"cash_m", 100}, {"total4d", 100}, {"G_m", 40}, {"G_f", 60}, {"H_m", -40}, {"H_f", 0},
                          {"K_m", -40}};

    // Shared above sole: July 2022, one child, father with 92 overnights.
    WorksheetInput w1 = input(jul, Doc::Shared, 1, 1000, 3000);
    w1.mother.overnights = 273;
    w1.father.overnights = 92;
    QTest::newRow("shared above sole")
        << w1 << Expected{{"basic", 763}, {"sharedBasic", 1144}, {"shared_f", 858}, {"sum_f", 944},
                          {"owed_f", 706}, {"owed_m", 72}, {"recommended_f", 634}, {"checked_f", 1},
                          {"sole_f", 572}, {"warning_f", 1}, {"checked_m", 0}, {"warning_m", 0}};
    WorksheetInput w2 = w1;
    w2.mother.overnights = 255;
    w2.father.overnights = 110;
    QTest::newRow("shared not above sole")
        << w2 << Expected{{"recommended_f", 513}, {"checked_f", 1}, {"sole_f", 572}, {"warning_f", 0}};
    WorksheetInput w3 = w1;
    w3.mode = pre;
    w3.mother.overnights = 237;
    w3.father.overnights = 128;
    QTest::newRow("no warning before Oct 2020") << w3 << Expected{{"checked_f", 0}, {"warning_f", 0}};
    WorksheetInput w4 = w1;
    w4.custodyType = Doc::SoleMother;
    QTest::newRow("no warning under sole custody")
        << w4 << Expected{{"checked_f", 0}, {"warning_f", 0}, {"recommended_f", 572}};

    // Lines 1 to 4.
    QTest::newRow("no income, two children, row 1250")
        << input(oct, Doc::Shared, 2, 0, 0) << Expected{{"basic", 163}, {"share_m", 0}, {"share_f", 0}};
    QTest::newRow("July 2022 floor 1200") << input(jul, Doc::Shared, 1, 1000, 0) << Expected{{"basic", 50}};
    QTest::newRow("July 2022 1201 takes row 1250") << input(jul, Doc::Shared, 1, 1201, 0) << Expected{{"basic", 74}};
    QTest::newRow("15000 from the schedule")
        << input(oct, Doc::Shared, 1, 15000, 0) << Expected{{"basic", 1942}, {"limit", 15000}};
    QTest::newRow("15001 extrapolated") << input(oct, Doc::Shared, 1, 15001, 0) << Expected{{"basic", 1943}};
    QTest::newRow("30000 from the July 2022 schedule")
        << input(jul, Doc::Shared, 3, 0, 30000) << Expected{{"basic", 5256}, {"limit", 30000}};
    QTest::newRow("30050 extrapolated") << input(jul, Doc::Shared, 3, 0, 30050) << Expected{{"basic", 5262}};
    QTest::newRow("share capped at 1")
        << input(oct, Doc::Shared, 1, -500, 3000)
        << Expected{{"adjusted", 2500}, {"share_f", 1.0}, {"share_m", 0}};
    QTest::newRow("thirds") << input(oct, Doc::Shared, 1, 1000, 2000) << Expected{{"share_m", 0.333}, {"share_f", 0.667}};
    QTest::newRow("halves round up") << input(oct, Doc::Shared, 1, 667, 1333)
                                     << Expected{{"share_m", 0.334}, {"share_f", 0.667}};
    WorksheetInput cash = input(oct, Doc::Shared, 1, 3333, 1000);
    cash.mother.cashMedicalPercent = 1.5;
    cash.father.cashMedicalPercent = 0.5;
    QTest::newRow("cash medical rounding") << cash << Expected{{"cash_m", 50}, {"cash_f", 5}};
    QTest::newRow("shared basic ties to even")
        << input(jul, Doc::Shared, 1, 1000, 3000) << Expected{{"basic", 763}, {"sharedBasic", 1144}};

    // Deductions, alimony as a transfer, and a custody no list offers.
    WorksheetInput deductions = input(oct, 9, 1, 5000, 4000);
    deductions.mother.existingChildSupportPayment = 300;
    deductions.mother.alimonyPaid = 200;
    deductions.mother.alimonyAwarded = -500;
    deductions.father.alimonyAwarded = 500;
    QTest::newRow("deductions; unknown custody owes nothing")
        << deductions << Expected{{"adjusted_m", 4000}, {"adjusted_f", 4500}, {"adjusted", 8500},
                                  {"combined", 9000}, {"due_m", 0}, {"due_f", 0}, {"recommended_m", 0},
                                  {"recommended_f", 0}};
}

void TestWorksheetLines::workedExamples()
{
    QFETCH(WorksheetInput, in);
    QFETCH(Expected, expected);
    const Lines w = computeWorksheetLines(in);
    for (const auto &[name, value] : expected) {
        const double actual = line(w, name);
        const bool fraction = name.startsWith(QLatin1String("share")) || name.startsWith(QLatin1String("time"));
        const bool ok = fraction ? float(actual) == float(value) : qint64(actual) == qint64(value);
        QVERIFY2(ok, qPrintable(QStringLiteral("%1: %2, expected %3").arg(name).arg(actual).arg(value)));
    }
}

void TestWorksheetLines::roundingRules_data()
{
    QTest::addColumn<float>("value");
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char *name;
        float value;
    } rows[] = {{"zero", 0.0f},           {"minus zero", -0.0f},       {"half", 0.5f},
                {"one and a half", 1.5f}, {"two and a half", 2.5f},    {"minus two and a half", -2.5f},
                {"below a half", 0.49999997f}, {"above a half", 0.50000006f}, {"880.5", 880.5f},
                {"1467.5", 1467.5f},      {"1144.5", 1144.5f},         {"2^23 - 0.5", 8388607.5f},
                {"2^23 - 1.5", 8388606.5f}, {"2^23", 8388608.0f},      {"2^24 + 2", 16777218.0f},
                {"1e30", 1e30f},          {"-1e30", -1e30f},           {"infinity", inf},
                {"minus infinity", -inf}, {"NaN", std::numeric_limits<float>::quiet_NaN()},
                {"smallest", std::numeric_limits<float>::denorm_min()}, {"-333.5", -333.5f}};
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.value;
}

// The inline rules give the library's answers, bit for bit.
void TestWorksheetLines::roundingRules()
{
    QFETCH(float, value);
    QVERIFY(sameBits(GuidelineRounding::nearestEven(value), std::nearbyint(value)));
    QVERIFY(sameBits(GuidelineRounding::halfAwayFromZero(value), std::round(value)));
    QVERIFY(sameBits(GuidelineRounding::nearestEven(double(value) * 1.5), std::nearbyint(double(value) * 1.5)));
    QCOMPARE(GuidelineRounding::roundFloat(value), GuidelineRounding::toAmount(std::nearbyint(value)));
}

// A stride through every float's bit pattern, and the halves around every
// whole number up to 70000 (incomes, shares in thousandths, amounts).
void TestWorksheetLines::roundingSweep()
{
    int failures = 0;
    for (quint64 bits = 0; bits <= 0xffffffffull; bits += 997) {
        const quint32 pattern = quint32(bits);
        float value;
        std::memcpy(&value, &pattern, sizeof value);
        failures += !sameBits(GuidelineRounding::nearestEven(value), std::nearbyint(value));
        failures += !sameBits(GuidelineRounding::halfAwayFromZero(value), std::round(value));
        failures += GuidelineRounding::roundFloat(value) != GuidelineRounding::toAmount(std::nearbyint(value));
    }
    for (int whole = -70000; whole <= 70000; ++whole) {
        for (float value : {float(whole) + 0.5f, std::nextafter(float(whole) + 0.5f, 0.0f),
                            std::nextafter(float(whole) + 0.5f, 1e9f)}) {
            failures += !sameBits(GuidelineRounding::nearestEven(value), std::nearbyint(value));
            failures += !sameBits(GuidelineRounding::halfAwayFromZero(value), std::round(value));
            const double money = double(whole) * 0.015; // income x 1.5 % as the cash medical support
            failures += !sameBits(GuidelineRounding::nearestEven(money), std::nearbyint(money));
        }
    }
    QCOMPARE(failures, 0);
}

void TestWorksheetLines::namedOperationsReadTheirLine_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::newRow("shared July 2022") << int(Doc::July2022) << int(Doc::Shared);
    QTest::newRow("shared before Oct 2020") << int(Doc::PreOct2020) << int(Doc::SharedP1P2);
    QTest::newRow("sole mother") << int(Doc::NewOct2020) << int(Doc::SoleMother);
    QTest::newRow("sole father") << int(Doc::July2022) << int(Doc::SoleParent2);
}

// Every input a different amount, so a getter that reads the other parent's
// or another line's value shows up.
void TestWorksheetLines::namedOperationsReadTheirLine()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    Doc d(static_cast<Doc::Mode>(mode));
    d.setCustodyType(custody);
    d.setChildName(1, QStringLiteral("A"));
    d.setChildName(4, QStringLiteral("B"));
    d.setMotherMonthlyIncome(4101);
    d.setFatherMonthlyIncome(6203);
    d.setMotherExistingChildSupportPayment(105);
    d.setFatherExistingChildSupportPayment(207);
    d.setMotherAlimonyPaid(109);
    d.setFatherAlimonyPaid(311);
    d.setMotherAlimonyAwarded(-113);
    d.setMotherOvernights(262);
    d.setMotherWorkRelatedExpenses(417);
    d.setFatherWorkRelatedExpenses(119);
    d.setMotherHealthInsurance(121);
    d.setFatherHealthInsurance(323);
    d.setMotherExtraMedicalExpenses(125);
    d.setFatherExtraMedicalExpenses(27);
    d.setMotherCashMedicalPercent(1.5);
    d.setFatherCashMedicalPercent(3.0);
    d.setMotherAdditionalExpenses(229);
    d.setFatherAdditionalExpenses(131);
    d.setMotherMultifamilyChildren(1);
    d.setFatherMultifamilyChildren(3);

    const Lines w = d.worksheet();
    QCOMPARE(w.childCount, 2);
    // Line 1d under July 2022 only: row 4150, one child 790 -> 593; row 6250,
    // three children 1798 -> 1349.
    const bool line1d = mode == Doc::July2022;
    QCOMPARE(w.mother.multifamilyAdjustment, line1d ? 593 : 0);
    QCOMPARE(w.father.multifamilyAdjustment, line1d ? 1349 : 0);
    QCOMPARE(w.mother.adjustedActualIncome, 4101 - 105 - 109 - 113 - (line1d ? 593 : 0));
    QCOMPARE(w.father.adjustedActualIncome, 6203 - 207 - 311 + 113 - (line1d ? 1349 : 0));
    const QList<QPair<qint64, qint64>> pairs = {
        {d.combinedIncome(), w.combinedIncome},
        {d.motherMultifamilyAdjustment(), w.mother.multifamilyAdjustment},
        {d.fatherMultifamilyAdjustment(), w.father.multifamilyAdjustment},
        {d.motherAdjustedActualIncome(), w.mother.adjustedActualIncome},
        {d.fatherAdjustedActualIncome(), w.father.adjustedActualIncome},
        {d.adjustedCombinedIncome(), w.adjustedCombinedIncome},
        {d.childCount(), w.childCount},
        {d.basicObligation(), w.basicObligation},
        {d.extrapolationLimit(), w.extrapolationLimit},
        {d.motherCashMedicalSupport(), w.mother.cashMedicalSupport},
        {d.fatherCashMedicalSupport(), w.father.cashMedicalSupport},
        {d.totalWorkRelatedExpenses(), w.expenseTotal[Doc::WorkRelated]},
        {d.totalHealthInsurance(), w.expenseTotal[Doc::HealthInsurance]},
        {d.totalExtraMedicalExpenses(), w.expenseTotal[Doc::ExtraMedical]},
        {d.totalCashMedicalSupport(), w.expenseTotal[Doc::CashMedical]},
        {d.totalAdditionalExpenses(), w.expenseTotal[Doc::Additional]},
        {d.totalChildSupportObligation(), w.totalChildSupportObligation},
        {d.motherObligation(), w.mother.obligation},
        {d.fatherObligation(), w.father.obligation},
        {d.motherDirectPayments(), w.mother.directPayments},
        {d.fatherDirectPayments(), w.father.directPayments},
        {d.motherBasicSupportDue(), w.mother.basicSupportDue},
        {d.fatherBasicSupportDue(), w.father.basicSupportDue},
        {d.motherRecommendedChildSupport(), w.mother.recommendedChildSupport},
        {d.fatherRecommendedChildSupport(), w.father.recommendedChildSupport},
        {d.sharedBasicObligation(), w.sharedBasicObligation},
        {d.motherSharedObligation(), w.mother.sharedObligation},
        {d.fatherSharedObligation(), w.father.sharedObligation},
        {d.motherSharedAdjustment(), w.mother.sharedAdjustment},
        {d.fatherSharedAdjustment(), w.father.sharedAdjustment},
        {d.motherAdjustedSharedObligation(), w.mother.adjustedSharedObligation},
        {d.fatherAdjustedSharedObligation(), w.father.adjustedSharedObligation},
        {d.motherAmountOwed(), w.mother.amountOwed},
        {d.fatherAmountOwed(), w.father.amountOwed},
    };
    for (int i = 0; i < pairs.size(); ++i)
        QVERIFY2(pairs.at(i).first == pairs.at(i).second, qPrintable(QStringLiteral("operation %1").arg(i)));
    QCOMPARE(d.motherIncomeShare(), w.mother.incomeShare);
    QCOMPARE(d.fatherIncomeShare(), w.father.incomeShare);
    QCOMPARE(d.motherTimeShare(), w.mother.timeShare);
    QCOMPARE(d.fatherTimeShare(), w.father.timeShare);
    for (Doc::Parent parent : {Doc::Mother, Doc::Father}) {
        const Lines::Parent &own = parent == Doc::Mother ? w.mother : w.father;
        for (int kind = 0; kind < Lines::ExpenseKinds; ++kind) {
            QCOMPARE(d.expensePortion(parent, Doc::ExpenseKind(kind)), own.expensePortion[kind]);
            QCOMPARE(d.expenseExcess(parent, Doc::ExpenseKind(kind)), own.expenseExcess[kind]);
        }
        QCOMPARE(d.cashMedicalCredit(parent), own.cashMedicalCredit);
        QCOMPARE(d.expenseCredits(parent), own.expenseCredits);
        QCOMPARE(d.expenseBalanceDue(parent), own.expenseBalanceDue);
    }
    // The two parents' lines differ wherever their inputs do.
    QVERIFY(w.mother.expensePortion[Doc::WorkRelated] != w.father.expensePortion[Doc::WorkRelated]);
    QVERIFY(w.mother.cashMedicalSupport != w.father.cashMedicalSupport);
}

// The refresh reads the warning and the above-schedule check from the lines
// it computed; the answers are those of the document's own operations.
void TestWorksheetLines::warningFromComputedLines()
{
    Doc d(Doc::July2022);
    d.setMotherMonthlyIncome(1000);
    d.setFatherMonthlyIncome(3000);
    d.setFatherOvernights(92);
    const Lines w = d.worksheet();
    qint64 sole = -1;
    QVERIFY(Doc::sharedAboveSoleWarning(w, Doc::Father, sole));
    QCOMPARE(sole, 572);
    sole = -1;
    QVERIFY(!Doc::sharedAboveSoleWarning(w, Doc::Mother, sole));
    QCOMPARE(sole, -1); // not reached: the mother's recommendation is 0

    Doc income(Doc::NewOct2020);
    income.setFatherMonthlyIncome(15001);
    QCOMPARE(income.checkExtrapolation(false, income.worksheet()), Doc::ExtrapolationWarn);
    QCOMPARE(income.checkExtrapolation(false, income.worksheet()), Doc::ExtrapolationNoChange);
    income.setFatherMonthlyIncome(15000);
    QCOMPARE(income.checkExtrapolation(false, income.worksheet()), Doc::ExtrapolationWithinLimit);
}

QTEST_GUILESS_MAIN(TestWorksheetLines)
#include "tst_worksheetlines.moc"
