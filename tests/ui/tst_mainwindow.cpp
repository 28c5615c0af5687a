#include "CaseFormBinding.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "FieldLook.h"
#include "HeaderLabel.h"
#include "LItemEdit.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "MyComboBox.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"
#include "QBalloonTip.h"

#include "MainWindowDriver.h"
#include "OrvaTestMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QElapsedTimer>
#include <QPointer>

#include <cmath>

namespace {

using namespace OrvaTest;

QString pct(float ratio)
{
    return MainWindow::percentText(ratio);
}

QString num(qint64 value)
{
    return QString::number(value);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captions_data();
    void captions();
    void menusAndActions();
    void comboContents();
    void newCaseShowsEmptyAmountsAndZeroResults();
    void typingIncomesRecomputesEveryResult_data();
    void typingIncomesRecomputesEveryResult();
    void workedExampleSoleMother();
    void everyAmountFieldWritesItsMember();
    void overnights_data();
    void overnights();
    void otherChildrenInHome_data();
    void otherChildrenInHome();
    void negativeAmountsByField_data();
    void negativeAmountsByField();
    void birthDatesAndAges_data();
    void birthDatesAndAges();
    void otherChildrenOnlyUnderJuly2022();
    void footnotes_data();
    void footnotes();
    void balloonsFollowTheWarning();
    void balloonFollowsTheWindow();
    void closedBalloonReturnsWithTheNextRefresh();
    void balloonSwitchesToSoleCustody_data();
    void balloonSwitchesToSoleCustody();
    void extrapolationNoticeOncePerMode();
    void noticeTimerSuppressesTheNotice();
    void extrapolationNoticeClosesItself();
    void invalidAmountDoesNotReachTheCase();
    void custodyAndCourt();
    void caseChildrenPreparerAndDate();
    void preparerAndCountySurviveARestart();
    void guidelineModeShown_data();
    void guidelineModeShown();
    void tabOrder();
    void workingCommands();
    void commentsButton();
    void everyCommandIsEnabled();
    void documentsFolders();
    void windowFixedAndWithoutMaximise();

private:
    Window m_w;
};

void TestMainWindow::init()
{
    QSettings().clear();
    m_w = openWindow();
}

void TestMainWindow::cleanup()
{
    m_w = Window();
}

void TestMainWindow::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const QList<QPair<const char *, const char *>> captions = {
        {"label_2", "Case Number"}, {"label_3", "Select County"}, {"plaintiffNameLabel", "Plaintiff's Name"},
        {"defendantNameLabel", "Defendant's Name"}, {"childNameLabel1", "Children's Name"},
        {"birthdayLabel1", "Birth Date/Age"}, {"custodyTypeLabel", "Custody type"},
        {"childNameLabel2", "Children's Name"}, {"birthdayLabel2", "Birth Date/Age"},
        {"custodyTypeLabel_3", "Selected Guidelines"}, {"label_10", "Monthly Income"},
        {"label_11", "Existing Child Support Payment"}, {"label_12", "Alimony Paid"},
        {"label_13", "Alimony Awarded This Case"}, {"label_14", "Adjusted Actual Income"},
        {"label_15", "Number Of Overnights"}, {"label_16", "Work Related Child Care Expenses"},
        {"label_17", "Health Insurance Payments"}, {"label_18", "Extraordinary Medical Expenses"},
        {"label_19", "Cash Medical Support"}, {"label_20", "Additional Expenses"},
        {"label_21", "Recommended Child Support"}, {"label", "Preparer"}, {"label_7", "Combined Income"},
        {"adjustedCombinedIncomeEditLabel", "Adjusted Combined Income"},
    };
    for (const auto &caption : captions)
        QTest::newRow(caption.first) << QString::fromLatin1(caption.first) << QString::fromLatin1(caption.second);
}

void TestMainWindow::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    auto *label = m_w.window->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QVERIFY(label->isVisible());
    // Nothing clipped: the caption has at least the room its text needs.
    QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(text), qPrintable(name));
}

void TestMainWindow::menusAndActions()
{
    QMenuBar *bar = m_w.ui->menuBar;
    QStringList menus;
    // Texts as shown; the "&" only marks the Alt key of each menu.
    const auto shown = [](const QString &text) { return QString(text).remove(QLatin1Char('&')); };
    for (QAction *action : bar->actions())
        menus << action->menu()->objectName() + QLatin1Char('=') + shown(action->text());
    QCOMPARE(menus, QStringList({"menuFile=File", "menuFinancial_Forms=Financial Forms",
                                 "menuCustody_Forms=Custody Forms", "menuTools=Tools",
                                 "menuUpdates_Renew=Updates/Renew",
                                 "menuHelp=Help", "menuFAQ=FAQ",
                                 "menuTrial_Custody_Calendar=Trial Custody Calendar"}));

    const auto listed = [shown](QMenu *menu) {
        QStringList items;
        for (QAction *action : menu->actions())
            items << (action->isSeparator() ? QStringLiteral("-")
                                            : action->objectName() + QLatin1Char('=') + shown(action->text()));
        return items;
    };
    QCOMPARE(listed(m_w.ui->menuFile),
             QStringList({"actionNew=New", "actionOpen=Open", "=Recent Cases", "-", "actionSave=Save", "actionSave_As=Save As...", "-",
                          "actionPreview=Preview", "actionPrint=Print", "=Paper Size", "-", "actionExit=Exit"}));
    QCOMPARE(listed(m_w.ui->menuFinancial_Forms),
             QStringList({"actionSaveable_9_202=Saveable 9-202", "actionSaveable_9_203=Saveable 9-203"}));
    QCOMPARE(listed(m_w.ui->menuCustody_Forms),
             QStringList({"actionJoint_Parenting_Statement=Joint Parenting Statement",
                          "actionParent_Plan_Tool=Parent Plan Tool"}));
    QCOMPARE(listed(m_w.ui->menuUpdates_Renew), QStringList({"actionCheck_for_updates=Check for updates"}));
    QCOMPARE(listed(m_w.ui->menuHelp), QStringList({"actionContents=Contents", "actionSearch=Search",
                                                   "actionEmail_Support=Email Support", "actionAbout=About"}));
    QCOMPARE(listed(m_w.ui->menuFAQ), QStringList({"actionFAQ=FAQ"}));
    QCOMPARE(listed(m_w.ui->menuTrial_Custody_Calendar), QStringList({"actionOpen_website=Open website"}));

    // Icons where the menus show one.
    for (QAction *action : {m_w.ui->actionNew, m_w.ui->actionOpen, m_w.ui->actionSave, m_w.ui->actionPreview,
                            m_w.ui->actionPrint, m_w.ui->actionExit, m_w.ui->actionSaveable_9_202,
                            m_w.ui->actionSaveable_9_203, m_w.ui->actionJoint_Parenting_Statement,
                            m_w.ui->actionParent_Plan_Tool, m_w.ui->actionCalculate_Alimony})
        QVERIFY2(!action->icon().pixmap(16, 16).isNull(), qPrintable(action->objectName()));

    QCOMPARE(m_w.ui->actionCalculate_Alimony->text(), QStringLiteral("Calculate Alimony"));
    QCOMPARE(m_w.ui->actionSearch->text(), QStringLiteral("Search"));
    QVERIFY(m_w.ui->actionShow_Old_Guidelines->isCheckable());
    QCOMPARE(m_w.ui->actionShow_Old_Guidelines->text(), QStringLiteral("Show Pre Oct 2020 Guidelines"));
    QCOMPARE(m_w.ui->actionShow_Old_Guidelines->toolTip(), QStringLiteral("Show Pre Oct 2020 Guidelines"));
}

void TestMainWindow::comboContents()
{
    QComboBox *county = m_w.ui->countryComboBox;
    QCOMPARE(county->count(), 24);
    for (int i = 0; i < 24; ++i) {
        QCOMPARE(county->itemData(i).toInt(), i);
        QCOMPARE(county->itemText(i), OrvaDocument::countyName(i));
    }
    QCOMPARE(county->itemText(0), QStringLiteral("Allegany County, Maryland"));
    QCOMPARE(county->itemText(17), QStringLiteral("Queen Anne's County Maryland"));
    QCOMPARE(county->itemText(19), QStringLiteral("St.Mary 's County, Maryland"));
    QCOMPARE(county->itemText(23), QStringLiteral("Worcester County, Maryland"));

    QComboBox *custody = m_w.ui->custodyTypeComboBox;
    QStringList texts;
    for (int i = 0; i < custody->count(); ++i) {
        texts << custody->itemText(i);
        QCOMPARE(custody->itemData(i).toInt(), i);
    }
    QCOMPARE(texts, QStringList({"Shared", "Sole Mother", "Sole Father", "Shared (P1 & P2)", "Sole Parent1",
                                 "Sole Parent2"}));
}

void TestMainWindow::newCaseShowsEmptyAmountsAndZeroResults()
{
    Ui::MainWindow *ui = m_w.ui;
    QCOMPARE(m_w.window->windowTitle(), QStringLiteral("Orva-Calc Professional v16.2.24.319 (Unsaved)"));
    for (FCItemEdit *field : m_w.window->findChildren<FCItemEdit *>())
        QCOMPARE(field->lineEdit()->text(), QString());
    for (LItemEdit *field : {ui->motherAdjustedActualIncomeEdit, ui->fatherAdjustedActualIncomeEdit,
                             ui->motherRecommendedChildSupportEdit, ui->fatherRecommendedChildSupportEdit})
        QCOMPARE(field->text(), QStringLiteral("0"));
    QCOMPARE(ui->motherCashMedicalSupportEdit->lineEdit()->text(), QStringLiteral("0"));
    QCOMPARE(ui->combinedIncomeEdit->text(), QStringLiteral("0"));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->text(), QStringLiteral("0"));
    QCOMPARE(ui->motherAdjustedActualIncomeEdit->labelText(), QStringLiteral("0 %"));
    QCOMPARE(ui->motherOvernightsEdit->text(), num(m_w.doc->motherOvernights()));
    QCOMPARE(ui->fatherOvernightsEdit->text(), num(m_w.doc->fatherOvernights()));
    QCOMPARE(ui->motherOvernightsEdit->text().toInt() + ui->fatherOvernightsEdit->text().toInt(), 365);
    QCOMPARE(ui->motherCashMedicalSupportEdit->comboBox()->currentText(), QStringLiteral("0.0%"));
    QCOMPARE(ui->preparerEdit->labelText(), QStringLiteral("Date"));
    QCOMPARE(ui->dateEdit->text(), m_w.doc->preparedDate());
    QCOMPARE(ui->custodyTypeComboBox->currentText(), QStringLiteral("Shared"));
    QCOMPARE(ui->countryComboBox->currentIndex(), m_w.doc->county());
    QVERIFY(ui->circuitCourtTypeRadio->isChecked());
    QCOMPARE(ui->motherHeaderLabel->text(), QStringLiteral("Mother"));
    QVERIFY(ui->motherMonthlyIncomeEdit->lineEdit()->hasFocus());
    QVERIFY(!m_w.window->motherBalloon()->isVisible());
    QVERIFY(!m_w.window->fatherBalloon()->isVisible());
    QVERIFY(ui->motherRecommendedChildSupportEdit->lineEdit()->font().bold());
    QVERIFY(ui->motherRecommendedChildSupportEdit->lineEdit()->isReadOnly());
    QVERIFY(ui->motherAdjustedActualIncomeEdit->lineEdit()->isReadOnly());
    // Every computed figure is read-only, also those the form once left open.
    QVERIFY(ui->fatherAdjustedActualIncomeEdit->lineEdit()->isReadOnly());
    QVERIFY(ui->combinedIncomeEdit->isReadOnly());
    QVERIFY(ui->adjustedCombinedIncomeEdit->isReadOnly());
    QCOMPARE(ui->motherOvernightsEdit->lineEdit()->maxLength(), 3);
    QVERIFY(ui->motherOvernightsEdit->lineEdit()->inputMethodHints() & Qt::ImhDigitsOnly);
    QVERIFY(!ui->modeSwitchButton->isVisible());
    QVERIFY(!ui->modeComboBox->isVisible());
    QVERIFY(!ui->custodyTypeLabel_2->isVisible());
    QVERIFY(ui->custodyTypeLabel_3->isVisible());
}

void TestMainWindow::typingIncomesRecomputesEveryResult_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<QString>("motherIncome");
    QTest::addColumn<QString>("fatherIncome");
    QTest::addColumn<int>("motherPercentItem");
    QTest::addColumn<int>("fatherPercentItem");

    const int modes[] = {OrvaDocument::PreOct2020, OrvaDocument::NewOct2020, OrvaDocument::July2022};
    const char *modeNames[] = {"Pre Oct 2020", "Oct 2020", "Jul 2022"};
    for (int m = 0; m < 3; ++m) {
        for (int custody = 0; custody <= 5; ++custody) {
            QTest::addRow("%s, %s", modeNames[m], qPrintable(OrvaDocument::custodyTypeName(custody)))
                << modes[m] << custody << "4250" << "6120" << (custody + 1) << (10 - custody);
        }
    }
    QTest::newRow("above the schedule") << int(OrvaDocument::July2022) << 0 << "21000" << "18500" << 2 << 4;
    QTest::newRow("one parent without income") << int(OrvaDocument::NewOct2020) << 1 << "" << "5400" << 0 << 3;
}

void TestMainWindow::typingIncomesRecomputesEveryResult()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(QString, motherIncome);
    QFETCH(QString, fatherIncome);
    QFETCH(int, motherPercentItem);
    QFETCH(int, fatherPercentItem);

    Ui::MainWindow *ui = m_w.ui;
    OrvaDocument *doc = m_w.doc;
    prepareCase(m_w, Mode(mode), Custody(custody));

    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    QTest::keyClicks(ui->child4NameEdit, QStringLiteral("Riley"));
    typeAmount(ui->motherMonthlyIncomeEdit, motherIncome);
    typeAmount(ui->fatherMonthlyIncomeEdit, fatherIncome);
    QCOMPARE(m_w.window->windowTitle(), QStringLiteral("Orva-Calc Professional v16.2.24.319 (* Unsaved)"));
    ui->motherCashMedicalSupportEdit->setFocus();
    chooseItem(ui->motherCashMedicalSupportEdit->comboBox(), motherPercentItem);
    ui->fatherCashMedicalSupportEdit->setFocus();
    chooseItem(ui->fatherCashMedicalSupportEdit->comboBox(), fatherPercentItem);
    QTest::qWait(150);

    QCOMPARE(doc->motherMonthlyIncome(), motherIncome.toLongLong());
    QCOMPARE(doc->fatherMonthlyIncome(), fatherIncome.toLongLong());
    QCOMPARE(doc->motherCashMedicalPercent(), motherPercentItem * 0.5);
    QCOMPARE(doc->fatherCashMedicalPercent(), fatherPercentItem * 0.5);
    QCOMPARE(doc->childCount(), 2);
    QVERIFY(doc->modified());

    QCOMPARE(ui->motherAdjustedActualIncomeEdit->text(), num(doc->motherAdjustedActualIncome()));
    QCOMPARE(ui->fatherAdjustedActualIncomeEdit->text(), num(doc->fatherAdjustedActualIncome()));
    QCOMPARE(ui->motherAdjustedActualIncomeEdit->labelText(), pct(doc->motherIncomeShare()));
    QCOMPARE(ui->fatherAdjustedActualIncomeEdit->labelText(), pct(doc->fatherIncomeShare()));
    QCOMPARE(ui->motherOvernightsEdit->labelText(), pct(doc->motherTimeShare()));
    QCOMPARE(ui->fatherOvernightsEdit->labelText(), pct(doc->fatherTimeShare()));
    QCOMPARE(ui->motherCashMedicalSupportEdit->lineEdit()->text(), num(doc->motherCashMedicalSupport()));
    QCOMPARE(ui->fatherCashMedicalSupportEdit->lineEdit()->text(), num(doc->fatherCashMedicalSupport()));
    QCOMPARE(ui->motherCashMedicalSupportEdit->comboBox()->currentIndex(), motherPercentItem);
    QCOMPARE(ui->fatherCashMedicalSupportEdit->comboBox()->currentIndex(), fatherPercentItem);
    QCOMPARE(ui->motherRecommendedChildSupportEdit->text(), num(doc->motherRecommendedChildSupport()));
    QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(), num(doc->fatherRecommendedChildSupport()));
    QCOMPARE(ui->combinedIncomeEdit->text(), num(doc->combinedIncome()));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->text(), num(doc->adjustedCombinedIncome()));
    QCOMPARE(ui->motherMonthlyIncomeEdit->lineEdit()->text(), motherIncome);
    QCOMPARE(ui->fatherMonthlyIncomeEdit->lineEdit()->text(), fatherIncome);

    // The figures themselves, worked by hand from the incomes.
    const qint64 combined = motherIncome.toLongLong() + fatherIncome.toLongLong();
    QCOMPARE(ui->combinedIncomeEdit->text(), num(combined));
    QCOMPARE(ui->motherCashMedicalSupportEdit->lineEdit()->text(),
             num(static_cast<qint64>(std::nearbyint(motherIncome.toLongLong() * motherPercentItem * 0.5 * 0.01))));
    if (OrvaDocument::isSoleMotherCustody(custody))
        QCOMPARE(ui->motherRecommendedChildSupportEdit->text(), QStringLiteral("0"));
    if (OrvaDocument::isSoleFatherCustody(custody))
        QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(), QStringLiteral("0"));
    const bool parentLabels = custody >= OrvaDocument::SharedP1P2;
    QCOMPARE(ui->motherHeaderLabel->text(), parentLabels ? QStringLiteral("Parent 1") : QStringLiteral("Mother"));
    QCOMPARE(ui->fatherHeaderLabel->text(), parentLabels ? QStringLiteral("Parent 2") : QStringLiteral("Father"));
}

void TestMainWindow::workedExampleSoleMother()
{
    // Jul 2022, sole mother custody, two children; worked by hand: basic
    // obligation 1748, total 2348, father's share 1468 less his direct pay,
    // 150 insurance and 50 cash medical support.
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    chooseItem(ui->custodyTypeComboBox, OrvaDocument::SoleMother);
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    QTest::keyClicks(ui->child2NameEdit, QStringLiteral("Riley"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("3000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("5000"));
    typeAmount(ui->motherWorkRelatedExpensesEdit, QStringLiteral("400"));
    typeAmount(ui->fatherHealthInsuranceEdit, QStringLiteral("150"));
    ui->fatherCashMedicalSupportEdit->setFocus();
    chooseItem(ui->fatherCashMedicalSupportEdit->comboBox(), 2);

    QCOMPARE(ui->fatherCashMedicalSupportEdit->lineEdit()->text(), QStringLiteral("50"));
    QCOMPARE(ui->fatherCashMedicalSupportEdit->comboBox()->currentText(), QStringLiteral("1.0%"));
    QCOMPARE(ui->motherCashMedicalSupportEdit->lineEdit()->text(), QStringLiteral("0"));
    QCOMPARE(ui->motherAdjustedActualIncomeEdit->labelText(), QStringLiteral("37.5 %"));
    QCOMPARE(ui->fatherAdjustedActualIncomeEdit->labelText(), QStringLiteral("62.5 %"));
    QCOMPARE(ui->combinedIncomeEdit->text(), QStringLiteral("8000"));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->text(), QStringLiteral("8000"));
    QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(), QStringLiteral("1268"));
    QCOMPARE(ui->motherRecommendedChildSupportEdit->text(), QStringLiteral("0"));
    QCOMPARE(ui->motherOvernightsEdit->text(), QStringLiteral("365"));
    QCOMPARE(ui->motherOvernightsEdit->labelText(), QStringLiteral("100 %"));
    QCOMPARE(ui->fatherOvernightsEdit->labelText(), QStringLiteral("0 %"));
    QVERIFY(!m_w.window->motherBalloon()->isVisible());
    QVERIFY(!m_w.window->fatherBalloon()->isVisible());
}

void TestMainWindow::everyAmountFieldWritesItsMember()
{
    struct Entry {
        FCItemEdit *field;
        qint64 (OrvaDocument::*getter)() const;
    };
    Ui::MainWindow *ui = m_w.ui;
    const Entry entries[] = {
        {ui->motherMonthlyIncomeEdit, &OrvaDocument::motherMonthlyIncome},
        {ui->fatherMonthlyIncomeEdit, &OrvaDocument::fatherMonthlyIncome},
        {ui->motherExistingChildSupportPaymentEdit, &OrvaDocument::motherExistingChildSupportPayment},
        {ui->fatherExistingChildSupportPaymentEdit, &OrvaDocument::fatherExistingChildSupportPayment},
        {ui->motherAlimonyPaidEdit, &OrvaDocument::motherAlimonyPaid},
        {ui->fatherAlimonyPaidEdit, &OrvaDocument::fatherAlimonyPaid},
        {ui->motherWorkRelatedExpensesEdit, &OrvaDocument::motherWorkRelatedExpenses},
        {ui->fatherWorkRelatedExpensesEdit, &OrvaDocument::fatherWorkRelatedExpenses},
        {ui->motherHealthInsuranceEdit, &OrvaDocument::motherHealthInsurance},
        {ui->fatherHealthInsuranceEdit, &OrvaDocument::fatherHealthInsurance},
        {ui->motherExtraMedicalExpensesEdit, &OrvaDocument::motherExtraMedicalExpenses},
        {ui->fatherExtraMedicalExpensesEdit, &OrvaDocument::fatherExtraMedicalExpenses},
        {ui->motherAdditionalExpensesEdit, &OrvaDocument::motherAdditionalExpenses},
        {ui->fatherAdditionalExpensesEdit, &OrvaDocument::fatherAdditionalExpenses},
    };
    qint64 amount = 101;
    for (const Entry &entry : entries) {
        typeAmount(entry.field, num(amount));
        QVERIFY2((m_w.doc->*entry.getter)() == amount, qPrintable(entry.field->objectName()));
        ++amount;
    }
    for (const Entry &entry : entries)
        QVERIFY2((m_w.doc->*entry.getter)() != 0, qPrintable(entry.field->objectName()));

    // Alimony awarded is a transfer: the other parent's field shows the negation.
    typeAmount(ui->motherAlimonyAwardedEdit, QStringLiteral("500"));
    QCOMPARE(m_w.doc->motherAlimonyAwarded(), 500);
    QCOMPARE(m_w.doc->fatherAlimonyAwarded(), -500);
    QCOMPARE(ui->fatherAlimonyAwardedEdit->lineEdit()->text(), QStringLiteral("-500"));
    typeAmount(ui->fatherAlimonyAwardedEdit, QStringLiteral("250"));
    QCOMPARE(m_w.doc->motherAlimonyAwarded(), -250);
    QCOMPARE(ui->motherAlimonyAwardedEdit->lineEdit()->text(), QStringLiteral("-250"));
    typeAmount(ui->fatherAlimonyAwardedEdit, QString());
    QCOMPARE(m_w.doc->motherAlimonyAwarded(), 0);
    QCOMPARE(ui->motherAlimonyAwardedEdit->lineEdit()->text(), QString());
}

void TestMainWindow::overnights_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<bool>("fatherField");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("mother");
    QTest::addColumn<int>("father");
    QTest::addColumn<bool>("changed"); // the case differs from before
    QTest::addColumn<bool>("noted");   // the field says the number was not taken as typed

    const int pre = OrvaDocument::PreOct2020;
    const int oct = OrvaDocument::NewOct2020;
    const int jul = OrvaDocument::July2022;
    // Every case starts at 273/92 (237/128 before Oct 2020) or 365/0 for sole custody.
    QTest::newRow("Jul 2022 father 400") << jul << 0 << true << "400" << 92 << 273 << true << true;
    QTest::newRow("Oct 2020 mother letters keep the split") << oct << 0 << false << "abc" << 273 << 92 << false << false;
    QTest::newRow("Oct 2020 father letters keep the split") << oct << 0 << true << "9x" << 273 << 92 << false << false;
    QTest::newRow("blank keeps the split") << jul << 0 << false << " " << 273 << 92 << false << false;
    QTest::newRow("Jul 2022 mother 200") << jul << 0 << false << "200" << 200 << 165 << true << false;
    QTest::newRow("blanks around a number") << jul << 0 << true << " 151 " << 214 << 151 << true << false;
    QTest::newRow("Jul 2022 mother 300") << jul << 3 << false << "300" << 273 << 92 << false << true;
    QTest::newRow("Jul 2022 mother -5") << jul << 0 << false << "-5" << 92 << 273 << true << true;
    QTest::newRow("the number already held") << jul << 0 << true << "92" << 273 << 92 << false << false;
    QTest::newRow("Pre Oct 2020 mother 300") << pre << 0 << false << "300" << 237 << 128 << false << true;
    QTest::newRow("Pre Oct 2020 father 10") << pre << 3 << true << "10" << 237 << 128 << false << true;
    QTest::newRow("Pre Oct 2020 father letters") << pre << 0 << true << "x" << 237 << 128 << false << false;
    QTest::newRow("Oct 2020 father 150") << oct << 0 << true << "150" << 215 << 150 << true << false;
    QTest::newRow("mother's field takes three digits") << jul << 0 << false << "1000" << 100 << 265 << true << false;
    for (int custody : {1, 2, 4, 5}) {
        const bool motherHas = OrvaDocument::isSoleMotherCustody(custody);
        for (int mode : {pre, oct, jul}) {
            QTest::addRow("sole %d mode %d typed 200", custody, mode)
                << mode << custody << false << "200" << (motherHas ? 365 : 0) << (motherHas ? 0 : 365) << false
                << true;
            QTest::addRow("sole %d mode %d father typed 7", custody, mode)
                << mode << custody << true << "7" << (motherHas ? 365 : 0) << (motherHas ? 0 : 365) << false << true;
        }
    }
}

void TestMainWindow::overnights()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(bool, fatherField);
    QFETCH(QString, typed);
    QFETCH(int, mother);
    QFETCH(int, father);
    QFETCH(bool, changed);
    QFETCH(bool, noted);

    prepareCase(m_w, Mode(mode), Custody(custody));
    LItemEdit *field = fatherField ? m_w.ui->fatherOvernightsEdit : m_w.ui->motherOvernightsEdit;
    field->setFocus();
    field->lineEdit()->selectAll();
    QTest::keyClicks(field->lineEdit(), typed);
    // Text that is no number is marked while it stands there.
    bool isNumber = false;
    typed.trimmed().left(fatherField ? 99 : 3).toInt(&isNumber);
    QCOMPARE(field->isInvalid(), !isNumber && !typed.trimmed().isEmpty());
    QTest::keyClick(field->lineEdit(), Qt::Key_Tab);
    QVERIFY(!field->lineEdit()->hasFocus());

    QCOMPARE(m_w.doc->motherOvernights(), mother);
    QCOMPARE(m_w.doc->fatherOvernights(), father);
    QCOMPARE(m_w.ui->motherOvernightsEdit->text(), num(mother));
    QCOMPARE(m_w.ui->fatherOvernightsEdit->text(), num(father));
    QCOMPARE(m_w.ui->motherOvernightsEdit->labelText(), pct(m_w.doc->motherTimeShare()));
    QVERIFY(!field->isInvalid());
    QCOMPARE(m_w.doc->modified(), changed);
    QCOMPARE(m_w.window->windowTitle().contains(QLatin1String("(* ")), changed);
    // A number the case could not take says so on the field, naming it.
    QCOMPARE(!field->note().isEmpty(), noted);
    QCOMPARE(field->lineEdit()->toolTip(), field->note());
    if (noted)
        QVERIFY2(field->note().startsWith(typed.trimmed().left(fatherField ? 99 : 3) + QLatin1Char(' ')),
                 qPrintable(field->note()));
    LItemEdit *other = fatherField ? m_w.ui->motherOvernightsEdit : m_w.ui->fatherOvernightsEdit;
    QVERIFY(other->note().isEmpty());

    // The note holds until the figure shown changes.
    if (noted) {
        QTest::keyClicks(m_w.ui->caseNumberEdit, QStringLiteral("7"));
        QVERIFY(!field->note().isEmpty());
        const int otherCustody = OrvaDocument::isSharedCustody(custody) ? OrvaDocument::SoleFather : OrvaDocument::Shared;
        m_w.doc->setCustodyType(otherCustody);
        m_w.window->refresh();
        QVERIFY(field->note().isEmpty());
        QVERIFY(field->lineEdit()->toolTip().isEmpty());
    }
}

void TestMainWindow::otherChildrenInHome_data()
{
    QTest::addColumn<bool>("fatherField");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("allowance");
    QTest::addColumn<QString>("adjusted");

    // Incomes 3000 and 5000 under the July 2022 schedule. Row 3000: one child
    // 583 -> 437, six 1381 -> 1036. Row 5000: two children 1356 -> 1017,
    // six 2189 -> 1642.
    QTest::newRow("mother 1") << false << "1" << 1 << "1" << "-437" << "2563";
    QTest::newRow("father 2") << true << "2" << 2 << "2" << "-1017" << "3983";
    QTest::newRow("father 9 counts as 6") << true << "9" << 6 << "9" << "-1642" << "3358";
    QTest::newRow("mother 12 counts as 6") << false << "12" << 6 << "12" << "-1036" << "1964";
    QTest::newRow("0 is none") << true << "0" << 0 << "" << "0" << "5000";
    QTest::newRow("letters are refused") << false << "x-" << 0 << "" << "0" << "3000";
}

void TestMainWindow::otherChildrenInHome()
{
    QFETCH(bool, fatherField);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(QString, allowance);
    QFETCH(QString, adjusted);

    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    m_w.doc->setMotherMonthlyIncome(3000);
    m_w.doc->setFatherMonthlyIncome(5000);
    m_w.window->refresh();
    QSignalSpy modified(m_w.doc, &OrvaDocument::modifiedFlagChanged);

    LItemEdit *field = fatherField ? ui->fatherMultifamilyChildrenEdit : ui->motherMultifamilyChildrenEdit;
    LItemEdit *income = fatherField ? ui->fatherAdjustedActualIncomeEdit : ui->motherAdjustedActualIncomeEdit;
    QVERIFY(field->isVisible());
    field->setFocus();
    QTest::keyClicks(field->lineEdit(), typed);

    QCOMPARE(fatherField ? m_w.doc->fatherMultifamilyChildren() : m_w.doc->motherMultifamilyChildren(), stored);
    QCOMPARE(field->text(), shown);
    QCOMPARE(!field->note().isEmpty(), shown.toInt() > 6); // kept as typed, with the note
    QCOMPARE(field->labelText(), allowance);
    QCOMPARE(income->text(), adjusted);
    QCOMPARE(ui->adjustedCombinedIncomeEdit->text(), num(m_w.doc->adjustedCombinedIncome()));
    QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(), num(m_w.doc->fatherRecommendedChildSupport()));
    // The other parent's count is untouched.
    QCOMPARE(fatherField ? m_w.doc->motherMultifamilyChildren() : m_w.doc->fatherMultifamilyChildren(), 0);
    // Every accepted key is an edit; the case turns modified once.
    const bool edited = typed.at(0).isDigit();
    QCOMPARE(m_w.doc->modified(), edited);
    QCOMPARE(modified.count(), edited ? 1 : 0);
}

void TestMainWindow::negativeAmountsByField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qlonglong>("stored"); // after 250, then -40 typed
    QTest::addColumn<QString>("mark");     // "" none, "red", "amber"

    QTest::newRow("income: used, with a note") << "motherMonthlyIncomeEdit" << -40LL << "amber";
    QTest::newRow("existing support: refused") << "fatherExistingChildSupportPaymentEdit" << 250LL << "red";
    QTest::newRow("alimony paid: refused") << "motherAlimonyPaidEdit" << 250LL << "red";
    QTest::newRow("alimony awarded: signed") << "fatherAlimonyAwardedEdit" << -40LL << "";
    QTest::newRow("child care: refused") << "motherWorkRelatedExpensesEdit" << 250LL << "red";
    QTest::newRow("health insurance: refused") << "fatherHealthInsuranceEdit" << 250LL << "red";
    QTest::newRow("extraordinary medical: refused") << "motherExtraMedicalExpensesEdit" << 250LL << "red";
    QTest::newRow("additional: refused") << "fatherAdditionalExpensesEdit" << 250LL << "red";
}

void TestMainWindow::negativeAmountsByField()
{
    QFETCH(QString, name);
    QFETCH(qlonglong, stored);
    QFETCH(QString, mark);

    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    auto *field = m_w.window->findChild<FCItemEdit *>(name);
    QVERIFY(field);
    typeAmount(field, QStringLiteral("250"));
    m_w.ui->caseNumberEdit->setFocus();
    typeAmount(field, QStringLiteral("-40"));
    QCOMPARE(field->value(), stored);
    QCOMPARE(field->lineEdit()->text(), QStringLiteral("-40"));
    QCOMPARE(field->isInvalid(), mark == QLatin1String("red"));
    QCOMPARE(!field->note().isEmpty(), mark == QLatin1String("amber"));
    if (mark == QLatin1String("amber"))
        QCOMPARE(field->lineEdit()->toolTip(), QStringLiteral("A negative income is used as typed."));
    // The case holds what the field reads as.
    for (const CaseFormBinding::AmountField &amount : CaseFormBinding::amountFields(m_w.ui)) {
        if (amount.edit == field)
            QCOMPARE((m_w.doc->*amount.getter)(), stored);
    }
}

void TestMainWindow::birthDatesAndAges_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("children"); // with a named first child
    QTest::addColumn<QString>("mark");

    // The worksheet is dated 6/1/2024.
    QTest::newRow("MM/DD/YYYY") << "03/15/2015" << 2 << "";
    QTest::newRow("M/D/YY") << "3/5/15" << 2 << "";
    QTest::newRow("YYYY-MM-DD") << "2015-03-15" << 2 << "";
    QTest::newRow("age") << "9" << 2 << "";
    QTest::newRow("age in years") << "9 years" << 2 << "";
    QTest::newRow("18 the day before") << "6/2/2006" << 2 << "";
    QTest::newRow("18 on the day") << "6/1/2006" << 2 << "amber";
    QTest::newRow("age 18") << "18" << 2 << "amber";
    QTest::newRow("no such day") << "2/30/2015" << 1 << "red";
    QTest::newRow("other text") << "soon" << 1 << "red";
}

void TestMainWindow::birthDatesAndAges()
{
    QFETCH(QString, typed);
    QFETCH(int, children);
    QFETCH(QString, mark);

    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    m_w.doc->setChild1Name(QStringLiteral("Avery"));
    m_w.doc->setPreparedDate(QStringLiteral("6/1/2024"));
    m_w.window->refresh();
    QLineEdit *date = m_w.ui->child2DateEdit;
    date->setFocus();
    QTest::keyClicks(date, typed);
    QCOMPARE(m_w.doc->childCount(), children);
    QCOMPARE(date->styleSheet() == FieldLook::invalidStyleSheet(), mark == QLatin1String("red"));
    QCOMPARE(date->styleSheet() == FieldLook::noteStyleSheet(), mark == QLatin1String("amber"));
    QCOMPARE(date->text(), typed);
}

void TestMainWindow::otherChildrenOnlyUnderJuly2022()
{
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("3000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("5000"));
    ui->fatherMultifamilyChildrenEdit->setFocus();
    QTest::keyClicks(ui->fatherMultifamilyChildrenEdit->lineEdit(), QStringLiteral("2"));
    QCOMPARE(ui->fatherAdjustedActualIncomeEdit->text(), QStringLiteral("3983"));
    const QRect below = ui->label_14->geometry();
    const QSize size = m_w.window->size();

    // October 2020 has no line 1d: the row goes, its place stays, the count
    // is kept but the incomes are whole again.
    QTest::mouseClick(ui->oldGuidelinesRadioButton, Qt::LeftButton);
    QCOMPARE(m_w.doc->mode(), OrvaDocument::NewOct2020);
    QCOMPARE(m_w.doc->fatherMultifamilyChildren(), 2);
    QCOMPARE(ui->fatherAdjustedActualIncomeEdit->text(), QStringLiteral("5000"));
    for (QWidget *widget : {static_cast<QWidget *>(ui->multifamilyLabel),
                            static_cast<QWidget *>(ui->motherMultifamilyChildrenEdit),
                            static_cast<QWidget *>(ui->fatherMultifamilyChildrenEdit)})
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    QCOMPARE(ui->label_14->geometry(), below);
    QCOMPARE(m_w.window->size(), size);

    // Back under July 2022 the row returns with the count, and counts again.
    QTest::mouseClick(ui->newGuidelinesRadioButton, Qt::LeftButton);
    QCOMPARE(m_w.doc->mode(), OrvaDocument::July2022);
    QVERIFY(ui->fatherMultifamilyChildrenEdit->isVisible());
    QVERIFY(ui->multifamilyLabel->isVisible());
    QCOMPARE(ui->fatherMultifamilyChildrenEdit->text(), QStringLiteral("2"));
    QCOMPARE(ui->fatherAdjustedActualIncomeEdit->text(), QStringLiteral("3983"));
    QCOMPARE(ui->label_14->geometry(), below);
}

void TestMainWindow::footnotes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("number");
    const QList<QPair<const char *, int>> fields = {
        {"motherMonthlyIncomeEdit", 1}, {"fatherMonthlyIncomeEdit", 2},
        {"motherAlimonyAwardedEdit", 7}, {"fatherExtraMedicalExpensesEdit", 14},
        {"motherCashMedicalSupportEdit", 15}, {"fatherCashMedicalSupportEdit", 16},
        {"fatherAdditionalExpensesEdit", 18},
    };
    for (const auto &entry : fields)
        QTest::newRow(entry.first) << QString::fromLatin1(entry.first) << entry.second;
}

void TestMainWindow::footnotes()
{
    QFETCH(QString, field);
    QFETCH(int, number);
    auto *widget = m_w.window->findChild<QWidget *>(field);
    widget->setFocus();
    auto *button = widget->findChild<QPushButton *>(QStringLiteral("footnoteButton"));
    if (!button)
        button = widget->findChild<QPushButton *>(QStringLiteral("fButton"));
    QVERIFY(button->isVisible());

    const auto answered = OrvaTest::answerModal([](QWidget *modal) {
        QTest::keyClicks(modal->findChild<QPlainTextEdit *>(QStringLiteral("textEdit")),
                         QStringLiteral("Source: pay stubs"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("doneButton")), Qt::LeftButton);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(answered->answered);
    QCOMPARE(answered->title, QStringLiteral("Footnotes"));
    for (int n = 1; n <= 18; ++n)
        QCOMPARE(m_w.doc->footnote(n), n == number ? QStringLiteral("Source: pay stubs") : QString());
    QVERIFY(m_w.doc->modified());

    // The refresh hands the stored text back: the dialog opens with it.
    const auto second = OrvaTest::answerModal([](QWidget *modal) {
        auto *text = modal->findChild<QPlainTextEdit *>(QStringLiteral("textEdit"));
        text->setProperty("seen", text->toPlainText());
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(second->answered);
    QCOMPARE(m_w.doc->footnote(number), QStringLiteral("Source: pay stubs"));
    if (auto *amount = qobject_cast<FCItemEdit *>(widget))
        QCOMPARE(amount->footnote(), QStringLiteral("Source: pay stubs"));
    else
        QCOMPARE(qobject_cast<FCbItemEdit *>(widget)->footnote(), QStringLiteral("Source: pay stubs"));
}

void TestMainWindow::balloonsFollowTheWarning()
{
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("1000"));
    QVERIFY(!m_w.window->fatherBalloon()->isVisible());
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("3000"));
    typeAndLeave(ui->fatherOvernightsEdit, QStringLiteral("92"), ui->caseNumberEdit);

    // Worked example: father's shared amount 634 above his sole figure 572.
    QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(), QStringLiteral("634"));
    QBalloonTip *balloon = m_w.window->fatherBalloon();
    QVERIFY(balloon->isVisible());
    QVERIFY(!m_w.window->motherBalloon()->isVisible());
    QCOMPARE(ui->fatherRecommendedChildSupportEdit->styleSheet(), MainWindow::sharedAboveSoleStyle());
    QVERIFY(ui->motherRecommendedChildSupportEdit->styleSheet().isEmpty());
    QVERIFY(ui->fatherRecommendedChildSupportEdit->lineEdit()->font().bold());

    // At the field's left edge, arrow side toward the field.
    LItemEdit *field = ui->fatherRecommendedChildSupportEdit;
    const QPoint anchor = field->mapToGlobal(QPoint(10, field->height() / 2));
    QCOMPARE(balloon->anchor(), anchor);
    QCOMPARE(balloon->x(), anchor.x());
    QVERIFY(balloon->arrowAtLeft());
    if (balloon->arrowAtTop())
        QCOMPARE(balloon->y(), anchor.y() + 8);
    else
        QCOMPARE(balloon->y() + balloon->height(), anchor.y() - 8);
    const QString text = balloon->findChild<QLabel *>(QStringLiteral("messageLabel"))->text();
    QCOMPARE(text, QStringLiteral("Under the statute this calculation\nis greater than sole guidelines"));
    QCOMPARE(balloon->findChild<QLabel *>(QStringLiteral("titleLabel"))->text(), QStringLiteral("Warning"));
    QCOMPARE(balloon->palette().color(QPalette::Window), QColor(255, 255, 225));
    QVERIFY(balloon->windowFlags() & Qt::ToolTip);

    // 110 nights: 513, below the sole figure; style and balloon go.
    typeAndLeave(ui->fatherOvernightsEdit, QStringLiteral("110"), ui->caseNumberEdit);
    QCOMPARE(ui->fatherRecommendedChildSupportEdit->text(), QStringLiteral("513"));
    QVERIFY(!balloon->isVisible());
    QVERIFY(ui->fatherRecommendedChildSupportEdit->styleSheet().isEmpty());
    QVERIFY(ui->fatherRecommendedChildSupportEdit->lineEdit()->font().bold());
}

void TestMainWindow::balloonFollowsTheWindow()
{
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("1000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("3000"));
    QBalloonTip *balloon = m_w.window->fatherBalloon();
    QVERIFY(balloon->isVisible());
    const QPoint before = balloon->pos();
    const QPoint anchorBefore = balloon->anchor();
    const QPoint windowBefore = m_w.window->pos();

    m_w.window->move(windowBefore + QPoint(40, -25));
    QTRY_COMPARE(m_w.window->pos(), windowBefore + QPoint(40, -25));
    QCOMPARE(balloon->pos(), before + QPoint(40, -25));
    QCOMPARE(balloon->anchor(), anchorBefore + QPoint(40, -25));
    QVERIFY(balloon->isVisible());

    // Near the bottom of the screen the balloon turns above the field.
    const QRect screen = m_w.window->screen()->availableGeometry();
    LItemEdit *field = ui->fatherRecommendedChildSupportEdit;
    const int anchorInWindow = field->mapTo(m_w.window.get(), QPoint(0, field->height() / 2)).y();
    const int lowest = screen.height() - 40 - anchorInWindow;
    m_w.window->move(windowBefore.x(), lowest);
    QTRY_COMPARE(m_w.window->y(), lowest);
    QVERIFY(balloon->isVisible());
    QVERIFY(!balloon->arrowAtTop());
    QCOMPARE(balloon->anchor().y(), field->mapToGlobal(QPoint(2, field->height() / 2)).y());
    QCOMPARE(balloon->y() + balloon->height(), balloon->anchor().y() - 8);
}

void TestMainWindow::closedBalloonReturnsWithTheNextRefresh()
{
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("1000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("3000"));
    QBalloonTip *balloon = m_w.window->fatherBalloon();
    QVERIFY(balloon->isVisible());
    QTest::mouseClick(balloon->findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
    QVERIFY(!balloon->isVisible());
    QVERIFY(balloon->isHiddenFlagSet());
    QTest::keyClicks(ui->caseNumberEdit, QStringLiteral("C-1"));
    QVERIFY(balloon->isVisible());
    QVERIFY(!balloon->isHiddenFlagSet());
}

void TestMainWindow::balloonSwitchesToSoleCustody_data()
{
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("expected");
    QTest::newRow("Shared") << int(OrvaDocument::Shared) << int(OrvaDocument::SoleMother);
    QTest::newRow("Shared (P1 & P2)") << int(OrvaDocument::SharedP1P2) << int(OrvaDocument::SoleParent1);
}

void TestMainWindow::balloonSwitchesToSoleCustody()
{
    QFETCH(int, custody);
    QFETCH(int, expected);
    Ui::MainWindow *ui = m_w.ui;
    prepareCase(m_w, OrvaDocument::July2022, Custody(custody));
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("1000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("3000"));
    QBalloonTip *balloon = m_w.window->fatherBalloon();
    QVERIFY(balloon->isVisible());
    QTest::mouseClick(balloon->findChild<QPushButton *>(QStringLiteral("switchButton")), Qt::LeftButton);
    QCOMPARE(int(m_w.doc->custodyType()), expected);
    QVERIFY(!balloon->isVisible());
    QCOMPARE(ui->custodyTypeComboBox->currentIndex(), expected);
    QCOMPARE(m_w.doc->motherOvernights(), 365);
    QCOMPARE(ui->fatherOvernightsEdit->text(), QStringLiteral("0"));
    QVERIFY(ui->fatherRecommendedChildSupportEdit->styleSheet().isEmpty());
}

void TestMainWindow::extrapolationNoticeOncePerMode()
{
    Ui::MainWindow *ui = m_w.ui;
    MainWindow *window = m_w.window.get();
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::SoleMother);
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("9000"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("2100"));

    // The digit that lifts the income above 30000 raises the notice, 100 ms later.
    QTest::keyClicks(ui->motherMonthlyIncomeEdit->lineEdit(), QStringLiteral("0"));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->text(), QStringLiteral("30000"));
    QVERIFY(ui->adjustedCombinedIncomeEdit->styleSheet().isEmpty());
    QTest::keyClick(ui->motherMonthlyIncomeEdit->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(ui->motherMonthlyIncomeEdit->lineEdit(), QStringLiteral("1"));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->text(), QStringLiteral("30001"));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->styleSheet(), MainWindow::aboveScheduleStyle());
    QVERIFY(!shownNotice(window));
    QTRY_VERIFY(shownNotice(window));
    QVERIFY(shownNotice(window)->windowTitle().isEmpty());
    QString text;
    QVERIFY(acceptNotice(window, &text));
    QCOMPARE(text, QStringLiteral("The amount of income exceeds $30,000 for guideline purposes "
                                  "and utilizes an extrapolation calculation over that amount."));
    QVERIFY(m_w.doc->extrapolationWarnedModes().contains(OrvaDocument::July2022));

    // Further changes above the schedule: no second notice for this version.
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("40000"));
    QTest::keyClicks(ui->caseNumberEdit, QStringLiteral("C"));
    QTest::qWait(300);
    QVERIFY(!shownNotice(window));
    QCOMPARE(ui->adjustedCombinedIncomeEdit->styleSheet(), MainWindow::aboveScheduleStyle());

    // Another version (as the guideline switch leaves it): its own notice, once.
    m_w.doc->setMode(OrvaDocument::NewOct2020);
    m_w.doc->setLastCheckedAdjustedCombinedIncome(0);
    window->refresh();
    QVERIFY(acceptNotice(window, &text));
    QCOMPARE(text, QStringLiteral("The amount of income exceeds $15,000 for guideline purposes "
                                  "and utilizes an extrapolation calculation over that amount."));
    QVERIFY(m_w.ui->oldGuidelinesRadioButton->isChecked());

    // Back to Jul 2022, income within its schedule: the highlight goes.
    m_w.doc->setMode(OrvaDocument::July2022);
    m_w.doc->setLastCheckedAdjustedCombinedIncome(0);
    window->refresh();
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("12000"));
    QTest::qWait(300);
    QVERIFY(!shownNotice(window));
    QVERIFY(ui->adjustedCombinedIncomeEdit->styleSheet().isEmpty());
}

void TestMainWindow::noticeTimerSuppressesTheNotice()
{
    Ui::MainWindow *ui = m_w.ui;
    MainWindow *window = m_w.window.get();
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    QTest::keyClicks(ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(ui->motherMonthlyIncomeEdit, QStringLiteral("20000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("21000"));
    QVERIFY(acceptNotice(window));

    // A version switch with a warned version starts the timer before its refresh.
    m_w.doc->setMode(OrvaDocument::NewOct2020);
    m_w.doc->setLastCheckedAdjustedCombinedIncome(0);
    window->noticeTimer()->start();
    window->refresh();
    QVERIFY(!window->noticeTimer()->isActive());
    QCOMPARE(ui->adjustedCombinedIncomeEdit->styleSheet(), MainWindow::aboveScheduleStyle());
    QTest::qWait(300);
    QVERIFY(!shownNotice(window));
    QVERIFY(!m_w.doc->extrapolationWarnedModes().contains(OrvaDocument::NewOct2020));

    // The next change of income brings the notice of the new version.
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("21500"));
    QString text;
    QVERIFY(acceptNotice(window, &text));
    QVERIFY(text.contains(QLatin1String("$15,000")));
}

void TestMainWindow::extrapolationNoticeClosesItself()
{
    // Nothing answers the notice: it accepts itself after its lifetime (20
    // seconds; one here), and not long before.
    WarningsPresenter *warnings = m_w.window->warnings();
    QCOMPARE(warnings->noticeTimings().lifetime, 20000);
    warnings->setNoticeTimings({100, 1000});
    prepareCase(m_w, OrvaDocument::NewOct2020, OrvaDocument::SoleFather);
    QTest::keyClicks(m_w.ui->child1NameEdit, QStringLiteral("Avery"));
    typeAmount(m_w.ui->motherMonthlyIncomeEdit, QStringLiteral("16000"));
    QTRY_VERIFY_WITH_TIMEOUT(shownNotice(m_w.window.get()), 2000);
    QPointer<QDialog> notice = shownNotice(m_w.window.get());
    QVERIFY(noticeText(notice).contains(QLatin1String("$15,000")));
    QElapsedTimer shown;
    shown.start();
    int result = -1;
    connect(notice, &QDialog::finished, this, [&result](int code) { result = code; });

    QTRY_VERIFY_WITH_TIMEOUT(result != -1, 5000);
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY2(shown.elapsed() >= 500, qPrintable(QString::number(shown.elapsed())));
    QTRY_VERIFY(notice.isNull());
}

void TestMainWindow::invalidAmountDoesNotReachTheCase()
{
    Ui::MainWindow *ui = m_w.ui;
    FCItemEdit *field = ui->motherMonthlyIncomeEdit;
    typeAmount(field, QStringLiteral("2000"));
    typeAmount(ui->fatherMonthlyIncomeEdit, QStringLiteral("1000"));
    const QString recommended = ui->motherRecommendedChildSupportEdit->text();

    field->setFocus();
    field->lineEdit()->selectAll();
    QTest::keyClicks(field->lineEdit(), QStringLiteral("$2,50"));
    QCOMPARE(field->lineEdit()->text(), QStringLiteral("$2,50"));
    QCOMPARE(m_w.doc->motherMonthlyIncome(), 2000);
    QCOMPARE(ui->combinedIncomeEdit->text(), QStringLiteral("3000"));
    QVERIFY(field->isInvalid());
    QCOMPARE(field->lineEdit()->styleSheet(), FieldLook::invalidStyleSheet());
    QCOMPARE(field->lineEdit()->toolTip(), FCItemEdit::invalidToolTip());

    // Leaving the field: the text shows the amount the case holds again.
    QTest::keyClick(field->lineEdit(), Qt::Key_Tab);
    QVERIFY(ui->fatherMonthlyIncomeEdit->lineEdit()->hasFocus());
    QCOMPARE(field->lineEdit()->text(), QStringLiteral("2000"));
    QVERIFY(!field->isInvalid());
    QVERIFY(field->lineEdit()->styleSheet().isEmpty());
    QCOMPARE(m_w.doc->motherMonthlyIncome(), 2000);
    QCOMPARE(ui->motherRecommendedChildSupportEdit->text(), recommended);
}

void TestMainWindow::custodyAndCourt()
{
    Ui::MainWindow *ui = m_w.ui;
    QVERIFY(!m_w.doc->modified());
    ui->custodyTypeComboBox->setFocus();
    chooseItem(ui->custodyTypeComboBox, OrvaDocument::SoleMother);
    QCOMPARE(m_w.doc->custodyType(), OrvaDocument::SoleMother);
    QVERIFY(m_w.doc->modified());
    QCOMPARE(ui->motherOvernightsEdit->text(), QStringLiteral("365"));
    QCOMPARE(ui->fatherOvernightsEdit->text(), QStringLiteral("0"));
    QCOMPARE(ui->motherOvernightsEdit->labelText(), QStringLiteral("100 %"));
    QCOMPARE(ui->plaintiffNameLabel->text(), QStringLiteral("Plaintiff's Name"));

    chooseItem(ui->custodyTypeComboBox, OrvaDocument::SharedP1P2);
    QCOMPARE(m_w.doc->custodyType(), OrvaDocument::SharedP1P2);
    QCOMPARE(ui->motherOvernightsEdit->text(), QStringLiteral("273"));
    QCOMPARE(ui->plaintiffNameLabel->text(), QStringLiteral("Plaintiff's Name (Parent 1)"));
    QCOMPARE(ui->defendantNameLabel->text(), QStringLiteral("Defendant's Name (Parent 2)"));
    QCOMPARE(ui->motherHeaderLabel->text(), QStringLiteral("Parent 1"));
    QCOMPARE(ui->fatherHeaderLabel->text(), QStringLiteral("Parent 2"));

    chooseItem(ui->custodyTypeComboBox, OrvaDocument::SoleParent2);
    QCOMPARE(m_w.doc->custodyType(), OrvaDocument::SoleParent2);
    QCOMPARE(ui->fatherOvernightsEdit->text(), QStringLiteral("365"));
    QCOMPARE(ui->fatherHeaderLabel->text(), QStringLiteral("Parent 2"));

    chooseItem(ui->custodyTypeComboBox, OrvaDocument::Shared);
    QCOMPARE(ui->motherHeaderLabel->text(), QStringLiteral("Mother"));

    QTest::mouseClick(ui->districtCourtTypeRadio, Qt::LeftButton);
    QCOMPARE(m_w.doc->courtType(), OrvaDocument::District);
    QTest::mouseClick(ui->circuitCourtTypeRadio, Qt::LeftButton);
    QCOMPARE(m_w.doc->courtType(), OrvaDocument::Circuit);

    chooseItem(ui->countryComboBox, OrvaDocument::Wicomico_County);
    QCOMPARE(m_w.doc->county(), int(OrvaDocument::Wicomico_County));
    QCOMPARE(ui->countryComboBox->currentText(), QStringLiteral("Wicomico County, Maryland"));
}

void TestMainWindow::caseChildrenPreparerAndDate()
{
    Ui::MainWindow *ui = m_w.ui;
    QTest::keyClicks(ui->caseNumberEdit, QStringLiteral("C-15-FM-24-000777"));
    QCOMPARE(m_w.window->windowTitle(), QStringLiteral("Orva-Calc Professional v16.2.24.319 (* Unsaved)"));
    QTest::keyClicks(ui->plaintiffNameEdit, QStringLiteral("Jane"));
    QTest::keyClicks(ui->defendantNameEdit, QStringLiteral("John"));
    QTest::keyClicks(ui->child3DateEdit, QStringLiteral("7 yrs"));
    QTest::keyClicks(ui->child6NameEdit, QStringLiteral("Sam"));
    QTest::keyClicks(ui->child2NameEdit, QStringLiteral("Lee"));
    ui->preparerEdit->setFocus();
    QTest::keyClicks(ui->preparerEdit->lineEdit(), QStringLiteral("A. Attorney"));
    ui->dateEdit->setFocus();
    ui->dateEdit->lineEdit()->selectAll();
    QTest::keyClicks(ui->dateEdit->lineEdit(), QStringLiteral("1/2/2025"));

    QCOMPARE(m_w.doc->caseNumber(), QStringLiteral("C-15-FM-24-000777"));
    QCOMPARE(m_w.doc->plaintiffName(), QStringLiteral("Jane"));
    QCOMPARE(m_w.doc->defendantName(), QStringLiteral("John"));
    QCOMPARE(m_w.doc->child3BirthDate(), QStringLiteral("7 yrs"));
    QCOMPARE(m_w.doc->child6Name(), QStringLiteral("Sam"));
    QCOMPARE(m_w.doc->child2Name(), QStringLiteral("Lee"));
    // The third child has an age but no name: it counts.
    QCOMPARE(m_w.doc->childCount(), 3);
    QCOMPARE(ui->childCountLabel->text(), QStringLiteral("Number of Minor Children: 3"));
    QCOMPARE(m_w.doc->preparer(), QStringLiteral("A. Attorney"));
    QCOMPARE(m_w.doc->preparedDate(), QStringLiteral("1/2/2025"));
    QVERIFY(m_w.doc->modified());
}

void TestMainWindow::preparerAndCountySurviveARestart()
{
    Ui::MainWindow *ui = m_w.ui;
    ui->preparerEdit->setFocus();
    QTest::keyClicks(ui->preparerEdit->lineEdit(), QStringLiteral("B. Counsel"));
    chooseItem(ui->countryComboBox, OrvaDocument::Montgomery_County);
    const auto prompt = OrvaTest::answerModal([](QWidget *modal) {
        QTest::mouseClick(static_cast<QMessageBox *>(modal)->button(QMessageBox::No), Qt::LeftButton);
    });
    m_w.ui->actionExit->trigger();
    QVERIFY(prompt->answered);
    QVERIFY(!m_w.window->isVisible());
    m_w = Window();

    // Real settings, in this run's own home folder.
    const QString file = QSettings().fileName();
    QVERIFY2(file.startsWith(qEnvironmentVariable("HOME")), qPrintable(file));
    QVERIFY(QFile::exists(file));

    m_w = openWindow();
    QCOMPARE(m_w.doc->preparer(), QStringLiteral("B. Counsel"));
    QCOMPARE(m_w.doc->county(), int(OrvaDocument::Montgomery_County));
    QCOMPARE(m_w.ui->preparerEdit->text(), QStringLiteral("B. Counsel"));
    QCOMPARE(m_w.ui->countryComboBox->currentText(), QStringLiteral("Montgomery County, Maryland"));
    QVERIFY(!m_w.doc->modified());
}

void TestMainWindow::guidelineModeShown_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("background");
    QTest::newRow("Pre Oct 2020") << int(OrvaDocument::PreOct2020) << "oldGuidelinesRadioButton_2" << ":/images/001.png";
    QTest::newRow("Oct 2020") << int(OrvaDocument::NewOct2020) << "oldGuidelinesRadioButton" << ":/images/bluecalc.png";
    QTest::newRow("Jul 2022") << int(OrvaDocument::July2022) << "newGuidelinesRadioButton" << ":/images/002.png";
}

void TestMainWindow::guidelineModeShown()
{
    QFETCH(int, mode);
    QFETCH(QString, radio);
    QFETCH(QString, background);
    prepareCase(m_w, Mode(mode), OrvaDocument::Shared);
    for (QRadioButton *button : {m_w.ui->oldGuidelinesRadioButton_2, m_w.ui->oldGuidelinesRadioButton,
                                 m_w.ui->newGuidelinesRadioButton})
        QCOMPARE(button->isChecked(), button->objectName() == radio);
    QCOMPARE(m_w.ui->buttonGroup->buttons().size(), 3);
    const QImage shown = m_w.window->palette().brush(QPalette::Active, QPalette::Window).textureImage();
    const QImage expected(background);
    QVERIFY(!expected.isNull());
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(m_w.window->palette().brush(QPalette::Inactive, QPalette::Window).textureImage().size(), expected.size());
    QVERIFY(!m_w.doc->modified());
}

void TestMainWindow::tabOrder()
{
    // Tab from input to input, as a user moves through the form: computed
    // figures (but the order) and command buttons are passed over. The guideline buttons
    // come last and are entered once, as one group (arrow keys move within it).
    const QStringList expected = {
        "caseNumberEdit", "circuitCourtTypeRadio", "countryComboBox", "plaintiffMoreButton", "plaintiffNameEdit",
        "radioButton_4", "defendantNameEdit", "defendantMoreButton",
        "child1NameEdit", "child1DateEdit", "custodyTypeComboBox", "child2NameEdit", "child2DateEdit",
        "child3NameEdit", "child3DateEdit", "child4NameEdit", "child4DateEdit", "child5NameEdit", "child5DateEdit",
        "child6NameEdit", "child6DateEdit", "motherMonthlyIncomeEdit", "fatherMonthlyIncomeEdit",
        "motherExistingChildSupportPaymentEdit", "fatherExistingChildSupportPaymentEdit", "motherAlimonyPaidEdit",
        "fatherAlimonyPaidEdit", "motherAlimonyAwardedEdit", "fatherAlimonyAwardedEdit",
        "motherMultifamilyChildrenEdit", "fatherMultifamilyChildrenEdit",
        "motherOvernightsEdit", "fatherOvernightsEdit", "motherWorkRelatedExpensesEdit",
        "fatherWorkRelatedExpensesEdit", "motherHealthInsuranceEdit", "fatherHealthInsuranceEdit",
        "motherExtraMedicalExpensesEdit", "fatherExtraMedicalExpensesEdit", "motherCashMedicalSupportEdit",
        "fatherCashMedicalSupportEdit", "motherAdditionalExpensesEdit", "fatherAdditionalExpensesEdit",
        "motherRecommendedChildSupportEdit", "fatherRecommendedChildSupportEdit", "preparerEdit", "dateEdit", "oldGuidelinesRadioButton_2", "caseNumberEdit",
    };
    const auto owner = [this](QWidget *widget) {
        // The composite field that owns the focused inner edit.
        for (QWidget *w = widget; w && w != m_w.window.get(); w = w->parentWidget()) {
            if (!w->objectName().isEmpty() && w->objectName() != QLatin1String("edit")
                && w->objectName() != QLatin1String("lineEdit") && w->objectName() != QLatin1String("frame")
                && w->objectName() != QLatin1String("qt_spinbox_lineedit"))
                return w->objectName();
        }
        return QString();
    };
    m_w.ui->caseNumberEdit->setFocus();
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        visited << owner(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
}

void TestMainWindow::workingCommands()
{
    // About: no parent, modal, closed with OK.
    auto answer = OrvaTest::answerModal([](QWidget *modal) {
        QTest::mouseClick(modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    m_w.ui->actionAbout->trigger();
    QVERIFY(answer->answered);
    QCOMPARE(answer->title, QStringLiteral("About"));

    answer = OrvaTest::answerModal([](QWidget *modal) {
        QVERIFY(modal->parentWidget() != nullptr);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::mouseClick(m_w.ui->calendarButton, Qt::LeftButton);
    QVERIFY(answer->answered);
    QCOMPARE(answer->title, QStringLiteral("Calendar"));

    // The stand-alone converter returns nothing to the window.
    typeAmount(m_w.ui->motherMonthlyIncomeEdit, QStringLiteral("700"));
    m_w.doc->setModified(false);
    answer = OrvaTest::answerModal([](QWidget *modal) {
        auto *copy = modal->findChild<QPushButton *>(QStringLiteral("pushButtonAccept"));
        QCOMPARE(copy->text(), QStringLiteral("Copy"));
        QTest::keyClicks(modal->findChild<QLineEdit *>(QStringLiteral("sourceEdit")), QStringLiteral("1200"));
        QTest::mouseClick(copy, Qt::LeftButton);
    });
    QTest::mouseClick(m_w.ui->rateConverterButton, Qt::LeftButton);
    QVERIFY(answer->answered);
    QCOMPARE(answer->title, QStringLiteral("Rate Converter"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("100"));
    QCOMPARE(m_w.doc->motherMonthlyIncome(), 700);
    QVERIFY(!m_w.doc->modified());

    // The field's own calculator writes its result into the case.
    m_w.ui->motherMonthlyIncomeEdit->setFocus();
    answer = OrvaTest::answerModal([](QWidget *modal) {
        modal->findChild<QComboBox *>(QStringLiteral("sourceComboBox"))->setCurrentText(QStringLiteral("Weekly"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("pushButtonAccept")), Qt::LeftButton);
    });
    QTest::mouseClick(m_w.ui->motherMonthlyIncomeEdit->findChild<QPushButton *>(QStringLiteral("calcButton")),
                      Qt::LeftButton);
    QVERIFY(answer->answered);
    QCOMPARE(m_w.doc->motherMonthlyIncome(), 3031);
    QCOMPARE(m_w.ui->combinedIncomeEdit->text(), QStringLiteral("3031"));
    QVERIFY(m_w.doc->modified());

    // Exit closes the window (the case is not kept).
    answer = OrvaTest::answerModal([](QWidget *modal) {
        QTest::mouseClick(static_cast<QMessageBox *>(modal)->button(QMessageBox::No), Qt::LeftButton);
    });
    m_w.ui->actionExit->trigger();
    QVERIFY(answer->answered);
    QVERIFY(!m_w.window->isVisible());
}

void TestMainWindow::commentsButton()
{
    m_w.doc->setComments(QStringLiteral("First meeting"));
    auto answer = OrvaTest::answerModal([](QWidget *modal) {
        auto *text = modal->findChild<QPlainTextEdit *>(QStringLiteral("textEdit"));
        QCOMPARE(text->toPlainText(), QStringLiteral("First meeting"));
        QTest::keyClicks(text, QStringLiteral("draft"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    QTest::mouseClick(m_w.ui->commentsButton, Qt::LeftButton);
    QVERIFY(answer->answered);
    QCOMPARE(m_w.doc->comments(), QStringLiteral("First meeting"));
    QVERIFY(!m_w.doc->modified());

    // Accepted without a change still counts as an edit.
    answer = OrvaTest::answerModal([](QWidget *modal) {
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("doneButton")), Qt::LeftButton);
    });
    QTest::mouseClick(m_w.ui->commentsButton, Qt::LeftButton);
    QVERIFY(answer->answered);
    QCOMPARE(m_w.doc->comments(), QStringLiteral("First meeting"));
    QVERIFY(m_w.doc->modified());
    QCOMPARE(m_w.window->windowTitle(), QStringLiteral("Orva-Calc Professional v16.2.24.319 (* Unsaved)"));
}

void TestMainWindow::everyCommandIsEnabled()
{
    Ui::MainWindow *ui = m_w.ui;
    // Every command can be chosen.
    for (QAction *action : m_w.window->findChildren<QAction *>())
        QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
    for (QWidget *widget : {static_cast<QWidget *>(ui->plaintiffMoreButton),
                            static_cast<QWidget *>(ui->defendantMoreButton),
                            static_cast<QWidget *>(ui->rateConverterButton), static_cast<QWidget *>(ui->calendarButton),
                            static_cast<QWidget *>(ui->commentsButton), static_cast<QWidget *>(ui->statuteButton),
                            static_cast<QWidget *>(ui->newGuidelinesRadioButton),
                            static_cast<QWidget *>(ui->oldGuidelinesRadioButton),
                            static_cast<QWidget *>(ui->oldGuidelinesRadioButton_2)})
        QVERIFY2(widget->isEnabled(), qPrintable(widget->objectName()));
}

void TestMainWindow::documentsFolders()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(documents.startsWith(qEnvironmentVariable("HOME")));
    QCOMPARE(m_w.window->documentsFolder(), QDir(documents).filePath(QStringLiteral("ORVA")));
    QVERIFY(QFileInfo(m_w.window->documentsFolder()).isDir());
    QVERIFY(QFileInfo(m_w.window->documentsFolder() + QStringLiteral("/New Guidelines")).isDir());
}

void TestMainWindow::windowFixedAndWithoutMaximise()
{
    MainWindow *window = m_w.window.get();
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->size(), window->minimumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // Every field fits: nothing of the left grid is cut off by the right column.
    QVERIFY(m_w.ui->leftFrame->geometry().right() < m_w.ui->rightFrame->geometry().left());
    QCOMPARE(m_w.ui->leftFrame->size(), m_w.ui->leftFrame->sizeHint());
}

ORVA_WIDGET_TEST_MAIN(TestMainWindow)

#include "tst_mainwindow.moc"
