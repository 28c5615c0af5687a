// The field lists of the July 2022 worksheets, which read line for line like
// the court's current forms: CC-DR-034 (Worksheet A) and CC-DR-035
// (Worksheet B with Worksheet C), Rev. 08/2024. The names follow the forms'
// numbers; a column the form leaves empty is empty text.

#include "OrvaDocument.h"
#include "CourtFormText.h"
#include "PDFDocument.h"

namespace {

// The form's Comment (2), printed first in the comments when line 9 of
// Worksheet A is negative.
const QString NegativeLine9Comment = QStringLiteral(
    "(2) There is a negative dollar amount on line 9, which indicates a recommended child support order directing "
    "the custodial parent to reimburse the non-custodial parent this amount for \"direct pay\" expenses.");

QString courtTitle(int courtType)
{
    return courtType == OrvaDocument::District ? QStringLiteral("District Court of Maryland for")
                                               : QStringLiteral("Circuit Court for");
}



// "Ocean City, MD 21842". A state alone is only the client details'
// default pick, not an address.
QString cityStateZip(const QString &city, const QString &state, const QString &zip)
{
    if (city.trimmed().isEmpty() && zip.trimmed().isEmpty())
        return QString();
    QString line = city.trimmed();
    if (!state.trimmed().isEmpty())
        line += (line.isEmpty() ? QString() : QStringLiteral(", ")) + state.trimmed();
    if (!zip.trimmed().isEmpty())
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + zip.trimmed();
    return line;
}

QStringList pairs(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines)
        names << line + QStringLiteral("_m") << line + QStringLiteral("_f");
    return names;
}

} // namespace

namespace CourtFormText {

// The form's blank "City or County": the county without its state.
QString courtCounty(int county)
{
    if (county < 0 || county >= OrvaDocument::CountyCount)
        return QString();
    QString name = OrvaDocument::countyName(county);
    if (name.endsWith(QLatin1String("Maryland")))
        name.chop(8);
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char(',')))
        name.chop(1);
    return name;
}

// "12 Main St., Apt 4B"; an apartment typed with its own word ("Suite 2",
// "#3") keeps it.
QString streetLine(const QString &address, const QString &apt)
{
    const QString street = address.trimmed();
    QString unit = apt.trimmed();
    if (unit.isEmpty())
        return street;
    if (unit.at(0).isDigit())
        unit.prepend(QStringLiteral("Apt "));
    return street.isEmpty() ? unit : street + QStringLiteral(", ") + unit;
}

} // namespace CourtFormText

using CourtFormText::courtCounty;
using CourtFormText::streetLine;

QStringList PDFDocument::courtFormFieldNames(bool shared)
{
    QStringList names = {"court", "guidelines", "plaintiff_m", "defendant_d", "parent1_m", "parent2_d",
                         "court_title", "court_county", "casenum", "plaintiff", "defendant", "plaintiff_address",
                         "plaintiff_city_state_zip", "plaintiff_phone", "defendant_address",
                         "defendant_city_state_zip", "defendant_phone", "preparer", "date", "comments",
                         "numchildren", "line1_c", "line2_c", "line4_c", "line5_c"};
    names << pairs({"monthly_income", "existing_child_supp_pay", "alimony_paid", "alimony_awarded",
                    "multifamily_children", "multifamily_basic", "multifamily_adj", "work_related_child_exp",
                    "health_ins_pay", "extraordinary", "cmedsup", "add_expenses", "line2", "line3", "line6",
                    "line7", "line8", "line9"});
    const QString totals = shared ? QStringLiteral("line13_c") : QStringLiteral("line4_c");
    for (const char letter : {'a', 'b', 'c', 'd', 'e'})
        names << totals + QLatin1Char(letter);
    if (shared) {
        names << pairs({"line10", "line11", "line12", "line14", "line15", "line16"});
        for (char letter = 'A'; letter <= 'L'; ++letter)
            names << pairs({QStringLiteral("line%1").arg(QLatin1Char(letter))});
    }
    for (int i = 1; i <= 6; ++i)
        names << QStringLiteral("childn%1").arg(i) << QStringLiteral("bday%1").arg(i);
    for (int slot = 1; slot <= OrvaDocument::FootnoteCount; ++slot)
        names << QStringLiteral("fnn%1").arg(slot);
    return names;
}

// The form's header block: the court, and each party's address and telephone
// from the client details.
void PDFDocument::fillCourtFormHeader(const OrvaDocument &d)
{
    setField(QStringLiteral("court_title"), courtTitle(d.courtType()));
    setField(QStringLiteral("court_county"), courtCounty(d.county()));
    setField(QStringLiteral("plaintiff_address"), streetLine(d.plaintiffAddress(), d.plaintiffApt()));
    setField(QStringLiteral("plaintiff_city_state_zip"),
             cityStateZip(d.plaintiffCity(), d.plaintiffState(), d.plaintiffZip()));
    setField(QStringLiteral("plaintiff_phone"), d.plaintiffPhone());
    setField(QStringLiteral("defendant_address"), streetLine(d.defendantAddress(), d.defendantApt()));
    setField(QStringLiteral("defendant_city_state_zip"),
             cityStateZip(d.defendantCity(), d.defendantState(), d.defendantZip()));
    setField(QStringLiteral("defendant_phone"), d.defendantPhone());
}

void PDFDocument::setOwedPair(const QString &line, qint64 mother, qint64 father)
{
    const bool nobody = mother <= 0 && father <= 0;
    setNumberField(line + QStringLiteral("_m"), mother, !nobody && mother <= 0);
    setNumberField(line + QStringLiteral("_f"), father, !nobody && father <= 0);
}

void PDFDocument::fillSoleCourtForm(const OrvaDocument &d, const WorksheetLines &w)
{
    fillCourtFormHeader(d);
    setNumberField(QStringLiteral("multifamily_basic_m"), w.mother.multifamilyBasic, true);
    setNumberField(QStringLiteral("multifamily_basic_f"), w.father.multifamilyBasic, true);
    fillExpenseRows(d, w, QStringLiteral("line4_c"));
    setNumberField(QStringLiteral("line5_c"), w.totalChildSupportObligation);
    setNumberField(QStringLiteral("line6_m"), w.mother.obligation);
    setNumberField(QStringLiteral("line6_f"), w.father.obligation);
    setNumberField(QStringLiteral("line7_m"), w.mother.directPayments);
    setNumberField(QStringLiteral("line7_f"), w.father.directPayments);
    setNumberField(QStringLiteral("line8_m"), w.mother.obligationLessDirectPay);
    setNumberField(QStringLiteral("line8_f"), w.father.obligationLessDirectPay);

    // Line 9 is the non-custodial parent's line 8; negative, the custodial
    // parent reimburses that parent.
    QString note;
    const bool motherCustodial = OrvaDocument::isSoleMotherCustody(d.custodyType());
    if (motherCustodial || OrvaDocument::isSoleFatherCustody(d.custodyType())) {
        const qint64 order = (motherCustodial ? w.father : w.mother).obligationLessDirectPay;
        setNumberField(motherCustodial ? QStringLiteral("line9_f") : QStringLiteral("line9_m"), order);
        if (order < 0)
            note = NegativeLine9Comment;
    }
    setCommentsBlock(d, note);
}

void PDFDocument::fillSharedCourtForm(const OrvaDocument &d, const WorksheetLines &w)
{
    fillCourtFormHeader(d);
    setNumberField(QStringLiteral("multifamily_basic_m"), w.mother.multifamilyBasic, true);
    setNumberField(QStringLiteral("multifamily_basic_f"), w.father.multifamilyBasic, true);
    setNumberField(QStringLiteral("line5_c"), w.sharedBasicObligation);
    setNumberField(QStringLiteral("line6_m"), qint64(d.motherOvernights()));
    setNumberField(QStringLiteral("line6_f"), qint64(d.fatherOvernights()));
    setField(QStringLiteral("line7_m"), percentText(w.mother.timeShare));
    setField(QStringLiteral("line7_f"), percentText(w.father.timeShare));
    const struct {
        QString suffix;
        const WorksheetLines::Parent *lines;
    } parents[] = {{QStringLiteral("_m"), &w.mother}, {QStringLiteral("_f"), &w.father}};
    for (const auto &[suffix, lines] : parents) {
        setNumberField(QStringLiteral("line8") + suffix, lines->sharedObligation);
        setNumberField(QStringLiteral("line9") + suffix, lines->theoreticalObligation);
        // Lines 10 and 11 only for a parent with 92 to 109 overnights.
        if (lines->sharedCustodyBand) {
            setNumberField(QStringLiteral("line10") + suffix, lines->theoreticalAdjustment);
            setNumberField(QStringLiteral("line11") + suffix, lines->adjustedTheoreticalObligation);
        }
    }
    setOwedPair(QStringLiteral("line12"), w.mother.basicSupportDue, w.father.basicSupportDue);
    fillExpenseRows(d, w, QStringLiteral("line13_c"));

    fillExpenseLetters(w);
    setOwedPair(QStringLiteral("lineL"), w.mother.expenseBalanceDue, w.father.expenseBalanceDue);
    setOwedPair(QStringLiteral("line14"), w.mother.expenseBalanceDue, w.father.expenseBalanceDue);
    setOwedPair(QStringLiteral("line15"), w.mother.basicSupportDue, w.father.basicSupportDue);
    setOwedPair(QStringLiteral("line16"), w.mother.recommendedChildSupport, w.father.recommendedChildSupport);
    setCommentsBlock(d);
}
