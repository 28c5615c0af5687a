#include "AlimonyReport.h"

#include <QTextDocument>
#include <QtTest>

namespace {

const QStringList AmountCaptions = {"AAML", "VA - Va. Code § 16.1-278.17:1(C)", "AZ - Maricopa County",
                                    "Texas (max) - Tex. Fam. Code § 8.055"};
const QStringList DurationCaptions = {"AAML", "Texas (maximum) - Tex. Fam. Code § 8.054"};

// Every placeholder with a text of its own: "t1", "t2", ... in name order.
QMap<QString, QString> distinctTexts()
{
    QMap<QString, QString> texts;
    int n = 0;
    const QStringList names = Alimony::placeholderFields().keys();
    for (const QString &name : names)
        texts.insert(name, QStringLiteral("t%1z").arg(++n));
    texts.insert(QString::fromLatin1(Alimony::VirginiaNotePlaceholder), QStringLiteral("t%1z").arg(++n));
    return texts;
}

QString plainText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

// The rows of the two result tables as the page shows them: the caption of
// each row with the four (or two) cell texts after it.
QStringList rowCaptions(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList captions;
    const QString text = document.toPlainText();
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (AmountCaptions.contains(line) || DurationCaptions.contains(line))
            captions << line;
    }
    return captions;
}

} // namespace

class TestAlimonyReport : public QObject
{
    Q_OBJECT

private slots:
    void everyPlaceholderGetsItsField();
    void typedTextStaysText_data();
    void typedTextStaysText();
    void uncheckedRowsAreRemoved_data();
    void uncheckedRowsAreRemoved();
};

void TestAlimonyReport::everyPlaceholderGetsItsField()
{
    QString error;
    const QString page = Alimony::reportHtml(Alimony::reportTemplate(&error), distinctTexts(), {});
    QVERIFY2(error.isEmpty(), qPrintable(error));

    // Each text exactly once, in its own cell: no placeholder took a shorter
    // one's text ($AAMLw inside $AAMLwk) and none was left.
    const QMap<QString, QString> texts = distinctTexts();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        QCOMPARE(page.count(it.value()), 1);
    QCOMPARE(Alimony::placeholderFields().size(), 29);
    static const QRegularExpression leftOver(QStringLiteral("\\$(?!row)[A-Za-z]"));
    QVERIFY2(!page.contains(leftOver), qPrintable(page.mid(page.indexOf(leftOver), 40)));

    // The result cells of a row stand in the order annual, monthly, payor, payee.
    const QString aaml = page.mid(page.indexOf(QStringLiteral("<tr id=\"$rowAAML\"")));
    QVERIFY(aaml.indexOf(texts.value("$AAMLa")) < aaml.indexOf(texts.value("$AAMLwk")));
    QVERIFY(aaml.indexOf(texts.value("$AAMLwk")) < aaml.indexOf(texts.value("$AAMLh")));
    QVERIFY(aaml.indexOf(texts.value("$AAMLh")) < aaml.indexOf(texts.value("$AAMLw")));
}

void TestAlimonyReport::typedTextStaysText_data()
{
    QTest::addColumn<QString>("caseNumber");
    QTest::newRow("ampersand and less-than") << "A&B <C> 12";
    QTest::newRow("markup") << "<b>bold</b><table><tr><td>x";
    QTest::newRow("entity") << "&amp; &lt;";
    QTest::newRow("another placeholder") << "$county $AAMLa $rowTX";
}

void TestAlimonyReport::typedTextStaysText()
{
    QFETCH(QString, caseNumber);
    QMap<QString, QString> texts = distinctTexts();
    texts.insert(QStringLiteral("$caseNumber"), caseNumber);
    texts.insert(QStringLiteral("$county"), QStringLiteral("Cecil, MD"));

    const QString page = Alimony::reportHtml(Alimony::reportTemplate(), texts, {});
    const QString shown = plainText(page);
    QVERIFY2(shown.contains(caseNumber + QStringLiteral("\nCase Number")), qPrintable(shown.left(300)));
    QCOMPARE(shown.count(QStringLiteral("Cecil, MD")), 1);
    QCOMPARE(rowCaptions(page), AmountCaptions + DurationCaptions);
}

void TestAlimonyReport::uncheckedRowsAreRemoved_data()
{
    QTest::addColumn<QStringList>("unchecked");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("all checked") << QStringList() << AmountCaptions + DurationCaptions;
    const QStringList &a = AmountCaptions;
    const QStringList &d = DurationCaptions;
    QTest::newRow("Texas both") << QStringList{"chkTX", "chkTXdf"} << QStringList{a[0], a[1], a[2], d[0]};
    QTest::newRow("AAML amounts only") << QStringList{"chkAAML"} << QStringList{a[1], a[2], a[3], d[0], d[1]};
    QTest::newRow("AAML duration only") << QStringList{"chkAAMLdf"} << QStringList{a[0], a[1], a[2], a[3], d[1]};
    QTest::newRow("Texas amounts only") << QStringList{"chkTX"} << QStringList{a[0], a[1], a[2], d[0], d[1]};
    QTest::newRow("none") << Alimony::rowCheckBoxes() << QStringList();
}

void TestAlimonyReport::uncheckedRowsAreRemoved()
{
    QFETCH(QStringList, unchecked);
    QFETCH(QStringList, rows);
    const QMap<QString, QString> texts = distinctTexts();
    const QString page = Alimony::reportHtml(Alimony::reportTemplate(), texts, unchecked);
    QCOMPARE(rowCaptions(page), rows);
    // The removed rows' values went with them; the headers stay.
    QCOMPARE(page.contains(texts.value("$TXm")), !unchecked.contains("chkTXdf"));
    QCOMPARE(page.contains(texts.value("$TXwk")), !unchecked.contains("chkTX"));
    QCOMPARE(page.contains(texts.value("$AAMm")), !unchecked.contains("chkAAMLdf"));
    const QString shown = plainText(page);
    QVERIFY(shown.contains(QStringLiteral("Duration Formula*")));
    QVERIFY(shown.contains(QStringLiteral("Support Formula*")));
}

QTEST_MAIN(TestAlimonyReport)
#include "tst_alimonyreport.moc"
