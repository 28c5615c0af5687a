#include "RateConverter.h"

#include "../ui/OrvaTestMain.h"
#include "ListContrast.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Parts {
    QLineEdit *source;
    QLineEdit *result;
    QComboBox *period;
    QPushButton *accept;
    QPushButton *reject;
};

Parts partsOf(RateConverter &dialog)
{
    return {dialog.findChild<QLineEdit *>(QStringLiteral("sourceEdit")),
            dialog.findChild<QLineEdit *>(QStringLiteral("resultEdit")),
            dialog.findChild<QComboBox *>(QStringLiteral("sourceComboBox")),
            dialog.findChild<QPushButton *>(QStringLiteral("pushButtonAccept")),
            dialog.findChild<QPushButton *>(QStringLiteral("pushButtonReject"))};
}

} // namespace

class TestRateConverter : public QObject
{
    Q_OBJECT

private slots:
    void conversion_data();
    void conversion();
    void periodItems();
    void openingFromField_data();
    void openingFromField();
    void standAloneOpening();
    void setReturnsTheEditedResult();
    void cancelReturnsNothing();
    void copyPutsTheResultOnTheClipboard();
    void returnAcceptsWithoutCopying();
    void windowFlags();
    void highlightedPeriodIsReadable();
};

void TestRateConverter::conversion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("monthly");
    QTest::addColumn<bool>("marked");

    QTest::newRow("1000 weekly") << "1000" << "Weekly" << "4330" << false;
    QTest::newRow("1000 biweekly") << "1000" << "Biweekly" << "2165" << false;
    QTest::newRow("1000 bimonthly") << "1000" << "Bimonthly" << "2000" << false;
    QTest::newRow("1000 yearly") << "1000" << "Yearly" << "83" << false;
    QTest::newRow("1000 monthly") << "1000" << "Monthly" << "1000" << false;
    // Single precision: 250 x 4.33f is exactly 1082.5, which rounds up.
    QTest::newRow("250 weekly") << "250" << "Weekly" << "1083" << false;
    QTest::newRow("18 yearly, half away from zero") << "18" << "Yearly" << "2" << false;
    QTest::newRow("-100 biweekly") << "-100" << "Biweekly" << "-217" << false;
    QTest::newRow("-18 yearly") << "-18" << "Yearly" << "-2" << false;
    QTest::newRow("largest 32-bit weekly") << "2147483647" << "Weekly" << "9298604032" << false;
    QTest::newRow("beyond 32 bits") << "2147483648" << "Monthly" << "0" << true;
    QTest::newRow("thousands separator") << "1,000" << "Weekly" << "4330" << false;
    // 3600 / 12 = 300.
    QTest::newRow("currency sign and separator") << "$3,600" << "Yearly" << "300" << false;
    QTest::newRow("leading zero is decimal") << "0500" << "Monthly" << "500" << false;
    QTest::newRow("decimal point") << "12.5" << "Monthly" << "0" << true;
    QTest::newRow("letters") << "abc" << "Bimonthly" << "0" << true;
    QTest::newRow("sign alone, not yet wrong") << "-" << "Monthly" << "0" << false;
    QTest::newRow("75%") << "1000" << "75%" << "0" << false;
    QTest::newRow("10%") << "1000" << "10%" << "0" << false;
}

void TestRateConverter::conversion()
{
    QFETCH(QString, typed);
    QFETCH(QString, period);
    QFETCH(QString, monthly);
    QFETCH(bool, marked);

    RateConverter dialog{QString()};
    const Parts parts = partsOf(dialog);
    dialog.show();
    parts.period->setCurrentText(period);
    QCOMPARE(parts.period->currentText(), period);
    parts.source->setFocus();
    QTest::keyClicks(parts.source, typed);
    QCOMPARE(parts.result->text(), monthly);
    QCOMPARE(dialog.resultText(), monthly);
    QCOMPARE(!parts.source->toolTip().isEmpty(), marked);

    // The order does not matter: amount first, then the period.
    RateConverter second{QString()};
    const Parts other = partsOf(second);
    second.show();
    QTest::keyClicks(other.source, typed);
    other.period->setCurrentText(period);
    QCOMPARE(other.result->text(), monthly);
}

void TestRateConverter::periodItems()
{
    RateConverter dialog{QString()};
    QComboBox *period = partsOf(dialog).period;
    QStringList items;
    for (int i = 0; i < period->count(); ++i)
        items << period->itemText(i);
    QCOMPARE(items, QStringList({"Monthly", "Weekly", "Biweekly", "Bimonthly", "Yearly", "75%", "10%"}));
}

void TestRateConverter::openingFromField_data()
{
    QTest::addColumn<QString>("fieldText");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("result");

    QTest::newRow("empty field") << "" << "Yearly" << "0";
    QTest::newRow("monthly amount") << "1500" << "Monthly" << "1500";
    QTest::newRow("negative amount") << "-40" << "Monthly" << "-40";
    QTest::newRow("amount with a separator") << "1,500" << "Monthly" << "1500";
    QTest::newRow("text that is no amount") << "15.5" << "Monthly" << "0";
}

void TestRateConverter::openingFromField()
{
    QFETCH(QString, fieldText);
    QFETCH(QString, period);
    QFETCH(QString, result);

    RateConverter dialog(fieldText);
    const Parts parts = partsOf(dialog);
    QCOMPARE(parts.source->text(), fieldText);
    QCOMPARE(parts.period->currentText(), period);
    QCOMPARE(parts.result->text(), result);
    QCOMPARE(parts.accept->text(), QStringLiteral("Set"));
    QCOMPARE(parts.reject->text(), QStringLiteral("Cancel"));
}

void TestRateConverter::standAloneOpening()
{
    RateConverter dialog(RateConverter::standAloneText());
    const Parts parts = partsOf(dialog);
    QCOMPARE(parts.source->text(), QString());
    QCOMPARE(parts.period->currentText(), QStringLiteral("Yearly"));
    QCOMPARE(parts.result->text(), QStringLiteral("0"));
    QCOMPARE(parts.accept->text(), QStringLiteral("Copy"));
    QCOMPARE(parts.reject->text(), QStringLiteral("Close"));
}

void TestRateConverter::setReturnsTheEditedResult()
{
    RateConverter dialog(QStringLiteral("250"));
    const Parts parts = partsOf(dialog);
    dialog.show();
    parts.period->setCurrentText(QStringLiteral("Weekly"));
    QCOMPARE(parts.result->text(), QStringLiteral("1083"));
    // The user may overwrite the computed value before accepting.
    parts.result->setFocus();
    parts.result->selectAll();
    QTest::keyClicks(parts.result, QStringLiteral("1100"));
    QTest::mouseClick(parts.accept, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.resultText(), QStringLiteral("1100"));
}

void TestRateConverter::cancelReturnsNothing()
{
    RateConverter dialog(QStringLiteral("250"));
    dialog.show();
    QTest::mouseClick(partsOf(dialog).reject, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void TestRateConverter::copyPutsTheResultOnTheClipboard()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    RateConverter dialog(RateConverter::standAloneText());
    const Parts parts = partsOf(dialog);
    dialog.show();
    parts.period->setCurrentText(QStringLiteral("Biweekly"));
    QTest::keyClicks(parts.source, QStringLiteral("1000"));
    QTest::mouseClick(parts.accept, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2165"));
}

void TestRateConverter::returnAcceptsWithoutCopying()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    RateConverter dialog(RateConverter::standAloneText());
    const Parts parts = partsOf(dialog);
    dialog.show();
    QTest::keyClicks(parts.source, QStringLiteral("1200"));
    QTest::keyClick(parts.source, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.resultText(), QStringLiteral("100"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));

    RateConverter fromField(QStringLiteral("75"));
    fromField.show();
    QTest::keyClick(partsOf(fromField).result, Qt::Key_Enter);
    QCOMPARE(fromField.result(), int(QDialog::Accepted));
    QCOMPARE(fromField.resultText(), QStringLiteral("75"));
}

void TestRateConverter::windowFlags()
{
    RateConverter dialog{QString()};
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Rate Converter"));
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QCOMPARE(dialog.size(), QSize(350, 120));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::MSWindowsFixedSizeDialogHint);
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
}

// The highlight is one palette for every period: one of them stands for all.
void TestRateConverter::highlightedPeriodIsReadable()
{
    RateConverter converter(QStringLiteral("1000"));
    converter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&converter));
    auto *periods = converter.findChild<QComboBox *>(QStringLiteral("sourceComboBox"));
    // At least the 4.5 : 1 asked of ordinary text.
    const double contrast = OrvaTest::highlightedEntryContrast(periods, 1);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

ORVA_WIDGET_TEST_MAIN(TestRateConverter)

#include "tst_rateconverter.moc"
