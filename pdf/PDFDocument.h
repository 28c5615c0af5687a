#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class OrvaDocument;
class QPainter;
struct WorksheetLines;

// The worksheet page model of one output: the command lines of the layout
// script and the field table its text items are bound to. Built fresh for
// every rendering, filled once, drawn, discarded.
class PDFDocument : public QObject
{
    Q_OBJECT

public:
    explicit PDFDocument(QObject *parent = nullptr);

    // ---- Layout scripts ------------------------------------------------------
    // Resource paths of the worksheet scripts. The July 2022 ones carry
    // line 1d (multifamily adjustment); the others serve the older versions.
    static const QString SoleLayoutPath;
    static const QString SharedLayoutPath;
    static const QString SharedLayoutPreOct2020Path;
    static const QString SoleLayoutJuly2022Path;
    static const QString SharedLayoutJuly2022Path;
    // Continuation pages of Worksheets A and B: the comments and footnotes
    // that their own box cannot hold. The July 2022 ones carry the court
    // form's footer.
    static const QString SoleContinuationPath;
    static const QString SharedContinuationPath;
    static const QString SoleContinuationJuly2022Path;
    static const QString SharedContinuationJuly2022Path;

    void loadSoleLayout();
    void loadSharedLayout();
    void loadSharedLayoutPreOct2020();
    void loadSoleLayoutJuly2022();
    void loadSharedLayoutJuly2022();
    QStringList soleLayout() const { return m_soleLayout; }
    QStringList sharedLayout() const { return m_sharedLayout; }
    QStringList continuationLayout() const { return m_continuationLayout; }
    // Loads the script that the case's custody type and guideline version
    // call for, with its continuation page, and returns its lines.
    QStringList loadWorksheetLayout(const OrvaDocument &document);

    // Reads a script resource or file: one command line per text line; blank
    // lines and lines starting with '#' are notes for whoever edits the script.
    static QStringList readLayoutLines(const QString &path);

    // ---- Field table ----------------------------------------------------------
    // Every field name a worksheet of the older versions knows, in no
    // particular order.
    static QStringList knownFieldNames();
    // The names of the worksheet a case of `mode` and `custodyType` prints:
    // under July 2022 those of its court form only, numbered as the form.
    static QStringList knownFieldNames(int mode, int custodyType);

    // Creates every known field with empty text, then sets the captions.
    void initFields(const OrvaDocument &document);
    // Stores `text` under `name`; an unknown name is logged and stored anyway.
    void setField(const QString &name, const QString &text);
    void setNumberField(const QString &name, double value, bool blankIfZero = false);
    void setNumberField(const QString &name, qint64 value, bool blankIfZero = false);
    // Worksheet A (sole custody) and Worksheet B (shared custody) field lists.
    void fillSoleWorksheetFields(const OrvaDocument &document);
    void fillSharedWorksheetFields(const OrvaDocument &document);
    // initFields and then the field list of the case's custody type.
    void fillWorksheetFields(const OrvaDocument &document);

    // Text of a field; empty when the name is absent.
    QString field(const QString &name) const { return m_fields.value(name); }
    QHash<QString, QString> fields() const { return m_fields; }

    // Text forms of the worksheet.
    static QString numberText(double value);
    static QString numberText(qint64 value);
    static QString percentText(float fraction);

    // ---- Drawing ----------------------------------------------------------------
    // Executes `lines` on an active painter whose page set-up is done;
    // `custodyType` selects the height of the comments box. Comments that do
    // not fit go on pages of the loaded continuation script. Returns the
    // number of pages drawn.
    int drawLayout(QPainter *painter, const QStringList &lines, int custodyType) const;

private:
    // The July 2022 forms' own names (CourtFormFields.cpp).
    static QStringList courtFormFieldNames(bool shared);
    void fillCourtFormHeader(const OrvaDocument &document);
    void fillSoleCourtForm(const OrvaDocument &document, const WorksheetLines &lines);
    void fillSharedCourtForm(const OrvaDocument &document, const WorksheetLines &lines);
    // A line the form fills in for the parent who owes only: that parent's
    // amount, the other column empty; 0 in both when neither owes.
    void setOwedPair(const QString &line, qint64 mother, qint64 father);

    void fillCommonFields(const OrvaDocument &document, const WorksheetLines &lines);
    void fillExpenseRows(const OrvaDocument &document, const WorksheetLines &lines, const QString &totals);
    void fillExpenseLetters(const WorksheetLines &lines);
    void setNumberWithFootnote(const QString &name, qint64 value, const OrvaDocument &document, int slot);
    // `note` stands first: a comment the worksheet itself calls for.
    void setCommentsBlock(const OrvaDocument &document, const QString &note = QString());

    QStringList m_soleLayout;
    QStringList m_sharedLayout;
    QStringList m_continuationLayout;
    QHash<QString, QString> m_fields;

    // Footnote numbering while a field list is filled.
    int m_footnoteCounter = 0;
    QStringList m_footnoteTexts;
};
