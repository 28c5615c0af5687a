#include "CaseFormView.h"

#include "BirthDate.h"
#include "CaseHolder.h"
#include "FCItemEdit.h"
#include "FieldLook.h"
#include "FCbItemEdit.h"
#include "HeaderLabel.h"
#include "LItemEdit.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// Rewriting a field with the text it already holds would throw away the
// cursor, selection and undo steps of someone typing in it.
void showText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

CaseFormView::CaseFormView(Ui::MainWindow *form, CaseHolder *holder)
    : m_ui(form)
    , m_case(holder)
    , m_amountFields(CaseFormBinding::amountFields(form))
{
}

QString CaseFormView::percentText(float ratio)
{
    const float percent = ratio * 100.0f;
    return QStringLiteral("%1 %").arg(QString::number(static_cast<double>(percent), 'g', 6));
}

void CaseFormView::showCurrentItem(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    const QString text = index < 0 ? QString() : combo->itemText(index);
    if (combo->isEditable() && combo->currentText() != text)
        combo->setEditText(text);
}

void CaseFormView::showCase(const WorksheetLines &lines)
{
    OrvaDocument *doc = m_case->document();
    showCurrentItem(m_ui->countryComboBox, m_ui->countryComboBox->findData(doc->county()));
    showCurrentItem(m_ui->custodyTypeComboBox,
                    m_ui->custodyTypeComboBox->findData(static_cast<int>(doc->custodyType())));
    showParties();
    showAmounts(lines);
    showText(m_ui->combinedIncomeEdit, QString::number(lines.combinedIncome));
    showText(m_ui->adjustedCombinedIncomeEdit, QString::number(lines.adjustedCombinedIncome));
    m_ui->preparerEdit->setText(doc->preparer());
    m_ui->dateEdit->setText(doc->preparedDate());

    for (const CaseFormBinding::AmountField &field : std::as_const(m_amountFields))
        field.edit->setFootnote(doc->footnote(field.footnote));
    m_ui->motherCashMedicalSupportEdit->setFootnote(doc->footnote(15));
    m_ui->fatherCashMedicalSupportEdit->setFootnote(doc->footnote(16));
}

// Captions by custody type, the court, the case number, the parties and the children.
void CaseFormView::showParties()
{
    Ui::MainWindow *ui = m_ui;
    OrvaDocument *doc = m_case->document();
    switch (doc->custodyType()) {
    case OrvaDocument::SharedP1P2:
    case OrvaDocument::SoleParent1:
    case OrvaDocument::SoleParent2:
        ui->plaintiffNameLabel->setText(tr("Plaintiff's Name (Parent 1)"));
        ui->defendantNameLabel->setText(tr("Defendant's Name (Parent 2)"));
        ui->motherHeaderLabel->setText(tr("Parent 1"));
        ui->fatherHeaderLabel->setText(tr("Parent 2"));
        break;
    case OrvaDocument::Shared:
    case OrvaDocument::SoleMother:
    case OrvaDocument::SoleFather:
        ui->plaintiffNameLabel->setText(tr("Plaintiff's Name"));
        ui->defendantNameLabel->setText(tr("Defendant's Name"));
        ui->motherHeaderLabel->setText(tr("Mother"));
        ui->fatherHeaderLabel->setText(tr("Father"));
        break;
    }

    if (doc->courtType() == OrvaDocument::Circuit)
        ui->circuitCourtTypeRadio->setChecked(true);
    else
        ui->districtCourtTypeRadio->setChecked(true);

    showText(ui->caseNumberEdit, doc->caseNumber());
    showText(ui->plaintiffNameEdit, doc->plaintiffName());
    showText(ui->defendantNameEdit, doc->defendantName());
    QLineEdit *const childNames[] = {ui->child1NameEdit, ui->child2NameEdit, ui->child3NameEdit,
                                     ui->child4NameEdit, ui->child5NameEdit, ui->child6NameEdit};
    QLineEdit *const childDates[] = {ui->child1DateEdit, ui->child2DateEdit, ui->child3DateEdit,
                                     ui->child4DateEdit, ui->child5DateEdit, ui->child6DateEdit};
    const QDate day = BirthDate::worksheetDay(doc->preparedDate(), QDate::currentDate());
    for (int i = 0; i < 6; ++i) {
        showText(childNames[i], doc->childName(i + 1));
        showText(childDates[i], doc->childBirthDate(i + 1));
        markBirthDate(childDates[i], BirthDate::read(doc->childBirthDate(i + 1), day));
    }
    ui->childCountLabel->setText(tr("Number of Minor Children: %1").arg(doc->childCount()));
}

// How the birth date was read: red when it is neither a date nor an age (the
// row then names no child), amber for a child of 18 or more, who still counts.
void CaseFormView::markBirthDate(QLineEdit *field, const BirthDate::Reading &reading)
{
    if (reading.kind == BirthDate::Kind::Invalid) {
        FieldLook::markInvalid(field, true,
                               tr("Not used: a birth date (MM/DD/YYYY, M/D/YY or YYYY-MM-DD) or an age in years"));
        return;
    }
    const bool adult = reading.kind != BirthDate::Kind::Empty && reading.age >= BirthDate::AdultAge;
    FieldLook::markNote(field, adult ? tr("18 or older: support continues past 18 only while the child is in high "
                                          "school, and not past 19")
                                     : QString());
}

// The two parents' columns, mother's first, each from top to bottom.
void CaseFormView::showAmounts(const WorksheetLines &lines)
{
    Ui::MainWindow *ui = m_ui;
    OrvaDocument *doc = m_case->document();
    const auto amount = [](qint64 value) { return QString::number(value); };
    // A note on overnights the case took differently holds while they show
    // what the case took; any other figure there ends it.
    const auto showNights = [](LItemEdit *field, int nights) {
        const QString text = QString::number(nights);
        if (field->text() != text || field->isInvalid()) {
            field->setInvalid(false);
            if (field->text() != text)
                field->setNote(QString());
            field->setText(text);
        }
    };
    const auto setAmount = [doc](FCItemEdit *edit, qint64 (OrvaDocument::*getter)() const) {
        edit->setValue(static_cast<double>((doc->*getter)()));
    };

    setAmount(ui->motherMonthlyIncomeEdit, &OrvaDocument::motherMonthlyIncome);
    setAmount(ui->motherExistingChildSupportPaymentEdit, &OrvaDocument::motherExistingChildSupportPayment);
    setAmount(ui->motherAlimonyPaidEdit, &OrvaDocument::motherAlimonyPaid);
    setAmount(ui->motherAlimonyAwardedEdit, &OrvaDocument::motherAlimonyAwarded);
    const bool line1d = OrvaDocument::hasMultifamilyAdjustment(doc->mode());
    ui->multifamilyLabel->setVisible(line1d);
    showMultifamily(ui->motherMultifamilyChildrenEdit, doc->motherMultifamilyChildren(),
                    lines.mother.multifamilyAdjustment, line1d);
    ui->motherAdjustedActualIncomeEdit->setText(amount(lines.mother.adjustedActualIncome));
    ui->motherAdjustedActualIncomeEdit->setLabelText(percentText(lines.mother.incomeShare));
    showNights(ui->motherOvernightsEdit, doc->motherOvernights());
    ui->motherOvernightsEdit->setLabelText(percentText(lines.mother.timeShare));
    setAmount(ui->motherWorkRelatedExpensesEdit, &OrvaDocument::motherWorkRelatedExpenses);
    setAmount(ui->motherHealthInsuranceEdit, &OrvaDocument::motherHealthInsurance);
    setAmount(ui->motherExtraMedicalExpensesEdit, &OrvaDocument::motherExtraMedicalExpenses);
    ui->motherCashMedicalSupportEdit->setPercent(doc->motherCashMedicalPercent());
    ui->motherCashMedicalSupportEdit->setAmountText(amount(lines.mother.cashMedicalSupport));
    setAmount(ui->motherAdditionalExpensesEdit, &OrvaDocument::motherAdditionalExpenses);
    ui->motherRecommendedChildSupportEdit->setText(amount(lines.mother.recommendedChildSupport));

    setAmount(ui->fatherMonthlyIncomeEdit, &OrvaDocument::fatherMonthlyIncome);
    setAmount(ui->fatherExistingChildSupportPaymentEdit, &OrvaDocument::fatherExistingChildSupportPayment);
    setAmount(ui->fatherAlimonyPaidEdit, &OrvaDocument::fatherAlimonyPaid);
    setAmount(ui->fatherAlimonyAwardedEdit, &OrvaDocument::fatherAlimonyAwarded);
    showMultifamily(ui->fatherMultifamilyChildrenEdit, doc->fatherMultifamilyChildren(),
                    lines.father.multifamilyAdjustment, line1d);
    ui->fatherAdjustedActualIncomeEdit->setText(amount(lines.father.adjustedActualIncome));
    ui->fatherAdjustedActualIncomeEdit->setLabelText(percentText(lines.father.incomeShare));
    showNights(ui->fatherOvernightsEdit, doc->fatherOvernights());
    ui->fatherOvernightsEdit->setLabelText(percentText(lines.father.timeShare));
    setAmount(ui->fatherWorkRelatedExpensesEdit, &OrvaDocument::fatherWorkRelatedExpenses);
    setAmount(ui->fatherHealthInsuranceEdit, &OrvaDocument::fatherHealthInsurance);
    setAmount(ui->fatherExtraMedicalExpensesEdit, &OrvaDocument::fatherExtraMedicalExpenses);
    ui->fatherCashMedicalSupportEdit->setPercent(doc->fatherCashMedicalPercent());
    ui->fatherCashMedicalSupportEdit->setAmountText(amount(lines.father.cashMedicalSupport));
    setAmount(ui->fatherAdditionalExpensesEdit, &OrvaDocument::fatherAdditionalExpenses);
    ui->fatherRecommendedChildSupportEdit->setText(amount(lines.father.recommendedChildSupport));
}

// Line 1d: the count (empty for none) and the allowance it takes off the
// parent's income; the whole row only under the guidelines that have it.
void CaseFormView::showMultifamily(LItemEdit *field, int children, qint64 allowance, bool shown)
{
    // More than the schedule's six stay as typed, used as six (the field
    // takes digits only).
    const int typed = field->text().trimmed().toInt();
    const bool aboveCap = typed > OrvaDocument::MaxMultifamilyChildren
                          && children == OrvaDocument::MaxMultifamilyChildren;
    const QString text = children == 0 ? QString() : QString::number(children);
    if (!aboveCap && field->text() != text)
        field->setText(text);
    field->setNote(aboveCap ? tr("%1 used as 6, the schedule's last column.").arg(typed) : QString());
    field->setLabelText(allowance == 0 ? QStringLiteral("0") : QStringLiteral("-%1").arg(allowance));
    field->setVisible(shown);
}
