#pragma once

#include <QFrame>

class QHBoxLayout;
class MyLineEdit;
class SquareButton;

// Amount entry with a footnote ("F") and a calculator ("C") button, both shown
// only while the field has focus; the owner opens what they ask for. Whole dollars, written as people write them
// ("4500", "4,500", "$4,500"): text that is no such amount changes nothing and
// is marked until it converts again; leaving the field then brings back the
// amount last shown.
class FCItemEdit : public QFrame
{
    Q_OBJECT

public:
    explicit FCItemEdit(QWidget *parent = nullptr);

    // Shows `value`: empty for 0, else general notation with 15 digits. Text
    // being typed that already stands for `value` is left as it is, with its
    // cursor, selection and undo steps.
    void setValue(double value);
    // The amount the text reads as; while it reads as none, the amount the
    // field held before it was typed into.
    qlonglong value() const;

    void setFootnote(const QString &text) { m_footnote = text; }
    QString footnote() const { return m_footnote; }

    // True while the text is not a whole number (shown with a red border).
    bool isInvalid() const { return m_invalid; }

    MyLineEdit *lineEdit() const { return m_edit; }

    // What a screen reader calls the field; its buttons are named after it.
    void setFieldName(const QString &name);

    static QString invalidToolTip();
    // What a screen reader says of the field while it is not marked.
    static QString fieldDescription();

    // The owner's answers to the buttons: the edited footnote (reported as
    // footnoteChanged; the owner hands it back with setFootnote), and a
    // converted amount, taken as if typed.
    void reportFootnote(const QString &text);
    void applyConvertedAmount(const QString &text);

    // Reads a whole-dollar amount: digits with an optional sign, a leading
    // "$", commas between groups of three digits and blanks around it. Empty
    // text is 0. False for anything else.
    static bool parseAmount(const QString &text, qlonglong *amount);

signals:
    void footnoteChanged(const QString &value);
    void valueChanged(qlonglong value);
    // The F button: the footnote is to be edited.
    void footnoteRequested();
    // The C button: `amount`, the text of the field, is to be converted.
    void rateConverterRequested(const QString &amount);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void onFocusChanged(bool focused);
    void on_footnoteButton_clicked();
    void on_calcButton_clicked();
    void on_edit_textEdited(const QString &value);

private:
    void setupUi();
    void ensureButtons();
    void nameButtons();
    void applyText(const QString &text);
    void setInvalid(bool invalid);
    void restoreShownValue();

    QHBoxLayout *m_horizontalLayout_2 = nullptr;
    MyLineEdit *m_edit = nullptr;
    QFrame *m_frame = nullptr;
    QHBoxLayout *m_horizontalLayout = nullptr;
    SquareButton *m_footnoteButton = nullptr;
    SquareButton *m_calcButton = nullptr;

    QString m_footnote;
    qlonglong m_entryValue = 0; // held before the typing began
    qlonglong m_reported = 0;   // last reported or shown
    bool m_typing = false;      // entered and not yet left
    Qt::FocusReason m_focusReason = Qt::OtherFocusReason;
    bool m_invalid = false;
};
