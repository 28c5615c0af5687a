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

    QTest::newRow("ten years") << "10" << "100000" << "20000" << "0" << "0"
                               << "26000 2166 74000 46000 20000 1666 80000 40000 12000 1000 88000 32000 "
                                  "20000 1666 80000 40000 90.0 7.5 36.0 3.0";
    QTest::newRow("all formulas 0, deviations only") << "4" << "60000" << "40000" << "100" << "50"
        << "600 50 58800 41200 600 50 58800 41200 600 50 58800 41200 600 50 58800 41200 24.0 2.0 0.0 0.0";
    QTest::newRow("two years") << "2" << "80000" << "10000" << "0" << "0"
        << "22000 1833 58000 32000 19000 1583 61000 29000 0 0 80000 10000 0 0 80000 10000 7.2 0.6 0.0 0.0";
    QTest::newRow("19.95 years reads permanent") << "19.95" << "90000" << "30000" << "0" << "0"
        << "18000 1500 72000 48000 12000 1000 78000 42000 17955 1496 72045 47955 18000 1500 72000 48000 "
           "permanent permanent 36.0 3.0";
    QTest::newRow("millions, caps") << "40" << "2000000" << "50000" << "0" << "0"
        << "590000 49166 1.41e+06 640000 575000 47916 1.425e+06 625000 975000 81250 1.025e+06 1.025e+06 "
           "30000 2500 1.97e+06 80000 permanent permanent 36.0 3.0";
    QTest::newRow("19.94 years is not yet permanent") << "19.94" << "90000" << "30000" << "0" << "0"
        << "18000 1500 72000 48000 12000 1000 78000 42000 17946 1495 72054 47946 18000 1500 72000 48000 "
           "179.5 15.0 36.0 3.0";
    QTest::newRow("downward deviation larger than the order") << "2" << "80000" << "10000" << "0" << "2000"
        << "-2000 -167 58000 32000 -5000 -417 61000 29000 -24000 -2000 80000 10000 -24000 -2000 80000 10000 "
           "7.2 0.6 0.0 0.0";
    QTest::newRow("everything empty") << "" << "" << "" << "" << ""
        << "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0.0 0.0 0.0 0.0";
    QTest::newRow("nothing numeric") << "ten" << "1,000" << "$5" << "1 000" << "abc"
        << "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0.0 0.0 0.0 0.0";
    // The upward deviation reads the income back from its six-digit text:
    // 1234567 shows as 1.23457e+06, so 1234570 - 1200 remains.
    QTest::newRow("income crosses one million") << "0" << "1234567" << "0" << "100" << "0"
        << "371570 30964 862997 371570 371570 30964 862997 371570 1200 100 1.23337e+06 1200 "
           "1200 100 1.23337e+06 1200 0.0 0.0 0.0 0.0";
    // An order of 1234557 shows as 1.23456e+06; the monthly order is taken
    // from that text: 1234560 / 12 = 102880 (not 102879).
    QTest::newRow("order of a million, monthly from its text") << "0" << "4115190" << "0" << "" << ""
        << "1.23456e+06 102880 2.88063e+06 1.23456e+06 1.23456e+06 102880 2.88063e+06 1.23456e+06 "
           "0 0 4.11519e+06 0 0 0 4.11519e+06 0 0.0 0.0 0.0 0.0";
    // A tie at the sixth digit rounds to even, as printf does.
    QTest::newRow("six-digit tie") << "0" << "1234565" << "0" << "" << ""
        << "370370 30864 864195 370370 370370 30864 864195 370370 0 0 1.23456e+06 0 0 0 1.23456e+06 0 "
           "0.0 0.0 0.0 0.0";
    QTest::newRow("fractional deviation, duration tie") << "3.25" << "50000" << "0" << "10.5" << "0.25"
        << "15123 1260.25 34874 15126 15123 1260.25 34874 15126 123 10.25 49874 126 123 10.25 49874 126 "
           "19.5 1.6 0.0 0.0";
    QTest::newRow("payee earns more") << "12" << "30000" << "90000" << "" << ""
        << "0 0 30000 90000 0 0 30000 90000 0 0 30000 90000 6000 500 24000 96000 108.0 9.0 36.0 3.0";
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
    QTest::newRow("Texas, exactly at the cap") << "10" << "150000" << "0" << "TXa" << "30000";
    QTest::newRow("Texas, above the cap") << "10" << "160000" << "0" << "TXa" << "30000";
    QTest::newRow("AAML duration, 2.99 years") << "2.99" << "" << "" << "AAMy" << "0.9";
    QTest::newRow("AAML duration, 3 years") << "3" << "" << "" << "AAMy" << "1.5";
    QTest::newRow("AAML duration, 9.99 years") << "9.99" << "" << "" << "AAMm" << "59.9";
    QTest::newRow("AAML duration, 10 years") << "10" << "" << "" << "AAMm" << "90.0";
    QTest::newRow("AAML duration, 19.941 years") << "19.941" << "" << "" << "AAMy" << "permanent";
    QTest::newRow("AAML duration, negative years") << "-2" << "" << "" << "AAMm" << "-7.2";
    QTest::newRow("AAML, 40% of the combined income is less") << "1" << "100000" << "35000" << "AAMLa" << "19000";
    QTest::newRow("AAML, half a dollar rounds up") << "1" << "5" << "0" << "AAMLa" << "2";
    QTest::newRow("AAML, just under half a dollar") << "1" << "4.9" << "0" << "AAMLa" << "1";
    QTest::newRow("Virginia, negative becomes 0") << "1" << "10000" << "10000" << "VAa" << "0";
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

void TestAlimonyFormulas::formatsIgnoreTheUserLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char *cBefore = std::setlocale(LC_ALL, nullptr);
    const QByteArray saved = cBefore ? QByteArray(cBefore) : QByteArray("C");
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // may be missing; the default locale still differs

    const QMap<QString, QString> results = Alimony::recalculate(inputs("2", "2000000.5", "0", "0.5"));
    QCOMPARE(results.value("AAMy"), QStringLiteral("0.6"));
    QCOMPARE(results.value("AAMLwk"), QStringLiteral("50000.5"));
    QCOMPARE(results.value("TXh"), QStringLiteral("1.99999e+06"));
    QCOMPARE(Alimony::numberValue(QStringLiteral("1.5")), 1.5);

    std::setlocale(LC_ALL, saved.constData());
    QLocale::setDefault(before);
}

QTEST_APPLESS_MAIN(TestAlimonyFormulas)
#include "tst_alimonyformulas.moc"
