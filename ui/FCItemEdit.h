#pragma once

#include <QFrame>

class QHBoxLayout;
class MyLineEdit;
class SquareButton;

// Amount entry with a footnote ("F") and a calculator ("C") button, both shown
// only while the field has focus; the owner opens what they ask for. Whole
// dollars, read as every window reads them (AmountText): text that is no such
// amount, or a negative one where none can be, changes nothing and is marked
// until it converts again; leaving the field then brings back the amount
// last shown.
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

    // What a negative amount does: taken as typed (the default), refused
    // like text that is no amount, or taken with an amber note saying so.
    enum class Negative { Taken, Refused, Noted };
    void setNegative(Negative rule, const QString &note = QString());

    // True while the text cannot be used (shown with a red border).
    bool isInvalid() const { return m_invalid; }
    // The amber note on the amount shown; empty when there is none.
    QString note() const { return m_note; }

    MyLineEdit *lineEdit() const { return m_edit; }

    static QString invalidToolTip();

    // The owner's answers to the buttons: the edited footnote (reported as
    // footnoteChanged; the owner hands it back with setFootnote), and a
    // converted amount, taken as if typed.
    void reportFootnote(const QString &text);
    void applyConvertedAmount(const QString &text);

    // Reads an amount as every window does (AmountText::parseAmount), and
    // refuses a negative one where the field takes none.
    bool readAmount(const QString &text, qlonglong *amount) const;

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
    void applyText(const QString &text);
    void setInvalid(bool invalid, const QString &reason = QString());
    void setAmountNote(qlonglong amount);
    void updateMark();
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
    QString m_invalidReason;
    Negative m_negative = Negative::Taken;
    QString m_negativeNote;
    QString m_note;
};
