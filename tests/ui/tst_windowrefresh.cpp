// The refresh touches styles, fonts and the background only when their state
// changes: these tests walk the window through such changes, back and forth,
// and check what the user sees after every step.

#include "MainWindowDriver.h"
#include "QBalloonTip.h"

#include "OrvaTestMain.h"

#include <QImage>
#include <QPalette>
#include <QRadioButton>

using OrvaTest::Window;
using Doc = OrvaDocument;

namespace {

QImage backgroundOf(const MainWindow &window)
{
    return window.palette().brush(QPalette::Window).texture().toImage();
}

QImage picture(const char *path)
{
    return QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestWindowRefresh : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_w = OrvaTest::openWindow(); }
    void cleanup() { m_w = Window(); }

    void warningStyleFollowsEveryChange();
    void aboveScheduleHighlightFollowsIncome();
    void backgroundFollowsTheVersion();
    void computedFieldsAfterEveryKeystroke();

private:
    Window m_w;
};

// Every state of the father's warning shows its style, its balloon and the
// bold recommended amount, however often it flips; the mother's field stays
// plain throughout.
void TestWindowRefresh::warningStyleFollowsEveryChange()
{
    // One child, incomes 1000 and 3000 (July 2022): 92 to 94 nights warn,
    // 110 and more not. Off, on, on again, off, on.
    const QList<int> fatherOvernights = {110, 93, 94, 120, 92};
    const QList<int> warned = {0, 1, 1, 0, 1};
    OrvaTest::prepareCase(m_w, Doc::July2022, Doc::Shared);
    Ui::MainWindow *ui = m_w.ui;
    OrvaTest::typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("1000"));
    OrvaTest::typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("3000"));
    for (int i = 0; i < fatherOvernights.size(); ++i) {
        OrvaTest::typeAndLeave(ui->fatherOvernightsEdit, QString::number(fatherOvernights.at(i)),
                               ui->motherMonthlyIncomeEdit);
        const QString step = QStringLiteral("step %1").arg(i + 1);
        QCOMPARE(m_w.doc->fatherOvernights(), fatherOvernights.at(i));
        LItemEdit *father = ui->fatherRecommendedChildSupportEdit;
        const bool warning = warned.at(i) != 0;
        QVERIFY2(father->styleSheet() == (warning ? MainWindow::sharedAboveSoleStyle() : QString()), qPrintable(step));
        QVERIFY2(m_w.window->fatherBalloon()->isVisible() == warning, qPrintable(step));
        QVERIFY2(father->lineEdit()->font().bold(), qPrintable(step));
        QVERIFY2(ui->motherRecommendedChildSupportEdit->styleSheet().isEmpty(), qPrintable(step));
        QVERIFY2(ui->motherRecommendedChildSupportEdit->lineEdit()->font().bold(), qPrintable(step));
        QVERIFY2(!m_w.window->motherBalloon()->isVisible(), qPrintable(step));
    }
}

// The yellow highlight comes with an income above the schedule, stays while
// the income does not change, and goes when it falls to the schedule.
void TestWindowRefresh::aboveScheduleHighlightFollowsIncome()
{
    OrvaTest::prepareCase(m_w, Doc::NewOct2020, Doc::Shared);
    Ui::MainWindow *ui = m_w.ui;
    const struct {
        const char *income;
        bool highlighted;
    } steps[] = {{"16000", true}, {"15000", false}, {"15001", true}, {"15001", true}, {"900", false}, {"20000", true}};
    for (const auto &step : steps) {
        OrvaTest::typeAmount(ui->motherMonthlyIncomeEdit, QString::fromLatin1(step.income));
        QCOMPARE(ui->adjustedCombinedIncomeEdit->text(), QString::fromLatin1(step.income));
        QCOMPARE(ui->adjustedCombinedIncomeEdit->styleSheet(),
                 step.highlighted ? MainWindow::aboveScheduleStyle() : QString());
    }
    // One notice per version and case; it stands beside the window without
    // blocking it, so it is counted rather than answered.
    QTRY_VERIFY(OrvaTest::shownNotice(m_w.window.get()));
    QTest::qWait(300);
    QCOMPARE(m_w.window->findChildren<QDialog *>(QStringLiteral("extrapolationNotice")).size(), 1);
}

// The background picture changes with the guideline version, also when the
// version changes back, and an edit within a version keeps it.
void TestWindowRefresh::backgroundFollowsTheVersion()
{
    const struct {
        Doc::Mode mode;
        const char *picture;
    } versions[] = {{Doc::PreOct2020, ":/images/001.png"},
                    {Doc::NewOct2020, ":/images/bluecalc.png"},
                    {Doc::July2022, ":/images/002.png"},
                    {Doc::NewOct2020, ":/images/bluecalc.png"},
                    {Doc::PreOct2020, ":/images/001.png"}};
    for (const auto &version : versions) {
        m_w.doc->setMode(version.mode);
        m_w.window->refresh();
        QCOMPARE(backgroundOf(*m_w.window).convertToFormat(QImage::Format_RGB32), picture(version.picture));
        OrvaTest::typeAmount(m_w.ui->fatherMonthlyIncomeEdit, QStringLiteral("2500"));
        QCOMPARE(backgroundOf(*m_w.window).convertToFormat(QImage::Format_RGB32), picture(version.picture));
    }
    // A new case of another version brings its own background.
    m_w.doc->setMode(Doc::PreOct2020);
    m_w.window->refresh();
    m_w.doc->setModified(false);
    m_w.ui->actionNew->trigger();
    QCOMPARE(backgroundOf(*m_w.window).convertToFormat(QImage::Format_RGB32),
             picture(Doc::modeForNewCase() == Doc::July2022 ? ":/images/002.png" : ":/images/bluecalc.png"));
}

// Typed digit by digit, every keystroke leaves every computed field showing
// the figures of the income typed so far.
void TestWindowRefresh::computedFieldsAfterEveryKeystroke()
{
    OrvaTest::prepareCase(m_w, Doc::July2022, Doc::Shared);
    Ui::MainWindow *ui = m_w.ui;
    OrvaTest::typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("5200"));
    ui->motherMonthlyIncomeEdit->setFocus();
    const QString digits = QStringLiteral("4137");
    for (int typed = 1; typed <= digits.size(); ++typed) {
        QTest::keyClick(ui->motherMonthlyIncomeEdit->lineEdit(), digits.at(typed - 1).toLatin1());
        const qint64 income = digits.left(typed).toLongLong();
        QCOMPARE(m_w.doc->motherMonthlyIncome(), income);
        const WorksheetLines lines = m_w.doc->worksheet();
        QCOMPARE(ui->combinedIncomeEdit->text(), QString::number(income + 5200));
        QCOMPARE(ui->motherAdjustedActualIncomeEdit->text(), QString::number(lines.mother.adjustedActualIncome));
        QCOMPARE(ui->motherAdjustedActualIncomeEdit->labelText(), MainWindow::percentText(lines.mother.incomeShare));
        QCOMPARE(ui->fatherAdjustedActualIncomeEdit->labelText(), MainWindow::percentText(lines.father.incomeShare));
        QCOMPARE(ui->motherRecommendedChildSupportEdit->text(),
                 QString::number(lines.mother.recommendedChildSupport));
        QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(),
                 QString::number(lines.father.recommendedChildSupport));
    }
    // By hand: one child, 9337 takes the row 9350 (1305); shares 0.443 and
    // 0.557; shared basic round(1957.5) = 1958; the father's 1091 raised by
    // 10 % for 92 nights to 1200, the mother's 867; owed 898 and 219.
    QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(), QStringLiteral("679"));
    QCOMPARE(ui->motherRecommendedChildSupportEdit->text(), QStringLiteral("0"));
}

ORVA_WIDGET_TEST_MAIN(TestWindowRefresh)

#include "tst_windowrefresh.moc"
