// The ".cml" case file of OrvaDocument: an XML file whose element names are
// fixed by the files already in users' hands, so they are spelled and cased
// exactly as older versions wrote them.

#include "OrvaDocument.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>

namespace {

const QString CaseNamespace = QStringLiteral("urn:orvacalc_case");

// Characters XML 1.0 cannot carry. The stream writer gives up on the whole
// file when it meets one, so a stray control character pasted into a name
// would make the case impossible to save; it is dropped instead.
bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

bool isXmlText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // a proper pair: a character outside the basic plane
            continue;
        }
        if (c.isSurrogate() || !isXmlChar(c.unicode()))
            return false;
    }
    return true;
}

QString xmlSafe(const QString &text)
{
    if (isXmlText(text))
        return text;
    // Lone surrogate halves become the replacement character here.
    QString result;
    result.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (isXmlChar(c))
            result.append(QString::fromUcs4(&c, 1));
    }
    return result;
}

QString modeText(OrvaDocument::Mode mode)
{
    switch (mode) {
    case OrvaDocument::PreOct2020: return QStringLiteral("PreOct2020");
    case OrvaDocument::NewOct2020: return QStringLiteral("Oct2020");
    case OrvaDocument::July2022: return QStringLiteral("Jul2022");
    default: return QString();
    }
}

// The numeric value of an element: a 64-bit integer, white space around it
// allowed, 0 when the text is not a number.
qint64 numberOf(const QString &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

// Fields of 32 bits take the low 32 bits of the value.
int low32(qint64 value)
{
    return static_cast<int>(static_cast<quint32>(static_cast<quint64>(value)));
}

// The cash medical percent rebuilt from a stored amount: one decimal.
double percentFromAmount(qint64 amount, qint64 income)
{
    if (income < 1)
        return 0.0;
    const float tenths = static_cast<float>(double(amount) * 1000.0 / double(income));
    return double(std::round(tenths)) / 10.0;
}

// The stored percent, when the file carries one this program can use.
bool percentFromText(const QString &text, double *percent)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    *percent = value;
    return true;
}

class CaseWriter
{
public:
    explicit CaseWriter(QIODevice *device)
        : m_xml(device)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
    }

    QXmlStreamWriter &xml() { return m_xml; }
    void text(const char *name, const QString &value)
    {
        const QString safe = xmlSafe(value);
        if (!safe.contains(QLatin1Char('\r'))) {
            m_xml.writeTextElement(QLatin1String(name), safe);
            return;
        }
        // A raw carriage return would be read back as a line feed; a
        // character reference keeps the text exactly as the user typed it.
        m_xml.writeStartElement(QLatin1String(name));
        const QStringList parts = safe.split(QLatin1Char('\r'));
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0)
                m_xml.writeEntityReference(QStringLiteral("#13"));
            if (!parts.at(i).isEmpty())
                m_xml.writeCharacters(parts.at(i));
        }
        m_xml.writeEndElement();
    }
    void number(const char *name, qint64 value) { m_xml.writeTextElement(QLatin1String(name), QString::number(value)); }
    void empty(const char *name) { m_xml.writeTextElement(QLatin1String(name), QString()); }

private:
    QXmlStreamWriter m_xml;
};

} // namespace

bool OrvaDocument::writeCaseFile(const QString &path)
{
    // Written to a temporary file and moved over the old one only when
    // complete: a full disk or a crash while saving never costs the case the
    // user already had.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qCritical() << "Can't open file:" << file.errorString();
        return false;
    }

    CaseWriter w(&file);
    QXmlStreamWriter &xml = w.xml();
    xml.writeStartDocument();
    xml.writeStartElement(CaseNamespace, QStringLiteral("Case"));
    xml.writeStartElement(QStringLiteral("case"));

    const QString guidelines = modeText(m_mode);
    if (!guidelines.isEmpty())
        w.text("guidelines", guidelines);
    w.text("casenum", m_caseNumber);
    w.text("plaintiff", m_plaintiffName);
    w.text("defendant", m_defendantName);
    w.number("Monthinc_m", m_motherMonthlyIncome);
    w.number("Monthinc_d", m_fatherMonthlyIncome);
    w.number("Cbo_county.SelectedIndex", m_county);
    w.number("cbo_custody.SelectedIndex", m_custodyType);
    w.number("existing_child_supp_pay_m", m_motherExistingChildSupportPayment);
    w.number("existing_child_supp_pay_d", m_fatherExistingChildSupportPayment);
    w.number("overnights_m", m_motherOvernights);
    w.number("health_ins_m", m_motherHealthInsurance);
    w.number("health_ins_d", m_fatherHealthInsurance);
    w.number("alimony_paid_m", m_motherAlimonyPaid);
    w.number("alimony_paid_d", m_fatherAlimonyPaid);
    w.number("alimony_award_m", m_motherAlimonyAwarded);
    w.number("alimony_award_d", m_fatherAlimonyAwarded);
    w.number("actual_adj_inc_m", motherAdjustedActualIncome());
    w.number("actual_adj_inc_d", fatherAdjustedActualIncome());
    w.number("wrcce_m", m_motherWorkRelatedExpenses);
    w.number("wrcce_d", m_fatherWorkRelatedExpenses);
    w.number("exmedex_m", m_motherExtraMedicalExpenses);
    w.number("exmedex_d", m_fatherExtraMedicalExpenses);
    w.number("addexp_m", m_motherAdditionalExpenses);
    w.number("addexp_d", m_fatherAdditionalExpenses);
    w.number("cmedsup_m", motherCashMedicalSupport());
    w.number("cmedsup_d", fatherCashMedicalSupport());
    // The percents themselves: rebuilding them from the amounts above loses
    // them for small or zero incomes. Older readers only log these two.
    w.text("cmedpct_m", QString::number(m_motherCashMedicalPercent, 'f', 1));
    w.text("cmedpct_d", QString::number(m_fatherCashMedicalPercent, 'f', 1));
    w.number("rec_child_sup_m", motherRecommendedChildSupport());
    w.number("rec_child_sup_d", fatherRecommendedChildSupport());
    w.number("comb_inc", combinedIncome());
    w.number("adj_comb_inc", adjustedCombinedIncome());
    w.empty("lasttype");
    for (int i = 1; i <= 6; ++i) {
        w.text(QStringLiteral("childn%1").arg(i).toLatin1().constData(), childName(i));
        w.text(QStringLiteral("bday%1").arg(i).toLatin1().constData(), childBirthDate(i));
    }
    w.text("comments", m_comments);
    w.empty("sizefonts");
    w.empty("calcindex");
    w.number("kids", childCount());
    w.text("preparer", m_preparer);
    w.text("circuit.Checked", m_courtType == Circuit ? QStringLiteral("True") : QStringLiteral("False"));
    w.text("district.Checked", m_courtType == District ? QStringLiteral("True") : QStringLiteral("False"));
    w.empty("wife_cli");
    w.empty("husb_cli");
    w.text("plaintiff_city", m_plaintiffCity);
    w.text("plaintiff_zip", m_plaintiffZip);
    w.text("plaintiff_addr", m_plaintiffAddress);
    w.text("plaintiff_apt", m_plaintiffApt);
    w.text("p_state_cli", m_plaintiffState);
    w.text("defendant_city", m_defendantCity);
    w.text("defendant_zip", m_defendantZip);
    w.text("defendant_addr", m_defendantAddress);
    w.text("defendant_apt", m_defendantApt);
    w.text("d_state_cli", m_defendantState);
    w.text("ali_paid", m_clientAlimonyPaid);
    w.text("ali_recv", m_clientAlimonyReceived);
    w.number("relationship_idx", m_relationshipIndex);
    for (int number = 1; number <= FootnoteCount; ++number) {
        const QString note = footnote(number);
        if (note.isEmpty())
            continue;
        xml.writeStartElement(QStringLiteral("footnote"));
        w.number("controlnumber", number);
        w.text("note", note);
        xml.writeEndElement();
    }
    // Line 1d's counts come last: older readers log and skip them.
    w.number("multifam_m", m_motherMultifamilyChildren);
    w.number("multifam_d", m_fatherMultifamilyChildren);

    xml.writeEndElement(); // case
    xml.writeEndElement(); // Case
    xml.writeEndDocument();

    if (xml.hasError()) {
        file.cancelWriting();
        qCritical() << "Can't write file:" << file.errorString();
        return false;
    }
    if (!file.commit()) {
        qCritical() << "Can't write file:" << file.errorString();
        return false;
    }

    m_untitled = false;
    m_filePath = path;
    m_documentName = path;
    setModified(false);
    return true;
}

bool OrvaDocument::readCaseFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCritical() << "Can't open file:" << file.errorString();
        return false;
    }

    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement()) {
        qCritical() << "Can't read start element";
        return false;
    }
    if (xml.name() != QLatin1String("Case")) {
        qCritical() << "Wrong start element";
        return false;
    }
    if (!xml.readNextStartElement()) {
        qCritical() << "Can't read start element";
        return false;
    }
    if (xml.qualifiedName() != QLatin1String("case")) {
        qCritical() << "Wrong start element";
        return false;
    }

    bool newGuidelines = false;
    bool hasMotherPercent = false;
    bool hasFatherPercent = false;
    double motherPercent = 0.0;
    double fatherPercent = 0.0;
    qint64 motherMultifamily = 0;
    qint64 fatherMultifamily = 0;

    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();

        if (name == QLatin1String("footnote")) {
            int number = -1;
            QString note;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("controlnumber"))
                    number = low32(numberOf(xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement)));
                else if (xml.name() == QLatin1String("note"))
                    note = xmlSafe(xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement));
                else
                    xml.skipCurrentElement();
            }
            if (!xml.hasError() && !note.isEmpty() && number >= 1 && number <= FootnoteCount)
                setFootnote(number, note);
            continue;
        }

        // A file in an encoding the reader only half knows can decode to
        // broken surrogate halves; keep the case storable as it was opened.
        const QString text = xmlSafe(xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement));
        if (xml.hasError())
            break;
        const qint64 value = numberOf(text);

        if (name == QLatin1String("guidelines")) {
            if (text == QLatin1String("Oct2020")) {
                m_mode = NewOct2020;
                newGuidelines = true;
            } else if (text == QLatin1String("Jul2022")) {
                m_mode = July2022;
                newGuidelines = true;
            }
        } else if (name == QLatin1String("casenum")) {
            m_caseNumber = text;
        } else if (name == QLatin1String("plaintiff")) {
            m_plaintiffName = text;
        } else if (name == QLatin1String("defendant")) {
            m_defendantName = text;
        } else if (name == QLatin1String("Monthinc_m")) {
            m_motherMonthlyIncome = value;
        } else if (name == QLatin1String("Monthinc_d")) {
            m_fatherMonthlyIncome = value;
        } else if (name == QLatin1String("Cbo_county.SelectedIndex")) {
            m_county = low32(value);
        } else if (name == QLatin1String("cbo_custody.SelectedIndex")) {
            setCustodyType(low32(value));
        } else if (name == QLatin1String("existing_child_supp_pay_m")) {
            m_motherExistingChildSupportPayment = value;
        } else if (name == QLatin1String("existing_child_supp_pay_d")) {
            m_fatherExistingChildSupportPayment = value;
        } else if (name == QLatin1String("overnights_m")) {
            setMotherOvernights(low32(value));
        } else if (name == QLatin1String("health_ins_m")) {
            m_motherHealthInsurance = value;
        } else if (name == QLatin1String("health_ins_d")) {
            m_fatherHealthInsurance = value;
        } else if (name == QLatin1String("alimony_paid_m")) {
            m_motherAlimonyPaid = value;
        } else if (name == QLatin1String("alimony_paid_d")) {
            m_fatherAlimonyPaid = value;
        } else if (name == QLatin1String("alimony_award_m")) {
            setMotherAlimonyAwarded(value);
        } else if (name == QLatin1String("alimony_award_d")) {
            setFatherAlimonyAwarded(value);
        } else if (name == QLatin1String("wrcce_m")) {
            m_motherWorkRelatedExpenses = value;
        } else if (name == QLatin1String("wrcce_d")) {
            m_fatherWorkRelatedExpenses = value;
        } else if (name == QLatin1String("exmedex_m")) {
            m_motherExtraMedicalExpenses = value;
        } else if (name == QLatin1String("exmedex_d")) {
            m_fatherExtraMedicalExpenses = value;
        } else if (name == QLatin1String("addexp_m")) {
            m_motherAdditionalExpenses = value;
        } else if (name == QLatin1String("addexp_d")) {
            m_fatherAdditionalExpenses = value;
        } else if (name == QLatin1String("cmedsup_m")) {
            m_motherCashMedicalPercent = percentFromAmount(value, m_motherMonthlyIncome);
        } else if (name == QLatin1String("cmedsup_d")) {
            m_fatherCashMedicalPercent = percentFromAmount(value, m_fatherMonthlyIncome);
        } else if (name == QLatin1String("cmedpct_m")) {
            hasMotherPercent = percentFromText(text, &motherPercent) || hasMotherPercent;
        } else if (name == QLatin1String("cmedpct_d")) {
            hasFatherPercent = percentFromText(text, &fatherPercent) || hasFatherPercent;
        } else if (name.size() == 7 && name.startsWith(QLatin1String("childn")) && name.at(6) >= QLatin1Char('1')
                   && name.at(6) <= QLatin1Char('6')) {
            setChildName(name.at(6).digitValue(), text);
        } else if (name.size() == 5 && name.startsWith(QLatin1String("bday")) && name.at(4) >= QLatin1Char('1')
                   && name.at(4) <= QLatin1Char('6')) {
            setChildBirthDate(name.at(4).digitValue(), text);
        } else if (name == QLatin1String("comments")) {
            m_comments = text;
        } else if (name == QLatin1String("preparer")) {
            m_preparer = text;
        } else if (name == QLatin1String("circuit.Checked")) {
            if (text.toLower() == QLatin1String("true"))
                m_courtType = Circuit;
        } else if (name == QLatin1String("district.Checked")) {
            if (text.toLower() == QLatin1String("true"))
                m_courtType = District;
        } else if (name == QLatin1String("plaintiff_city")) {
            m_plaintiffCity = text;
        } else if (name == QLatin1String("plaintiff_zip")) {
            m_plaintiffZip = text;
        } else if (name == QLatin1String("plaintiff_addr")) {
            m_plaintiffAddress = text;
        } else if (name == QLatin1String("plaintiff_apt")) {
            m_plaintiffApt = text;
        } else if (name == QLatin1String("p_state_cli")) {
            m_plaintiffState = text;
        } else if (name == QLatin1String("defendant_city")) {
            m_defendantCity = text;
        } else if (name == QLatin1String("defendant_zip")) {
            m_defendantZip = text;
        } else if (name == QLatin1String("defendant_addr")) {
            m_defendantAddress = text;
        } else if (name == QLatin1String("defendant_apt")) {
            m_defendantApt = text;
        } else if (name == QLatin1String("d_state_cli")) {
            m_defendantState = text;
        } else if (name == QLatin1String("ali_paid")) {
            m_clientAlimonyPaid = text;
        } else if (name == QLatin1String("ali_recv")) {
            m_clientAlimonyReceived = text;
        } else if (name == QLatin1String("relationship_idx")) {
            m_relationshipIndex = low32(value);
        } else if (name == QLatin1String("multifam_m")) {
            motherMultifamily = value;
        } else if (name == QLatin1String("multifam_d")) {
            fatherMultifamily = value;
        } else if (name == QLatin1String("lasttype") || name == QLatin1String("sizefonts")
                   || name == QLatin1String("calcindex") || name == QLatin1String("cbo_cme_m.SelectedIndex")
                   || name == QLatin1String("cbo_cme_d.SelectedIndex") || name == QLatin1String("wife_cli")
                   || name == QLatin1String("husb_cli") || name == QLatin1String("relationship")) {
            qCritical() << "Unknown field value:" << text;
        } else {
            qWarning() << "OrvaDoc: unknown xml element:" << name;
        }
    }

    if (xml.hasError()) {
        qCritical() << "Error parsing xml:" << xml.errorString();
        return false;
    }

    // "PreOct2020", an unknown text and a missing element all mean the
    // guidelines before October 2020.
    if (!newGuidelines)
        m_mode = PreOct2020;
    if (hasMotherPercent)
        m_motherCashMedicalPercent = motherPercent;
    if (hasFatherPercent)
        m_fatherCashMedicalPercent = fatherPercent;
    // Applied once the version is settled: a count outside 0..6, or one in a
    // file of an older version, must not reach the computation.
    const auto count = [](qint64 value) { return int(std::clamp<qint64>(value, 0, MaxMultifamilyChildren)); };
    setMotherMultifamilyChildren(count(motherMultifamily));
    setFatherMultifamilyChildren(count(fatherMultifamily));

    m_untitled = false;
    m_filePath = path;
    m_documentName = path;
    setModified(false);
    m_extrapolationWarnedModes.clear();
    m_lastCheckedAdjustedCombinedIncome = 0;
    return true;
}
