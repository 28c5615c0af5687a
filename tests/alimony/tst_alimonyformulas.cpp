#include "AlimonyFormulas.h"

#include <QLocale>
#include <QtTest>

#include <clocale>

namespace {

Alimony::Inputs inputs(const QString &y, const QString &p, const QString &e, const QString &u = {},
                       const QString &d = {})
{
    return {y, p, e, u, d};
}

// The twenty result texts in the order of resultNames(), space-separated.
QString resultLine(const QMap<QString, QString> &results)
{
    QStringList texts;
    for (const QString &name : Alimony::resultNames())
        texts << results.value(name, QStringLiteral("<missing>"));
    return texts.join(QLatin1Char(' '));
}

} // namespace

class TestAlimonyFormulas : public QObject
{
    Q_OBJECT

private slots:
    void everyResult_data();
    void everyResult();
    void thresholds_data();
    void thresholds();
    void inputValues_data();
    void inputValues();
    void amountInputs_data();
    void amountInputs();
    void virginiaLimit_data();
    void virginiaLimit();
    void formatsIgnoreTheUserLocale();
};

// Rows: Y, P, E, U, D, then AAML a/wk/h/w, VA a/wk/h/w, Arizona a/wk/h/w,
// TX a/wk/h/w, AAMm, AAMy, TXm, TXy.
void TestAlimonyFormulas::everyResult_data()
{
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("e");
    QTest::addColumn<QString>("u");
    QTest::addColumn<QString>("d");
    QTest::addColumn<QString>("expected");

    // VA = R(0.27 P - 0.5 E); TX = R(min(60000, 0.2 P)) from 10 years, for
    // 60 months below 20 years, 84 below 30, 120 from 30.
    // VA: 27000 - 10000 = 17000, 17000 / 12 = 1416.7; P + E = 120000 exactly,
    // still within the statute.
    QTest::newRow("ten years") << "10" << "100000" << "20000" << "0" << "0"
                               << "26000 2166 74000 46000 17000 1416 83000 37000 12000 1000 88000 32000 "
                                  "20000 1666 80000 40000 90.0 7.5 60.0 5.0";
    QTest::newRow("all formulas 0, deviations only") << "4" << "60000" << "40000" << "100" << "50"
        << "600 50 58800 41200 600 50 58800 41200 600 50 58800 41200 600 50 58800 41200 24.0 2.0 0.0 0.0";
    // VA: 21600 - 5000 = 16600, / 12 = 1383.3.
    QTest::newRow("two years") << "2" << "80000" << "10000" << "0" << "0"
        << "22000 1833 58000 32000 16600 1383 63400 26600 0 0 80000 10000 0 0 80000 10000 7.2 0.6 0.0 0.0";
    // VA: 24300 - 15000 = 9300, / 12 = 775.
    QTest::newRow("19.95 years reads permanent") << "19.95" << "90000" << "30000" << "0" << "0"
        << "18000 1500 72000 48000 9300 775 80700 39300 17955 1496 72045 47955 18000 1500 72000 48000 "
           "permanent permanent 60.0 5.0";
    // VA: 540000 - 25000 = 515000, / 12 = 42916.7; TX at its cap of 60000.
    QTest::newRow("millions, caps") << "40" << "2000000" << "50000" << "0" << "0"
        << "590000 49166 1.41e+06 640000 515000 42916 1.485e+06 565000 975000 81250 1.025e+06 1.025e+06 "
           "60000 5000 1.94e+06 110000 permanent permanent 120.0 10.0";
    QTest::newRow("19.94 years is not yet permanent") << "19.94" << "90000" << "30000" << "0" << "0"
        << "18000 1500 72000 48000 9300 775 80700 39300 17946 1495 72054 47946 18000 1500 72000 48000 "
           "179.5 15.0 60.0 5.0";
    // VA: 16600 - 24000 = -7400, 1383 - 2000 = -617.
    QTest::newRow("downward deviation larger than the order") << "2" << "80000" << "10000" << "0" << "2000"
        << "-2000 -167 58000 32000 -7400 -617 63400 26600 -24000 -2000 80000 10000 -24000 -2000 80000 10000 "
           "7.2 0.6 0.0 0.0";
    QTest::newRow("everything empty") << "" << "" << "" << "" << ""
        << "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0.0 0.0 0.0 0.0";
    // P = 1000, E = 5; "1 000" and "abc" count as 0. AAML: min(402 - 5,
    // 300 - 1) = 299; VA: R(270 - 2.5) = 268, 268 / 12 = 22.3.
    QTest::newRow("amounts as written, other text 0") << "ten" << "1,000" << "$5" << "1 000" << "abc"
        << "299 24 701 304 268 22 732 273 0 0 1000 5 0 0 1000 5 0.0 0.0 0.0 0.0";
    // The upward deviation reads the income back from its six-digit text:
    // 1234567 shows as 1.23457e+06, so 1234570 - 1200 remains. VA:
    // R(333333.09) = 333333, 27777 a month, then 1200 and 100 more.
    QTest::newRow("income crosses one million") << "0" << "1234567" << "0" << "100" << "0"
        << "371570 30964 862997 371570 334533 27877 900034 334533 1200 100 1.23337e+06 1200 "
           "1200 100 1.23337e+06 1200 0.0 0.0 0.0 0.0";
    // An order of 1234557 shows as 1.23456e+06; the monthly order is taken
    // from that text: 1234560 / 12 = 102880 (not 102879). VA: R(1111101.3)
    // shows as 1.1111e+06, 1111100 / 12 = 92591.7.
    QTest::newRow("order of a million, monthly from its text") << "0" << "4115190" << "0" << "" << ""
        << "1.23456e+06 102880 2.88063e+06 1.23456e+06 1.1111e+06 92591 3.00409e+06 1.1111e+06 "
           "0 0 4.11519e+06 0 0 0 4.11519e+06 0 0.0 0.0 0.0 0.0";
    // A tie at the sixth digit rounds to even, as printf does. VA:
    // R(333332.55) = 333333.
    QTest::newRow("six-digit tie") << "0" << "1234565" << "0" << "" << ""
        << "370370 30864 864195 370370 333333 27777 901232 333333 0 0 1.23456e+06 0 0 0 1.23456e+06 0 "
           "0.0 0.0 0.0 0.0";
    // 120 - 12 a year and 10 - 1 a month on every row; 3.25 x 0.5 = 1.625 years.
    QTest::newRow("deviations, duration tie") << "3.25" << "50000" << "0" << "10" << "1"
        << "15108 1259 34880 15120 13608 1134 36380 13620 108 9 49880 120 108 9 49880 120 "
           "19.5 1.6 0.0 0.0";
    QTest::newRow("payee earns more") << "12" << "30000" << "90000" << "" << ""
        << "0 0 30000 90000 0 0 30000 90000 0 0 30000 90000 6000 500 24000 96000 108.0 9.0 60.0 5.0";
}

void TestAlimonyFormulas::everyResult()
{
    QFETCH(QString, y);
    QFETCH(QString, p);
    QFETCH(QString, e);
    QFETCH(QString, u);
    QFETCH(QString, d);
    QFETCH(QString, expected);
    QCOMPARE(resultLine(Alimony::recalculate(inputs(y, p, e, u, d))), expected);
}

// One field where a threshold or a cap decides.
void TestAlimonyFormulas::thresholds_data()
{
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("e");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Arizona, payee at exactly 3/4") << "10" << "100000" << "75000" << "Arizonaa" << "0";
    QTest::newRow("Arizona, payee one dollar below 3/4") << "10" << "100000" << "74999" << "Arizonaa" << "3750";
    QTest::newRow("Arizona, 3/4 of 50000, any years") << "30" << "50000" << "37500" << "Arizonaa" << "0";
    QTest::newRow("Arizona, exactly 5 years") << "5" << "100000" << "20000" << "Arizonaa" << "6000";
    QTest::newRow("Arizona, 4.99 years") << "4.99" << "100000" << "20000" << "Arizonaa" << "0";
    QTest::newRow("Arizona, share just under one half") << "33.33" << "100000" << "0" << "Arizonaa" << "49995";
    QTest::newRow("Arizona, share capped at one half") << "40" << "100000" << "0" << "Arizonaa" << "50000";
    QTest::newRow("Texas, exactly 10 years") << "10" << "140000" << "0" << "TXa" << "28000";
    QTest::newRow("Texas, 9.99 years") << "9.99" << "160000" << "0" << "TXa" << "0";
    QTest::newRow("Texas, 9.99 years, duration") << "9.99" << "160000" << "0" << "TXm" << "0.0";
    QTest::newRow("Texas, 20 % below the cap") << "10" << "150000" << "0" << "TXa" << "30000";
    QTest::newRow("Texas, exactly at the cap") << "10" << "300000" << "0" << "TXa" << "60000";
    QTest::newRow("Texas, above the cap") << "10" << "310000" << "0" << "TXa" << "60000";
    QTest::newRow("Texas, 19.99 years, 5 years") << "19.99" << "" << "" << "TXm" << "60.0";
    QTest::newRow("Texas, 20 years, 7 years") << "20" << "" << "" << "TXm" << "84.0";
    QTest::newRow("Texas, 29.99 years, 7 years") << "29.99" << "" << "" << "TXy" << "7.0";
    QTest::newRow("Texas, 30 years, 10 years") << "30" << "" << "" << "TXy" << "10.0";
    QTest::newRow("AAML duration, 2.99 years") << "2.99" << "" << "" << "AAMy" << "0.9";
    QTest::newRow("AAML duration, 3 years") << "3" << "" << "" << "AAMy" << "1.5";
    QTest::newRow("AAML duration, 9.99 years") << "9.99" << "" << "" << "AAMm" << "59.9";
    QTest::newRow("AAML duration, 10 years") << "10" << "" << "" << "AAMm" << "90.0";
    QTest::newRow("AAML duration, 19.941 years") << "19.941" << "" << "" << "AAMy" << "permanent";
    QTest::newRow("AAML duration, negative years") << "-2" << "" << "" << "AAMm" << "-7.2";
    QTest::newRow("AAML, 40% of the combined income is less") << "1" << "100000" << "35000" << "AAMLa" << "19000";
    QTest::newRow("AAML, half a dollar rounds up") << "1" << "5" << "0" << "AAMLa" << "2";
    QTest::newRow("AAML, under half a dollar") << "1" << "1" << "0" << "AAMLa" << "0";
    QTest::newRow("Virginia, negative becomes 0") << "1" << "10000" << "10000" << "VAa" << "0";
    // 0.27 x 60000 - 0.5 x 20000 = 16200 - 10000.
    QTest::newRow("Virginia, 27 % less half the payee's") << "1" << "60000" << "20000" << "VAa" << "6200";
    QTest::newRow("negative income rounds to 0") << "1" << "-5000" << "0" << "VAh" << "0";
    QTest::newRow("exponent form for 1e6") << "0" << "1000000" << "0" << "TXh" << "1e+06";
    QTest::newRow("plain below one million") << "0" << "999999" << "0" << "TXh" << "999999";
}

void TestAlimonyFormulas::thresholds()
{
    QFETCH(QString, y);
    QFETCH(QString, p);
    QFETCH(QString, e);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QCOMPARE(Alimony::recalculate(inputs(y, p, e)).value(field), expected);
}

void TestAlimonyFormulas::inputValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("partial");

    QTest::newRow("empty") << "" << 0.0 << true << false;
    QTest::newRow("whole") << "85000" << 85000.0 << true << false;
    QTest::newRow("negative decimal") << "-12.5" << -12.5 << true << false;
    QTest::newRow("exponent") << "1.41e+06" << 1410000.0 << true << false;
    QTest::newRow("spaces around") << " 300 " << 300.0 << true << false;
    QTest::newRow("thousands separator") << "1,000" << 0.0 << false << false;
    QTest::newRow("currency sign") << "$300" << 0.0 << false << false;
    QTest::newRow("letters") << "ten" << 0.0 << false << false;
    QTest::newRow("infinity") << "inf" << 0.0 << false << false;
    QTest::newRow("overflow") << "1e400" << 0.0 << false << false;
    QTest::newRow("not a number") << "nan" << 0.0 << false << false;
    QTest::newRow("sign alone") << "-" << 0.0 << false << true;
    QTest::newRow("point alone") << "." << 0.0 << false << true;
}

void TestAlimonyFormulas::inputValues()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, valid);
    QFETCH(bool, partial);
    bool ok = !valid;
    QCOMPARE(Alimony::numberValue(text, &ok), value);
    QCOMPARE(ok, valid);
    QCOMPARE(Alimony::isPartialNumber(text), partial);
}

void TestAlimonyFormulas::amountInputs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("valid");

    QTest::newRow("separator") << "95,000" << 95000.0 << true;
    QTest::newRow("dollar sign") << "$95,000" << 95000.0 << true;
    QTest::newRow("leading zero") << "0500" << 500.0 << true;
    QTest::newRow("cents") << "95000.50" << 0.0 << false;
}

void TestAlimonyFormulas::amountInputs()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, valid);
    bool ok = !valid;
    QCOMPARE(Alimony::amountValue(text, &ok), value);
    QCOMPARE(ok, valid);
}

void TestAlimonyFormulas::virginiaLimit_data()
{
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("e");
    QTest::addColumn<bool>("applies");

    QTest::newRow("$10,000 a month combined") << "100000" << "20000" << true;
    QTest::newRow("one dollar more") << "100000" << "20,001" << false;
}

void TestAlimonyFormulas::virginiaLimit()
{
    QFETCH(QString, p);
    QFETCH(QString, e);
    QFETCH(bool, applies);
    QCOMPARE(Alimony::virginiaNote(inputs("10", p, e)).isEmpty(), applies);
}

void TestAlimonyFormulas::formatsIgnoreTheUserLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char *cBefore = std::setlocale(LC_ALL, nullptr);
    const QByteArray saved = cBefore ? QByteArray(cBefore) : QByteArray("C");
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // may be missing; the default locale still differs

    const QMap<QString, QString> results = Alimony::recalculate(inputs("2", "1999990", "0"));
    QCOMPARE(results.value("AAMy"), QStringLiteral("0.6"));
    QCOMPARE(results.value("TXh"), QStringLiteral("1.99999e+06"));
    QCOMPARE(Alimony::numberValue(QStringLiteral("1.5")), 1.5);

    std::setlocale(LC_ALL, saved.constData());
    QLocale::setDefault(before);
}

QTEST_APPLESS_MAIN(TestAlimonyFormulas)
#include "tst_alimonyformulas.moc"
