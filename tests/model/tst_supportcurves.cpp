// The explorer's curves: how a split of the overnights is computed (sole or
// shared custody, which parent is custodian), and the income range with the
// point where the schedule's top is passed. The orders themselves are
// checked against the worksheet command in tst_explorecommand.
#include "OrvaDocument.h"
#include "SupportCurves.h"

#include <QtTest>

#include <limits>

using Doc = OrvaDocument;

class TestSupportCurves : public QObject
{
    Q_OBJECT

private slots:
    void splits_data();
    void splits();
    void incomeRange_data();
    void incomeRange();
    void extremeIncomes();
};

void TestSupportCurves::splits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("nights");
    QTest::addColumn<int>("computedAs");
    QTest::addColumn<int>("motherNights");

    QTest::newRow("91 of Jul 2022: mother custodial") << int(Doc::July2022) << int(Doc::Shared) << 91
                                                      << int(Doc::SoleMother) << 365;
    QTest::newRow("92 of Oct 2020: shared") << int(Doc::NewOct2020) << int(Doc::Shared) << 92 << int(Doc::Shared)
                                            << 273;
    QTest::newRow("274: father custodial") << int(Doc::July2022) << int(Doc::Shared) << 274 << int(Doc::SoleFather)
                                           << 0;
    QTest::newRow("127 before Oct 2020: sole") << int(Doc::PreOct2020) << int(Doc::Shared) << 127
                                               << int(Doc::SoleMother) << 365;
    QTest::newRow("237 before Oct 2020: shared") << int(Doc::PreOct2020) << int(Doc::Shared) << 237
                                                 << int(Doc::Shared) << 128;
    // The parents keep their labels: a Parent 1 / Parent 2 case stays one.
    QTest::newRow("sole parent 2 case at 200") << int(Doc::July2022) << int(Doc::SoleParent2) << 200
                                               << int(Doc::SharedP1P2) << 165;
    QTest::newRow("shared P1/P2 case at 300") << int(Doc::July2022) << int(Doc::SharedP1P2) << 300
                                              << int(Doc::SoleParent2) << 0;
}

void TestSupportCurves::splits()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, nights);
    QFETCH(int, computedAs);
    QFETCH(int, motherNights);
    WorksheetInput input;
    input.mode = mode;
    input.custodyType = custody;
    const WorksheetInput split = SupportCurves::withOvernights(input, nights);
    QCOMPARE(split.custodyType, computedAs);
    QCOMPARE(split.mother.overnights, motherNights);
    QCOMPARE(split.father.overnights, 365 - motherNights);
}

void TestSupportCurves::incomeRange_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("parent");
    QTest::addColumn<qint64>("motherIncome");
    QTest::addColumn<qint64>("fatherIncome");
    QTest::addColumn<qint64>("lastIncome");
    QTest::addColumn<qint64>("scheduleTop");

    // The example's deductions: the mother pays 150 existing support and is
    // awarded 300 alimony from the father. Her adjusted income is x + 150,
    // his 6900 - 300 = 6600: x + 6750 > 30000 from x = 23251.
    QTest::newRow("Jul 2022, mother's income") << int(Doc::July2022) << 0 << qint64(4200) << qint64(6900)
                                               << qint64(35000) << qint64(23251);
    // Before October 2020 the top is 15000: (3000 - 150 + 300) + (x - 300)
    // > 15000 from x = 12151.
    QTest::newRow("Pre Oct 2020, father's income") << int(Doc::PreOct2020) << 1 << qint64(3000) << qint64(5000)
                                                   << qint64(35000) << qint64(12151);
    // Twice the larger income, 80000 in steps of 400; the father alone is
    // above the top of 15000 at every income of the mother.
    QTest::newRow("Oct 2020, all above the top") << int(Doc::NewOct2020) << 0 << qint64(2000) << qint64(40000)
                                                 << qint64(80000) << qint64(-1);
}

void TestSupportCurves::incomeRange()
{
    QFETCH(int, mode);
    QFETCH(int, parent);
    QFETCH(qint64, motherIncome);
    QFETCH(qint64, fatherIncome);
    QFETCH(qint64, lastIncome);
    QFETCH(qint64, scheduleTop);
    WorksheetInput input;
    input.mode = mode;
    input.mother.monthlyIncome = motherIncome;
    input.mother.existingChildSupportPayment = 150;
    input.mother.alimonyAwarded = 300;
    input.father.monthlyIncome = fatherIncome;
    input.father.alimonyAwarded = -300;
    const SupportCurves::IncomeCurve curve = SupportCurves::incomeCurve(input, parent);
    QCOMPARE(curve.points.first().income, qint64(0));
    QCOMPARE(curve.points.last().income, lastIncome);
    QCOMPARE(curve.scheduleTop, scheduleTop);
}

// A case file may hold any 64-bit amount: the range stays bounded and the
// search for the schedule's top does not overflow.
void TestSupportCurves::extremeIncomes()
{
    WorksheetInput input;
    input.mode = Doc::July2022;
    input.mother.monthlyIncome = std::numeric_limits<qint64>::min();
    input.father.monthlyIncome = std::numeric_limits<qint64>::max();
    const SupportCurves::IncomeCurve curve = SupportCurves::incomeCurve(input, 0);
    QVERIFY(curve.points.size() <= 202);
    QCOMPARE(curve.points.first().income, std::numeric_limits<qint64>::min());
    // The father alone lies above the top at every income of the mother.
    QCOMPARE(curve.scheduleTop, qint64(-1));
}

QTEST_APPLESS_MAIN(TestSupportCurves)
#include "tst_supportcurves.moc"
