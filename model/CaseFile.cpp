// The ".cml" case file of OrvaDocument: an XML file whose element names are
// fixed by the files already in users' hands, so they are spelled and cased
// exactly as older versions wrote them.

#include "CaseFileScan.h"
#include "OrvaDocument.h"
#include "SafeFile.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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

// The stored percent as text that reads back as the same number: one
// decimal as usual, more where the percent has them (1.25 from another file).
QString percentText(double percent)
{
    const QString oneDecimal = QString::number(percent, 'f', 1);
    if (oneDecimal.toDouble() == percent)
        return oneDecimal;
    return QString::number(percent, 'g', QLocale::FloatingPointShortest);
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


// ---- Reading ------------------------------------------------------------------

// Unknown and ignored elements are logged, but a file full of them must not
// fill the log or the memory: a few lines, each cut short.
constexpr int LoggedElementLimit = 32;
constexpr qsizetype LoggedTextLimit = 200;

QString notRead(const QString &reason, QString *error)
{
    if (error)
        *error = reason;
    return reason;
}

bool tooLarge(qint64 bytes, QString *error)
{
    qCritical() << "Can't open file:"
                << notRead(QStringLiteral("too large for a case file (%1 bytes; a case file has at most %2)")
                               .arg(bytes)
                               .arg(CaseFileSizeLimit),
                           error);
    return false;
}

// What a file's elements set besides plain fields, applied at the end.
struct ReadState {
    bool newGuidelines = false;
    bool hasPercent[2] = {false, false};
    double percent[2] = {0.0, 0.0};
    qint64 multifamily[2] = {0, 0}; // line 1d's counts, settled with the version
};

// A client mark as older files wrote it ("1", or "True" from a check box).
bool isChosen(const QString &text)
{
    const QString mark = text.trimmed();
    return mark == QLatin1String("1") || mark.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

using FieldReader = void (*)(OrvaDocument &document, ReadState &state, const QString &text, qint64 value);

#define ORVA_TEXT(element, setter) \
    {QStringLiteral(element), [](OrvaDocument &d, ReadState &, const QString &text, qint64) { d.setter(text); }}
#define ORVA_NUMBER(element, setter) \
    {QStringLiteral(element), [](OrvaDocument &d, ReadState &, const QString &, qint64 value) { d.setter(value); }}
#define ORVA_INT32(element, setter) \
    {QStringLiteral(element), [](OrvaDocument &d, ReadState &, const QString &, qint64 value) { d.setter(low32(value)); }}
#define ORVA_CHILD(n)                                                                                            \
    {QStringLiteral("childn" #n), [](OrvaDocument &d, ReadState &, const QString &text, qint64) { d.setChildName(n, text); }}, \
    {QStringLiteral("bday" #n), [](OrvaDocument &d, ReadState &, const QString &text, qint64) { d.setChildBirthDate(n, text); }}

// Every element whose text the reader uses, and what it does with it.
const QHash<QString, FieldReader> &fieldReaders()
{
    static const QHash<QString, FieldReader> readers = {
        {QStringLiteral("guidelines"),
         [](OrvaDocument &d, ReadState &state, const QString &text, qint64) {
             if (text == QLatin1String("Oct2020")) {
                 d.setMode(OrvaDocument::NewOct2020);
                 state.newGuidelines = true;
             } else if (text == QLatin1String("Jul2022")) {
                 d.setMode(OrvaDocument::July2022);
                 state.newGuidelines = true;
             }
         }},
        ORVA_TEXT("casenum", setCaseNumber),
        ORVA_TEXT("plaintiff", setPlaintiffName),
        ORVA_TEXT("defendant", setDefendantName),
        ORVA_NUMBER("Monthinc_m", setMotherMonthlyIncome),
        ORVA_NUMBER("Monthinc_d", setFatherMonthlyIncome),
        ORVA_INT32("Cbo_county.SelectedIndex", setCounty),
        {QStringLiteral("cbo_custody.SelectedIndex"),
         [](OrvaDocument &d, ReadState &, const QString &, qint64 value) {
             // Another value would keep the overnights of the type before it
             // and change the case over a save and reopen.
             if (value >= OrvaDocument::Shared && value <= OrvaDocument::SoleParent2)
                 d.setCustodyType(int(value));
             else
                 qWarning() << "OrvaDoc: custody type out of range, kept:" << value;
         }},
        ORVA_NUMBER("existing_child_supp_pay_m", setMotherExistingChildSupportPayment),
        ORVA_NUMBER("existing_child_supp_pay_d", setFatherExistingChildSupportPayment),
        ORVA_INT32("overnights_m", setMotherOvernights),
        ORVA_NUMBER("health_ins_m", setMotherHealthInsurance),
        ORVA_NUMBER("health_ins_d", setFatherHealthInsurance),
        ORVA_NUMBER("alimony_paid_m", setMotherAlimonyPaid),
        ORVA_NUMBER("alimony_paid_d", setFatherAlimonyPaid),
        ORVA_NUMBER("alimony_award_m", setMotherAlimonyAwarded),
        ORVA_NUMBER("alimony_award_d", setFatherAlimonyAwarded),
        ORVA_NUMBER("wrcce_m", setMotherWorkRelatedExpenses),
        ORVA_NUMBER("wrcce_d", setFatherWorkRelatedExpenses),
        ORVA_NUMBER("exmedex_m", setMotherExtraMedicalExpenses),
        ORVA_NUMBER("exmedex_d", setFatherExtraMedicalExpenses),
        ORVA_NUMBER("addexp_m", setMotherAdditionalExpenses),
        ORVA_NUMBER("addexp_d", setFatherAdditionalExpenses),
        {QStringLiteral("cmedsup_m"),
         [](OrvaDocument &d, ReadState &, const QString &, qint64 value) {
             d.setMotherCashMedicalPercent(percentFromAmount(value, d.motherMonthlyIncome()));
         }},
        {QStringLiteral("cmedsup_d"),
         [](OrvaDocument &d, ReadState &, const QString &, qint64 value) {
             d.setFatherCashMedicalPercent(percentFromAmount(value, d.fatherMonthlyIncome()));
         }},
        {QStringLiteral("cmedpct_m"),
         [](OrvaDocument &, ReadState &state, const QString &text, qint64) {
             state.hasPercent[0] = percentFromText(text, &state.percent[0]) || state.hasPercent[0];
         }},
        {QStringLiteral("cmedpct_d"),
         [](OrvaDocument &, ReadState &state, const QString &text, qint64) {
             state.hasPercent[1] = percentFromText(text, &state.percent[1]) || state.hasPercent[1];
         }},
        ORVA_CHILD(1), ORVA_CHILD(2), ORVA_CHILD(3), ORVA_CHILD(4), ORVA_CHILD(5), ORVA_CHILD(6),
        ORVA_TEXT("comments", setComments),
        ORVA_TEXT("preparer", setPreparer),
        {QStringLiteral("circuit.Checked"),
         [](OrvaDocument &d, ReadState &, const QString &text, qint64) {
             if (text.toLower() == QLatin1String("true"))
                 d.setCourtType(OrvaDocument::Circuit);
         }},
        {QStringLiteral("district.Checked"),
         [](OrvaDocument &d, ReadState &, const QString &text, qint64) {
             if (text.toLower() == QLatin1String("true"))
                 d.setCourtType(OrvaDocument::District);
         }},
        ORVA_TEXT("plaintiff_city", setPlaintiffCity),
        ORVA_TEXT("plaintiff_zip", setPlaintiffZip),
        ORVA_TEXT("plaintiff_addr", setPlaintiffAddress),
        ORVA_TEXT("plaintiff_apt", setPlaintiffApt),
        ORVA_TEXT("p_state_cli", setPlaintiffState),
        ORVA_TEXT("defendant_city", setDefendantCity),
        ORVA_TEXT("defendant_zip", setDefendantZip),
        ORVA_TEXT("defendant_addr", setDefendantAddress),
        ORVA_TEXT("defendant_apt", setDefendantApt),
        ORVA_TEXT("d_state_cli", setDefendantState),
        ORVA_TEXT("plaintiff_phone", setPlaintiffPhone),
        ORVA_TEXT("defendant_phone", setDefendantPhone),
        ORVA_TEXT("ali_paid", setClientAlimonyPaid),
        ORVA_TEXT("ali_recv", setClientAlimonyReceived),
        ORVA_INT32("relationship_idx", setRelationshipIndex),
        // "1" marks the chosen client; an empty element chooses nobody.
        {QStringLiteral("wife_cli"),
         [](OrvaDocument &d, ReadState &, const QString &text, qint64) {
             if (isChosen(text))
                 d.setFormsClient(OrvaDocument::FirstParentClient);
         }},
        {QStringLiteral("husb_cli"),
         [](OrvaDocument &d, ReadState &, const QString &text, qint64) {
             if (isChosen(text))
                 d.setFormsClient(OrvaDocument::SecondParentClient);
         }},
        {QStringLiteral("multifam_m"),
         [](OrvaDocument &, ReadState &state, const QString &, qint64 value) { state.multifamily[0] = value; }},
        {QStringLiteral("multifam_d"),
         [](OrvaDocument &, ReadState &state, const QString &, qint64 value) { state.multifamily[1] = value; }},
    };
    return readers;
}

#undef ORVA_TEXT
#undef ORVA_NUMBER
#undef ORVA_INT32
#undef ORVA_CHILD

// Elements older versions wrote and this one accepts without using them.
bool isIgnoredElement(QStringView name)
{
    static const QStringList names = {
        QStringLiteral("lasttype"), QStringLiteral("sizefonts"), QStringLiteral("calcindex"),
        QStringLiteral("cbo_cme_m.SelectedIndex"), QStringLiteral("cbo_cme_d.SelectedIndex"),
        QStringLiteral("relationship")};
    return names.contains(name);
}

// Elements nest this deep at most in a case file, the root being level 1:
// the reader holds every open level in memory, and a file of millions took
// gigabytes before it failed or opened.
constexpr int MaxNesting = 64;
// Levels of the elements inside a footnote.
constexpr int FootnoteChildLevel = 4;

// Skips the element the reader stands on, at `level`, and everything in it.
void skipElement(QXmlStreamReader &xml, int level)
{
    int depth = level;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > MaxNesting) {
            xml.raiseError(QStringLiteral("elements nested deeper than %1 levels").arg(MaxNesting));
            return;
        }
        if (token == QXmlStreamReader::EndElement && --depth < level)
            return;
    }
}

// The text of an element whose content is not kept, held only as far as a
// log line shows it. Child elements are an error, as where text is used.
QString skimElementText(QXmlStreamReader &xml)
{
    QString text;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            if (text.size() < LoggedTextLimit)
                text += xml.text().left(LoggedTextLimit - text.size());
            break;
        case QXmlStreamReader::EndElement:
            return text;
        case QXmlStreamReader::StartElement:
            xml.raiseError(QStringLiteral("Expected character data."));
            return text;
        default:
            break;
        }
    }
    return text;
}

// Why the XML reader stopped, in the words a user can act on.
QString xmlFailure(const QXmlStreamReader &xml, const CaseFileScan &scan)
{
    if (!scan.encodingValid)
        return QStringLiteral("the text encoding is wrong: line %1 is not valid %2 text (save the file as UTF-8, "
                              "or declare its encoding)")
            .arg(scan.invalidLine)
            .arg(scan.encoding);
    return QStringLiteral("not a valid case file (line %1: %2)").arg(xml.lineNumber()).arg(xml.errorString());
}

} // namespace

bool OrvaDocument::writeCaseFile(const QString &path, QString *error)
{
    // Made whole in memory, then written to a temporary file and moved over
    // the old one only when complete: a full disk or a crash while saving
    // never costs the case the user already had. Text mode: the line ends of
    // the system.
    const QByteArray bytes = caseFileBytes();
    QString reason = QStringLiteral("The case could not be encoded");
    if (bytes.isEmpty() || !Platform::writeFileSafely(path, bytes, &reason)) {
        qCritical() << "Can't open file:" << reason;
        if (error)
            *error = reason;
        return false;
    }

    m_untitled = false;
    m_filePath = path;
    m_documentName = path;
    setModified(false);
    return true;
}

QByteArray OrvaDocument::caseFileBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly | QIODevice::Text);
    if (!writeCaseXml(&buffer))
        return QByteArray();
    return bytes;
}

bool OrvaDocument::writeCaseXml(QIODevice *device) const
{
    // The stored figures are read from one computed worksheet.
    const WorksheetLines lines = worksheet();
    CaseWriter w(device);
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
    w.number("actual_adj_inc_m", lines.mother.adjustedActualIncome);
    w.number("actual_adj_inc_d", lines.father.adjustedActualIncome);
    w.number("wrcce_m", m_motherWorkRelatedExpenses);
    w.number("wrcce_d", m_fatherWorkRelatedExpenses);
    w.number("exmedex_m", m_motherExtraMedicalExpenses);
    w.number("exmedex_d", m_fatherExtraMedicalExpenses);
    w.number("addexp_m", m_motherAdditionalExpenses);
    w.number("addexp_d", m_fatherAdditionalExpenses);
    w.number("cmedsup_m", lines.mother.cashMedicalSupport);
    w.number("cmedsup_d", lines.father.cashMedicalSupport);
    // The percents themselves: rebuilding them from the amounts above loses
    // them for small or zero incomes. Older readers only log these two.
    w.text("cmedpct_m", percentText(m_motherCashMedicalPercent));
    w.text("cmedpct_d", percentText(m_fatherCashMedicalPercent));
    w.number("rec_child_sup_m", lines.mother.recommendedChildSupport);
    w.number("rec_child_sup_d", lines.father.recommendedChildSupport);
    w.number("comb_inc", lines.combinedIncome);
    w.number("adj_comb_inc", lines.adjustedCombinedIncome);
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
    const auto chosen = [this](FormsClient client) { return m_formsClient == client ? QStringLiteral("1") : QString(); };
    w.text("wife_cli", chosen(FirstParentClient));
    w.text("husb_cli", chosen(SecondParentClient));
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
    // The telephones as well, only where there is one: older readers log and
    // skip them.
    if (!m_plaintiffPhone.isEmpty())
        w.text("plaintiff_phone", m_plaintiffPhone);
    if (!m_defendantPhone.isEmpty())
        w.text("defendant_phone", m_defendantPhone);

    xml.writeEndElement(); // case
    xml.writeEndElement(); // Case
    xml.writeEndDocument();

    return !xml.hasError();
}

bool OrvaDocument::readCaseFile(const QString &path, QString *error)
{
    // A pipe or device would block or never end; only files are read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        const QString reason = notRead(info.isDir() ? QStringLiteral("a folder, not a case file")
                                                    : QStringLiteral("not a regular file"),
                                       error);
        qCritical() << "Can't open file:" << reason;
        return false;
    }
    if (info.size() > CaseFileSizeLimit)
        return tooLarge(info.size(), error);
    // Bytes as they are: text mode would drop every 0x0D byte, which in
    // UTF-16 text is half of a character such as U+010D.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical() << "Can't open file:" << notRead(file.errorString(), error);
        return false;
    }

    const CaseFileScan scan = scanCaseFile(&file);
    if (scan.tooLarge)
        return tooLarge(scan.bytes, error);
    if (!scan.encodingKnown) {
        qCritical() << "Error parsing xml:"
                    << notRead(QStringLiteral("the text encoding \"%1\" is not supported").arg(scan.encoding), error);
        return false;
    }
    if (scan.overloaded) {
        qCritical() << "Error parsing xml:"
                    << notRead(QStringLiteral("not a valid case file (line %1: more attributes than a case file "
                                              "can carry, %2 in one element)")
                                   .arg(scan.overloadedLine)
                                   .arg(scan.overloadedCount),
                               error);
        return false;
    }
    if (!file.seek(0)) {
        qCritical() << "Can't open file:" << notRead(file.errorString(), error);
        return false;
    }
    if (!readCaseElements(&file, scan, error))
        return false;

    m_untitled = false;
    m_filePath = path;
    m_documentName = path;
    setModified(false);
    m_extrapolationWarnedModes.clear();
    m_lastCheckedAdjustedCombinedIncome = 0;
    return true;
}

bool OrvaDocument::readCaseElements(QIODevice *device, const CaseFileScan &scan, QString *error)
{
    QXmlStreamReader xml(device);
    // Bytes that are no text stop the reader before it finds any element.
    auto startFailure = [&](const char *logLine) {
        qCritical() << logLine;
        notRead(xml.hasError() && !scan.encodingValid ? xmlFailure(xml, scan)
                                                      : QStringLiteral("not an OrvaCalc case file"),
                error);
        return false;
    };
    if (!xml.readNextStartElement())
        return startFailure("Can't read start element");
    if (xml.name() != QLatin1String("Case"))
        return startFailure("Wrong start element");
    if (!xml.readNextStartElement())
        return startFailure("Can't read start element");
    if (xml.qualifiedName() != QLatin1String("case"))
        return startFailure("Wrong start element");

    const QHash<QString, FieldReader> &readers = fieldReaders();
    ReadState state;
    int logged = 0;
    qint64 unlogged = 0;
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
                    skipElement(xml, FootnoteChildLevel);
            }
            if (!xml.hasError() && !note.isEmpty() && number >= 1 && number <= FootnoteCount)
                setFootnote(number, note);
            continue;
        }

        const auto reader = readers.constFind(name);
        if (reader != readers.cend()) {
            // A file in an encoding the reader only half knows can decode to
            // broken surrogate halves; keep the case storable as it was opened.
            const QString text = xmlSafe(xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement));
            if (xml.hasError())
                break;
            reader.value()(*this, state, text, numberOf(text));
            continue;
        }

        const QString text = skimElementText(xml);
        if (xml.hasError())
            break;
        if (logged >= LoggedElementLimit) {
            ++unlogged;
        } else if (isIgnoredElement(name)) {
            ++logged;
            qCritical() << "Unknown field value:" << text;
        } else {
            ++logged;
            qWarning() << "OrvaDoc: unknown xml element:" << name.left(LoggedTextLimit);
        }
    }
    if (unlogged > 0)
        qWarning() << "OrvaDoc:" << unlogged << "more unknown or ignored elements";

    if (xml.hasError()) {
        qCritical() << "Error parsing xml:" << notRead(xmlFailure(xml, scan), error);
        return false;
    }

    // "PreOct2020", an unknown text and a missing element all mean the
    // guidelines before October 2020.
    if (!state.newGuidelines)
        m_mode = PreOct2020;
    if (state.hasPercent[0])
        m_motherCashMedicalPercent = state.percent[0];
    if (state.hasPercent[1])
        m_fatherCashMedicalPercent = state.percent[1];
    // A count outside 0..6 must not reach the computation; under an older
    // version the count is kept, and only counts again under July 2022.
    const auto count = [](qint64 value) { return int(std::clamp<qint64>(value, 0, MaxMultifamilyChildren)); };
    setMotherMultifamilyChildren(count(state.multifamily[0]));
    setFatherMultifamilyChildren(count(state.multifamily[1]));
    return true;
}
