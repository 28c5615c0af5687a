#pragma once

#include <QDate>
#include <QObject>
#include <QSet>
#include <QString>

#include "WorksheetLines.h"

class QIODevice;
struct CaseFileScan;

// Declares a stored member with a plain getter and a plain setter: the setter
// stores the value unchanged and does nothing else (no signal, no recompute).
#define ORVA_PLAIN_FIELD(Type, name, setter, initial)                                              \
public:                                                                                            \
    Type name() const { return m_##name; }                                                         \
    void setter(Type value) { m_##name = value; }                                                  \
                                                                                                   \
private:                                                                                           \
    Type m_##name = initial;

// One child-support case: everything the user enters, the file identity of the
// case, and (as member operations) every worksheet figure computed from it.
// Nothing computed is cached: every operation recomputes from the stored fields.
class OrvaDocument : public QObject
{
    Q_OBJECT

public:
    // Fixed underlying types: a case file may carry any number for these.
    enum Mode : int { UnknownMode = 0, PreOct2020 = 1, NewOct2020 = 2, July2022 = 3, MaxMode = 4 };
    Q_ENUM(Mode)

    enum CustodyType : int {
        Shared = 0,
        SoleMother = 1,
        SoleFather = 2,
        SharedP1P2 = 3,
        SoleParent1 = 4,
        SoleParent2 = 5
    };
    Q_ENUM(CustodyType)

    enum County {
        Allegany_County = 0,
        Anne_Arundel_County,
        Baltimore_City,
        Baltimore_County,
        Calvert_County,
        Caroline_County,
        Carroll_County,
        Cecil_County,
        Charles_County,
        Dorchester_County,
        Frederick_County,
        Garrett_County,
        Harford_County,
        Howard_County,
        Kent_County,
        Montgomery_County,
        Prince_Georges_County,
        Queen_Annes_County,
        Somerset_County,
        StMarys_County,
        Talbot_County,
        Washington_County,
        Wicomico_County,
        Worcester_County
    };
    Q_ENUM(County)

    enum CourtType : int { Circuit = 1, District = 2 };
    Q_ENUM(CourtType)

    // The five expense kinds of the worksheets, in worksheet order.
    enum ExpenseKind { WorkRelated = 0, HealthInsurance, ExtraMedical, CashMedical, Additional };
    Q_ENUM(ExpenseKind)

    enum Parent { Mother = 0, Father = 1 };
    Q_ENUM(Parent)

    // Outcome of the above-schedule check run at every refresh.
    enum ExtrapolationCheck {
        ExtrapolationNoChange,    // income unchanged since the last check: leave the highlight
        ExtrapolationHighlight,   // above the schedule: highlight only
        ExtrapolationWarn,        // above the schedule: highlight and raise the warning
        ExtrapolationWithinLimit  // at or below the schedule top: remove the highlight
    };
    Q_ENUM(ExtrapolationCheck)

    static constexpr int CountyCount = 24;
    static constexpr int FootnoteCount = 18;

    explicit OrvaDocument(Mode mode, QObject *parent = nullptr);

    // The guideline version a new case gets on `date`: July 2022 from
    // 1 July 2022 on, October 2020 before.
    static Mode modeForNewCase(const QDate &date = QDate::currentDate());
    // Display text of a county, "Unknown" outside 0..23.
    static QString countyName(int county);
    static QString custodyTypeName(int custodyType);
    static bool isSharedCustody(int custodyType) { return custodyType == Shared || custodyType == SharedP1P2; }
    static bool isSoleMotherCustody(int custodyType) { return custodyType == SoleMother || custodyType == SoleParent1; }
    static bool isSoleFatherCustody(int custodyType) { return custodyType == SoleFather || custodyType == SoleParent2; }

    // ---- File identity -------------------------------------------------------
    ORVA_PLAIN_FIELD(QString, documentName, setDocumentName, QStringLiteral("Unsaved"))
    ORVA_PLAIN_FIELD(QString, filePath, setFilePath, QString())
public:
    bool modified() const { return m_modified; }
    void setModified(bool flag);
    ORVA_PLAIN_FIELD(bool, untitled, setUntitled, true)

    // ---- Case header -----------------------------------------------------------
    ORVA_PLAIN_FIELD(QString, caseNumber, setCaseNumber, QString())
    ORVA_PLAIN_FIELD(QString, preparer, setPreparer, QString())
    ORVA_PLAIN_FIELD(QString, preparedDate, setPreparedDate, QString())
    ORVA_PLAIN_FIELD(QString, plaintiffName, setPlaintiffName, QString())
    ORVA_PLAIN_FIELD(QString, defendantName, setDefendantName, QString())
    ORVA_PLAIN_FIELD(QString, child1Name, setChild1Name, QString())
    ORVA_PLAIN_FIELD(QString, child1BirthDate, setChild1BirthDate, QString())
    ORVA_PLAIN_FIELD(QString, child2Name, setChild2Name, QString())
    ORVA_PLAIN_FIELD(QString, child2BirthDate, setChild2BirthDate, QString())
    ORVA_PLAIN_FIELD(QString, child3Name, setChild3Name, QString())
    ORVA_PLAIN_FIELD(QString, child3BirthDate, setChild3BirthDate, QString())
    ORVA_PLAIN_FIELD(QString, child4Name, setChild4Name, QString())
    ORVA_PLAIN_FIELD(QString, child4BirthDate, setChild4BirthDate, QString())
    ORVA_PLAIN_FIELD(QString, child5Name, setChild5Name, QString())
    ORVA_PLAIN_FIELD(QString, child5BirthDate, setChild5BirthDate, QString())
    ORVA_PLAIN_FIELD(QString, child6Name, setChild6Name, QString())
    ORVA_PLAIN_FIELD(QString, child6BirthDate, setChild6BirthDate, QString())
public:
    // Children by index 1..6 (out of range: empty / ignored).
    QString childName(int index) const;
    QString childBirthDate(int index) const;
    void setChildName(int index, const QString &name);
    void setChildBirthDate(int index, const QString &date);

    // ---- Guideline version, court and custody -----------------------------------
    ORVA_PLAIN_FIELD(Mode, mode, setMode, UnknownMode)
    ORVA_PLAIN_FIELD(int, county, setCounty, 0)
    ORVA_PLAIN_FIELD(CourtType, courtType, setCourtType, Circuit)
public:
    CustodyType custodyType() const { return m_custodyType; }
    void setCustodyType(int value);

    // ---- Mother ------------------------------------------------------------------
    ORVA_PLAIN_FIELD(qint64, motherMonthlyIncome, setMotherMonthlyIncome, 0)
    ORVA_PLAIN_FIELD(qint64, motherExistingChildSupportPayment, setMotherExistingChildSupportPayment, 0)
    ORVA_PLAIN_FIELD(qint64, motherAlimonyPaid, setMotherAlimonyPaid, 0)
public:
    qint64 motherAlimonyAwarded() const { return m_motherAlimonyAwarded; }
    void setMotherAlimonyAwarded(qint64 value);
    int motherOvernights() const { return m_motherOvernights; }
    void setMotherOvernights(int value);
    ORVA_PLAIN_FIELD(qint64, motherWorkRelatedExpenses, setMotherWorkRelatedExpenses, 0)
    ORVA_PLAIN_FIELD(qint64, motherHealthInsurance, setMotherHealthInsurance, 0)
    ORVA_PLAIN_FIELD(qint64, motherExtraMedicalExpenses, setMotherExtraMedicalExpenses, 0)
    ORVA_PLAIN_FIELD(double, motherCashMedicalPercent, setMotherCashMedicalPercent, 0.0)
    ORVA_PLAIN_FIELD(qint64, motherAdditionalExpenses, setMotherAdditionalExpenses, 0)

    // ---- Father ------------------------------------------------------------------
    ORVA_PLAIN_FIELD(qint64, fatherMonthlyIncome, setFatherMonthlyIncome, 0)
    ORVA_PLAIN_FIELD(qint64, fatherExistingChildSupportPayment, setFatherExistingChildSupportPayment, 0)
    ORVA_PLAIN_FIELD(qint64, fatherAlimonyPaid, setFatherAlimonyPaid, 0)
public:
    qint64 fatherAlimonyAwarded() const { return m_fatherAlimonyAwarded; }
    void setFatherAlimonyAwarded(qint64 value);
    int fatherOvernights() const { return m_fatherOvernights; }
    void setFatherOvernights(int value);
    ORVA_PLAIN_FIELD(qint64, fatherWorkRelatedExpenses, setFatherWorkRelatedExpenses, 0)
    ORVA_PLAIN_FIELD(qint64, fatherHealthInsurance, setFatherHealthInsurance, 0)
    ORVA_PLAIN_FIELD(qint64, fatherExtraMedicalExpenses, setFatherExtraMedicalExpenses, 0)
    ORVA_PLAIN_FIELD(double, fatherCashMedicalPercent, setFatherCashMedicalPercent, 0.0)
    ORVA_PLAIN_FIELD(qint64, fatherAdditionalExpenses, setFatherAdditionalExpenses, 0)

    // ---- Other children in each parent's home (line 1d, multifamily adjustment) ----
public:
    static constexpr int MaxMultifamilyChildren = 6;
    // Only the July 2022 guidelines carry line 1d.
    static bool hasMultifamilyAdjustment(int mode) { return mode == July2022; }
    int motherMultifamilyChildren() const { return m_motherMultifamilyChildren; }
    int fatherMultifamilyChildren() const { return m_fatherMultifamilyChildren; }
    // Clamped to 0..6 (more than six count as six, like the schedule's last
    // column). Kept under every version, so that a switch away and back
    // loses nothing; only the July 2022 worksheet counts them.
    void setMotherMultifamilyChildren(int value);
    void setFatherMultifamilyChildren(int value);

    // ---- Client details ------------------------------------------------------------
    ORVA_PLAIN_FIELD(QString, plaintiffAddress, setPlaintiffAddress, QString())
    ORVA_PLAIN_FIELD(QString, plaintiffCity, setPlaintiffCity, QString())
    ORVA_PLAIN_FIELD(QString, plaintiffApt, setPlaintiffApt, QString())
    ORVA_PLAIN_FIELD(QString, plaintiffState, setPlaintiffState, QString())
    ORVA_PLAIN_FIELD(QString, plaintiffZip, setPlaintiffZip, QString())
    ORVA_PLAIN_FIELD(QString, defendantAddress, setDefendantAddress, QString())
    ORVA_PLAIN_FIELD(QString, defendantCity, setDefendantCity, QString())
    ORVA_PLAIN_FIELD(QString, defendantApt, setDefendantApt, QString())
    ORVA_PLAIN_FIELD(QString, defendantState, setDefendantState, QString())
    ORVA_PLAIN_FIELD(QString, defendantZip, setDefendantZip, QString())
    // Printed in the header block of the July 2022 worksheets.
    ORVA_PLAIN_FIELD(QString, plaintiffPhone, setPlaintiffPhone, QString())
    ORVA_PLAIN_FIELD(QString, defendantPhone, setDefendantPhone, QString())
    ORVA_PLAIN_FIELD(QString, clientAlimonyPaid, setClientAlimonyPaid, QString())
    ORVA_PLAIN_FIELD(QString, clientAlimonyReceived, setClientAlimonyReceived, QString())
    ORVA_PLAIN_FIELD(int, relationshipIndex, setRelationshipIndex, 0)
public:
    // Whose financial statement the court's forms are: the first parent
    // column, the second, or nobody chosen yet.
    enum FormsClient : int { NoClient = 0, FirstParentClient = 1, SecondParentClient = 2 };
    FormsClient formsClient() const { return m_formsClient; }
    // Anything other than 1 or 2 is nobody.
    void setFormsClient(int client);

private:
    FormsClient m_formsClient = NoClient;

public:
    ORVA_PLAIN_FIELD(QString, comments, setComments, QString())

public:
    // ---- Footnotes 1..18: odd numbers the mother's, even the father's ----------------
    QString footnote(int number) const;
    void setFootnote(int number, const QString &text);

    // ---- Warning state ---------------------------------------------------------------
    QSet<Mode> extrapolationWarnedModes() const { return m_extrapolationWarnedModes; }
    void setExtrapolationWarnedModes(const QSet<Mode> &modes) { m_extrapolationWarnedModes = modes; }
    ORVA_PLAIN_FIELD(qint64, lastCheckedAdjustedCombinedIncome, setLastCheckedAdjustedCombinedIncome, 0)

public:
    // ---- The worksheet -------------------------------------------------------------------
    // The inputs of the worksheet arithmetic, read from the stored fields.
    WorksheetInput worksheetInput() const;
    // Every worksheet line and both warnings' figures, computed afresh.
    WorksheetLines worksheet() const { return computeWorksheetLines(worksheetInput()); }

    // ---- Lines 1 to 4 -------------------------------------------------------------------
    qint64 combinedIncome() const;
    // Line 1d: the allowance for the other children in the parent's home.
    qint64 motherMultifamilyAdjustment() const;
    qint64 fatherMultifamilyAdjustment() const;
    qint64 motherAdjustedActualIncome() const;
    qint64 fatherAdjustedActualIncome() const;
    qint64 adjustedCombinedIncome() const;
    float motherIncomeShare() const;
    float fatherIncomeShare() const;
    // Children with a name or a birth date (1 to 6; at least 1).
    int childCount() const;
    qint64 basicObligation() const;
    qint64 extrapolationLimit() const;
    // The top of a version's schedule: above it the obligation is extrapolated.
    static qint64 extrapolationLimitFor(int mode);

    // ---- Expenses and Worksheet A (sole custody) ------------------------------------------
    qint64 motherCashMedicalSupport() const;
    qint64 fatherCashMedicalSupport() const;
    qint64 totalWorkRelatedExpenses() const;
    qint64 totalHealthInsurance() const;
    qint64 totalExtraMedicalExpenses() const;
    qint64 totalCashMedicalSupport() const;
    qint64 totalAdditionalExpenses() const;
    qint64 totalChildSupportObligation() const;
    qint64 motherObligation() const;
    qint64 fatherObligation() const;
    qint64 motherDirectPayments() const;
    qint64 fatherDirectPayments() const;
    // Sole custody: line 7 of Worksheet A; shared custody: line 10 of Worksheet B.
    qint64 motherBasicSupportDue() const;
    qint64 fatherBasicSupportDue() const;
    // Sole custody: line 8 of Worksheet A; shared custody: line 14 of Worksheet B.
    qint64 motherRecommendedChildSupport() const;
    qint64 fatherRecommendedChildSupport() const;

    // ---- Worksheet B (shared custody) ---------------------------------------------------------
    qint64 sharedBasicObligation() const;
    float motherTimeShare() const;
    float fatherTimeShare() const;
    qint64 motherSharedObligation() const;
    qint64 fatherSharedObligation() const;
    qint64 motherSharedAdjustment() const;
    qint64 fatherSharedAdjustment() const;
    qint64 motherAdjustedSharedObligation() const;
    qint64 fatherAdjustedSharedObligation() const;
    qint64 motherAmountOwed() const;
    qint64 fatherAmountOwed() const;
    qint64 expensePortion(Parent parent, ExpenseKind kind) const;
    qint64 expenseExcess(Parent parent, ExpenseKind kind) const;
    qint64 cashMedicalCredit(Parent parent) const;
    qint64 expenseCredits(Parent parent) const;
    qint64 expenseBalanceDue(Parent parent) const;
    // Overnights adjustment factor of the October 2020 and July 2022 guidelines
    // for a parent with `overnights` nights; 0 under any other mode.
    double overnightsFactor(int overnights) const;

    // ---- Warnings ---------------------------------------------------------------------------------
    // True when the parent's shared-custody recommendation exceeds what the
    // same parent would pay under sole custody; `soleValue` receives that sole
    // figure when the check gets that far.
    bool motherRecommendedChildSupportWarning(qint64 &soleValue) const;
    bool fatherRecommendedChildSupportWarning(qint64 &soleValue) const;
    // The same warning read from lines already computed.
    static bool sharedAboveSoleWarning(const WorksheetLines &lines, Parent parent, qint64 &soleValue);
    bool hasSharedAboveSoleWarning() const;
    ExtrapolationCheck checkExtrapolation(bool quiet);
    // The same check on the adjusted combined income of `lines`, computed
    // from this case.
    ExtrapolationCheck checkExtrapolation(bool quiet, const WorksheetLines &lines);

    static QString extrapolationWarningText(Mode mode);
    static QString sharedAboveSoleNoticeText();
    static QString sharedAboveSoleQuestionText();

    // ---- Case file (.cml) ---------------------------------------------------------------------------
    // Writes the case as the file `path`, replacing it only once all of it is
    // written; then the document takes `path` as its file and is unmodified.
    // False with the reason in `error`; the previous file is then unchanged.
    bool writeCaseFile(const QString &path, QString *error = nullptr);
    // Reads `path` into this document, which the caller created fresh and
    // keeps only on success. False with the reason in `error`.
    bool readCaseFile(const QString &path, QString *error = nullptr);
    // The bytes writeCaseFile would write, leaving the document as it is
    // (its file, name and modified flag); empty when they cannot be made.
    QByteArray caseFileBytes() const;

signals:
    void modifiedFlagChanged(bool modified);

private:
    // The case file's XML; false when the writer fails.
    bool writeCaseXml(QIODevice *device) const;
    bool readCaseElements(QIODevice *device, const CaseFileScan &scan, QString *error);

    bool m_modified = false;
    CustodyType m_custodyType = Shared;
    qint64 m_motherAlimonyAwarded = 0;
    qint64 m_fatherAlimonyAwarded = 0;
    int m_motherOvernights = 237;
    int m_fatherOvernights = 128;
    int m_motherMultifamilyChildren = 0;
    int m_fatherMultifamilyChildren = 0;
    QString m_footnotes[FootnoteCount];
    QSet<Mode> m_extrapolationWarnedModes;
};

#undef ORVA_PLAIN_FIELD
