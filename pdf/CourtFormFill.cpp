#include "CourtFormFill.h"

#include "CourtFormText.h"
#include "OrvaDocument.h"

#include <QLocale>

namespace CourtFormFill {

namespace {

enum FormBits : unsigned {
    Short = 1u << ShortFinancial,
    Long = 1u << LongFinancial,
    Joint = 1u << JointStatement,
    Plan = 1u << ParentingPlan,
    Financial = Short | Long,
    Custody = Joint | Plan,
    All = Financial | Custody,
};

// What a field shows. Party sources take the party (1 plaintiff, 2
// defendant); child sources the child's row on the form; client sources
// read the client's parent column.
enum class Source {
    CourtCounty,
    CaseNumber,
    PartyName,
    PartyStreet,
    PartyCity,
    PartyState,
    PartyZip,
    PartyPhone,
    ParentRelation,
    ChildName,
    ChildBirthDate,
    ClientName,
    ClientRole,
    ClientIncome,
    ClientChildSupportPaid,
    ClientAlimonyPaid,
    ClientHealthInsurance,
    ClientExtraMedical,
    ClientChildCare,
    ClientSchoolTransport,
};

struct Entry {
    unsigned forms;
    const char *field; // "%1": the party, or the child's row
    Source source;
    int count;         // parties 1..count, or rows 1..count; 0: one field without %1
};

// The whole mapping. The financial statements list four children, the
// custody forms five. Amounts the 9-203 asks per household and for the
// children fill both columns where the whole expense is the children's.
const Entry Table[] = {
    {All, "court_county", Source::CourtCounty, 0},
    {All, "case_number", Source::CaseNumber, 0},
    {All, "%1_name", Source::PartyName, 2},
    {All, "%1_street", Source::PartyStreet, 2},
    {All, "%1_city", Source::PartyCity, 2},
    {All, "%1_state", Source::PartyState, 2},
    {All, "%1_zip", Source::PartyZip, 2},
    {All, "%1_phone", Source::PartyPhone, 2},
    {Financial, "child_%1_1", Source::ChildName, 4},
    {Financial, "child_%1_2", Source::ChildBirthDate, 4},
    {Custody, "child_%1_1", Source::ChildName, 5},
    {Custody, "child_%1_2", Source::ChildBirthDate, 5},
    {Plan, "parent%1_name", Source::PartyName, 2},
    {Plan, "parent%1_relation", Source::ParentRelation, 2},
    {Financial, "party_fullName", Source::ClientName, 0},
    {Financial, "party_role", Source::ClientRole, 0},
    {Short, "income_wages_amount", Source::ClientIncome, 0},
    {Short, "adjust_childSupportPaid_amount", Source::ClientChildSupportPaid, 0},
    {Short, "adjust_alimonyPaid_amount", Source::ClientAlimonyPaid, 0},
    {Short, "adjust_healthInsurance_amount", Source::ClientHealthInsurance, 0},
    {Short, "adjust_extraordinaryMedical_amount", Source::ClientExtraMedical, 0},
    {Short, "adjust_childCare_amount", Source::ClientChildCare, 0},
    {Short, "adjust_schoolTransport_amount", Source::ClientSchoolTransport, 0},
    {Long, "income_wages_month", Source::ClientIncome, 0},
    {Long, "exp_party_childSupport_household", Source::ClientChildSupportPaid, 0},
    {Long, "exp_party_alimony_household", Source::ClientAlimonyPaid, 0},
    {Long, "exp_children_health_household", Source::ClientHealthInsurance, 0},
    {Long, "exp_children_health_children", Source::ClientHealthInsurance, 0},
    {Long, "exp_children_uninsured_household", Source::ClientExtraMedical, 0},
    {Long, "exp_children_uninsured_children", Source::ClientExtraMedical, 0},
    {Long, "exp_children_childCare_household", Source::ClientChildCare, 0},
    {Long, "exp_children_childCare_children", Source::ClientChildCare, 0},
};

QString fieldName(const Entry &entry, int index)
{
    QString name = QString::fromLatin1(entry.field);
    if (entry.count == 0)
        return name;
    const bool party = entry.source >= Source::PartyName && entry.source <= Source::ParentRelation
                       && !name.startsWith(QLatin1String("parent"));
    return name.arg(party ? (index == 1 ? QStringLiteral("plaintiff") : QStringLiteral("defendant"))
                          : QString::number(index));
}

// Whole dollars as people write them; nothing for an amount not entered.
QString amountText(qint64 amount)
{
    return amount == 0 ? QString() : QLocale(QLocale::English, QLocale::UnitedStates).toString(amount);
}

// The children that count (a name or a birth date), in the form's rows.
QList<int> childRows(const OrvaDocument &d)
{
    QList<int> rows;
    for (int i = 1; i <= 6; ++i) {
        if (!d.childName(i).trimmed().isEmpty() || !d.childBirthDate(i).trimmed().isEmpty())
            rows << i;
    }
    return rows;
}

// "Mother" of "I am the Mother of the minor".
QString relationWord(int index)
{
    static const char *const words[] = {"Mother", "Father", "Grandmother", "Grandfather", "Aunt",
                                        "Uncle",  "Brother", "Sister",     "Cousin"};
    return index >= 0 && index < int(std::size(words)) ? QString::fromLatin1(words[index]) : QString();
}

bool parentsNamedMotherFather(const OrvaDocument &d)
{
    const int custody = d.custodyType();
    return custody == OrvaDocument::Shared || custody == OrvaDocument::SoleMother
           || custody == OrvaDocument::SoleFather;
}

QString partyValue(const OrvaDocument &d, Source source, int party)
{
    const bool plaintiff = party == 1;
    const QString street = plaintiff ? d.plaintiffAddress() : d.defendantAddress();
    const QString city = plaintiff ? d.plaintiffCity() : d.defendantCity();
    const QString zip = plaintiff ? d.plaintiffZip() : d.defendantZip();
    switch (source) {
    case Source::PartyName:
        return plaintiff ? d.plaintiffName() : d.defendantName();
    case Source::PartyStreet:
        return CourtFormText::streetLine(street, plaintiff ? d.plaintiffApt() : d.defendantApt());
    case Source::PartyCity:
        return city.trimmed();
    case Source::PartyState:
        // A state alone is only the client details' default pick, not an address.
        if (street.trimmed().isEmpty() && city.trimmed().isEmpty() && zip.trimmed().isEmpty())
            return QString();
        return (plaintiff ? d.plaintiffState() : d.defendantState()).trimmed();
    case Source::PartyZip:
        return zip.trimmed();
    case Source::PartyPhone:
        return (plaintiff ? d.plaintiffPhone() : d.defendantPhone()).trimmed();
    case Source::ParentRelation:
        if (!parentsNamedMotherFather(d))
            return QString();
        return plaintiff ? QStringLiteral("Mother") : QStringLiteral("Father");
    default:
        return QString();
    }
}

QString clientValue(const OrvaDocument &d, Source source, int client)
{
    if (client != OrvaDocument::FirstParentClient && client != OrvaDocument::SecondParentClient)
        return QString();
    const bool first = client == OrvaDocument::FirstParentClient;
    switch (source) {
    case Source::ClientName:
        return partyValue(d, Source::PartyName, client);
    case Source::ClientRole: {
        // The client details hold one relationship, "Mother" until changed:
        // a parent in the Mother/Father columns is the column's parent.
        const int relationship = d.relationshipIndex();
        if (parentsNamedMotherFather(d) && (relationship == 0 || relationship == 1))
            return relationWord(first ? 0 : 1);
        return relationWord(relationship);
    }
    case Source::ClientIncome:
        return amountText(first ? d.motherMonthlyIncome() : d.fatherMonthlyIncome());
    case Source::ClientChildSupportPaid:
        return amountText(first ? d.motherExistingChildSupportPayment() : d.fatherExistingChildSupportPayment());
    case Source::ClientAlimonyPaid:
        return amountText(first ? d.motherAlimonyPaid() : d.fatherAlimonyPaid());
    case Source::ClientHealthInsurance:
        return amountText(first ? d.motherHealthInsurance() : d.fatherHealthInsurance());
    case Source::ClientExtraMedical:
        return amountText(first ? d.motherExtraMedicalExpenses() : d.fatherExtraMedicalExpenses());
    case Source::ClientChildCare:
        return amountText(first ? d.motherWorkRelatedExpenses() : d.fatherWorkRelatedExpenses());
    case Source::ClientSchoolTransport:
        return amountText(first ? d.motherAdditionalExpenses() : d.fatherAdditionalExpenses());
    default:
        return QString();
    }
}

QString value(const OrvaDocument &d, Source source, int index, int client, const QList<int> &children)
{
    switch (source) {
    case Source::CourtCounty:
        return CourtFormText::courtCounty(d.county());
    case Source::CaseNumber:
        return d.caseNumber().trimmed();
    case Source::ChildName:
    case Source::ChildBirthDate:
        if (index > children.size())
            return QString();
        return (source == Source::ChildName ? d.childName(children.at(index - 1))
                                            : d.childBirthDate(children.at(index - 1)))
            .trimmed();
    case Source::PartyName:
    case Source::PartyStreet:
    case Source::PartyCity:
    case Source::PartyState:
    case Source::PartyZip:
    case Source::PartyPhone:
    case Source::ParentRelation:
        return partyValue(d, source, index);
    default:
        return clientValue(d, source, client);
    }
}

} // namespace

const QList<FormInfo> &forms()
{
    static const QList<FormInfo> all = {
        {ShortFinancial, QStringLiteral("9-202"), QStringLiteral("Short-Form-Financial-2016.pdf"),
         QStringLiteral("Saveable 9-202"), QStringLiteral("Short-Form-Financial.pdf"), true},
        {LongFinancial, QStringLiteral("9-203"), QStringLiteral("Long-Form-Financial-2016.pdf"),
         QStringLiteral("Saveable 9-203"), QStringLiteral("Long-Form-Financial.pdf"), true},
        {JointStatement, QStringLiteral("joint-statement"), QStringLiteral("Joint-Parenting-Statement.pdf"),
         QStringLiteral("Joint Parenting Statement"), QStringLiteral("Joint-Parenting-Statement.pdf"), false},
        {ParentingPlan, QStringLiteral("parenting-plan"), QStringLiteral("Parent-Plan-Tool.pdf"),
         QStringLiteral("Parent Plan Tool"), QStringLiteral("Parent-Plan-Tool.pdf"), false},
    };
    return all;
}

const FormInfo &info(Form form)
{
    return forms().at(form);
}

const FormInfo *byName(const QString &name)
{
    for (const FormInfo &form : forms()) {
        if (form.name == name)
            return &form;
    }
    return nullptr;
}

QMap<QString, QString> values(const OrvaDocument &document, Form form, int client)
{
    const QList<int> children = childRows(document);
    QMap<QString, QString> result;
    for (const Entry &entry : Table) {
        if (!(entry.forms & (1u << form)))
            continue;
        for (int index = entry.count == 0 ? 0 : 1; index <= entry.count; ++index) {
            const QString text = value(document, entry.source, index, client, children);
            if (!text.isEmpty())
                result.insert(fieldName(entry, index), text);
        }
    }
    return result;
}

QStringList fieldNames(Form form)
{
    QStringList names;
    for (const Entry &entry : Table) {
        if (!(entry.forms & (1u << form)))
            continue;
        for (int index = entry.count == 0 ? 0 : 1; index <= entry.count; ++index)
            names << fieldName(entry, index);
    }
    return names;
}

} // namespace CourtFormFill
