// The statute documents as the Statute button finds them beside the
// executable: read back with Qt Pdf, their text and every schedule row checked
// against the schedule data the program computes with.

#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kBin = QStringLiteral(ORVA_BINARY_DIR "/bin/");
const QString kPre = QStringLiteral("FL12-201.pdf");
const QString kOct = QStringLiteral("Maryland-2020-HB269.pdf");
const QString kJul = QStringLiteral("07.01.22-12-204-Calculation-of-support.pdf");

struct Extracted {
    int status = -1;
    QStringList pages; // text of each page, white space collapsed
    QString all;
    QString title;
};

Extracted extract(const QString &path)
{
    QPdfDocument pdf;
    Extracted result;
    result.status = int(pdf.load(path));
    result.title = pdf.metaData(QPdfDocument::MetaDataField::Title).toString();
    for (int i = 0; i < pdf.pageCount(); ++i)
        result.pages << pdf.getAllText(i).text().simplified();
    result.all = result.pages.join(QLatin1Char(' '));
    return result;
}

// Rows as the schedule CSV has them, "income c1 ... c6".
QStringList csvRows(const QString &name)
{
    QFile file(QStringLiteral(ORVA_SOURCE_DIR "/model/data/") + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(name));
    QStringList rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int i = 1; i < lines.size(); ++i)
        if (!lines.at(i).trimmed().isEmpty())
            rows << lines.at(i).trimmed().split(QLatin1Char(',')).join(QLatin1Char(' '));
    return rows;
}

// Every run of whole numbers printed in a page cut into rows of seven: the
// schedule rows in the order they were printed. A run that is not a whole
// number of rows means the table came out broken.
QStringList printedRows(const QStringList &pages, QString *problem)
{
    static const QRegularExpression amount(QStringLiteral("^(\\d+|0-1200)$"));
    QStringList rows;
    for (int p = 0; p < pages.size(); ++p) {
        QStringList run;
        const QStringList tokens = pages.at(p).split(QLatin1Char(' ')) << QString();
        for (const QString &token : tokens) {
            if (amount.match(token).hasMatch()) {
                run << token;
                continue;
            }
            if (run.size() >= 7) {
                if (run.size() % 7 != 0)
                    *problem = QStringLiteral("page %1: a run of %2 numbers").arg(p + 1).arg(run.size());
                for (int i = 0; i + 7 <= run.size(); i += 7)
                    rows << run.mid(i, 7).join(QLatin1Char(' '));
            }
            run.clear();
        }
    }
    return rows;
}

} // namespace

class TestStatutePdfs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void besideTheExecutable_data();
    void besideTheExecutable();
    void containsWhatItMust_data();
    void containsWhatItMust();
    void everyScheduleRowIsTheLaw_data();
    void everyScheduleRowIsTheLaw();
    void octoberSpliceTakesThePlaceOfTheOldProvisions();
    void installPutsThemBesideTheProgram();

private:
    QHash<QString, Extracted> m_docs;
};

void TestStatutePdfs::initTestCase()
{
    for (const QString &name : {kPre, kOct, kJul})
        m_docs.insert(name, extract(kBin + name));
}

void TestStatutePdfs::besideTheExecutable_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("minPages");
    QTest::addColumn<int>("maxPages");
    // Title page, four sections, the 2010 schedule of 276 rows or the 2022 one of 577.
    QTest::newRow("pre Oct 2020") << kPre << "Guidelines before October 2020" << 9 << 20;
    QTest::newRow("Oct 2020") << kOct << "Guidelines from October 2020" << 9 << 20;
    QTest::newRow("Jul 2022") << kJul << "Guidelines from July 2022" << 16 << 30;
}

void TestStatutePdfs::besideTheExecutable()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(int, minPages);
    QFETCH(int, maxPages);
#ifdef Q_OS_WIN
    QVERIFY(QFileInfo::exists(kBin + "orvacalc.exe"));
#else
    QVERIFY(QFileInfo::exists(kBin + "orvacalc"));
#endif
    QVERIFY2(QFileInfo(kBin + file).size() > 10000, qPrintable(kBin + file));
    const Extracted &doc = m_docs.value(file);
    QCOMPARE(doc.status, int(QPdfDocument::Error::None));
    QVERIFY2(doc.pages.size() >= minPages && doc.pages.size() <= maxPages, qPrintable(QString::number(doc.pages.size())));
    // The preview window names the document by its title.
    QCOMPARE(doc.title, QString::fromUtf8("Maryland Family Law §§ 12-201 to 12-204 \u2014 ") + title);
    QVERIFY(doc.pages.first().contains(title));
    QVERIFY(doc.pages.first().contains("Maryland Child Support Guidelines"));
    // Every page carries its number.
    for (int i = 0; i < doc.pages.size(); ++i)
        QVERIFY2(doc.pages.at(i).contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(doc.pages.size())),
                 qPrintable(QString::number(i + 1)));
    // The law starts on the first page; each further section starts a page
    // with its heading.
    QVERIFY(doc.pages.first().contains(QString::fromUtf8("§ 12-201 (a)")));
    for (const char *section : {"§ 12-202", "§ 12-203", "§ 12-204"}) {
        bool headed = false;
        for (int i = 1; i < doc.pages.size(); ++i)
            headed = headed || doc.pages.at(i).startsWith(QString::fromUtf8(section) + " (a)");
        QVERIFY2(headed, section);
    }
    // Where the text comes from is told at the end, not ahead of the law.
    QVERIFY(doc.pages.last().startsWith("About this copy"));
    QVERIFY(doc.pages.last().contains(QRegularExpression("Sources? of the text")));
    QVERIFY(doc.pages.last().contains("it is not an official publication"));
    for (int i = 0; i + 1 < doc.pages.size(); ++i)
        QVERIFY2(!doc.pages.at(i).contains("of the text") && !doc.pages.at(i).contains("official publication"),
                 qPrintable(QString::number(i + 1)));
}

void TestStatutePdfs::containsWhatItMust_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("present");

    const QString row15000 = "15000 1942 2847 3379 3784 4186 4569";
    const QString row8000of2022 = "8000 1221 1748 2090 2335 2568 2792";
    const QString row8000of2010 = "8000 1111 1588 1847 2063 2269 2467";

    QTest::newRow("pre: 35% shared custody") << kPre << "overnight for more than 35% of the year" << true;
    QTest::newRow("pre: 2013 wording") << kPre << "Child Support Enforcement Administration of the Department of Human Resources" << true;
    QTest::newRow("pre: statute's band below 1250") << kPre << "100–1200 $20 – $150 Per Month, Based On Resources And Living Expenses Of Obligor And Number Of Children Due Support" << true;
    QTest::newRow("pre: 2010 row 15000") << kPre << row15000 << true;
    QTest::newRow("pre: 2010 row 8000") << kPre << row8000of2010 << true;
    QTest::newRow("pre: no row above 15000") << kPre << "15050" << false;
    QTest::newRow("pre: no adjustment") << kPre << "Shared physical custody adjustment" << false;
    QTest::newRow("pre: no 92 overnights") << kPre << "92 overnights" << false;
    QTest::newRow("pre: no 2022 row") << kPre << row8000of2022 << false;
    QTest::newRow("pre: no self-support reserve") << kPre << "elf-support reserve" << false;
    QTest::newRow("pre: no splice notes") << kPre << "From the 2024 text" << false;

    QTest::newRow("oct: composition note") << kOct << "How this text is composed" << true;
    QTest::newRow("oct: 25% shared custody") << kOct << "(o)(1) “Shared physical custody” means that each parent keeps the child or children overnight for more than 25% of the year" << true;
    QTest::newRow("oct: adjustment defined") << kOct << "(p) “Shared physical custody adjustment” means the adjustment made to a theoretical adjusted basic child support obligation" << true;
    QTest::newRow("oct: adjustment 92-94") << kOct << "A. 0.10, when the parent keeps the child or children overnight for more than 25% (at least 92 overnights)" << true;
    QTest::newRow("oct: adjustment 106-109") << kOct << "E. 0.02, when the parent keeps the child or children overnight for more than 29% (at least 106 overnights)" << true;
    QTest::newRow("oct: 2013 wording kept") << kOct << "“Extraordinary medical expenses” means uninsured expenses over $100 for a single illness or condition" << true;
    QTest::newRow("oct: 2010 row 15000") << kOct << row15000 << true;
    QTest::newRow("oct: statute's band below 1250") << kOct << "100–1200 $20 – $150 Per Month" << true;
    QTest::newRow("oct: no 35% shared custody") << kOct << "more than 35% of the year" << false;
    QTest::newRow("oct: no 2013 (m)(2) of 12-204") << kOct << "(2) Each parent’s share of the adjusted basic child support obligation" << false;
    QTest::newRow("oct: no 2022 row") << kOct << row8000of2022 << false;
    QTest::newRow("oct: no 2022 first row") << kOct << "0-1200" << false;
    QTest::newRow("oct: no row above 15000") << kOct << "15050" << false;
    QTest::newRow("oct: no self-support reserve") << kOct << "elf-support reserve" << false;
    QTest::newRow("oct: no 2024 court name") << kOct << "Supreme Court of Maryland" << false;

    QTest::newRow("jul: 2022 first row") << kJul << "0-1200 50 55 57 58 59 60" << true;
    QTest::newRow("jul: 2022 row 8000") << kJul << row8000of2022 << true;
    QTest::newRow("jul: 2022 row 30000") << kJul << "30000 3163 4596 5256 5871 6458 7020" << true;
    QTest::newRow("jul: adjustment 92-94") << kJul << "A. 0.10, when the parent keeps the child or children overnight for more than 25% (at least 92 overnights)" << true;
    QTest::newRow("jul: self-support reserve") << kJul << "(n) “Self-support reserve” means" << true;
    QTest::newRow("jul: 2024 wording") << kJul << "The Supreme Court of Maryland may issue standardized worksheet forms" << true;
    QTest::newRow("jul: asterisks explained") << kJul << "those marks are not reproduced in this copy" << true;
    QTest::newRow("jul: no 35% shared custody") << kJul << "more than 35% of the year" << false;
    QTest::newRow("jul: no 2010 row") << kJul << row8000of2010 << false;
    QTest::newRow("jul: no 2010 band") << kJul << "100–1200" << false;
    QTest::newRow("jul: no 1200 key") << kJul << "1200 50 55 57 58 59 60" << false;
    QTest::newRow("jul: no placeholder") << kJul << "md-schedule-2022.csv" << false;
    QTest::newRow("jul: no splice notes") << kJul << "From the 2024 text" << false;
}

void TestStatutePdfs::containsWhatItMust()
{
    QFETCH(QString, file);
    QFETCH(QString, phrase);
    QFETCH(bool, present);
    // "1200 50 ..." must not match inside "0-1200 50 ...".
    const QRegularExpression pattern(QStringLiteral("(^|[\\s(])") + QRegularExpression::escape(phrase));
    QCOMPARE(m_docs.value(file).all.contains(pattern), present);
}

void TestStatutePdfs::everyScheduleRowIsTheLaw_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("csv");
    QTest::addColumn<int>("rows");
    QTest::newRow("pre Oct 2020") << kPre << "md-schedule-2010.csv" << 276;
    QTest::newRow("Oct 2020") << kOct << "md-schedule-2010.csv" << 276;
    QTest::newRow("Jul 2022") << kJul << "md-schedule-2022.csv" << 577;
}

void TestStatutePdfs::everyScheduleRowIsTheLaw()
{
    QFETCH(QString, file);
    QFETCH(QString, csv);
    QFETCH(int, rows);
    QStringList expected = csvRows(csv);
    QCOMPARE(expected.size(), rows);
    if (file == kJul) // the statute labels its first row "0-1200"
        expected.first().replace(QRegularExpression("^1200 "), "0-1200 ");

    const Extracted &doc = m_docs.value(file);
    QString problem;
    const QStringList printed = printedRows(doc.pages, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(printed.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(printed.at(i), expected.at(i));

    // The column headings stand above the rows on every page that has some.
    const QString heading = "Combined Adjusted Actual Income 1 Child 2 Children 3 Children 4 Children 5 Children 6 or More Children";
    int tablePages = 0;
    for (const QString &page : doc.pages) {
        QString none;
        const QStringList pageRows = printedRows({page}, &none);
        if (pageRows.isEmpty())
            continue;
        ++tablePages;
        const qsizetype at = page.indexOf(heading);
        QVERIFY2(at >= 0 && at < page.indexOf(pageRows.first()), qPrintable(pageRows.first()));
    }
    QVERIFY(tablePages >= (rows > 300 ? 10 : 5));
}

void TestStatutePdfs::octoberSpliceTakesThePlaceOfTheOldProvisions()
{
    const QString &text = m_docs.value(kOct).all;
    auto at = [&text](const QString &phrase) {
        const qsizetype i = text.indexOf(phrase);
        if (i < 0)
            qWarning("missing: %s", qPrintable(phrase));
        return i;
    };
    // § 12-201: 2013 (l), then the marked 2024 (o) and (p), then § 12-202 of 2013.
    const qsizetype l = at("(l) “Potential income” means income attributed to a parent determined by the parent’s employment potential");
    const qsizetype noteO = at("[From the 2024 text: § 12-201 (o), in place of § 12-201 (m) of the 2013 text.]");
    const qsizetype o = at("(o)(1) “Shared physical custody” means");
    const qsizetype noteP = at("[From the 2024 text: § 12-201 (p), added.]");
    const qsizetype p = at("(p) “Shared physical custody adjustment” means");
    const qsizetype s202 = at("§ 12-202 (a) (1) Subject to the provisions of paragraph (2) of this subsection, in any proceeding");
    QVERIFY(l > 0);
    QVERIFY(l < noteO && noteO < o && o < noteP && noteP < p && p < s202);

    // § 12-204: 2013 (l), then the marked 2024 (m) and nothing after it.
    const qsizetype l204 = at("(l) (1) Except in cases of shared physical custody");
    const qsizetype noteM = at("[From the 2024 text: § 12-204 (m), in place of § 12-204 (m) of the 2013 text.]");
    const qsizetype m = at("(m)(1) In cases of shared physical custody, the adjusted basic child support obligation shall first be divided");
    const qsizetype last = at("(5) The amount owed under paragraph (3) of this subsection may not exceed the amount that would be owed under subsection (l) of this section.");
    QVERIFY(s202 < l204 && l204 < noteM && noteM < m && m < last);

    // The old subsections are replaced, not printed beside the new ones.
    QCOMPARE(text.count("shall first be divided between the parents in proportion to their respective adjusted actual incomes"), 1);
    QCOMPARE(text.count("the court may base a child support award on shared physical custody"), 1);
    QCOMPARE(text.count("may not exceed the amount that would be owed under subsection (l) of this section"), 1);
}

void TestStatutePdfs::installPutsThemBesideTheProgram()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    OrvaTest::RunOptions options;
    options.timeoutMs = 120000;
    const OrvaTest::ProgramRun install = OrvaTest::runProcess(
        QStringLiteral(ORVA_CMAKE_COMMAND), {"--install", ORVA_BINARY_DIR, "--prefix", prefix.path()},
        QProcessEnvironment::systemEnvironment(), options);
    QVERIFY2(install.exitCode == 0, install.err.constData());
    const QString bin = prefix.path() + "/bin/";
    QVERIFY(QFileInfo::exists(bin + "orvacalc") || QFileInfo::exists(bin + "orvacalc.exe"));
    // Beside the program itself: on Linux bin/orvacalc links to its own folder.
    const QString program = QFileInfo::exists(bin + "orvacalc") ? bin + "orvacalc" : bin + "orvacalc.exe";
    const QString programDir = QFileInfo(QFileInfo(program).canonicalFilePath()).absolutePath() + QLatin1Char('/');
    for (const QString &name : {kPre, kOct, kJul}) {
        QFile built(kBin + name);
        QFile installed(programDir + name);
        QVERIFY(built.open(QIODevice::ReadOnly));
        QVERIFY2(installed.open(QIODevice::ReadOnly), qPrintable(name));
        QVERIFY(installed.readAll() == built.readAll());
    }
}

QTEST_MAIN(TestStatutePdfs)
#include "tst_statutepdfs.moc"
