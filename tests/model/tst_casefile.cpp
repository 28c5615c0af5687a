// Case files on real disk: round trips, the reading rules, hostile input and
// saving that never destroys the previous file.
#include "ChildProcess.h"
#include "OrvaDocument.h"
#include "SpecialFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using Doc = OrvaDocument;

namespace {

// Every stored field of a document, with the file identity left out.
QVariantMap snapshot(const Doc &d)
{
    QVariantMap m;
    m["caseNumber"] = d.caseNumber();
    m["preparer"] = d.preparer();
    m["plaintiffName"] = d.plaintiffName();
    m["defendantName"] = d.defendantName();
    for (int i = 1; i <= 6; ++i) {
        m[QString("child%1Name").arg(i)] = d.childName(i);
        m[QString("child%1BirthDate").arg(i)] = d.childBirthDate(i);
    }
    m["mode"] = int(d.mode());
    m["county"] = d.county();
    m["courtType"] = int(d.courtType());
    m["custodyType"] = int(d.custodyType());
    m["motherMonthlyIncome"] = d.motherMonthlyIncome();
    m["motherExistingChildSupportPayment"] = d.motherExistingChildSupportPayment();
    m["motherAlimonyPaid"] = d.motherAlimonyPaid();
    m["motherAlimonyAwarded"] = d.motherAlimonyAwarded();
    m["motherOvernights"] = d.motherOvernights();
    m["motherWorkRelatedExpenses"] = d.motherWorkRelatedExpenses();
    m["motherHealthInsurance"] = d.motherHealthInsurance();
    m["motherExtraMedicalExpenses"] = d.motherExtraMedicalExpenses();
    m["motherCashMedicalPercent"] = d.motherCashMedicalPercent();
    m["motherAdditionalExpenses"] = d.motherAdditionalExpenses();
    m["fatherMonthlyIncome"] = d.fatherMonthlyIncome();
    m["fatherExistingChildSupportPayment"] = d.fatherExistingChildSupportPayment();
    m["fatherAlimonyPaid"] = d.fatherAlimonyPaid();
    m["fatherAlimonyAwarded"] = d.fatherAlimonyAwarded();
    m["fatherOvernights"] = d.fatherOvernights();
    m["fatherWorkRelatedExpenses"] = d.fatherWorkRelatedExpenses();
    m["fatherHealthInsurance"] = d.fatherHealthInsurance();
    m["fatherExtraMedicalExpenses"] = d.fatherExtraMedicalExpenses();
    m["fatherCashMedicalPercent"] = d.fatherCashMedicalPercent();
    m["fatherAdditionalExpenses"] = d.fatherAdditionalExpenses();
    m["plaintiffAddress"] = d.plaintiffAddress();
    m["plaintiffCity"] = d.plaintiffCity();
    m["plaintiffApt"] = d.plaintiffApt();
    m["plaintiffState"] = d.plaintiffState();
    m["plaintiffZip"] = d.plaintiffZip();
    m["defendantAddress"] = d.defendantAddress();
    m["defendantCity"] = d.defendantCity();
    m["defendantApt"] = d.defendantApt();
    m["defendantState"] = d.defendantState();
    m["defendantZip"] = d.defendantZip();
    m["plaintiffPhone"] = d.plaintiffPhone();
    m["defendantPhone"] = d.defendantPhone();
    m["clientAlimonyPaid"] = d.clientAlimonyPaid();
    m["clientAlimonyReceived"] = d.clientAlimonyReceived();
    m["relationshipIndex"] = d.relationshipIndex();
    m["formsClient"] = int(d.formsClient());
    m["comments"] = d.comments();
    m["motherMultifamilyChildren"] = d.motherMultifamilyChildren();
    m["fatherMultifamilyChildren"] = d.fatherMultifamilyChildren();
    for (int n = 1; n <= 18; ++n)
        m[QString("footnote%1").arg(n)] = d.footnote(n);
    return m;
}

void compareSnapshots(const QVariantMap &actual, const QVariantMap &expected)
{
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (actual.value(it.key()) != it.value())
            QFAIL(qPrintable(QString("%1: read %2, wrote %3")
                                 .arg(it.key(), actual.value(it.key()).toString(), it.value().toString())));
    }
}

// The document the golden file was written from.
void fillFixedCase(Doc &d)
{
    d.setCaseNumber("24-FM-1234 & <5>");
    d.setPreparer("Ana Müller, Esq.");
    d.setPlaintiffName("Jane \"JJ\" Doe");
    d.setDefendantName("John O'Neil");
    d.setChild1Name("Amy");
    d.setChild1BirthDate("01/02/2015");
    d.setChild2Name("Ben");
    d.setChild2BirthDate("7 years");
    d.setChild3Name("Zoë");
    d.setChild3BirthDate("2019-12-31");
    d.setCounty(Doc::Worcester_County);
    d.setCourtType(Doc::District);
    d.setCustodyType(Doc::SharedP1P2);
    d.setMotherOvernights(200);
    d.setMotherMonthlyIncome(4200);
    d.setMotherExistingChildSupportPayment(150);
    d.setMotherAlimonyPaid(75);
    d.setMotherAlimonyAwarded(-250);
    d.setMotherWorkRelatedExpenses(320);
    d.setMotherHealthInsurance(95);
    d.setMotherExtraMedicalExpenses(40);
    d.setMotherCashMedicalPercent(1.5);
    d.setMotherAdditionalExpenses(60);
    d.setFatherMonthlyIncome(6100);
    d.setFatherExistingChildSupportPayment(0);
    d.setFatherAlimonyPaid(0);
    d.setFatherWorkRelatedExpenses(0);
    d.setFatherHealthInsurance(210);
    d.setFatherExtraMedicalExpenses(0);
    d.setFatherCashMedicalPercent(0.5);
    d.setFatherAdditionalExpenses(25);
    d.setPlaintiffAddress("12 Main St.");
    d.setPlaintiffCity("Ocean City");
    d.setPlaintiffApt("4B");
    d.setPlaintiffState("MD");
    d.setPlaintiffZip("21842");
    d.setDefendantAddress("9 Elm Rd.");
    d.setDefendantCity("Salisbury");
    d.setDefendantApt("");
    d.setDefendantState("MD");
    d.setDefendantZip("21801");
    d.setClientAlimonyPaid("$250 monthly");
    d.setClientAlimonyReceived("none");
    d.setRelationshipIndex(2);
    d.setComments("First line\nSecond line with < and &");
    d.setFootnote(1, "Income per 2023 W-2");
    d.setFootnote(8, "Awarded by consent order");
    d.setFootnote(18, "School fees");
}

void fillRandomCase(Doc &d, QRandomGenerator &random)
{
    static const QStringList texts = {"", "Plain", "Tab\there", "Line\nbreak", "<tag> & \"quotes\" 'apos'",
                                      "Ünïcödé 日本語 😀", "  padded  ", "]]> end of cdata", "&amp; literal",
                                      "Windows\r\nline", "lone\rreturn\r"};
    auto text = [&] { return texts.at(int(random.bounded(texts.size()))); };
    auto amount = [&] { return qint64(random.bounded(200000)) - 20000; };
    d.setCaseNumber(text());
    d.setPreparer(text());
    d.setPlaintiffName(text());
    d.setDefendantName(text());
    for (int i = 1; i <= 6; ++i) {
        d.setChildName(i, text());
        d.setChildBirthDate(i, text());
    }
    d.setCounty(int(random.bounded(24)));
    d.setCourtType(random.bounded(2) ? Doc::Circuit : Doc::District);
    d.setCustodyType(int(random.bounded(6)));
    d.setMotherOvernights(int(random.bounded(366)));
    d.setMotherMonthlyIncome(amount());
    d.setMotherExistingChildSupportPayment(amount());
    d.setMotherAlimonyPaid(amount());
    if (random.bounded(2))
        d.setMotherAlimonyAwarded(amount());
    else
        d.setFatherAlimonyAwarded(amount());
    d.setMotherWorkRelatedExpenses(amount());
    d.setMotherHealthInsurance(amount());
    d.setMotherExtraMedicalExpenses(amount());
    d.setMotherCashMedicalPercent(0.5 * random.bounded(11));
    d.setMotherAdditionalExpenses(amount());
    d.setFatherMonthlyIncome(amount());
    d.setFatherExistingChildSupportPayment(amount());
    d.setFatherAlimonyPaid(amount());
    d.setFatherWorkRelatedExpenses(amount());
    d.setFatherHealthInsurance(amount());
    d.setFatherExtraMedicalExpenses(amount());
    d.setFatherCashMedicalPercent(0.5 * random.bounded(11));
    d.setFatherAdditionalExpenses(amount());
    d.setPlaintiffAddress(text());
    d.setPlaintiffCity(text());
    d.setPlaintiffApt(text());
    d.setPlaintiffState(text());
    d.setPlaintiffZip(text());
    d.setDefendantAddress(text());
    d.setDefendantCity(text());
    d.setDefendantApt(text());
    d.setDefendantState(text());
    d.setDefendantZip(text());
    d.setPlaintiffPhone(text());
    d.setDefendantPhone(text());
    d.setClientAlimonyPaid(text());
    d.setClientAlimonyReceived(text());
    d.setRelationshipIndex(int(random.bounded(10)));
    d.setFormsClient(int(random.bounded(3)));
    d.setComments(text());
    for (int n = 1; n <= 18; ++n)
        d.setFootnote(n, random.bounded(3) ? QString() : text());
    d.setMotherMultifamilyChildren(int(random.bounded(9)));
    d.setFatherMultifamilyChildren(int(random.bounded(9)));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A case file with the given elements inside "case".
QByteArray caseXml(const QByteArray &children)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<n1:Case xmlns:n1=\"urn:orvacalc_case\"><case>" + children
           + "</case></n1:Case>\n";
}

// Collects what the reader writes to the log.
QStringList *capturedLog = nullptr;
void captureHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (capturedLog && type != QtDebugMsg)
        capturedLog->append(message);
}

struct LogCapture {
    QStringList lines;
    QtMessageHandler previous;
    LogCapture() : previous(qInstallMessageHandler(captureHandler)) { capturedLog = &lines; }
    ~LogCapture()
    {
        capturedLog = nullptr;
        qInstallMessageHandler(previous);
    }
    int count(const QString &start) const
    {
        int n = 0;
        for (const QString &line : lines)
            n += line.startsWith(start) ? 1 : 0;
        return n;
    }
};

} // namespace

class TestCaseFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTripVariedDocuments();
    void roundTripFixesFileIdentity();
    void goldenFile();
    void cashMedicalPercent_data();
    void cashMedicalPercent();
    void readingRules_data();
    void readingRules();
    void footnoteRules();
    void logLinesForOwnFile();
    void failures_data();
    void failures();
    void truncatedFilesNeverLoad();
    void hostileInput_data();
    void hostileInput();
    void largeAndDeepFiles();
    void controlCharactersStillSave();
    void fuzzFindings_data();
    void fuzzFindings();
    void saveOntoDirectoryKeepsEverything();
    void saveIntoReadOnlyFolderKeepsPreviousFile();
    void failedSaveKeepsPreviousFile_data();
    void failedSaveKeepsPreviousFile();
    void encodings_data();
    void encodings();
    void readFailureReasons_data();
    void readFailureReasons();
    void manyAttributesFailFast_data();
    void manyAttributesFailFast();
    void ignoredContentIsLoggedBriefly();

private:
    QTemporaryDir m_dir;
};

void TestCaseFile::roundTripVariedDocuments()
{
    LogCapture quiet;
    QRandomGenerator random(4242);
    const Doc::Mode modes[] = {Doc::PreOct2020, Doc::NewOct2020, Doc::July2022};
    for (int i = 0; i < 60; ++i) {
        Doc original(modes[i % 3]);
        fillRandomCase(original, random);
        const QString path = m_dir.filePath(QString("round%1.cml").arg(i));
        QVERIFY(original.writeCaseFile(path));

        // Read into a fresh document of either kind the window may create.
        Doc copy(i % 2 ? Doc::July2022 : Doc::NewOct2020);
        QVERIFY(copy.readCaseFile(path));
        compareSnapshots(snapshot(copy), snapshot(original));
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QString("document %1").arg(i)));
    }
}

void TestCaseFile::roundTripFixesFileIdentity()
{
    LogCapture quiet;
    Doc doc(Doc::July2022);
    doc.setModified(true);
    const QString path = m_dir.filePath("identity.cml");
    QSignalSpy spy(&doc, &Doc::modifiedFlagChanged);
    QVERIFY(doc.writeCaseFile(path));
    QVERIFY(!doc.untitled());
    QVERIFY(!doc.modified());
    QCOMPARE(doc.filePath(), path);
    QCOMPARE(doc.documentName(), path);
    QCOMPARE(spy.count(), 1);

    Doc read(Doc::July2022);
    read.setExtrapolationWarnedModes({Doc::July2022});
    read.setLastCheckedAdjustedCombinedIncome(50000);
    QVERIFY(read.readCaseFile(path));
    QVERIFY(!read.untitled());
    QVERIFY(!read.modified());
    QCOMPARE(read.filePath(), path);
    QVERIFY(read.extrapolationWarnedModes().isEmpty());
    QCOMPARE(read.lastCheckedAdjustedCombinedIncome(), 0);
}

// The golden file is a file of the version before line 1d: this version
// writes the same bytes with the two counts added at the end of "case".
const QByteArray Line1dElements = "    <multifam_m>0</multifam_m>\n    <multifam_d>0</multifam_d>\n";

void TestCaseFile::goldenFile()
{
    LogCapture quiet;
    Doc doc(Doc::July2022);
    fillFixedCase(doc);
    const QString golden = QStringLiteral(ORVA_SOURCE_DIR "/tests/model/data/golden-case.cml");
    const QString path = m_dir.filePath("golden.cml");
    QVERIFY(doc.writeCaseFile(path));
    if (qEnvironmentVariableIsSet("ORVA_UPDATE_GOLDEN")) {
        QByteArray older = readAll(path);
        QVERIFY(older.contains(Line1dElements));
        QVERIFY(writeBytes(golden, older.replace(Line1dElements, "")));
    }
    QByteArray expected = readAll(golden);
    QVERIFY(!expected.isEmpty());
    QVERIFY(!expected.contains("multifam"));
    expected.replace("  </case>\n", Line1dElements + "  </case>\n");
    QCOMPARE(readAll(path), expected);

    Doc read(Doc::NewOct2020);
    QVERIFY(read.readCaseFile(golden));
    Doc reference(Doc::July2022);
    fillFixedCase(reference);
    compareSnapshots(snapshot(read), snapshot(reference));
}

void TestCaseFile::cashMedicalPercent_data()
{
    QTest::addColumn<qint64>("income");
    QTest::addColumn<double>("percent");
    QTest::addColumn<QString>("storedAmount");
    QTest::addColumn<double>("percentFromAmountOnly");
    QTest::addColumn<QString>("storedPercent");

    QTest::newRow("3333 at 1.5") << qint64(3333) << 1.5 << "50" << 1.5 << "1.5";
    QTest::newRow("3000 at 2.5") << qint64(3000) << 2.5 << "75" << 2.5 << "2.5";
    QTest::newRow("100 at 0.5") << qint64(100) << 0.5 << "0" << 0.0 << "0.5";
    QTest::newRow("income 0 at 3.0") << qint64(0) << 3.0 << "0" << 0.0 << "3.0";
    QTest::newRow("negative income at 1.0") << qint64(-500) << 1.0 << "-5" << 0.0 << "1.0";
    QTest::newRow("7 at 5.0") << qint64(7) << 5.0 << "0" << 0.0 << "5.0";
    // Two decimals, as another file may carry them, stay two decimals.
    QTest::newRow("10000 at 1.25") << qint64(10000) << 1.25 << "125" << 1.3 << "1.25";
    QTest::newRow("3000 at 0.05") << qint64(3000) << 0.05 << "2" << 0.1 << "0.05";
}

void TestCaseFile::cashMedicalPercent()
{
    LogCapture quiet;
    QFETCH(qint64, income);
    QFETCH(double, percent);
    QFETCH(QString, storedAmount);
    QFETCH(double, percentFromAmountOnly);
    QFETCH(QString, storedPercent);

    Doc doc(Doc::July2022);
    doc.setMotherMonthlyIncome(income);
    doc.setMotherCashMedicalPercent(percent);
    doc.setFatherMonthlyIncome(income);
    doc.setFatherCashMedicalPercent(percent);
    const QString path = m_dir.filePath("cmed.cml");
    QVERIFY(doc.writeCaseFile(path));
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.contains("<cmedsup_m>" + storedAmount.toUtf8() + "</cmedsup_m>"));
    QVERIFY(bytes.contains("<cmedpct_m>" + storedPercent.toUtf8() + "</cmedpct_m>"));

    Doc read(Doc::July2022);
    QVERIFY(read.readCaseFile(path));
    QCOMPARE(read.motherCashMedicalPercent(), percent);
    QCOMPARE(read.fatherCashMedicalPercent(), percent);
    // The amount printed after a save and reopen is the one printed before.
    QCOMPARE(read.motherCashMedicalSupport(), doc.motherCashMedicalSupport());
    QVERIFY(read.writeCaseFile(path));
    QCOMPARE(readAll(path), bytes);

    // A file of an older version has only the amounts.
    QByteArray old = bytes;
    old.replace(QByteArray("<cmedpct_m>" + storedPercent.toUtf8() + "</cmedpct_m>"), "");
    old.replace(QByteArray("<cmedpct_d>" + storedPercent.toUtf8() + "</cmedpct_d>"), "");
    QVERIFY(!old.contains("cmedpct"));
    QVERIFY(writeBytes(path, old));
    Doc older(Doc::July2022);
    QVERIFY(older.readCaseFile(path));
    QCOMPARE(older.motherCashMedicalPercent(), percentFromAmountOnly);
    QCOMPARE(older.fatherCashMedicalPercent(), percentFromAmountOnly);
}

void TestCaseFile::readingRules_data()
{
    QTest::addColumn<QByteArray>("children");
    QTest::addColumn<int>("freshMode");
    QTest::addColumn<QVariantMap>("expected");

    const int jul = Doc::July2022, oct = Doc::NewOct2020;
    QTest::newRow("PreOct2020 keeps 250 overnights")
        << QByteArray("<guidelines>PreOct2020</guidelines><overnights_m>250</overnights_m>") << jul
        << QVariantMap{{"mode", int(Doc::PreOct2020)}, {"motherOvernights", 250}, {"fatherOvernights", 115}};
    QTest::newRow("no guidelines element means PreOct2020")
        << QByteArray("<overnights_m>100</overnights_m>") << oct
        << QVariantMap{{"mode", int(Doc::PreOct2020)}, {"motherOvernights", 100}};
    QTest::newRow("unknown guidelines text")
        << QByteArray("<guidelines>jul2022</guidelines>") << jul << QVariantMap{{"mode", int(Doc::PreOct2020)}};
    QTest::newRow("empty case element")
        << QByteArray() << jul << QVariantMap{{"mode", int(Doc::PreOct2020)}, {"motherOvernights", 273}};
    QTest::newRow("Oct2020 clamps under its own range")
        << QByteArray("<guidelines>Oct2020</guidelines><overnights_m>300</overnights_m>") << jul
        << QVariantMap{{"mode", int(Doc::NewOct2020)}, {"motherOvernights", 273}, {"fatherOvernights", 92}};
    QTest::newRow("custody 2 then overnights 200")
        << QByteArray("<guidelines>Jul2022</guidelines><cbo_custody.SelectedIndex>2</cbo_custody.SelectedIndex>"
                      "<overnights_m>200</overnights_m>")
        << jul << QVariantMap{{"custodyType", 2}, {"motherOvernights", 0}, {"fatherOvernights", 365}};
    QTest::newRow("custody outside 0..5 keeps the default")
        << QByteArray("<guidelines>Jul2022</guidelines><cbo_custody.SelectedIndex>6</cbo_custody.SelectedIndex>"
                      "<overnights_m>200</overnights_m>")
        << jul << QVariantMap{{"custodyType", 0}, {"motherOvernights", 200}, {"fatherOvernights", 165}};
    QTest::newRow("TRUE selects District")
        << QByteArray("<circuit.Checked>False</circuit.Checked><district.Checked>TRUE</district.Checked>") << jul
        << QVariantMap{{"courtType", int(Doc::District)}};
    QTest::newRow("False in both keeps Circuit")
        << QByteArray("<circuit.Checked>False</circuit.Checked><district.Checked>False</district.Checked>") << jul
        << QVariantMap{{"courtType", int(Doc::Circuit)}};
    QTest::newRow("abc as an amount")
        << QByteArray("<Monthinc_m>abc</Monthinc_m><Monthinc_d> 1500 </Monthinc_d>") << jul
        << QVariantMap{{"motherMonthlyIncome", qint64(0)}, {"fatherMonthlyIncome", qint64(1500)}};
    QTest::newRow("numbers beyond 64 bits read as 0")
        << QByteArray("<Monthinc_m>99999999999999999999</Monthinc_m><addexp_d>-9223372036854775808</addexp_d>")
        << jul
        << QVariantMap{{"motherMonthlyIncome", qint64(0)},
                       {"fatherAdditionalExpenses", std::numeric_limits<qint64>::min()}};
    QTest::newRow("32-bit fields take the low 32 bits")
        << QByteArray("<Cbo_county.SelectedIndex>4294967299</Cbo_county.SelectedIndex>"
                      "<relationship_idx>-1</relationship_idx>")
        << jul << QVariantMap{{"county", 3}, {"relationshipIndex", -1}};
    QTest::newRow("later alimony element wins")
        << QByteArray("<alimony_award_m>300</alimony_award_m><alimony_award_d>100</alimony_award_d>") << jul
        << QVariantMap{{"motherAlimonyAwarded", qint64(-100)}, {"fatherAlimonyAwarded", qint64(100)}};
    QTest::newRow("cash medical from amount and income read so far")
        << QByteArray("<Monthinc_m>3333</Monthinc_m><cmedsup_m>50</cmedsup_m><cmedsup_d>50</cmedsup_d>"
                      "<Monthinc_d>3333</Monthinc_d>")
        << jul << QVariantMap{{"motherCashMedicalPercent", 1.5}, {"fatherCashMedicalPercent", 0.0}};
    QTest::newRow("stored percent preferred in any order")
        << QByteArray("<cmedpct_m>2.5</cmedpct_m><Monthinc_m>1000</Monthinc_m><cmedsup_m>5</cmedsup_m>") << jul
        << QVariantMap{{"motherCashMedicalPercent", 2.5}};
    QTest::newRow("unusable stored percent falls back to the amount")
        << QByteArray("<Monthinc_m>1000</Monthinc_m><cmedsup_m>5</cmedsup_m><cmedpct_m>lots</cmedpct_m>"
                      "<cmedpct_d>nan</cmedpct_d>")
        << jul << QVariantMap{{"motherCashMedicalPercent", 0.5}, {"fatherCashMedicalPercent", 0.0}};
    QTest::newRow("texts unchanged, content after case not read")
        << QByteArray("<casenum>  A-1  </casenum><comments>x\ny &lt; z</comments></case><case><casenum>2"
                      "</casenum>")
        << jul << QVariantMap{{"caseNumber", "  A-1  "}, {"comments", "x\ny < z"}};
    QTest::newRow("line 1d counts")
        << QByteArray("<guidelines>Jul2022</guidelines><multifam_m>2</multifam_m><multifam_d> 5 </multifam_d>")
        << oct << QVariantMap{{"motherMultifamilyChildren", 2}, {"fatherMultifamilyChildren", 5}};
    QTest::newRow("line 1d counts before the guidelines element")
        << QByteArray("<multifam_d>3</multifam_d><guidelines>Jul2022</guidelines>") << oct
        << QVariantMap{{"mode", int(Doc::July2022)}, {"fatherMultifamilyChildren", 3}};
    QTest::newRow("line 1d counts outside 0..6")
        << QByteArray("<guidelines>Jul2022</guidelines><multifam_m>-1</multifam_m>"
                      "<multifam_d>4294967298</multifam_d>")
        << jul << QVariantMap{{"motherMultifamilyChildren", 0}, {"fatherMultifamilyChildren", 6}};
    QTest::newRow("line 1d counts in an October 2020 file")
        << QByteArray("<guidelines>Oct2020</guidelines><multifam_m>2</multifam_m><multifam_d>1</multifam_d>") << jul
        << QVariantMap{{"mode", int(Doc::NewOct2020)}, {"motherMultifamilyChildren", 2},
                       {"fatherMultifamilyChildren", 1}};
    QTest::newRow("second parent chosen as client")
        << QByteArray("<wife_cli></wife_cli><husb_cli> 1 </husb_cli>") << jul << QVariantMap{{"formsClient", 2}};
    QTest::newRow("client mark of a check box, unknown marks ignored")
        << QByteArray("<wife_cli>True</wife_cli><husb_cli>yes</husb_cli>") << jul << QVariantMap{{"formsClient", 1}};
    QTest::newRow("element names are case-sensitive")
        << QByteArray("<CASENUM>9</CASENUM><monthinc_m>900</monthinc_m>") << jul
        << QVariantMap{{"caseNumber", ""}, {"motherMonthlyIncome", qint64(0)}};
}

void TestCaseFile::readingRules()
{
    LogCapture quiet;
    QFETCH(QByteArray, children);
    QFETCH(int, freshMode);
    QFETCH(QVariantMap, expected);
    const QByteArray bytes = caseXml(children);
    const QString path = m_dir.filePath("rules.cml");
    QVERIFY(writeBytes(path, bytes));
    Doc doc(static_cast<Doc::Mode>(freshMode));
    QVERIFY(doc.readCaseFile(path));
    compareSnapshots(snapshot(doc), expected);
}

void TestCaseFile::footnoteRules()
{
    LogCapture quiet;
    const QString path = m_dir.filePath("footnotes.cml");
    QVERIFY(writeBytes(path, caseXml("<footnote><controlnumber>19</controlnumber><note>nineteen</note></footnote>"
                                     "<footnote><controlnumber>3</controlnumber><note></note></footnote>"
                                     "<footnote><controlnumber>4</controlnumber><note>first</note></footnote>"
                                     "<footnote><note>second</note><extra><deep/></extra>"
                                     "<controlnumber> 4 </controlnumber></footnote>"
                                     "<footnote><note>no number</note></footnote>"
                                     "<footnote><controlnumber>0</controlnumber><note>zero</note></footnote>")));
    Doc doc(Doc::July2022);
    QVERIFY(doc.readCaseFile(path));
    QCOMPARE(doc.footnote(4), QString("second"));
    QVERIFY(doc.footnote(3).isEmpty());
    for (int n : {1, 2, 5, 18})
        QVERIFY(doc.footnote(n).isEmpty());
}

void TestCaseFile::logLinesForOwnFile()
{
    Doc doc(Doc::July2022);
    fillFixedCase(doc);
    const QString path = m_dir.filePath("logged.cml");
    QVERIFY(doc.writeCaseFile(path));
    Doc read(Doc::July2022);
    LogCapture log;
    QVERIFY(read.readCaseFile(path));
    QCOMPARE(log.count("OrvaDoc: unknown xml element:"), 7);
    QCOMPARE(log.count("Unknown field value:"), 3);
    QCOMPARE(log.lines.size(), 10);
    for (const char *name : {"actual_adj_inc_m", "actual_adj_inc_d", "rec_child_sup_m", "rec_child_sup_d", "comb_inc",
                             "adj_comb_inc", "kids"})
        QVERIFY2(log.lines.contains(QString("OrvaDoc: unknown xml element: \"%1\"").arg(name)), name);
}

void TestCaseFile::failures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("logStart");
    QTest::addColumn<QString>("reason");

    const QString notCase = "not an OrvaCalc case file";
    QTest::newRow("empty file") << QByteArray() << "Can't read start element" << notCase;
    QTest::newRow("only a declaration") << QByteArray("<?xml version=\"1.0\"?>\n") << "Can't read start element"
                                        << notCase;
    QTest::newRow("root without case") << QByteArray("<Case></Case>") << "Can't read start element" << notCase;
    QTest::newRow("lower-case root") << QByteArray("<case><case></case></case>") << "Wrong start element" << notCase;
    QTest::newRow("upper-case inner") << QByteArray("<Case><Case></Case></Case>") << "Wrong start element" << notCase;
    QTest::newRow("prefixed inner") << QByteArray("<Case xmlns:a=\"x\"><a:case></a:case></Case>")
                                    << "Wrong start element" << notCase;
    QTest::newRow("malformed") << caseXml("<casenum>1</casenum><oops></case>") << "Error parsing xml:"
                               << "not a valid case file (line 2: Opening and ending tag mismatch.)";
    QTest::newRow("children where text is expected")
        << caseXml("<casenum><b>x</b></casenum>") << "Error parsing xml:"
        << "not a valid case file (line 2: Expected character data.)";
    QTest::newRow("children in an unknown element")
        << caseXml("<future><b>x</b></future>") << "Error parsing xml:"
        << "not a valid case file (line 2: Expected character data.)";
    QTest::newRow("children in controlnumber")
        << caseXml("<footnote><controlnumber><n>1</n></controlnumber></footnote>") << "Error parsing xml:"
        << "not a valid case file (line 2: Expected character data.)";
    QTest::newRow("undeclared entity") << caseXml("<casenum>&bogus;</casenum>") << "Error parsing xml:"
                                       << "not a valid case file (line 2: Entity 'bogus' not declared.)";
}

void TestCaseFile::failures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, logStart);
    QFETCH(QString, reason);
    const QString path = m_dir.filePath("failure.cml");
    QVERIFY(writeBytes(path, bytes));
    Doc doc(Doc::July2022);
    LogCapture log;
    QString error;
    QVERIFY(!doc.readCaseFile(path, &error));
    QCOMPARE(log.count(logStart), 1);
    QCOMPARE(error, reason);
    QVERIFY(doc.untitled());

    LogCapture missing;
    QVERIFY(!doc.readCaseFile(m_dir.filePath("does-not-exist.cml"), &error));
    QCOMPARE(missing.count("Can't open file:"), 1);
    QCOMPARE(error, QStringLiteral("No such file or directory"));
}

void TestCaseFile::truncatedFilesNeverLoad()
{
    Doc doc(Doc::July2022);
    fillFixedCase(doc);
    const QString full = m_dir.filePath("full.cml");
    QVERIFY(doc.writeCaseFile(full));
    const QByteArray bytes = readAll(full);
    const int caseEnd = bytes.indexOf("</case>") + int(qstrlen("</case>"));
    const QString path = m_dir.filePath("truncated.cml");
    LogCapture quiet;
    for (int length = 0; length < bytes.size(); length += 7) {
        QVERIFY(writeBytes(path, bytes.left(length)));
        Doc read(Doc::July2022);
        const bool ok = read.readCaseFile(path);
        // A case cut anywhere before the end of "case" must not open half-read.
        if (length < caseEnd)
            QVERIFY2(!ok, qPrintable(QString("length %1").arg(length)));
    }
}

void TestCaseFile::hostileInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");

    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(7);
    for (char &c : garbage)
        c = char(random.bounded(256));
    QTest::newRow("binary garbage") << garbage << false;
    QTest::newRow("garbage after a valid start") << caseXml("<casenum>1</casenum>").left(60) + garbage << false;
    QTest::newRow("billion laughs")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE Case [<!ENTITY a \"aaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
                      "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">"
                      "]><Case><case><comments>&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;</comments></case></Case>")
        << false;
    QTest::newRow("external entity is not fetched")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE Case [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                      "<Case><case><comments>&x;</comments></case></Case>")
        << true;
    const QString utf16 = QStringLiteral("<Case><case><casenum>7</casenum></case></Case>");
    QTest::newRow("UTF-16 file with byte order mark")
        << (QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char *>(utf16.utf16()), int(utf16.size()) * 2))
        << true;
    QTest::newRow("invalid UTF-8") << caseXml("<casenum>\xc3\x28</casenum>") << false;
    QTest::newRow("unknown elements with attributes")
        << caseXml("<future a=\"1\">x</future><casenum b=\"2\">3</casenum>") << true;
}

void TestCaseFile::hostileInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    const QString path = m_dir.filePath("hostile.cml");
    QVERIFY(writeBytes(path, bytes));
    Doc doc(Doc::July2022);
    LogCapture quiet;
    QCOMPARE(doc.readCaseFile(path), readable);
    QVERIFY(!doc.comments().contains("root:"));
}

void TestCaseFile::largeAndDeepFiles()
{
    LogCapture quiet;
    const QString path = m_dir.filePath("large.cml");
    {
        // A file at the size limit is read in full.
        const QByteArray frame = caseXml("<comments></comments><casenum>after</casenum>");
        const QByteArray comments(16 * 1024 * 1024 - frame.size(), 'x');
        QVERIFY(writeBytes(path, caseXml("<comments>" + comments + "</comments><casenum>after</casenum>")));
        Doc doc(Doc::July2022);
        QVERIFY(doc.readCaseFile(path));
        QCOMPARE(doc.comments().size(), comments.size());
        QCOMPARE(doc.caseNumber(), QString("after"));
        // One byte more, or 20 GB of holes, is refused before it is read.
        QString error;
        for (const qint64 size : {qint64(16 * 1024 * 1024 + 1), qint64(20) << 30}) {
            QVERIFY(QFile::resize(path, size));
            QVERIFY(!doc.readCaseFile(path, &error));
            QCOMPARE(error, QStringLiteral("too large for a case file (%1 bytes; a case file has at most 16777216)")
                                .arg(size));
        }
    }
    {
        // Nesting inside a footnote's skipped element down to level 64 of
        // the file, then valid data.
        QByteArray deep;
        for (int level = 5; level <= 64; ++level)
            deep += "<d>";
        for (int level = 5; level <= 64; ++level)
            deep += "</d>";
        QVERIFY(writeBytes(path, caseXml("<footnote><x>" + deep + "</x><controlnumber>2</controlnumber>"
                                         "<note>kept</note></footnote>")));
        Doc doc(Doc::July2022);
        QVERIFY(doc.readCaseFile(path));
        QCOMPARE(doc.footnote(2), QString("kept"));
    }
    {
        // Deep nesting where text is expected, and unclosed nesting.
        QByteArray deep;
        for (int i = 0; i < 200000; ++i)
            deep += "<d>";
        QVERIFY(writeBytes(path, caseXml("<comments>" + deep + "</comments>")));
        Doc doc(Doc::July2022);
        QVERIFY(!doc.readCaseFile(path));
        QVERIFY(writeBytes(path, caseXml("<footnote><x>" + deep)));
        QVERIFY(!doc.readCaseFile(path));
    }
}

void TestCaseFile::controlCharactersStillSave()
{
    LogCapture quiet;
    // A stray control character (pasted from another program) must not make
    // the case impossible to save.
    Doc doc(Doc::July2022);
    doc.setPlaintiffName(QString("Jane") + QChar(0x0B) + "Doe" + QChar(0x01));
    doc.setComments(QString("line") + QChar(0x0C) + "\n" + QChar(0xD800) + "end\tok");
    doc.setFootnote(5, QString(QChar(0x1B)));
    const QString path = m_dir.filePath("control.cml");
    QVERIFY(doc.writeCaseFile(path));
    Doc read(Doc::July2022);
    QVERIFY(read.readCaseFile(path));
    QCOMPARE(read.plaintiffName(), QString("JaneDoe"));
    // A lone surrogate half is not text; it comes back as the replacement character.
    QCOMPARE(read.comments(), QString("line\n") + QChar(0xFFFD) + "end\tok");
    QVERIFY(read.footnote(5).isEmpty());
}

void TestCaseFile::fuzzFindings_data()
{
    QTest::addColumn<QString>("file");
    const QDir folder(ORVA_SOURCE_DIR "/tests/model/data/fuzz");
    for (const QString &name : folder.entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << folder.filePath(name);
}

// Inputs the fuzzer once crashed on: whatever opens must save and reopen
// unchanged.
void TestCaseFile::fuzzFindings()
{
    QFETCH(QString, file);
    LogCapture quiet;
    Doc doc(Doc::July2022);
    if (!doc.readCaseFile(file))
        return;
    const QString path = m_dir.filePath("fuzz-saved.cml");
    QVERIFY(doc.writeCaseFile(path));
    Doc again(Doc::July2022);
    QVERIFY(again.readCaseFile(path));
    QVariantMap expected = snapshot(doc);
    compareSnapshots(snapshot(again), expected);
}

void TestCaseFile::saveOntoDirectoryKeepsEverything()
{
    const QString folder = m_dir.filePath("a-folder.cml");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeBytes(folder + "/inside.txt", "inside"));
    Doc doc(Doc::July2022);
    doc.setModified(true);
    LogCapture log;
    QVERIFY(!doc.writeCaseFile(folder));
    QCOMPARE(log.count("Can't open file:"), 1);
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(readAll(folder + "/inside.txt"), QByteArray("inside"));
    QVERIFY(doc.untitled());
    QVERIFY(doc.modified());
    QCOMPARE(doc.documentName(), QString("Unsaved"));
}

void TestCaseFile::saveIntoReadOnlyFolderKeepsPreviousFile()
{
    QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
    const QString folder = m_dir.filePath("readonly");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/case.cml";
    Doc previous(Doc::July2022);
    previous.setCaseNumber("previous");
    QVERIFY(previous.writeCaseFile(path));
    const QByteArray before = readAll(path);
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);

    // Root ignores permissions, so the save runs as an unprivileged user then.
    OrvaTest::ChildLimits limits;
    if (OrvaTest::runsAsRoot()) {
        limits.uid = 65534;
        limits.gid = 65534;
    }
    const OrvaTest::ChildResult result = OrvaTest::runInChild(limits, [&](QString *error) {
        Doc doc(Doc::July2022);
        doc.setCaseNumber("replacement");
        return doc.writeCaseFile(path, error);
    });
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    QVERIFY(result.finished);
    QVERIFY(!result.ok);
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"case.cml"});
}

void TestCaseFile::failedSaveKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("target");    // what stands at the path
    QTest::addColumn<qint64>("sizeLimit"); // file-size limit of the saving process: a full disk
    QTest::addColumn<QString>("reason");

    // Special files and disks of every kind are the writer's own tests; here
    // the reason reaches the caller and the log, and the case stays unsaved.
    QTest::newRow("full disk") << "case" << qint64(1024) << "File too large";
    QTest::newRow("pipe") << "fifo" << qint64(0) << "Is a pipe, not a regular file";
}

void TestCaseFile::failedSaveKeepsPreviousFile()
{
    QFETCH(QString, target);
    QFETCH(qint64, sizeLimit);
    QFETCH(QString, reason);

    const QString dir = m_dir.filePath(QString("failed-save-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
    QVERIFY(QDir().mkpath(dir));
    const QString path = dir + "/case.cml";
    QByteArray before;
    if (target == "case") {
        Doc previous(Doc::July2022);
        previous.setCaseNumber("previous");
        QVERIFY(previous.writeCaseFile(path));
        before = readAll(path);
    } else {
        QVERIFY(OrvaTest::makeSpecialFile(target, path));
    }

    OrvaTest::ChildLimits limits;
    limits.fileSizeLimit = sizeLimit;
    const OrvaTest::ChildResult result = OrvaTest::runInChild(limits, [&](QString *error) {
        LogCapture quiet;
        Doc doc(Doc::July2022);
        fillFixedCase(doc);
        doc.setModified(true);
        const bool saved = doc.writeCaseFile(path, error);
        // A failed save leaves the case as unsaved as it was.
        if (!saved && (!doc.modified() || !doc.untitled() || doc.filePath() != QString()))
            error->append(" (but marked saved)");
        if (!saved && quiet.count("Can't open file: \"" + *error + "\"") != 1)
            error->append(" (not logged)");
        return saved;
    });
    QVERIFY(result.finished);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, reason);

    if (target == "case")
        QCOMPARE(readAll(path), before);
    else
        QVERIFY(OrvaTest::isSpecialFile(target, path));
    const QStringList left = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QCOMPARE(left, QStringList{"case.cml"});
}

void TestCaseFile::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("plaintiff");

    // U+010D is 0x0D 0x01 in UTF-16 little endian: a text-mode read drops the 0x0D.
    const QString name = QStringLiteral("Jana Nová\u010Dková \u010C\u010D \u0D0D\u0A0D");
    const QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\r\n<n1:Case xmlns:n1=\"urn:orvacalc_case\">"
                                       "\r\n<case>\r\n<plaintiff>%2</plaintiff>\r\n</case>\r\n</n1:Case>\r\n");
    auto utf16 = [](const QString &text, bool littleEndian) {
        QByteArray bytes(littleEndian ? "\xff\xfe" : "\xfe\xff", 2);
        for (const QChar c : text) {
            const char low = char(c.unicode() & 0xff), high = char(c.unicode() >> 8);
            bytes += littleEndian ? QByteArray{&low, 1} + QByteArray{&high, 1} : QByteArray{&high, 1} + QByteArray{&low, 1};
        }
        return bytes;
    };
    QTest::newRow("UTF-16 little endian") << utf16(xml.arg("UTF-16", name), true) << name;
    QTest::newRow("UTF-16 big endian") << utf16(xml.arg("UTF-16", name), false) << name;
    QTest::newRow("UTF-8 with CR LF") << xml.arg("UTF-8", name).toUtf8() << name;
    QTest::newRow("UTF-8 with byte order mark") << "\xef\xbb\xbf" + xml.arg("UTF-8", name).toUtf8() << name;
    QTest::newRow("declared Latin-1") << xml.arg("ISO-8859-1", QStringLiteral("Müller")).toLatin1()
                                      << QStringLiteral("Müller");
}

void TestCaseFile::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, plaintiff);
    LogCapture quiet;
    const QString path = m_dir.filePath("encoded.cml");
    QVERIFY(writeBytes(path, bytes));
    Doc doc(Doc::July2022);
    QString error;
    QVERIFY2(doc.readCaseFile(path, &error), qPrintable(error));
    QCOMPARE(doc.plaintiffName(), plaintiff);
    // Saved again (as UTF-8) and reopened, the name is still the same.
    QVERIFY(doc.writeCaseFile(path));
    Doc again(Doc::July2022);
    QVERIFY(again.readCaseFile(path));
    QCOMPARE(again.plaintiffName(), plaintiff);
}

void TestCaseFile::readFailureReasons_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QString wrong = "the text encoding is wrong: line %1 is not valid %2 text (save the file as UTF-8, "
                          "or declare its encoding)";
    QTest::newRow("invalid UTF-8 byte") << caseXml("<casenum>\xc3\x28</casenum>") << wrong.arg(2).arg("UTF-8");
    QTest::newRow("Latin-1 before the root")
        << QByteArray("<!-- Gr\xfc\xdf""e -->\n<Case><case/></Case>") << wrong.arg(1).arg("UTF-8");
    QByteArray late = caseXml("<comments>" + QByteArray(200000, 'x') + "\n</comments><casenum>\xff</casenum>");
    QTest::newRow("invalid byte far into the file") << late << wrong.arg(3).arg("UTF-8");
    QTest::newRow("declared UTF-16, written as UTF-8")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-16\"?><Case><case/></Case>")
        << "not an OrvaCalc case file";
    QByteArray nested = "<footnote><controlnumber>1</controlnumber><note>n</note>";
    for (int level = 4; level <= 65; ++level)
        nested += "<d>";
    QTest::newRow("elements 65 levels deep")
        << caseXml(nested) << "not a valid case file (line 2: elements nested deeper than 64 levels)";
    QTest::newRow("unsupported encoding")
        << QByteArray("<?xml version=\"1.0\" encoding=\"x-klingon\"?><Case><case/></Case>")
        << "the text encoding \"x-klingon\" is not supported";
}

void TestCaseFile::readFailureReasons()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    LogCapture quiet;
    const QString path = m_dir.filePath("reason.cml");
    QVERIFY(writeBytes(path, bytes));
    Doc doc(Doc::July2022);
    QString error;
    QVERIFY(!doc.readCaseFile(path, &error));
    QCOMPARE(error, reason);

    // Pipes and folders are not read at all: a pipe would block.
    const QString fifo = m_dir.filePath("reason.fifo");
    QFile::remove(fifo);
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
    QVERIFY(!doc.readCaseFile(fifo, &error));
    QCOMPARE(error, QStringLiteral("not a regular file"));
    QVERIFY(!doc.readCaseFile(m_dir.path(), &error));
    QCOMPARE(error, QStringLiteral("a folder, not a case file"));
}

void TestCaseFile::manyAttributesFailFast_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("reason");

    auto attributes = [](int count, const char *prefix) {
        QByteArray list;
        for (int i = 0; i < count; ++i)
            list += ' ' + QByteArray(prefix) + QByteArray::number(i) + "=\"v\"";
        return list;
    };
    QTest::newRow("1000 attributes on one element")
        << caseXml("<future" + attributes(1000, "a") + "/><casenum>1</casenum>") << true << "";
    QTest::newRow("attributes with quotes and brackets in their values")
        << caseXml("<future a=\"x='>'\" b='\"]]>'/><casenum>1</casenum>") << true << "";
    QTest::newRow("7500 attributes on one element")
        << caseXml("<future" + attributes(7500, "a") + "/><casenum>1</casenum>") << false
        << "not a valid case file (line 2: more attributes than a case file can carry, 7500 in one element)";
    QByteArray spread;
    const QByteArray many = "<e" + attributes(100, "a") + "/>\n";
    for (int i = 0; i < 5100; ++i)
        spread += many;
    QTest::newRow("100 attributes on each of 5100 elements")
        << caseXml(spread + "<casenum>1</casenum>") << false
        << "not a valid case file (line 5001: more attributes than a case file can carry, 100 in one element)";
    QTest::newRow("100 attributes on each of 4900 elements")
        << caseXml(spread.left(many.size() * 4900) + "<casenum>1</casenum>") << true << "";
    QTest::newRow("300 namespace declarations")
        << caseXml("<future" + attributes(300, "xmlns:n") + "/><casenum>1</casenum>") << false
        << "not a valid case file (line 2: more attributes than a case file can carry, 300 in one element)";
    QTest::newRow("attribute-like text in comments, CDATA and the document type")
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE Case [<!-- don't <x a=1> --><!ENTITY e \"<y b='2'>\">]>\n"
                      "<Case><case><!-- <z" + attributes(3000, "c") + "> --><comments><![CDATA[<w"
                      + attributes(3000, "d") + ">]]></comments><casenum>1</casenum></case></Case>")
        << true << "";
}

void TestCaseFile::manyAttributesFailFast()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QFETCH(QString, reason);
    LogCapture quiet;
    const QString path = m_dir.filePath("attributes.cml");
    QVERIFY(writeBytes(path, bytes));
    Doc doc(Doc::July2022);
    QString error;
    QCOMPARE(doc.readCaseFile(path, &error), readable);
    QCOMPARE(error, reason);
    if (readable)
        QCOMPARE(doc.caseNumber(), QStringLiteral("1"));
}

void TestCaseFile::ignoredContentIsLoggedBriefly()
{
    QByteArray children;
    for (int i = 0; i < 5000; ++i)
        children += "<lasttype>" + QByteArray(1000, 'i') + "</lasttype><unknown" + QByteArray::number(i) + "/>";
    const QString path = m_dir.filePath("ignored.cml");
    QVERIFY(writeBytes(path, caseXml(children + "<casenum>kept</casenum>")));
    Doc doc(Doc::July2022);
    LogCapture log;
    QVERIFY(doc.readCaseFile(path));
    QCOMPARE(doc.caseNumber(), QStringLiteral("kept"));
    QCOMPARE(log.lines.size(), 33);
    QCOMPARE(log.count("Unknown field value:"), 16);
    QCOMPARE(log.count("OrvaDoc: unknown xml element:"), 16);
    QCOMPARE(log.lines.last(), QStringLiteral("OrvaDoc: 9968 more unknown or ignored elements"));
    for (const QString &line : log.lines)
        QVERIFY2(line.size() < 250, qPrintable(line.left(80)));
}

QTEST_GUILESS_MAIN(TestCaseFile)
#include "tst_casefile.moc"
