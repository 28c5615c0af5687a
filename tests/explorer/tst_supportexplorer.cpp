// The support explorer as a user has it: opened from the Tools menu on a
// case, following the typing in the main window, its marks and the case's
// own point, Worksheet A against B, and the page saved and printed.
#include "AskAnswers.h"
#include "ComparisonPage.h"
#include "ExplorerChart.h"
#include "IncomePage.h"
#include "MainWindowDriver.h"
#include "OrvaTestMain.h"
#include "OvernightsPage.h"
#include "PaperSize.h"
#include "SupportExplorer.h"

#include <QFile>
#include <QPdfDocument>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

using Doc = OrvaDocument;

class TestSupportExplorer : public QObject
{
    Q_OBJECT

private:
    static QString example() { return QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml"); }

    // The order as the chart draws it: above 0 the father pays.
    qreal caseOrder() const
    {
        return qreal(m_w.doc->fatherRecommendedChildSupport() - m_w.doc->motherRecommendedChildSupport());
    }

    // Tools > Support Explorer, then the keyboard back to the main window.
    void openExplorer()
    {
        m_w.ui->actionSupport_Explorer->trigger();
        m_explorer = m_w.window->findChild<SupportExplorer *>();
        QVERIFY(m_explorer);
        QVERIFY(QTest::qWaitForWindowExposed(m_explorer));
        QApplication::setActiveWindow(m_w.window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.window.get()));
    }

    void typeNights(LItemEdit *field, const QString &nights)
    {
        field->lineEdit()->selectAll();
        QTest::keyClicks(field->lineEdit(), nights);
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
    }

    OrvaTest::Window m_w;
    SupportExplorer *m_explorer = nullptr;
    QTemporaryDir m_dir;

private slots:
    void init();
    void cleanup();
    void thresholdMarks_data();
    void thresholdMarks();
    void followsTheTyping();
    void caseMarkerIsDrawn();
    void hoverReadsOutThePoint();
    void soleAgainstShared();
    void saveOutput_data();
    void saveOutput();
    void printsOnTheChosenPaper();
};

void TestSupportExplorer::init()
{
    m_w = OrvaTest::openWindow();
    QVERIFY(m_w.window->openCaseFile(example()));
    m_w.doc = m_w.window->document();
    openExplorer();
}

void TestSupportExplorer::cleanup()
{
    m_w.window.reset();
}

void TestSupportExplorer::thresholdMarks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<qreal>>("nights");
    // Where either parent reaches the shared threshold and, from October
    // 2020, where either one's overnights adjustment ends (110 nights: the
    // father's 110 or the mother's, at 365 - 110 = 255).
    QTest::newRow("Pre Oct 2020") << int(Doc::PreOct2020) << QList<qreal>{128, 237};
    QTest::newRow("Oct 2020") << int(Doc::NewOct2020) << QList<qreal>{92, 110, 255, 273};
    QTest::newRow("Jul 2022") << int(Doc::July2022) << QList<qreal>{92, 110, 255, 273};
}

void TestSupportExplorer::thresholdMarks()
{
    QFETCH(int, mode);
    QFETCH(QList<qreal>, nights);
    OrvaTest::prepareCase(m_w, Doc::Mode(mode), Doc::Shared);
    QList<qreal> shown;
    const QList<ExplorerChart::Mark> marks = m_explorer->overnightsPage()->chart()->marks();
    for (const ExplorerChart::Mark &mark : marks)
        shown << mark.x;
    QCOMPARE(shown, nights);
}

// Every edit in the main window moves the case's point; a closed explorer
// is left alone and catches up when it is opened again.
void TestSupportExplorer::followsTheTyping()
{
    ExplorerChart *overnights = m_explorer->overnightsPage()->chart();
    typeNights(m_w.ui->fatherOvernightsEdit, QStringLiteral("95"));
    QCOMPARE(overnights->casePoint(), QPointF(95, caseOrder()));
    QVERIFY2(m_explorer->overnightsPage()->readout().startsWith("This case: Father 95 nights, Father pays $"),
             qPrintable(m_explorer->overnightsPage()->readout()));

    m_explorer->tabs()->setCurrentWidget(m_explorer->incomePage());
    m_explorer->incomePage()->setIncomeParent(1);
    OrvaTest::typeAmount(m_w.ui->fatherMonthlyIncomeEdit, QStringLiteral("81"));
    QCOMPARE(m_explorer->incomePage()->chart()->casePoint(), QPointF(81, caseOrder()));
    QTest::keyClick(m_w.ui->fatherMonthlyIncomeEdit->lineEdit(), Qt::Key_0);
    QCOMPARE(m_explorer->incomePage()->chart()->casePoint(), QPointF(810, caseOrder()));

    m_explorer->close();
    OrvaTest::typeAmount(m_w.ui->fatherMonthlyIncomeEdit, QStringLiteral("7000"));
    QCOMPARE(m_explorer->incomePage()->chart()->casePoint().x(), 810.0);
    m_w.ui->actionSupport_Explorer->trigger();
    QCOMPARE(m_explorer->incomePage()->chart()->casePoint(), QPointF(7000, caseOrder()));
    // The overnights chart, not shown meanwhile, has the case as it is now.
    m_explorer->tabs()->setCurrentWidget(m_explorer->overnightsPage());
    QCOMPARE(overnights->casePoint(), QPointF(95, caseOrder()));
}

void TestSupportExplorer::caseMarkerIsDrawn()
{
    ExplorerChart *chart = m_explorer->overnightsPage()->chart();
    QCOMPARE(chart->casePoint().x(), 100.0);
    const QImage image = chart->grab().toImage();
    const QPoint at = chart->viewPosition(chart->casePoint());
    QVERIFY2(image.rect().contains(at), "the case's point lies outside the chart");
    QCOMPARE(image.pixelColor(at), QColor(0xd9, 0x5f, 0x0e));
}

void TestSupportExplorer::hoverReadsOutThePoint()
{
    OvernightsPage *page = m_explorer->overnightsPage();
    ExplorerChart *chart = page->chart();
    QTest::mouseMove(chart->viewport(), chart->viewPosition(QPointF(110, 0)));
    QVERIFY2(page->readout().startsWith("Father 110 nights, Mother 255: Father pays $"), qPrintable(page->readout()));
    QVERIFY(page->readout().endsWith("(Worksheet B, shared custody)"));
    QTest::mouseMove(chart->viewport(), chart->viewPosition(QPointF(300, 0)));
    QVERIFY2(page->readout().endsWith("(Worksheet A, sole custody)"), qPrintable(page->readout()));
}

// A case whose shared order lies above the father's sole one (Oct 2020, one
// child, incomes 1000 and 3000, 92 nights with the father): the table sets
// both side by side, marks the excess, and agrees with the main window.
void TestSupportExplorer::soleAgainstShared()
{
    OrvaTest::fatherAboveSole(m_w);
    m_w.doc->setMode(Doc::NewOct2020);
    m_w.doc->setFatherOvernights(92);
    m_w.window->refresh();
    qint64 sole = 0;
    QVERIFY(m_w.doc->fatherRecommendedChildSupportWarning(sole));
    const qint64 shared = m_w.doc->fatherRecommendedChildSupport();

    m_explorer->tabs()->setCurrentWidget(m_explorer->comparisonPage());
    const QTableWidget *table = m_explorer->comparisonPage()->table();
    const QList<QTableWidgetItem *> rows = table->findItems("Recommended (A 8; B 14)", Qt::MatchExactly);
    QCOMPARE(rows.size(), 2);
    const int father = rows.last()->row();
    QCOMPARE(table->item(father, 1)->text(), ExplorerCase::money(sole)); // A, mother custodial
    QCOMPARE(table->item(father, 3)->text(), ExplorerCase::money(shared)); // B
    QCOMPARE(table->item(father, 4)->text(), "+" + ExplorerCase::money(shared - sole));
    QVERIFY(table->item(father, 4)->background().style() != Qt::NoBrush);
    QCOMPARE(table->item(rows.first()->row(), 4)->background().style(), Qt::NoBrush);
}

void TestSupportExplorer::saveOutput_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("saved");   // empty: refused with a message
    QTest::addColumn<QString>("text");    // what the saved PDF says

    QTest::newRow("chart as PDF") << 0 << "chart.pdf" << "chart.pdf" << "Monthly order by Father's overnights";
    QTest::newRow("no suffix: PDF") << 1 << "chart" << "chart.pdf" << "Monthly order by Mother's income";
    QTest::newRow("table, whole") << 2 << "table.pdf" << "table.pdf" << "Recommended";
    QTest::newRow("chart as PNG") << 0 << "chart.png" << "chart.png" << QString();
    QTest::newRow("other suffix") << 0 << "chart.jpg" << QString() << QString();
    QTest::newRow("no such folder") << 0 << "missing/chart.pdf" << QString() << QString();
}

void TestSupportExplorer::saveOutput()
{
    QFETCH(int, tab);
    QFETCH(QString, name);
    QFETCH(QString, saved);
    QFETCH(QString, text);
    m_explorer->tabs()->setCurrentIndex(tab);
    const QString folder = m_dir.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(folder));
    OrvaTest::AskAnswers answers;
    answers.file(folder + "/" + name);
    m_explorer->saveOutput();
    const QList<Ask::Shown> shown = answers.shown();

    if (saved.isEmpty()) {
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.last().icon, QMessageBox::Critical);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
        return;
    }
    QCOMPARE(shown.size(), 1);
    const QString path = folder + "/" + saved;
    if (saved.endsWith(".png")) {
        QCOMPARE(QImage(path).size(), m_explorer->overnightsPage()->outputSize() * 2);
        return;
    }
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pagePointSize(0).toSize(), QSize(792, 612)); // Letter, landscape
    const QString all = pdf.getAllText(0).text();
    QVERIFY2(all.contains("Case C-15-FM-24-004821"), qPrintable(all));
    // The whole table, both parents, however little of it the window shows.
    QCOMPARE(all.count(text), tab == 2 ? 2 : 1);
}

void TestSupportExplorer::printsOnTheChosenPaper()
{
    PaperSize::store(PaperSize::A4);
    const QString path = m_dir.filePath("printed.pdf");
    OrvaTest::AskAnswers answers;
    Ask::answerNextPrint(path);
    m_explorer->printOutput();
    PaperSize::store(PaperSize::Letter);
    QCOMPARE(answers.shown().size(), 1);
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pagePointSize(0).toSize(), QSize(842, 595)); // A4, landscape
    QVERIFY(pdf.getAllText(0).text().contains("Monthly order by Father's overnights"));
}

ORVA_WIDGET_TEST_MAIN(TestSupportExplorer)
#include "tst_supportexplorer.moc"
