#include "CaseFormNames.h"

#include "Accessible.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "LItemEdit.h"
#include "MainWindowForm.h"
#include "MyLineEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// One line of the worksheet: the two parents' fields and what the line is.
struct Line {
    QWidget *first;
    QWidget *second;
    QString what;
    QString description;  // where the field does not give its own
    QString labelMeaning; // the figure beside the field
};

void nameField(QWidget *field, const QString &name, const QString &description, const QString &labelMeaning)
{
    if (auto *amount = qobject_cast<FCItemEdit *>(field))
        amount->setFieldName(name);
    else if (auto *percent = qobject_cast<FCbItemEdit *>(field))
        percent->setFieldName(name);
    else if (auto *line = qobject_cast<LItemEdit *>(field))
        line->setFieldName(name, description, labelMeaning);
}

} // namespace

void CaseFormNames::apply(Ui::MainWindow *ui, const QString &first, const QString &second)
{
    const QString computed = tr("Computed, read only.");
    const Line lines[] = {
        {ui->motherMonthlyIncomeEdit, ui->fatherMonthlyIncomeEdit, tr("monthly actual income"), {}, {}},
        {ui->motherExistingChildSupportPaymentEdit, ui->fatherExistingChildSupportPaymentEdit,
         tr("existing child support payment"), {}, {}},
        {ui->motherAlimonyPaidEdit, ui->fatherAlimonyPaidEdit, tr("alimony paid"), {}, {}},
        {ui->motherAlimonyAwardedEdit, ui->fatherAlimonyAwardedEdit, tr("alimony awarded this case"), {}, {}},
        {ui->motherMultifamilyChildrenEdit, ui->fatherMultifamilyChildrenEdit, tr("other children in home"),
         tr("Other children this parent supports in the home."), tr("multifamily allowance")},
        {ui->motherAdjustedActualIncomeEdit, ui->fatherAdjustedActualIncomeEdit, tr("adjusted actual income"),
         computed, tr("share of combined income")},
        {ui->motherOvernightsEdit, ui->fatherOvernightsEdit, tr("number of overnights"),
         tr("Overnights a year with this parent."), tr("share of time")},
        {ui->motherWorkRelatedExpensesEdit, ui->fatherWorkRelatedExpensesEdit,
         tr("work related child care expenses"), {}, {}},
        {ui->motherHealthInsuranceEdit, ui->fatherHealthInsuranceEdit, tr("health insurance payments"), {}, {}},
        {ui->motherExtraMedicalExpensesEdit, ui->fatherExtraMedicalExpensesEdit,
         tr("extraordinary medical expenses"), {}, {}},
        {ui->motherCashMedicalSupportEdit, ui->fatherCashMedicalSupportEdit, tr("cash medical support"), {}, {}},
        {ui->motherAdditionalExpensesEdit, ui->fatherAdditionalExpensesEdit, tr("additional expenses"), {}, {}},
        {ui->motherRecommendedChildSupportEdit, ui->fatherRecommendedChildSupportEdit,
         tr("recommended child support"),
         tr("Computed, read only: the monthly order."), {}},
    };
    for (const Line &line : lines) {
        const auto whose = [](const QString &parent, const QString &what) {
            return what.isEmpty() ? QString() : tr("%1's %2").arg(parent, what);
        };
        nameField(line.first, whose(first, line.what), line.description, whose(first, line.labelMeaning));
        nameField(line.second, whose(second, line.what), line.description, whose(second, line.labelMeaning));
    }

    // The parties are plaintiff and defendant, with the columns' names under Parent 1 and 2.
    const bool parents = first != tr("Mother");
    const QString plaintiff = parents ? tr("Plaintiff (%1)").arg(first) : tr("Plaintiff");
    const QString defendant = parents ? tr("Defendant (%1)").arg(second) : tr("Defendant");
    const QString client = tr("Client for financial forms");
    const QString details = tr("Address, telephone and alimony texts");
    struct Single {
        QWidget *widget;
        QString name;
        QString description;
    };
    const Single singles[] = {
        {ui->caseNumberEdit, tr("Case number"), {}},
        {ui->circuitCourtTypeRadio, tr("Circuit court"), {}},
        {ui->districtCourtTypeRadio, tr("District court"), {}},
        {ui->countryComboBox, tr("County"), {}},
        {ui->plaintiffMoreButton, tr("%1 details").arg(plaintiff), details},
        {ui->plaintiffNameEdit, tr("%1 name").arg(plaintiff), {}},
        // The buttons show the column labels; their names say the party too.
        {ui->radioButton_4, tr("%1, the plaintiff").arg(first), client},
        {ui->radioButton_3, tr("%1, the defendant").arg(second), client},
        {ui->defendantNameEdit, tr("%1 name").arg(defendant), {}},
        {ui->defendantMoreButton, tr("%1 details").arg(defendant), details},
        {ui->custodyTypeComboBox, tr("Custody type"), {}},
        {ui->preparerEdit->lineEdit(), tr("Preparer"), {}},
        {ui->dateEdit->lineEdit(), tr("Date prepared"), {}},
        {ui->combinedIncomeEdit, tr("Combined income"), computed},
        {ui->adjustedCombinedIncomeEdit, tr("Adjusted combined income"), computed},
    };
    for (const Single &single : singles)
        Accessible::name(single.widget, single.name, single.description);
    QLineEdit *const childNames[] = {ui->child1NameEdit, ui->child2NameEdit, ui->child3NameEdit,
                                     ui->child4NameEdit, ui->child5NameEdit, ui->child6NameEdit};
    QLineEdit *const childDates[] = {ui->child1DateEdit, ui->child2DateEdit, ui->child3DateEdit,
                                     ui->child4DateEdit, ui->child5DateEdit, ui->child6DateEdit};
    for (int i = 0; i < 6; ++i) {
        Accessible::name(childNames[i], tr("Child %1 name").arg(i + 1));
        Accessible::name(childDates[i], tr("Child %1 birth date or age").arg(i + 1));
    }
}
