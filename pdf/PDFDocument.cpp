#include "PDFDocument.h"

#include "LayoutInterpreter.h"
#include "OrvaDocument.h"
#include "resources.h"

#include <QDebug>
#include <QFile>

#include <cmath>
#include <limits>

const QString PDFDocument::SoleLayoutPath = QStringLiteral(":/layouts/worksheet-a.txt");
const QString PDFDocument::SharedLayoutPath = QStringLiteral(":/layouts/worksheet-b.txt");
const QString PDFDocument::SharedLayoutPreOct2020Path = QStringLiteral(":/layouts/worksheet-b-pre-oct-2020.txt");
const QString PDFDocument::SoleLayoutJuly2022Path = QStringLiteral(":/layouts/worksheet-a-jul-2022.txt");
const QString PDFDocument::SharedLayoutJuly2022Path = QStringLiteral(":/layouts/worksheet-b-jul-2022.txt");
const QString PDFDocument::SoleContinuationPath = QStringLiteral(":/layouts/worksheet-a-continued.txt");
const QString PDFDocument::SharedContinuationPath = QStringLiteral(":/layouts/worksheet-b-continued.txt");
const QString PDFDocument::SoleContinuationJuly2022Path = QStringLiteral(":/layouts/worksheet-a-jul-2022-continued.txt");
const QString PDFDocument::SharedContinuationJuly2022Path =
    QStringLiteral(":/layouts/worksheet-b-jul-2022-continued.txt");

namespace {

QString footnoteField(int slot)
{
    return QStringLiteral("fnn%1").arg(slot);
}

// The amounts saturate at the ends of 64 bits; so does their negation.
qint64 negated(qint64 value)
{
    return value == std::numeric_limits<qint64>::min() ? std::numeric_limits<qint64>::max() : -value;
}

} // namespace

PDFDocument::PDFDocument(QObject *parent)
    : QObject(parent)
{
}

// ---- Layout scripts -------------------------------------------------------------

QStringList PDFDocument::readLayoutLines(const QString &path)
{
    OrvaResources::registerAll();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCritical() << "PDFDocument: can't read layout script:" << path << file.errorString();
        return {};
    }
    QStringList lines;
    const QStringList all = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : all) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        lines << trimmed;
    }
    return lines;
}

void PDFDocument::loadSoleLayout()
{
    m_soleLayout << readLayoutLines(SoleLayoutPath);
}

void PDFDocument::loadSharedLayout()
{
    m_sharedLayout << readLayoutLines(SharedLayoutPath);
}

void PDFDocument::loadSharedLayoutPreOct2020()
{
    m_sharedLayout << readLayoutLines(SharedLayoutPreOct2020Path);
}

void PDFDocument::loadSoleLayoutJuly2022()
{
    m_soleLayout << readLayoutLines(SoleLayoutJuly2022Path);
}

void PDFDocument::loadSharedLayoutJuly2022()
{
    m_sharedLayout << readLayoutLines(SharedLayoutJuly2022Path);
}

QStringList PDFDocument::loadWorksheetLayout(const OrvaDocument &document)
{
    const bool july2022 = document.mode() == OrvaDocument::July2022;
    const bool shared = OrvaDocument::isSharedCustody(document.custodyType());
    if (july2022)
        m_continuationLayout = readLayoutLines(shared ? SharedContinuationJuly2022Path : SoleContinuationJuly2022Path);
    else
        m_continuationLayout = readLayoutLines(shared ? SharedContinuationPath : SoleContinuationPath);
    if (!shared) {
        if (july2022)
            loadSoleLayoutJuly2022();
        else
            loadSoleLayout();
        return m_soleLayout;
    }
    if (document.mode() == OrvaDocument::PreOct2020)
        loadSharedLayoutPreOct2020();
    else if (july2022)
        loadSharedLayoutJuly2022();
    else
        loadSharedLayout();
    return m_sharedLayout;
}

void PDFDocument::fillWorksheetFields(const OrvaDocument &document)
{
    initFields(document);
    if (OrvaDocument::isSharedCustody(document.custodyType()))
        fillSharedWorksheetFields(document);
    else
        fillSoleWorksheetFields(document);
}

int PDFDocument::drawLayout(QPainter *painter, const QStringList &lines, int custodyType) const
{
    LayoutInterpreter interpreter(painter, m_fields, custodyType);
    interpreter.run(lines, m_continuationLayout);
    return interpreter.pageCount();
}

// ---- Text forms -------------------------------------------------------------------

QString PDFDocument::numberText(double value)
{
    // Whole amounts print in full: six significant digits would turn a
    // monthly income of 1234567 into 1.23457e+06, a different amount.
    if (std::isfinite(value) && value == std::trunc(value)) {
        constexpr double Int64Bound = 9223372036854775808.0; // 2^63
        if (value >= -Int64Bound && value < Int64Bound)
            return QString::number(static_cast<qint64>(value));
        return QString::number(value, 'f', 0);
    }
    return QString::number(value, 'g', 6);
}

QString PDFDocument::numberText(qint64 value)
{
    return QString::number(value);
}

QString PDFDocument::percentText(float fraction)
{
    const float percent = fraction * 100.0f;
    return QStringLiteral("%1%").arg(numberText(static_cast<double>(percent)));
}

// ---- Field table ---------------------------------------------------------------------

QStringList PDFDocument::knownFieldNames()
{
    QStringList names = {
        // captions
        "court", "guidelines", "plaintiff_m", "defendant_d", "parent1_m", "parent2_d",
        // header
        "casenum", "plaintiff", "defendant", "prepost", "preparer", "date", "comments", "numchildren",
        // incomes and deductions
        "monthly_income_m", "monthly_income_f", "existing_child_supp_pay_m", "existing_child_supp_pay_f",
        "alimony_paid_m", "alimony_paid_f", "alimony_awarded_m", "alimony_awarded_f",
        // line 1d: other children in each parent's home and their allowance
        "multifamily_children_m", "multifamily_children_f", "multifamily_adj_m", "multifamily_adj_f",
        // expenses
        "work_related_child_exp_m", "work_related_child_exp_f", "health_ins_pay_m", "health_ins_pay_f",
        "extraordinary_m", "extraordinary_f", "cmedsup_m", "cmedsup_f", "add_expenses_m", "add_expenses_f",
        // lines
        "line1_c", "line2_m", "line2_f", "line2_c", "line3_m", "line3_f", "line4_c", "line4_ca", "line4_cb",
        "line4_cc", "line4_cd", "line4_ce", "line5_c", "line6_m", "line6_f", "line7_m", "line7_f", "line7a_m",
        "line7a_f", "line8_m", "line8_f", "line8add_m", "line8add_f", "line8sum_m", "line8sum_f", "line9_m",
        "line9_f", "line10_m", "line10_f", "line11_c", "line11_ca", "line11_cb", "line11_cc", "line11_cd",
        "line11_ce", "line12_m", "line12_f", "line13_m", "line13_f", "line14_m", "line14_f"};
    for (int i = 1; i <= 6; ++i)
        names << QStringLiteral("childn%1").arg(i) << QStringLiteral("bday%1").arg(i);
    for (int slot = 1; slot <= OrvaDocument::FootnoteCount; ++slot)
        names << footnoteField(slot);
    for (char letter = 'A'; letter <= 'L'; ++letter)
        names << QStringLiteral("line%1_m").arg(QLatin1Char(letter)) << QStringLiteral("line%1_f").arg(QLatin1Char(letter));
    return names;
}

QStringList PDFDocument::knownFieldNames(int mode, int custodyType)
{
    if (mode == OrvaDocument::July2022)
        return courtFormFieldNames(OrvaDocument::isSharedCustody(custodyType));
    return knownFieldNames();
}

void PDFDocument::initFields(const OrvaDocument &document)
{
    m_fields.clear();
    const QStringList names = knownFieldNames(document.mode(), document.custodyType());
    for (const QString &name : names)
        m_fields.insert(name, QString());

    const QString court = document.courtType() == OrvaDocument::Circuit ? QStringLiteral("Circuit")
                                                                         : QStringLiteral("District");
    setField(QStringLiteral("court"),
             QStringLiteral("In the %1 Court for %2").arg(court, OrvaDocument::countyName(document.county())));

    QString guidelines;
    switch (document.mode()) {
    case OrvaDocument::July2022:
        guidelines = QStringLiteral("Post July 1, 2022 Guidelines");
        break;
    case OrvaDocument::NewOct2020:
        guidelines = QStringLiteral("Post October 1, 2020 Guidelines");
        break;
    default:
        guidelines = QStringLiteral("Pre October 1, 2020 Guidelines");
        break;
    }
    setField(QStringLiteral("guidelines"), guidelines);

    const int custody = document.custodyType();
    const bool parentLabels = custody == OrvaDocument::SharedP1P2 || custody == OrvaDocument::SoleParent1
                              || custody == OrvaDocument::SoleParent2;
    if (parentLabels) {
        setField(QStringLiteral("plaintiff_m"), QStringLiteral("Plaintiff  (Parent 1)"));
        setField(QStringLiteral("defendant_d"), QStringLiteral("Defendant (Parent 2)"));
        setField(QStringLiteral("parent1_m"), QStringLiteral("Parent 1"));
        setField(QStringLiteral("parent2_d"), QStringLiteral("Parent 2"));
    } else {
        setField(QStringLiteral("plaintiff_m"), QStringLiteral("Plaintiff"));
        setField(QStringLiteral("defendant_d"), QStringLiteral("Defendant"));
        setField(QStringLiteral("parent1_m"), QStringLiteral("Mother"));
        setField(QStringLiteral("parent2_d"), QStringLiteral("Father"));
    }
}

void PDFDocument::setField(const QString &name, const QString &text)
{
    if (!m_fields.contains(name))
        qWarning() << "PDFDocument: trying to add unknown field:" << name;
    m_fields.insert(name, text);
}

void PDFDocument::setNumberField(const QString &name, double value, bool blankIfZero)
{
    if (blankIfZero && value == 0)
        setField(name, QString());
    else
        setField(name, numberText(value));
}

// Amounts stay whole numbers all the way: a double holds only 15 to 16
// digits, the amounts up to 19.
void PDFDocument::setNumberField(const QString &name, qint64 value, bool blankIfZero)
{
    if (blankIfZero && value == 0)
        setField(name, QString());
    else
        setField(name, numberText(value));
}

// A footnote slot with text (blanks count) gets the next number, and its
// text joins the list printed under the comments.
void PDFDocument::setNumberWithFootnote(const QString &name, qint64 value, const OrvaDocument &document, int slot)
{
    setNumberField(name, value);
    const QString text = document.footnote(slot);
    if (text.isEmpty())
        return;
    ++m_footnoteCounter;
    setNumberField(footnoteField(slot), qint64(m_footnoteCounter));
    m_footnoteTexts << text;
}

// Footnotes first: their numbers stand beside the amounts, so their texts
// belong in the worksheet's own box; the comments follow and are the part
// that goes on to a continuation page.
void PDFDocument::setCommentsBlock(const OrvaDocument &document, const QString &note)
{
    QString block = note.isEmpty() ? QString() : note + QLatin1Char('\n');
    for (int i = 0; i < m_footnoteTexts.size(); ++i)
        block += QStringLiteral("* %1 %2\n").arg(QString::number(i + 1), m_footnoteTexts.at(i).trimmed());
    if (block.isEmpty() || !document.comments().isEmpty())
        block += QStringLiteral("%1\n").arg(document.comments());
    setField(QStringLiteral("comments"), block);
}

void PDFDocument::fillCommonFields(const OrvaDocument &d, const WorksheetLines &w)
{
    m_footnoteCounter = 0;
    m_footnoteTexts.clear();

    setField(QStringLiteral("casenum"), d.caseNumber());
    setField(QStringLiteral("preparer"), d.preparer());
    setField(QStringLiteral("date"), d.preparedDate());
    setField(QStringLiteral("plaintiff"), d.plaintiffName());
    setField(QStringLiteral("defendant"), d.defendantName());
    for (int i = 1; i <= 6; ++i)
        setField(QStringLiteral("childn%1").arg(i), d.childName(i));
    for (int i = 1; i <= 6; ++i)
        setField(QStringLiteral("bday%1").arg(i), d.childBirthDate(i));
    // The number the schedule was read with, as the court's forms state it.
    setField(QStringLiteral("numchildren"), QString::number(d.childCount()));

    setNumberWithFootnote(QStringLiteral("monthly_income_m"), d.motherMonthlyIncome(), d, 1);
    setNumberWithFootnote(QStringLiteral("monthly_income_f"), d.fatherMonthlyIncome(), d, 2);
    setNumberWithFootnote(QStringLiteral("existing_child_supp_pay_m"), d.motherExistingChildSupportPayment(), d, 3);
    setNumberWithFootnote(QStringLiteral("existing_child_supp_pay_f"), d.fatherExistingChildSupportPayment(), d, 4);
    setNumberWithFootnote(QStringLiteral("alimony_paid_m"), d.motherAlimonyPaid(), d, 5);
    setNumberWithFootnote(QStringLiteral("alimony_paid_f"), d.fatherAlimonyPaid(), d, 6);
    setNumberWithFootnote(QStringLiteral("alimony_awarded_m"), d.motherAlimonyAwarded(), d, 7);
    setNumberWithFootnote(QStringLiteral("alimony_awarded_f"), d.fatherAlimonyAwarded(), d, 8);
    // Line 1d exists under the July 2022 guidelines only: the counts a case
    // keeps under the others stay off their worksheets.
    const bool line1d = OrvaDocument::hasMultifamilyAdjustment(d.mode());
    setNumberField(QStringLiteral("multifamily_children_m"), line1d ? qint64(d.motherMultifamilyChildren()) : 0, true);
    setNumberField(QStringLiteral("multifamily_children_f"), line1d ? qint64(d.fatherMultifamilyChildren()) : 0, true);
    setNumberField(QStringLiteral("multifamily_adj_m"), w.mother.multifamilyAdjustment, true);
    setNumberField(QStringLiteral("multifamily_adj_f"), w.father.multifamilyAdjustment, true);

    setNumberField(QStringLiteral("line1_c"), w.combinedIncome);
    setNumberField(QStringLiteral("line2_m"), w.mother.adjustedActualIncome);
    setNumberField(QStringLiteral("line2_f"), w.father.adjustedActualIncome);
    setNumberField(QStringLiteral("line2_c"), w.adjustedCombinedIncome);
    setField(QStringLiteral("line3_m"), percentText(w.mother.incomeShare));
    setField(QStringLiteral("line3_f"), percentText(w.father.incomeShare));
    setNumberField(QStringLiteral("line4_c"), w.basicObligation);
}

// The five expense rows, both parents' amounts with their footnotes and the
// row totals, which are fields `totals` a to e: line 4 on Worksheet A, line
// 11 on Worksheet B.
void PDFDocument::fillExpenseRows(const OrvaDocument &d, const WorksheetLines &w, const QString &totals)
{
    setNumberWithFootnote(QStringLiteral("work_related_child_exp_m"), d.motherWorkRelatedExpenses(), d, 9);
    setNumberWithFootnote(QStringLiteral("work_related_child_exp_f"), d.fatherWorkRelatedExpenses(), d, 10);
    setNumberField(totals + QLatin1Char('a'), w.expenseTotal[OrvaDocument::WorkRelated]);
    setNumberWithFootnote(QStringLiteral("health_ins_pay_m"), d.motherHealthInsurance(), d, 11);
    setNumberWithFootnote(QStringLiteral("health_ins_pay_f"), d.fatherHealthInsurance(), d, 12);
    setNumberField(totals + QLatin1Char('b'), w.expenseTotal[OrvaDocument::HealthInsurance]);
    setNumberWithFootnote(QStringLiteral("extraordinary_m"), d.motherExtraMedicalExpenses(), d, 13);
    setNumberWithFootnote(QStringLiteral("extraordinary_f"), d.fatherExtraMedicalExpenses(), d, 14);
    setNumberField(totals + QLatin1Char('c'), w.expenseTotal[OrvaDocument::ExtraMedical]);
    setNumberWithFootnote(QStringLiteral("cmedsup_m"), w.mother.cashMedicalSupport, d, 15);
    setNumberWithFootnote(QStringLiteral("cmedsup_f"), w.father.cashMedicalSupport, d, 16);
    setNumberField(totals + QLatin1Char('d'), w.expenseTotal[OrvaDocument::CashMedical]);
    setNumberWithFootnote(QStringLiteral("add_expenses_m"), d.motherAdditionalExpenses(), d, 17);
    setNumberWithFootnote(QStringLiteral("add_expenses_f"), d.fatherAdditionalExpenses(), d, 18);
    setNumberField(totals + QLatin1Char('e'), w.expenseTotal[OrvaDocument::Additional]);
}

void PDFDocument::fillSharedWorksheetFields(const OrvaDocument &d)
{
    using D = OrvaDocument;
    const WorksheetLines w = d.worksheet();
    fillCommonFields(d, w);
    if (d.mode() == D::July2022) {
        fillSharedCourtForm(d, w);
        return;
    }

    setNumberField(QStringLiteral("line5_c"), w.sharedBasicObligation);
    setNumberField(QStringLiteral("line6_m"), qint64(d.motherOvernights()));
    setNumberField(QStringLiteral("line6_f"), qint64(d.fatherOvernights()));
    setField(QStringLiteral("line7_m"), percentText(w.mother.timeShare));
    setField(QStringLiteral("line7_f"), percentText(w.father.timeShare));
    if (d.mode() == D::PreOct2020) {
        setNumberField(QStringLiteral("line8_m"), w.mother.adjustedSharedObligation);
        setNumberField(QStringLiteral("line8_f"), w.father.adjustedSharedObligation);
    } else {
        setNumberField(QStringLiteral("line8_m"), w.mother.sharedObligation);
        setNumberField(QStringLiteral("line8_f"), w.father.sharedObligation);
        setNumberField(QStringLiteral("line8add_m"), w.mother.sharedAdjustment, true);
        setNumberField(QStringLiteral("line8add_f"), w.father.sharedAdjustment, true);
        setNumberField(QStringLiteral("line8sum_m"), w.mother.adjustedSharedObligation);
        setNumberField(QStringLiteral("line8sum_f"), w.father.adjustedSharedObligation);
    }
    setNumberField(QStringLiteral("line9_m"), w.mother.amountOwed);
    setNumberField(QStringLiteral("line9_f"), w.father.amountOwed);
    setNumberField(QStringLiteral("line10_m"), w.mother.basicSupportDue);
    setNumberField(QStringLiteral("line10_f"), w.father.basicSupportDue);

    fillExpenseRows(d, w, QStringLiteral("line11_c"));
    fillExpenseLetters(w);
    setNumberField(QStringLiteral("lineL_m"), w.mother.expenseBalanceDue);
    setNumberField(QStringLiteral("lineL_f"), w.father.expenseBalanceDue);
    setNumberField(QStringLiteral("line12_m"), w.mother.expenseBalanceDue);
    setNumberField(QStringLiteral("line12_f"), w.father.expenseBalanceDue);
    setNumberField(QStringLiteral("line13_m"), w.mother.basicSupportDue);
    setNumberField(QStringLiteral("line13_f"), w.father.basicSupportDue);
    setNumberField(QStringLiteral("line14_m"), w.mother.recommendedChildSupport);
    setNumberField(QStringLiteral("line14_f"), w.father.recommendedChildSupport);

    setCommentsBlock(d);
}

// Expense section: portion and excess of each kind, letters A to J, and the
// credits of K.
void PDFDocument::fillExpenseLetters(const WorksheetLines &w)
{
    using D = OrvaDocument;
    static const struct {
        char portion;
        char excess;
        D::ExpenseKind kind;
    } kinds[] = {{'A', 'B', D::WorkRelated},
                 {'C', 'D', D::HealthInsurance},
                 {'E', 'F', D::ExtraMedical},
                 {'G', 'H', D::CashMedical},
                 {'I', 'J', D::Additional}};
    for (const auto &row : kinds) {
        for (const D::Parent parent : {D::Mother, D::Father}) {
            const QString suffix = parent == D::Mother ? QStringLiteral("_m") : QStringLiteral("_f");
            const WorksheetLines::Parent &lines = w.parent(parent);
            setNumberField(QStringLiteral("line") + QLatin1Char(row.portion) + suffix, lines.expensePortion[row.kind]);
            const qint64 second = row.kind == D::CashMedical ? lines.cashMedicalCredit : lines.expenseExcess[row.kind];
            setNumberField(QStringLiteral("line") + QLatin1Char(row.excess) + suffix, second);
        }
    }
    setNumberField(QStringLiteral("lineK_m"), w.mother.expenseCredits);
    setNumberField(QStringLiteral("lineK_f"), w.father.expenseCredits);
}

void PDFDocument::fillSoleWorksheetFields(const OrvaDocument &d)
{
    const WorksheetLines w = d.worksheet();
    fillCommonFields(d, w);
    if (d.mode() == OrvaDocument::July2022) {
        fillSoleCourtForm(d, w);
        return;
    }

    fillExpenseRows(d, w, QStringLiteral("line4_c"));

    setNumberField(QStringLiteral("line5_c"), w.totalChildSupportObligation);
    setNumberField(QStringLiteral("line6_m"), w.mother.obligation);
    setNumberField(QStringLiteral("line6_f"), w.father.obligation);
    setNumberField(QStringLiteral("line7_m"), w.mother.basicSupportDue);
    setNumberField(QStringLiteral("line7_f"), w.father.basicSupportDue);

    // Line 7a: the paying parent's direct payments as a deduction; 0 for the
    // custodial parent.
    const bool motherCustodial = OrvaDocument::isSoleMotherCustody(d.custodyType());
    setNumberField(QStringLiteral("line7a_m"), motherCustodial ? qint64(0) : negated(w.mother.directPayments));
    setNumberField(QStringLiteral("line7a_f"), motherCustodial ? negated(w.father.directPayments) : qint64(0));

    setNumberField(QStringLiteral("line8_m"), w.mother.recommendedChildSupport, true);
    setNumberField(QStringLiteral("line8_f"), w.father.recommendedChildSupport, true);

    setCommentsBlock(d);
}
