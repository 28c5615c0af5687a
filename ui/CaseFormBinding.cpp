#include "CaseFormBinding.h"

#include "CaseFormView.h"
#include "CaseHolder.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "LItemEdit.h"
#include "MainWindowForm.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"
#include "WheelGuard.h"

#include <QComboBox>
#include <QDebug>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

// Overnights as the window reads them: a whole number, blanks around it allowed.
bool toNights(const QString &text, int *nights)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        *nights = value;
    return ok;
}

QString overnightsInvalidText()
{
    return QObject::tr("Overnights: a whole number of nights, 0 to 365");
}

} // namespace

CaseFormBinding::CaseFormBinding(QWidget *window, Ui::MainWindow *form, CaseHolder *holder)
    : m_window(window)
    , m_ui(form)
    , m_case(holder)
{
    bindInputs();
    fillLists();
}

OrvaDocument *CaseFormBinding::document() const
{
    return m_case->document();
}

QList<CaseFormBinding::AmountField> CaseFormBinding::amountFields(Ui::MainWindow *ui)
{
    return {
        {ui->motherMonthlyIncomeEdit, &OrvaDocument::setMotherMonthlyIncome, &OrvaDocument::motherMonthlyIncome, 1},
        {ui->fatherMonthlyIncomeEdit, &OrvaDocument::setFatherMonthlyIncome, &OrvaDocument::fatherMonthlyIncome, 2},
        {ui->motherExistingChildSupportPaymentEdit, &OrvaDocument::setMotherExistingChildSupportPayment,
         &OrvaDocument::motherExistingChildSupportPayment, 3},
        {ui->fatherExistingChildSupportPaymentEdit, &OrvaDocument::setFatherExistingChildSupportPayment,
         &OrvaDocument::fatherExistingChildSupportPayment, 4},
        {ui->motherAlimonyPaidEdit, &OrvaDocument::setMotherAlimonyPaid, &OrvaDocument::motherAlimonyPaid, 5},
        {ui->fatherAlimonyPaidEdit, &OrvaDocument::setFatherAlimonyPaid, &OrvaDocument::fatherAlimonyPaid, 6},
        {ui->motherAlimonyAwardedEdit, &OrvaDocument::setMotherAlimonyAwarded, &OrvaDocument::motherAlimonyAwarded,
         7},
        {ui->fatherAlimonyAwardedEdit, &OrvaDocument::setFatherAlimonyAwarded, &OrvaDocument::fatherAlimonyAwarded,
         8},
        {ui->motherWorkRelatedExpensesEdit, &OrvaDocument::setMotherWorkRelatedExpenses,
         &OrvaDocument::motherWorkRelatedExpenses, 9},
        {ui->fatherWorkRelatedExpensesEdit, &OrvaDocument::setFatherWorkRelatedExpenses,
         &OrvaDocument::fatherWorkRelatedExpenses, 10},
        {ui->motherHealthInsuranceEdit, &OrvaDocument::setMotherHealthInsurance, &OrvaDocument::motherHealthInsurance,
         11},
        {ui->fatherHealthInsuranceEdit, &OrvaDocument::setFatherHealthInsurance, &OrvaDocument::fatherHealthInsurance,
         12},
        {ui->motherExtraMedicalExpensesEdit, &OrvaDocument::setMotherExtraMedicalExpenses,
         &OrvaDocument::motherExtraMedicalExpenses, 13},
        {ui->fatherExtraMedicalExpensesEdit, &OrvaDocument::setFatherExtraMedicalExpenses,
         &OrvaDocument::fatherExtraMedicalExpenses, 14},
        {ui->motherAdditionalExpensesEdit, &OrvaDocument::setMotherAdditionalExpenses,
         &OrvaDocument::motherAdditionalExpenses, 17},
        {ui->fatherAdditionalExpensesEdit, &OrvaDocument::setFatherAdditionalExpenses,
         &OrvaDocument::fatherAdditionalExpenses, 18},
    };
}

void CaseFormBinding::bindInputs()
{
    Ui::MainWindow *ui = m_ui;
    for (QLineEdit *edit : {ui->caseNumberEdit, ui->plaintiffNameEdit, ui->defendantNameEdit})
        connect(edit, &QLineEdit::textEdited, this, &CaseFormBinding::basicFieldsChanged);
    for (QRadioButton *radio : {ui->circuitCourtTypeRadio, ui->districtCourtTypeRadio})
        connect(radio, &QRadioButton::clicked, this, &CaseFormBinding::courtTypeChanged);
    connect(ui->countryComboBox, qOverload<int>(&QComboBox::activated), this, &CaseFormBinding::countyChanged);
    connect(ui->custodyTypeComboBox, qOverload<int>(&QComboBox::activated), this, &CaseFormBinding::custodyChanged);

    const QList<QLineEdit *> childFields =
        m_window->findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("child*")));
    for (QLineEdit *edit : childFields)
        connect(edit, &QLineEdit::textEdited, this, &CaseFormBinding::childDetailChanged);

    m_amountFields = amountFields(ui);
    // A business can lose money; expenses and payments cannot be below 0;
    // alimony awarded is signed by its direction between the parents.
    for (const AmountField &field : std::as_const(m_amountFields)) {
        if (field.edit == ui->motherMonthlyIncomeEdit || field.edit == ui->fatherMonthlyIncomeEdit)
            field.edit->setNegative(FCItemEdit::Negative::Noted, tr("A negative income is used as typed."));
        else if (field.edit != ui->motherAlimonyAwardedEdit && field.edit != ui->fatherAlimonyAwardedEdit)
            field.edit->setNegative(FCItemEdit::Negative::Refused);
    }
    for (const AmountField &field : std::as_const(m_amountFields)) {
        connect(field.edit, &FCItemEdit::valueChanged, this, &CaseFormBinding::fieldValueChanged);
        connect(field.edit, &FCItemEdit::footnoteChanged, this, &CaseFormBinding::fieldFootnoteChanged);
    }
    for (FCbItemEdit *edit : {ui->motherCashMedicalSupportEdit, ui->fatherCashMedicalSupportEdit}) {
        connect(edit, &FCbItemEdit::percentChanged, this, &CaseFormBinding::cashMedicalPercentChanged);
        connect(edit, &FCbItemEdit::footnoteChanged, this, &CaseFormBinding::fieldFootnoteChanged);
    }
    for (LItemEdit *edit : {ui->motherOvernightsEdit, ui->fatherOvernightsEdit}) {
        connect(edit, &LItemEdit::editingFinished, this, &CaseFormBinding::overnightsChanged);
        connect(edit, &LItemEdit::textEdited, this, &CaseFormBinding::overnightsTyped);
    }
    for (LItemEdit *edit : {ui->motherMultifamilyChildrenEdit, ui->fatherMultifamilyChildrenEdit})
        connect(edit, &LItemEdit::textEdited, this, &CaseFormBinding::multifamilyChildrenChanged);
    for (LItemEdit *edit : {ui->preparerEdit, ui->dateEdit})
        connect(edit, &LItemEdit::textEdited, this, &CaseFormBinding::additionalFieldChanged);
}

void CaseFormBinding::fillLists()
{
    for (int value = 0; value < OrvaDocument::CountyCount; ++value)
        m_ui->countryComboBox->addItem(OrvaDocument::countyName(value), value);
    for (int custody = OrvaDocument::Shared; custody <= OrvaDocument::SoleParent2; ++custody)
        m_ui->custodyTypeComboBox->addItem(OrvaDocument::custodyTypeName(custody), custody);
    for (QComboBox *combo : {m_ui->countryComboBox, m_ui->custodyTypeComboBox}) {
        // Typed text must select an existing entry, never add one without a value.
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Text that names no entry is not kept: the box shows the case's entry again.
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, combo] { restoreComboText(combo); });
        WheelGuard::install(combo);
    }
}

// ---- Edits into the case ----------------------------------------------------------------

void CaseFormBinding::finishEdit()
{
    document()->setModified(true);
    emit refreshNeeded();
}

void CaseFormBinding::restoreComboText(QComboBox *combo)
{
    const int value = combo == m_ui->countryComboBox ? document()->county()
                                                     : static_cast<int>(document()->custodyType());
    CaseFormView::showCurrentItem(combo, combo->findData(value));
}

void CaseFormBinding::basicFieldsChanged(const QString &value)
{
    QObject *source = sender();
    if (source == m_ui->caseNumberEdit)
        document()->setCaseNumber(value);
    else if (source == m_ui->plaintiffNameEdit)
        document()->setPlaintiffName(value);
    else if (source == m_ui->defendantNameEdit)
        document()->setDefendantName(value);
    finishEdit();
}

void CaseFormBinding::courtTypeChanged()
{
    document()->setCourtType(m_ui->circuitCourtTypeRadio->isChecked() ? OrvaDocument::Circuit
                                                                       : OrvaDocument::District);
    finishEdit();
}

void CaseFormBinding::countyChanged(int index)
{
    Q_UNUSED(index)
    document()->setCounty(m_ui->countryComboBox->currentData().toInt());
    finishEdit();
}

void CaseFormBinding::custodyChanged(int index)
{
    Q_UNUSED(index)
    document()->setCustodyType(m_ui->custodyTypeComboBox->currentData().toInt());
    finishEdit();
}

void CaseFormBinding::fieldValueChanged(qulonglong value)
{
    QObject *source = sender();
    for (const AmountField &field : std::as_const(m_amountFields)) {
        if (field.edit != source)
            continue;
        qDebug() << "Field" << field.edit->objectName() << "edited. New value:" << value;
        (document()->*field.setter)(field.edit->value());
        break;
    }
    finishEdit();
}

void CaseFormBinding::fieldFootnoteChanged(const QString &value)
{
    auto *source = qobject_cast<QWidget *>(sender());
    if (!source)
        return;
    qDebug() << "Field" << source->objectName() << "edited. New footnote:" << value;
    int number = 0;
    if (source == m_ui->motherCashMedicalSupportEdit)
        number = 15;
    else if (source == m_ui->fatherCashMedicalSupportEdit)
        number = 16;
    for (const AmountField &field : std::as_const(m_amountFields)) {
        if (field.edit == source)
            number = field.footnote;
    }
    if (number != 0)
        document()->setFootnote(number, value);
    finishEdit();
}

void CaseFormBinding::cashMedicalPercentChanged(double value)
{
    QObject *source = sender();
    qDebug() << "Cash medical control" << source->objectName() << "edited. New value:" << value;
    if (source == m_ui->motherCashMedicalSupportEdit)
        document()->setMotherCashMedicalPercent(value);
    else if (source == m_ui->fatherCashMedicalSupportEdit)
        document()->setFatherCashMedicalPercent(value);
    finishEdit();
}

void CaseFormBinding::childDetailChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Child control" << source->objectName() << "edited. New value:" << value;
    Ui::MainWindow *ui = m_ui;
    QLineEdit *const names[] = {ui->child1NameEdit, ui->child2NameEdit, ui->child3NameEdit,
                                ui->child4NameEdit, ui->child5NameEdit, ui->child6NameEdit};
    QLineEdit *const dates[] = {ui->child1DateEdit, ui->child2DateEdit, ui->child3DateEdit,
                                ui->child4DateEdit, ui->child5DateEdit, ui->child6DateEdit};
    for (int i = 0; i < 6; ++i) {
        if (source == names[i])
            document()->setChildName(i + 1, value);
        else if (source == dates[i])
            document()->setChildBirthDate(i + 1, value);
    }
    finishEdit();
}

void CaseFormBinding::multifamilyChildrenChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Other children control" << source->objectName() << "edited. New value:" << value;
    // An empty field is no other children; the setter keeps the count in 0..6.
    const int children = value.trimmed().toInt();
    if (source == m_ui->motherMultifamilyChildrenEdit)
        document()->setMotherMultifamilyChildren(children);
    else if (source == m_ui->fatherMultifamilyChildrenEdit)
        document()->setFatherMultifamilyChildren(children);
    finishEdit();
}

void CaseFormBinding::additionalFieldChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Additional control" << source->objectName() << "edited. New value:" << value;
    if (source == m_ui->preparerEdit)
        document()->setPreparer(value);
    else if (source == m_ui->dateEdit)
        document()->setPreparedDate(value);
    finishEdit();
}

// ---- Overnights and typed lists: committed when left -------------------------------------

void CaseFormBinding::overnightsTyped(const QString &value)
{
    auto *field = qobject_cast<LItemEdit *>(sender());
    if (!field)
        return;
    int nights = 0;
    field->setInvalid(!value.trimmed().isEmpty() && !toNights(value, &nights), overnightsInvalidText());
}

void CaseFormBinding::overnightsChanged(const QString &value)
{
    QObject *source = sender();
    qDebug() << "Overnights control" << source->objectName() << "edited. New value:" << value;
    // Connected to the two overnights fields only.
    if (auto *field = qobject_cast<LItemEdit *>(source))
        applyOvernights(field, value);
}

// Overnights, and a county or custody named in its box, reach the case when
// the field is left. A command given from the keyboard leaves nothing: it
// must work on what the field shows, just as after a click on a menu.
void CaseFormBinding::commitTypedEntry()
{
    for (LItemEdit *field : {m_ui->motherOvernightsEdit, m_ui->fatherOvernightsEdit}) {
        if (field->lineEdit()->hasFocus())
            applyOvernights(field, field->text());
    }
    for (QComboBox *combo : {m_ui->countryComboBox, m_ui->custodyTypeComboBox}) {
        if (!combo->lineEdit()->hasFocus())
            continue;
        // As on leaving the box: text naming an entry chooses it, any other
        // gives way to the case's entry.
        const int index = combo->findText(combo->lineEdit()->text(), Qt::MatchFixedString);
        if (index >= 0 && index != combo->currentIndex()) {
            combo->setCurrentIndex(index);
            if (combo == m_ui->countryComboBox)
                countyChanged(index);
            else
                custodyChanged(index);
        }
        restoreComboText(combo);
    }
}

void CaseFormBinding::applyOvernights(LItemEdit *field, const QString &value)
{
    OrvaDocument *doc = document();
    const bool mother = field == m_ui->motherOvernightsEdit;
    const int before = doc->motherOvernights();
    const int shownBefore = mother ? before : doc->fatherOvernights();
    int typed = 0;
    // Text that is no number, or the number already held, changes nothing:
    // the case keeps its overnights and is not marked as changed. Only a
    // field that shows them otherwise is brought back; no refresh else, which
    // would bring back a balloon a command has put away.
    if (!toNights(value, &typed) || typed == shownBefore) {
        if (field->text() != QString::number(shownBefore) || field->isInvalid())
            emit refreshNeeded();
        return;
    }
    const int nights = typed >= 366 ? 365 : typed;
    if (mother)
        doc->setMotherOvernights(nights);
    else
        doc->setFatherOvernights(nights);
    const int stored = mother ? doc->motherOvernights() : doc->fatherOvernights();
    if (doc->motherOvernights() == before)
        emit refreshNeeded();
    else
        finishEdit();
    if (stored != typed)
        field->setNote(overnightsNote(typed, stored));
}

QString CaseFormBinding::overnightsNote(int typed, int stored) const
{
    const OrvaDocument::CustodyType custody = document()->custodyType();
    if (!OrvaDocument::isSharedCustody(custody))
        return tr("%1 not used: under sole custody the custodial parent has all 365 overnights, "
                  "the other parent none.")
            .arg(typed);
    const OrvaDocument::Mode mode = document()->mode();
    const bool newRange = mode == OrvaDocument::NewOct2020 || mode == OrvaDocument::July2022;
    return tr("%1 not used: shared custody under these guidelines allows %2 to %3 overnights "
              "with each parent; %4 is the nearest.")
        .arg(typed)
        .arg(newRange ? 92 : 128)
        .arg(newRange ? 273 : 237)
        .arg(stored);
}
