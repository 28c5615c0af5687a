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
    // that their own box cannot hold.
    static const QString SoleContinuationPath;
    static const QString SharedContinuationPath;

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
    // Every field name a worksheet knows, in no particular order.
    static QStringList knownFieldNames();

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
    void fillCommonFields(const OrvaDocument &document, const WorksheetLines &lines);
    void fillExpenseRows(const OrvaDocument &document, const WorksheetLines &lines, const QString &totals);
    void setNumberWithFootnote(const QString &name, qint64 value, const OrvaDocument &document, int slot);
    void setCommentsBlock(const OrvaDocument &document);

    QStringList m_soleLayout;
    QStringList m_sharedLayout;
    QStringList m_continuationLayout;
    QHash<QString, QString> m_fields;

    // Footnote numbering while a field list is filled.
    int m_footnoteCounter = 0;
    QStringList m_footnoteTexts;
};
