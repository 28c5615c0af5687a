// The worksheet field table: captions, text forms, both field lists,
// footnote numbering and the comments block.
#include "OrvaDocument.h"
#include "PDFDocument.h"

#include <QtTest>

#include <limits>
#include <memory>

using Doc = OrvaDocument;
using Fields = QHash<QString, QString>;
Q_DECLARE_METATYPE(Fields)

namespace {

Fields filled(const Doc &document)
{
    PDFDocument worksheet;
    worksheet.fillWorksheetFields(document);
    return worksheet.fields();
}

// Shared custody, July 2022: two children, incomes 4000 and 6000, overnights
// 265 and 100, the mother pays 300 child care and the father 200 insurance.
std::unique_ptr<Doc> sharedExample(Doc::Mode mode = Doc::July2022)
{
    auto d = std::make_unique<Doc>(mode);
    d->setChildName(1, "Ann");
    d->setChildName(2, "Bob");
    d->setMotherMonthlyIncome(4000);
    d->setFatherMonthlyIncome(6000);
    d->setMotherOvernights(265);
    d->setMotherWorkRelatedExpenses(300);
    d->setFatherHealthInsurance(200);
    return d;
}

} // namespace

class TestPDFDocument : public QObject
{
    Q_OBJECT

private slots:
    void initFieldsCreatesKnownSetEmpty();
    void captions_data();
    void captions();
    void numberText_data();
    void numberText();
    void wholeAmountText();
    void percentText_data();
    void percentText();
    void sharedFieldList();
    void sharedPreOct2020LeavesAdditionEmpty();
    void sharedZeroAdjustment();
    void soleFieldList_data();
    void soleFieldList();
    void zeroHandling();
    void negativeLine9PrintsCommentTwo();
    void bigAndNegativeAmounts();
    void footnotes_data();
    void footnotes();
    void commentsKeepPercentSigns();
    void unknownFieldIsLoggedAndStored();
    void headerTexts();
    void numberOfMinorChildren();
};

void TestPDFDocument::initFieldsCreatesKnownSetEmpty()
{
    const QStringList names = PDFDocument::knownFieldNames();
    QCOMPARE(names.size(), 6 + 8 + 8 + 4 + 10 + 18 + 41 + 24 + 12);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());

    Doc document(Doc::NewOct2020);
    PDFDocument worksheet;
    worksheet.initFields(document);
    const Fields fields = worksheet.fields();
    QCOMPARE(fields.size(), names.size());
    const QSet<QString> captions = {"court", "guidelines", "plaintiff_m", "defendant_d", "parent1_m", "parent2_d"};
    for (const QString &name : names) {
        QVERIFY2(fields.contains(name), qPrintable(name));
        if (!captions.contains(name))
            QVERIFY2(fields.value(name).isEmpty(), qPrintable(name));
    }
    // Never filled by either list.
    const Fields shared = filled(*sharedExample(Doc::NewOct2020));
    QVERIFY(shared.value("prepost").isEmpty());
    QVERIFY(shared.value("line11_c").isEmpty());
}

void TestPDFDocument::captions_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("court");
    QTest::addColumn<int>("county");
    QTest::addColumn<QStringList>("expected"); // court, guidelines, plaintiff_m, defendant_d, parent1_m, parent2_d

    QTest::newRow("shared P1P2, pre October 2020")
        << int(Doc::PreOct2020) << int(Doc::SharedP1P2) << int(Doc::Circuit) << int(Doc::Baltimore_City)
        << QStringList{"In the Circuit Court for Baltimore City, Maryland", "Pre October 1, 2020 Guidelines",
                       "Plaintiff  (Parent 1)", "Defendant (Parent 2)", "Parent 1", "Parent 2"};
    QTest::newRow("district court, Worcester")
        << int(Doc::July2022) << int(Doc::Shared) << int(Doc::District) << int(Doc::Worcester_County)
        << QStringList{"In the District Court for Worcester County, Maryland", "Post July 1, 2022 Guidelines",
                       "Plaintiff", "Defendant", "Mother", "Father"};
    QTest::newRow("sole father, October 2020")
        << int(Doc::NewOct2020) << int(Doc::SoleFather) << int(Doc::Circuit) << int(Doc::Queen_Annes_County)
        << QStringList{"In the Circuit Court for Queen Anne's County Maryland", "Post October 1, 2020 Guidelines",
                       "Plaintiff", "Defendant", "Mother", "Father"};
    QTest::newRow("sole parent 2")
        << int(Doc::July2022) << int(Doc::SoleParent2) << int(Doc::District) << int(Doc::StMarys_County)
        << QStringList{"In the District Court for St.Mary 's County, Maryland", "Post July 1, 2022 Guidelines",
                       "Plaintiff  (Parent 1)", "Defendant (Parent 2)", "Parent 1", "Parent 2"};
    QTest::newRow("sole parent 1, unknown mode reads as pre October 2020")
        << int(Doc::UnknownMode) << int(Doc::SoleParent1) << int(Doc::Circuit) << 24
        << QStringList{"In the Circuit Court for Unknown", "Pre October 1, 2020 Guidelines", "Plaintiff  (Parent 1)",
                       "Defendant (Parent 2)", "Parent 1", "Parent 2"};
}

void TestPDFDocument::captions()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, court);
    QFETCH(int, county);
    QFETCH(QStringList, expected);

    Doc document{Doc::Mode(mode)};
    document.setCustodyType(custody);
    document.setCourtType(Doc::CourtType(court));
    document.setCounty(county);
    const Fields fields = filled(document);
    const QStringList names = {"court", "guidelines", "plaintiff_m", "defendant_d", "parent1_m", "parent2_d"};
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(fields.value(names.at(i)), expected.at(i));
}

void TestPDFDocument::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << 2345.0 << "2345";
    QTest::newRow("negative") << -1500.0 << "-1500";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("largest six digits") << 999999.0 << "999999";
    // Whole amounts of a million and more print every digit.
    QTest::newRow("one million") << 1000000.0 << "1000000";
    QTest::newRow("above a million") << 1234567.0 << "1234567";
    QTest::newRow("negative millions") << -2500001.0 << "-2500001";
    QTest::newRow("fraction") << 56.7 << "56.7";
    QTest::newRow("six significant digits") << 12.3456789 << "12.3457";
    // Totals of 1e15 and more print every digit too, up to what 64 bits hold.
    QTest::newRow("2e15") << 2e15 << "2000000000000000";
    QTest::newRow("-2^63") << -9223372036854775808.0 << "-9223372036854775808";
    QTest::newRow("2^63, beyond 64 bits") << 9223372036854775808.0 << "9223372036854775808";
}

// Beyond the 53 bits of a double: a whole amount that took a detour through
// one would lose its last digit.
void TestPDFDocument::wholeAmountText()
{
    const qint64 value = 9007199254740993; // 2^53 + 1
    PDFDocument worksheet;
    worksheet.setNumberField("line1_c", value);
    QCOMPARE(worksheet.field("line1_c"), QString("9007199254740993"));
    QCOMPARE(PDFDocument::numberText(std::numeric_limits<qint64>::min()), QString("-9223372036854775808"));
}

void TestPDFDocument::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(PDFDocument::numberText(value), text);
}

void TestPDFDocument::percentText_data()
{
    QTest::addColumn<float>("fraction");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.567") << 0.567f << "56.7%";
    QTest::newRow("one") << 1.0f << "100%";
    QTest::newRow("zero") << 0.0f << "0%";
    QTest::newRow("0.333") << 0.333f << "33.3%";
    QTest::newRow("0.726") << 0.726f << "72.6%";
    QTest::newRow("0.385") << 0.385f << "38.5%";
}

void TestPDFDocument::percentText()
{
    QFETCH(float, fraction);
    QFETCH(QString, text);
    QCOMPARE(PDFDocument::percentText(fraction), text);
}

// The worked example on the July 2022 form (computed in tst_guideline): the
// father's band fills lines 10 and 11 of his column only; lines 12, 14, 15
// and 16 stand under the parent who owes.
void TestPDFDocument::sharedFieldList()
{
    const Fields f = filled(*sharedExample());
    const QList<QPair<const char *, const char *>> expected = {
        {"monthly_income_m", "4000"}, {"monthly_income_f", "6000"}, {"existing_child_supp_pay_m", "0"},
        {"alimony_awarded_f", "0"}, {"line1_c", "10000"}, {"line2_m", "4000"}, {"line2_f", "6000"},
        {"line2_c", "10000"}, {"line3_m", "40%"}, {"line3_f", "60%"}, {"line4_c", "1881"}, {"line5_c", "2822"},
        {"line6_m", "265"}, {"line6_f", "100"}, {"line7_m", "72.6%"}, {"line7_f", "27.4%"}, {"line8_m", "1129"},
        {"line8_f", "1693"}, {"line9_m", "309"}, {"line9_f", "1229"}, {"line10_m", ""}, {"line10_f", "74"},
        {"line11_m", ""}, {"line11_f", "1303"}, {"line12_m", ""}, {"line12_f", "994"},
        {"work_related_child_exp_m", "300"}, {"work_related_child_exp_f", "0"}, {"line13_ca", "300"},
        {"health_ins_pay_f", "200"}, {"line13_cb", "200"}, {"line13_cc", "0"}, {"cmedsup_m", "0"},
        {"line13_cd", "0"}, {"line13_ce", "0"}, {"lineA_m", "120"}, {"lineA_f", "180"}, {"lineB_m", "180"},
        {"lineB_f", "0"}, {"lineC_m", "80"}, {"lineC_f", "120"}, {"lineD_m", "0"}, {"lineD_f", "80"},
        {"lineE_m", "0"}, {"lineH_m", "0"}, {"lineH_f", "0"}, {"lineK_m", "180"}, {"lineK_f", "80"},
        {"lineL_m", ""}, {"lineL_f", "100"}, {"line14_m", ""}, {"line14_f", "100"}, {"line15_m", ""},
        {"line15_f", "994"}, {"line16_m", ""}, {"line16_f", "1094"}, {"comments", "\n"},
        // No other children: line 1d stays blank.
        {"multifamily_children_m", ""}, {"multifamily_basic_f", ""}, {"multifamily_adj_m", ""}};
    for (const auto &pair : expected)
        QVERIFY2(f.value(pair.first) == QLatin1String(pair.second),
                 qPrintable(QStringLiteral("%1 = '%2'").arg(pair.first, f.value(pair.first))));
    // The older forms' lines are not on this one.
    for (const char *name : {"line8add_f", "line8sum_f", "line11_ca", "line13_f", "line4_ca", "line7a_f", "prepost"})
        QVERIFY2(!f.contains(name), name);
}

void TestPDFDocument::sharedPreOct2020LeavesAdditionEmpty()
{
    auto d = sharedExample(Doc::PreOct2020);
    d->setMotherOvernights(200);
    const Fields f = filled(*d);
    QCOMPARE(f.value("line8_m"), PDFDocument::numberText(d->motherAdjustedSharedObligation()));
    QCOMPARE(f.value("line8_f"), PDFDocument::numberText(d->fatherAdjustedSharedObligation()));
    QVERIFY(!f.value("line8_m").isEmpty());
    for (const char *name : {"line8add_m", "line8add_f", "line8sum_m", "line8sum_f"})
        QVERIFY2(f.value(name).isEmpty(), name);
}

void TestPDFDocument::sharedZeroAdjustment()
{
    auto d = sharedExample(Doc::NewOct2020);
    d->setMotherOvernights(200); // 200 and 165 nights: no adjustment for either parent
    const Fields f = filled(*d);
    QVERIFY(f.value("line8add_m").isEmpty());
    QVERIFY(f.value("line8add_f").isEmpty());
    QCOMPARE(f.value("line8sum_m"), f.value("line8_m"));
    QCOMPARE(f.value("line8sum_f"), f.value("line8_f"));
}

void TestPDFDocument::soleFieldList_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("othersM"); // other children in each parent's home (line 1d)
    QTest::addColumn<int>("othersF");
    QTest::addColumn<Fields>("expected");

    // Line 7 is each parent's direct pay, cash medical support (4d) included:
    // 400 and 150 + 50; line 8 line 6 minus line 7; line 9 the father's line 8.
    QTest::newRow("sole mother, July 2022")
        << int(Doc::July2022) << int(Doc::SoleMother) << 0 << 0
        << Fields{{"multifamily_children_m", ""}, {"multifamily_adj_f", ""}, {"line1_c", "8000"}, {"line3_m", "37.5%"}, {"line3_f", "62.5%"}, {"line4_c", "1748"},
                  {"work_related_child_exp_m", "400"}, {"line4_ca", "400"}, {"health_ins_pay_f", "150"},
                  {"line4_cb", "150"}, {"cmedsup_f", "50"}, {"cmedsup_m", "0"}, {"line4_cd", "50"},
                  {"line4_ce", "0"}, {"line5_c", "2348"}, {"line6_m", "880"}, {"line6_f", "1468"},
                  {"line7_m", "400"}, {"line7_f", "200"}, {"line8_m", "480"}, {"line8_f", "1268"},
                  {"line9_m", ""}, {"line9_f", "1268"}, {"comments", "\n"}};
    // Mother: row 3000, one child: 583 x 0.75 -> 437. Father: row 5000, two
    // children: 1356 x 0.75 = 1017. Line 2: 2563 + 3983 = 6546, row 6550:
    // 1531; with 600 of expenses 2131; shares 0.392 and 0.608.
    QTest::newRow("sole mother, July 2022, other children in both homes")
        << int(Doc::July2022) << int(Doc::SoleMother) << 1 << 2
        << Fields{{"multifamily_children_m", "1"}, {"multifamily_children_f", "2"}, {"multifamily_basic_m", "583"},
                  {"multifamily_basic_f", "1356"}, {"multifamily_adj_m", "437"},
                  {"multifamily_adj_f", "1017"}, {"line1_c", "8000"}, {"line2_m", "2563"}, {"line2_f", "3983"},
                  {"line2_c", "6546"}, {"line3_m", "39.2%"}, {"line3_f", "60.8%"}, {"line4_c", "1531"},
                  {"line5_c", "2131"}, {"line6_m", "835"}, {"line6_f", "1296"}, {"line7_f", "200"},
                  {"line8_f", "1096"}, {"line8_m", "435"}, {"line9_f", "1096"}};
    QTest::newRow("sole parent 2, pre October 2020, counts ignored")
        << int(Doc::PreOct2020) << int(Doc::SoleParent2) << 2 << 3
        << Fields{{"multifamily_children_m", ""}, {"multifamily_adj_m", ""}, {"multifamily_children_f", ""},
                  {"multifamily_adj_f", ""}, {"line2_m", "2500"}, {"line2_f", "4000"}, {"line4_c", "1026"}, {"add_expenses_m", "100"}, {"line4_ce", "100"}, {"line5_c", "1126"},
                  {"line3_m", "38.5%"}, {"line3_f", "61.5%"}, {"line6_m", "434"}, {"line7_m", "434"},
                  {"line7_f", "0"}, {"line7a_m", "-100"}, {"line7a_f", "0"}, {"line8_m", "334"}, {"line8_f", ""},
                  {"parent1_m", "Parent 1"}};
}

void TestPDFDocument::soleFieldList()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, othersM);
    QFETCH(int, othersF);
    QFETCH(Fields, expected);

    Doc d{Doc::Mode(mode)};
    d.setCustodyType(custody);
    d.setMotherMultifamilyChildren(othersM);
    d.setFatherMultifamilyChildren(othersF);
    if (mode == Doc::July2022) {
        d.setChildName(1, "Ann");
        d.setChildName(2, "Bob");
        d.setMotherMonthlyIncome(3000);
        d.setFatherMonthlyIncome(5000);
        d.setMotherWorkRelatedExpenses(400);
        d.setFatherHealthInsurance(150);
        d.setFatherCashMedicalPercent(1.0);
    } else {
        d.setMotherMonthlyIncome(2500);
        d.setFatherMonthlyIncome(4000);
        d.setMotherAdditionalExpenses(100);
    }
    const Fields f = filled(d);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(f.value(it.key()) == it.value(),
                 qPrintable(QStringLiteral("%1 = '%2', expected '%3'").arg(it.key(), f.value(it.key()), it.value())));
}

void TestPDFDocument::zeroHandling()
{
    // Nothing owed by anyone: the older Worksheet A leaves line 8 blank, the
    // July 2022 Worksheet B prints 0 in both columns of the owed lines.
    Doc sole(Doc::NewOct2020);
    sole.setCustodyType(Doc::SoleMother);
    const Fields a = filled(sole);
    QCOMPARE(a.value("line8_m"), QString());
    QCOMPARE(a.value("line8_f"), QString());
    QCOMPARE(a.value("line7a_m"), QString("0"));
    QCOMPARE(a.value("line7a_f"), QString("0"));
    QCOMPARE(a.value("monthly_income_m"), QString("0"));

    Doc shared(Doc::July2022);
    const Fields b = filled(shared);
    QCOMPARE(b.value("line16_m"), QString("0"));
    QCOMPARE(b.value("line16_f"), QString("0"));
    QCOMPARE(b.value("lineL_m"), QString("0"));
}

// Line 9 negative: the custodial mother reimburses the father's direct pay
// (total 1345 + 1500 = 2845, his 0.1 of it 284.5 -> 284, minus 1500), and
// the form's Comment (2) comes first in the comments.
void TestPDFDocument::negativeLine9PrintsCommentTwo()
{
    Doc d(Doc::July2022);
    d.setCustodyType(Doc::SoleMother);
    d.setMotherMonthlyIncome(9000);
    d.setFatherMonthlyIncome(1000);
    d.setFatherWorkRelatedExpenses(1500);
    d.setFootnote(10, "Day care invoices.");
    const Fields f = filled(d);
    QCOMPARE(f.value("line8_f"), QString("-1216"));
    QCOMPARE(f.value("line9_f"), QString("-1216"));
    QCOMPARE(f.value("line9_m"), QString());
    QVERIFY(f.value("comments").startsWith("(2) There is a negative dollar amount on line 9, which indicates"));
    QVERIFY(f.value("comments").endsWith("\"direct pay\" expenses.\n* 1 Day care invoices.\n"));
    QCOMPARE(d.motherRecommendedChildSupport(), 1216);
}

void TestPDFDocument::bigAndNegativeAmounts()
{
    Doc d(Doc::July2022);
    d.setCustodyType(Doc::SoleFather);
    d.setMotherMonthlyIncome(1234567);
    d.setFatherMonthlyIncome(2000000);
    d.setMotherAlimonyAwarded(-250);
    const Fields f = filled(d);
    QCOMPARE(f.value("monthly_income_m"), QString("1234567"));
    QCOMPARE(f.value("monthly_income_f"), QString("2000000"));
    QCOMPARE(f.value("line1_c"), QString("3234567"));
    QCOMPARE(f.value("alimony_awarded_m"), QString("-250"));
    QCOMPARE(f.value("alimony_awarded_f"), QString("250"));
    QCOMPARE(f.value("line2_c"), QString::number(d.adjustedCombinedIncome()));
    QCOMPARE(f.value("line4_c"), QString::number(d.basicObligation()));
    QVERIFY(d.basicObligation() > 100000);
    QCOMPARE(f.value("line9_m"), QString::number(d.motherRecommendedChildSupport()));
}

void TestPDFDocument::footnotes_data()
{
    QTest::addColumn<int>("custody");
    QTest::addColumn<QList<int>>("footnoteSlots");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("comments");

    QTest::newRow("none") << int(Doc::Shared) << QList<int>{} << QStringList{} << "\n";
    QTest::newRow("slots 2, 7, 18, Worksheet B")
        << int(Doc::Shared) << QList<int>{2, 7, 18} << QStringList{"  Pay stub  ", "Court order", "Tuition"}
        << "* 1 Pay stub\n* 2 Court order\n* 3 Tuition\n";
    QTest::newRow("slots 2, 7, 18, Worksheet A")
        << int(Doc::SoleMother) << QList<int>{2, 7, 18} << QStringList{"Pay stub", "Court order", "Tuition"}
        << "* 1 Pay stub\n* 2 Court order\n* 3 Tuition\n";
    QTest::newRow("slots 3 and 10") << int(Doc::SoleParent2) << QList<int>{3, 10} << QStringList{"x", "y"}
                                    << "* 1 x\n* 2 y\n";
    QTest::newRow("blanks only") << int(Doc::Shared) << QList<int>{16} << QStringList{"   "} << "* 1 \n";
    QTest::newRow("every slot") << int(Doc::Shared) << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14,
                                                                  15, 16, 17, 18}
                                << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i",
                                               "j", "k", "l", "m", "n", "o", "p", "q", "r"}
                                << "* 1 a\n* 2 b\n* 3 c\n* 4 d\n* 5 e\n* 6 f\n* 7 g\n* 8 h\n* 9 i\n* 10 j\n"
                                   "* 11 k\n* 12 l\n* 13 m\n* 14 n\n* 15 o\n* 16 p\n* 17 q\n* 18 r\n";
}

void TestPDFDocument::footnotes()
{
    QFETCH(int, custody);
    QFETCH(QList<int>, footnoteSlots);
    QFETCH(QStringList, texts);
    QFETCH(QString, comments);

    Doc d(Doc::NewOct2020);
    d.setCustodyType(custody);
    for (int i = 0; i < footnoteSlots.size(); ++i)
        d.setFootnote(footnoteSlots.at(i), texts.at(i));
    const Fields f = filled(d);
    for (int slot = 1; slot <= 18; ++slot) {
        const int position = int(footnoteSlots.indexOf(slot));
        const QString expected = position < 0 ? QString() : QString::number(position + 1);
        QCOMPARE(f.value(QStringLiteral("fnn%1").arg(slot)), expected);
    }
    QCOMPARE(f.value("comments"), comments);
}

void TestPDFDocument::commentsKeepPercentSigns()
{
    Doc d(Doc::July2022);
    d.setComments("Split 50%/50% as in %1 and %2");
    d.setFootnote(1, "Raise of 3% in %1");
    // Footnotes first: their numbers stand beside the amounts on the first page.
    QCOMPARE(filled(d).value("comments"), QString("* 1 Raise of 3% in %1\nSplit 50%/50% as in %1 and %2\n"));
}

void TestPDFDocument::unknownFieldIsLoggedAndStored()
{
    Doc d(Doc::July2022);
    PDFDocument worksheet;
    worksheet.initFields(d);
    QTest::ignoreMessage(QtWarningMsg, "PDFDocument: trying to add unknown field: \"line99_m\"");
    worksheet.setField("line99_m", "12");
    QCOMPARE(worksheet.field("line99_m"), QString("12"));

    // Known names are stored without a warning.
    QTest::failOnWarning(QRegularExpression("unknown field"));
    worksheet.setField("casenum", "C-1");
    QCOMPARE(worksheet.field("casenum"), QString("C-1"));
}

void TestPDFDocument::headerTexts()
{
    Doc d(Doc::July2022);
    d.setCaseNumber("C-02-FM-24-1");
    d.setPreparer("A. Lawyer");
    d.setPreparedDate("12/9/24");
    d.setPlaintiffName("Jane");
    d.setDefendantName("John");
    for (int i = 1; i <= 6; ++i) {
        d.setChildName(i, QStringLiteral("Child %1").arg(i));
        d.setChildBirthDate(i, QStringLiteral("0%1/01/2015").arg(i));
    }
    d.setComments("Agreed.");
    // The header block of the court's form.
    d.setCourtType(Doc::District);
    d.setCounty(Doc::Queen_Annes_County);
    d.setPlaintiffAddress("12 Main St.");
    d.setPlaintiffApt("4B");
    d.setPlaintiffCity("Ocean City");
    d.setPlaintiffState("MD");
    d.setPlaintiffZip("21842");
    d.setPlaintiffPhone("(410) 555-0100");
    d.setDefendantAddress("9 Elm Rd.");
    d.setDefendantApt("Suite 2");
    d.setDefendantState("AL"); // the client details' first state, no address
    const Fields f = filled(d);
    QCOMPARE(f.value("court_title"), QString("District Court of Maryland for"));
    QCOMPARE(f.value("court_county"), QString("Queen Anne's County"));
    QCOMPARE(f.value("plaintiff_address"), QString("12 Main St., Apt 4B"));
    QCOMPARE(f.value("plaintiff_city_state_zip"), QString("Ocean City, MD 21842"));
    QCOMPARE(f.value("plaintiff_phone"), QString("(410) 555-0100"));
    QCOMPARE(f.value("defendant_address"), QString("9 Elm Rd., Suite 2"));
    QCOMPARE(f.value("defendant_city_state_zip"), QString());
    QCOMPARE(f.value("casenum"), QString("C-02-FM-24-1"));
    QCOMPARE(f.value("preparer"), QString("A. Lawyer"));
    QCOMPARE(f.value("date"), QString("12/9/24"));
    QCOMPARE(f.value("plaintiff"), QString("Jane"));
    QCOMPARE(f.value("defendant"), QString("John"));
    for (int i = 1; i <= 6; ++i) {
        QCOMPARE(f.value(QStringLiteral("childn%1").arg(i)), QStringLiteral("Child %1").arg(i));
        QCOMPARE(f.value(QStringLiteral("bday%1").arg(i)), QStringLiteral("0%1/01/2015").arg(i));
    }
    QCOMPARE(f.value("comments"), QString("Agreed.\n"));
}

// The worksheet states the number its schedule column was read with; how
// children are counted is the model's and tested there.
void TestPDFDocument::numberOfMinorChildren()
{
    Doc d(Doc::July2022);
    d.setCustodyType(Doc::Shared);
    d.setChildName(1, "Amy");
    d.setChildBirthDate(2, "4");
    d.setChildBirthDate(6, "3/3/2019");
    QCOMPARE(d.childCount(), 3);
    QCOMPARE(filled(d).value("numchildren"), QString("3"));
}

QTEST_GUILESS_MAIN(TestPDFDocument)
#include "tst_pdfdocument.moc"
