#include "OrvaDocument.h"

#include <QLocale>
#include <QMetaType>

#include <algorithm>
#include <climits>

namespace {

void registerEnumTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<OrvaDocument::Mode>("OrvaDocument::Mode");
        qRegisterMetaType<OrvaDocument::CustodyType>("OrvaDocument::CustodyType");
        qRegisterMetaType<OrvaDocument::County>("OrvaDocument::County");
        qRegisterMetaType<OrvaDocument::CourtType>("OrvaDocument::CourtType");
        return true;
    }();
    Q_UNUSED(registered);
}

bool hasNewGuidelineRange(OrvaDocument::Mode mode)
{
    return mode == OrvaDocument::NewOct2020 || mode == OrvaDocument::July2022;
}

// Footnotes are stored as the mother's nine (odd numbers) then the father's nine.
int footnoteSlot(int number)
{
    if (number < 1 || number > OrvaDocument::FootnoteCount)
        return -1;
    return (number % 2 == 1) ? (number - 1) / 2 : 9 + number / 2 - 1;
}

} // namespace

OrvaDocument::OrvaDocument(Mode mode, QObject *parent)
    : QObject(parent)
    , m_preparedDate(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat))
    , m_mode(mode)
{
    registerEnumTypes();
    if (hasNewGuidelineRange(mode)) {
        m_motherOvernights = 273;
        m_fatherOvernights = 92;
    } else {
        m_motherOvernights = 237;
        m_fatherOvernights = 128;
    }
}

OrvaDocument::Mode OrvaDocument::modeForNewCase(const QDate &date)
{
    return date >= QDate(2022, 7, 1) ? July2022 : NewOct2020;
}

QString OrvaDocument::countyName(int county)
{
    static const char *const names[CountyCount] = {
        "Allegany County, Maryland",
        "Anne Arundel County, Maryland",
        "Baltimore City, Maryland",
        "Baltimore County, Maryland",
        "Calvert County, Maryland",
        "Caroline County, Maryland",
        "Carroll County, Maryland",
        "Cecil County, Maryland",
        "Charles County, Maryland",
        "Dorchester County, Maryland",
        "Frederick County, Maryland",
        "Garrett County, Maryland",
        "Harford County, Maryland",
        "Howard County, Maryland",
        "Kent County, Maryland",
        "Montgomery County, Maryland",
        "Prince George's County, Maryland",
        "Queen Anne's County Maryland",
        "Somerset County, Maryland",
        "St.Mary 's County, Maryland",
        "Talbot County, Maryland",
        "Washington County, Maryland",
        "Wicomico County, Maryland",
        "Worcester County, Maryland",
    };
    if (county < 0 || county >= CountyCount)
        return QStringLiteral("Unknown");
    return QString::fromLatin1(names[county]);
}

QString OrvaDocument::custodyTypeName(int custodyType)
{
    switch (custodyType) {
    case Shared: return QStringLiteral("Shared");
    case SoleMother: return QStringLiteral("Sole Mother");
    case SoleFather: return QStringLiteral("Sole Father");
    case SharedP1P2: return QStringLiteral("Shared (P1 & P2)");
    case SoleParent1: return QStringLiteral("Sole Parent1");
    case SoleParent2: return QStringLiteral("Sole Parent2");
    default: return QString();
    }
}

void OrvaDocument::setModified(bool flag)
{
    const bool changed = flag != m_modified;
    m_modified = flag;
    if (changed)
        emit modifiedFlagChanged(flag);
}

QString OrvaDocument::childName(int index) const
{
    switch (index) {
    case 1: return m_child1Name;
    case 2: return m_child2Name;
    case 3: return m_child3Name;
    case 4: return m_child4Name;
    case 5: return m_child5Name;
    case 6: return m_child6Name;
    default: return QString();
    }
}

QString OrvaDocument::childBirthDate(int index) const
{
    switch (index) {
    case 1: return m_child1BirthDate;
    case 2: return m_child2BirthDate;
    case 3: return m_child3BirthDate;
    case 4: return m_child4BirthDate;
    case 5: return m_child5BirthDate;
    case 6: return m_child6BirthDate;
    default: return QString();
    }
}

void OrvaDocument::setChildName(int index, const QString &name)
{
    switch (index) {
    case 1: m_child1Name = name; break;
    case 2: m_child2Name = name; break;
    case 3: m_child3Name = name; break;
    case 4: m_child4Name = name; break;
    case 5: m_child5Name = name; break;
    case 6: m_child6Name = name; break;
    default: break;
    }
}

void OrvaDocument::setChildBirthDate(int index, const QString &date)
{
    switch (index) {
    case 1: m_child1BirthDate = date; break;
    case 2: m_child2BirthDate = date; break;
    case 3: m_child3BirthDate = date; break;
    case 4: m_child4BirthDate = date; break;
    case 5: m_child5BirthDate = date; break;
    case 6: m_child6BirthDate = date; break;
    default: break;
    }
}

void OrvaDocument::setCustodyType(int value)
{
    const int previous = m_custodyType;
    m_custodyType = static_cast<CustodyType>(value);
    if (isSharedCustody(value)) {
        if (!isSharedCustody(previous))
            setMotherOvernights(hasNewGuidelineRange(m_mode) ? 273 : 237);
    } else if (isSoleMotherCustody(value)) {
        m_motherOvernights = 365;
        m_fatherOvernights = 0;
    } else if (isSoleFatherCustody(value)) {
        m_motherOvernights = 0;
        m_fatherOvernights = 365;
    }
}

void OrvaDocument::setMotherOvernights(int value)
{
    if (isSoleMotherCustody(m_custodyType)) {
        m_motherOvernights = 365;
        m_fatherOvernights = 0;
        return;
    }
    if (isSoleFatherCustody(m_custodyType)) {
        m_motherOvernights = 0;
        m_fatherOvernights = 365;
        return;
    }
    const bool newRange = hasNewGuidelineRange(m_mode);
    const int low = newRange ? 92 : 128;
    const int high = newRange ? 273 : 237;
    m_motherOvernights = std::clamp(value, low, high);
    m_fatherOvernights = 365 - m_motherOvernights;
}

void OrvaDocument::setFormsClient(int client)
{
    m_formsClient = client == FirstParentClient || client == SecondParentClient ? static_cast<FormsClient>(client)
                                                                                 : NoClient;
}

void OrvaDocument::setFatherOvernights(int value)
{
    // Computed in 64 bits: a value read from a file may be any 32-bit number.
    const qint64 mother = 365 - static_cast<qint64>(value);
    setMotherOvernights(static_cast<int>(std::clamp<qint64>(mother, INT_MIN, INT_MAX)));
}

// Two's complement negation without the undefined overflow of -INT64_MIN
// (a hostile case file may hold that value).
static qint64 negated(qint64 value)
{
    return static_cast<qint64>(0ULL - static_cast<quint64>(value));
}

void OrvaDocument::setMotherAlimonyAwarded(qint64 value)
{
    m_motherAlimonyAwarded = value;
    m_fatherAlimonyAwarded = negated(value);
}

void OrvaDocument::setFatherAlimonyAwarded(qint64 value)
{
    m_fatherAlimonyAwarded = value;
    m_motherAlimonyAwarded = negated(value);
}

void OrvaDocument::setMotherMultifamilyChildren(int value)
{
    m_motherMultifamilyChildren = std::clamp(value, 0, MaxMultifamilyChildren);
}

void OrvaDocument::setFatherMultifamilyChildren(int value)
{
    m_fatherMultifamilyChildren = std::clamp(value, 0, MaxMultifamilyChildren);
}

QString OrvaDocument::footnote(int number) const
{
    const int slot = footnoteSlot(number);
    return slot < 0 ? QString() : m_footnotes[slot];
}

void OrvaDocument::setFootnote(int number, const QString &text)
{
    const int slot = footnoteSlot(number);
    if (slot >= 0)
        m_footnotes[slot] = text;
}
