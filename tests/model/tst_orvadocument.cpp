#include "OrvaDocument.h"

#include <QMetaEnum>
#include <QSignalSpy>
#include <QtTest>

using Doc = OrvaDocument;

class TestOrvaDocument : public QObject
{
    Q_OBJECT

private slots:
    void initialState();
    void modeForNewCase();
    void enumerationsRegistered();
    void overnightsClamp_data();
    void overnightsClamp();
    void custodySwitches_data();
    void custodySwitches();
    void soleCustodyIgnoresOvernights();
    void multifamilyChildrenClamp_data();
    void multifamilyChildrenClamp();
    void alimonyAwardedIsLinked();
    void modifiedSignalOnChangeOnly();
    void footnotesByNumber();
    void countyNames();
};

void TestOrvaDocument::initialState()
{
    Doc doc(Doc::PreOct2020);
    QCOMPARE(doc.documentName(), QString("Unsaved"));
    QVERIFY(doc.untitled());
    QVERIFY(!doc.modified());
    QVERIFY(doc.filePath().isEmpty());
    QCOMPARE(doc.mode(), Doc::PreOct2020);
    QCOMPARE(doc.county(), 0);
    QCOMPARE(doc.courtType(), Doc::Circuit);
    QCOMPARE(doc.custodyType(), Doc::Shared);
    QCOMPARE(doc.motherOvernights(), 237);
    QCOMPARE(doc.fatherOvernights(), 128);
    QCOMPARE(doc.preparedDate(), QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    QCOMPARE(doc.motherCashMedicalPercent(), 0.0);
    QCOMPARE(doc.relationshipIndex(), 0);
    QVERIFY(doc.extrapolationWarnedModes().isEmpty());
    QCOMPARE(doc.lastCheckedAdjustedCombinedIncome(), 0);

    Doc newer(Doc::NewOct2020);
    QCOMPARE(newer.motherOvernights(), 273);
    QCOMPARE(newer.fatherOvernights(), 92);
    Doc latest(Doc::July2022);
    QCOMPARE(latest.motherOvernights(), 273);
    QCOMPARE(latest.fatherOvernights(), 92);
}

void TestOrvaDocument::modeForNewCase()
{
    QCOMPARE(Doc::modeForNewCase(QDate(2022, 6, 30)), Doc::NewOct2020);
    QCOMPARE(Doc::modeForNewCase(QDate(2022, 7, 1)), Doc::July2022);
    QCOMPARE(Doc::modeForNewCase(QDate(2020, 1, 1)), Doc::NewOct2020);
    Doc june(Doc::modeForNewCase(QDate(2022, 6, 30)));
    QCOMPARE(june.motherOvernights(), 273);
    QCOMPARE(june.fatherOvernights(), 92);
}

void TestOrvaDocument::enumerationsRegistered()
{
    Doc doc(Doc::July2022);
    for (const char *name : {"OrvaDocument::Mode", "OrvaDocument::CustodyType", "OrvaDocument::County",
                             "OrvaDocument::CourtType"})
        QVERIFY2(QMetaType::fromName(name).isValid(), name);
    const QMetaEnum county = QMetaEnum::fromType<Doc::County>();
    QCOMPARE(county.keyCount(), 24);
    QCOMPARE(QByteArray(county.valueToKey(23)), QByteArray("Worcester_County"));
    QCOMPARE(QMetaEnum::fromType<Doc::Mode>().keyToValue("July2022"), 3);
    QCOMPARE(QMetaEnum::fromType<Doc::CustodyType>().keyToValue("SoleParent2"), 5);
    QCOMPARE(QMetaEnum::fromType<Doc::CourtType>().keyToValue("District"), 2);
}

void TestOrvaDocument::overnightsClamp_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("viaFather");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("mother");
    QTest::addColumn<int>("father");

    QTest::newRow("Jul2022 300") << int(Doc::July2022) << false << 300 << 273 << 92;
    QTest::newRow("Jul2022 10") << int(Doc::July2022) << false << 10 << 92 << 273;
    QTest::newRow("Jul2022 200") << int(Doc::July2022) << false << 200 << 200 << 165;
    QTest::newRow("Pre2020 300") << int(Doc::PreOct2020) << false << 300 << 237 << 128;
    QTest::newRow("Pre2020 10") << int(Doc::PreOct2020) << false << 10 << 128 << 237;
    QTest::newRow("Oct2020 father 400") << int(Doc::NewOct2020) << true << 400 << 92 << 273;
    QTest::newRow("Oct2020 father 100") << int(Doc::NewOct2020) << true << 100 << 265 << 100;
    QTest::newRow("Pre2020 father 0") << int(Doc::PreOct2020) << true << 0 << 237 << 128;
    QTest::newRow("unknown mode uses old range") << int(Doc::UnknownMode) << false << 300 << 237 << 128;
    QTest::newRow("father INT_MIN does not overflow") << int(Doc::July2022) << true << INT_MIN << 273 << 92;
}

void TestOrvaDocument::overnightsClamp()
{
    QFETCH(int, mode);
    QFETCH(bool, viaFather);
    QFETCH(int, value);
    QFETCH(int, mother);
    QFETCH(int, father);
    Doc doc(static_cast<Doc::Mode>(mode));
    if (viaFather)
        doc.setFatherOvernights(value);
    else
        doc.setMotherOvernights(value);
    QCOMPARE(doc.motherOvernights(), mother);
    QCOMPARE(doc.fatherOvernights(), father);
}

void TestOrvaDocument::custodySwitches_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("startMother");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("mother");
    QTest::addColumn<int>("father");

    QTest::newRow("sole father -> shared, Oct2020") << int(Doc::NewOct2020) << int(Doc::SoleFather) << -1
                                                   << int(Doc::Shared) << 273 << 92;
    QTest::newRow("sole mother -> shared P1P2, Pre2020") << int(Doc::PreOct2020) << int(Doc::SoleMother) << -1
                                                        << int(Doc::SharedP1P2) << 237 << 128;
    QTest::newRow("shared -> shared P1P2 keeps") << int(Doc::July2022) << int(Doc::Shared) << 200
                                                << int(Doc::SharedP1P2) << 200 << 165;
    QTest::newRow("shared -> sole mother") << int(Doc::July2022) << int(Doc::Shared) << 200
                                          << int(Doc::SoleMother) << 365 << 0;
    QTest::newRow("shared -> sole parent 2") << int(Doc::July2022) << int(Doc::Shared) << 200
                                            << int(Doc::SoleParent2) << 0 << 365;
    QTest::newRow("shared -> sole parent 1") << int(Doc::PreOct2020) << int(Doc::Shared) << 200
                                            << int(Doc::SoleParent1) << 365 << 0;
    QTest::newRow("shared -> unknown keeps") << int(Doc::July2022) << int(Doc::Shared) << 200 << 9 << 200 << 165;
    QTest::newRow("unknown -> shared resets") << int(Doc::July2022) << 9 << 200 << int(Doc::Shared) << 273 << 92;
}

void TestOrvaDocument::custodySwitches()
{
    QFETCH(int, mode);
    QFETCH(int, from);
    QFETCH(int, startMother);
    QFETCH(int, to);
    QFETCH(int, mother);
    QFETCH(int, father);
    Doc doc(static_cast<Doc::Mode>(mode));
    if (startMother >= 0)
        doc.setMotherOvernights(startMother);
    doc.setCustodyType(from);
    doc.setCustodyType(to);
    QCOMPARE(int(doc.custodyType()), to);
    QCOMPARE(doc.motherOvernights(), mother);
    QCOMPARE(doc.fatherOvernights(), father);
    QCOMPARE(doc.motherOvernights() + doc.fatherOvernights(), 365);
}

void TestOrvaDocument::soleCustodyIgnoresOvernights()
{
    Doc doc(Doc::July2022);
    doc.setCustodyType(Doc::SoleMother);
    doc.setMotherOvernights(200);
    QCOMPARE(doc.motherOvernights(), 365);
    doc.setFatherOvernights(300);
    QCOMPARE(doc.fatherOvernights(), 0);
    doc.setCustodyType(Doc::SoleFather);
    doc.setMotherOvernights(365);
    QCOMPARE(doc.motherOvernights(), 0);
    QCOMPARE(doc.fatherOvernights(), 365);
}

void TestOrvaDocument::multifamilyChildrenClamp_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("father");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");

    QTest::newRow("Jul2022 father 6") << int(Doc::July2022) << true << 6 << 6;
    QTest::newRow("Jul2022 father 7 counts as 6") << int(Doc::July2022) << true << 7 << 6;
    QTest::newRow("Jul2022 mother INT_MAX") << int(Doc::July2022) << false << INT_MAX << 6;
    QTest::newRow("Jul2022 mother -1") << int(Doc::July2022) << false << -1 << 0;
    // Kept under the versions without line 1d, for a switch back to July 2022.
    QTest::newRow("Oct2020 father 2") << int(Doc::NewOct2020) << true << 2 << 2;
    QTest::newRow("Pre2020 mother 9 counts as 6") << int(Doc::PreOct2020) << false << 9 << 6;
    QTest::newRow("unknown mode mother 1") << int(Doc::UnknownMode) << false << 1 << 1;
}

void TestOrvaDocument::multifamilyChildrenClamp()
{
    QFETCH(int, mode);
    QFETCH(bool, father);
    QFETCH(int, value);
    QFETCH(int, stored);

    Doc doc(static_cast<Doc::Mode>(mode));
    if (father)
        doc.setFatherMultifamilyChildren(value);
    else
        doc.setMotherMultifamilyChildren(value);
    QCOMPARE(father ? doc.fatherMultifamilyChildren() : doc.motherMultifamilyChildren(), stored);
    // The other parent's count is untouched.
    QCOMPARE(father ? doc.motherMultifamilyChildren() : doc.fatherMultifamilyChildren(), 0);
}

void TestOrvaDocument::alimonyAwardedIsLinked()
{
    Doc doc(Doc::July2022);
    doc.setMotherAlimonyAwarded(500);
    QCOMPARE(doc.fatherAlimonyAwarded(), -500);
    doc.setFatherAlimonyAwarded(250);
    QCOMPARE(doc.motherAlimonyAwarded(), -250);
    doc.setFatherAlimonyAwarded(-700);
    QCOMPARE(doc.motherAlimonyAwarded(), 700);
    // The most negative amount has no positive counterpart; it must not crash.
    doc.setMotherAlimonyAwarded(std::numeric_limits<qint64>::min());
    QCOMPARE(doc.motherAlimonyAwarded(), std::numeric_limits<qint64>::min());
}

void TestOrvaDocument::modifiedSignalOnChangeOnly()
{
    Doc doc(Doc::July2022);
    QSignalSpy spy(&doc, &Doc::modifiedFlagChanged);
    doc.setModified(true);
    doc.setModified(true);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    doc.setModified(false);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    // Plain setters never signal.
    doc.setMotherMonthlyIncome(5000);
    doc.setCustodyType(Doc::SoleFather);
    doc.setFatherMultifamilyChildren(3);
    QCOMPARE(spy.count(), 2);
}

void TestOrvaDocument::footnotesByNumber()
{
    Doc doc(Doc::July2022);
    for (int n = 1; n <= 18; ++n)
        doc.setFootnote(n, QString("note %1").arg(n));
    for (int n = 1; n <= 18; ++n)
        QCOMPARE(doc.footnote(n), QString("note %1").arg(n));
    doc.setFootnote(0, "zero");
    doc.setFootnote(19, "nineteen");
    doc.setFootnote(-3, "negative");
    QVERIFY(doc.footnote(0).isEmpty());
    QVERIFY(doc.footnote(19).isEmpty());
    QCOMPARE(doc.footnote(1), QString("note 1"));
    QCOMPARE(doc.footnote(18), QString("note 18"));
}

void TestOrvaDocument::countyNames()
{
    QCOMPARE(Doc::countyName(0), QString("Allegany County, Maryland"));
    QCOMPARE(Doc::countyName(2), QString("Baltimore City, Maryland"));
    QCOMPARE(Doc::countyName(16), QString("Prince George's County, Maryland"));
    QCOMPARE(Doc::countyName(17), QString("Queen Anne's County Maryland"));
    QCOMPARE(Doc::countyName(19), QString("St.Mary 's County, Maryland"));
    QCOMPARE(Doc::countyName(23), QString("Worcester County, Maryland"));
    QCOMPARE(Doc::countyName(24), QString("Unknown"));
    QCOMPARE(Doc::countyName(-1), QString("Unknown"));
}

QTEST_GUILESS_MAIN(TestOrvaDocument)
#include "tst_orvadocument.moc"
