#include "AlimonyReport.h"

#include <QPdfDocument>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

namespace {

const QStringList AmountCaptions = {"AAML", "VA - Fairfax County", "AZ - Maricopa County", "Texas (max)"};
const QStringList DurationCaptions = {"AAML", "Texas (maximum)"};

// Every placeholder with a text of its own: "t1", "t2", ... in name order.
QMap<QString, QString> distinctTexts()
{
    QMap<QString, QString> texts;
    int n = 0;
    const QStringList names = Alimony::placeholderFields().keys();
    for (const QString &name : names)
        texts.insert(name, QStringLiteral("t%1z").arg(++n));
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

bool printToPdf(const QString &html, const QString &path, QString *error)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return Alimony::printReport(html, &printer, error);
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
    void printedPdf();
    void printingToAnUnwritablePlaceFails();
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
    QCOMPARE(texts.size(), 29);
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
    QTest::newRow("quotes") << "O'Brien \"Jr\"";
    QTest::newRow("non-ASCII") << QStringLiteral("Zoë – №5");
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
    QTest::newRow("Texas both") << QStringList{"chkTX", "chkTXdf"}
                                << QStringList{"AAML", "VA - Fairfax County", "AZ - Maricopa County", "AAML"};
    QTest::newRow("AAML amounts only") << QStringList{"chkAAML"}
        << QStringList{"VA - Fairfax County", "AZ - Maricopa County", "Texas (max)", "AAML", "Texas (maximum)"};
    QTest::newRow("AAML duration only") << QStringList{"chkAAMLdf"}
        << QStringList{"AAML", "VA - Fairfax County", "AZ - Maricopa County", "Texas (max)", "Texas (maximum)"};
    QTest::newRow("Texas amounts only") << QStringList{"chkTX"}
        << QStringList{"AAML", "VA - Fairfax County", "AZ - Maricopa County", "AAML", "Texas (maximum)"};
    QTest::newRow("VA and Arizona") << QStringList{"chkVA", "chkArizona"}
        << QStringList{"AAML", "Texas (max)", "AAML", "Texas (maximum)"};
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

void TestAlimonyReport::printedPdf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QMap<QString, QString> texts = distinctTexts();
    texts.insert(QStringLiteral("$caseNumber"), QStringLiteral("CAL-24 & <7>"));
    texts.insert(QStringLiteral("$TXa"), QStringLiteral("31415"));
    texts.insert(QStringLiteral("$VAa"), QStringLiteral("27182"));
    QString error;
    QVERIFY2(printToPdf(Alimony::reportHtml(Alimony::reportTemplate(), texts, {"chkTX", "chkTXdf"}), path, &error),
             qPrintable(error));

    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 1);
    const QString text = pdf.getAllText(0).text();
    QVERIFY2(text.contains(QStringLiteral("ALIMONY CALCULATOR")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("CAL-24 & <7>")));
    QVERIFY(text.contains(QStringLiteral("27182")));
    QVERIFY(!text.contains(QStringLiteral("31415")));
    QVERIFY(!text.contains(QStringLiteral("Texas")));
    QVERIFY(text.contains(QStringLiteral("Maryland does not have legislative alimony guidelines")));

    // Times New Roman, or the serif face the system puts in its place.
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdffonts.isEmpty())
        QSKIP("pdffonts (poppler-utils) is not installed");
    QProcess fonts;
    fonts.start(pdffonts, {path});
    QVERIFY(fonts.waitForFinished(20000));
    const QString list = QString::fromLocal8Bit(fonts.readAllStandardOutput());
    QVERIFY2(list.contains(QStringLiteral("Times")) || list.contains(QStringLiteral("Serif")), qPrintable(list));
    QVERIFY2(!list.contains(QStringLiteral("Sans")), qPrintable(list));
}

void TestAlimonyReport::printingToAnUnwritablePlaceFails()
{
    QString error;
    QVERIFY(!printToPdf(Alimony::reportHtml(Alimony::reportTemplate(), distinctTexts(), {}),
                        QStringLiteral("/nonexistent-folder/for/report.pdf"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestAlimonyReport)
#include "tst_alimonyreport.moc"
