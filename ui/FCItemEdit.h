#pragma once

#include <QFrame>

class QHBoxLayout;
class MyLineEdit;
class SquareButton;

// Amount entry with a footnote ("F") and a calculator ("C") button, both shown
// only while the field has focus. Whole dollars only: text that is not a
// whole number changes nothing and is marked until it converts again; leaving
// the field then brings back the amount last shown.
class FCItemEdit : public QFrame
{
    Q_OBJECT

public:
    explicit FCItemEdit(QWidget *parent = nullptr);

    // Shows `value`: empty for 0, else general notation with 15 digits.
    void setValue(double value);
    // The text as a decimal integer; 0 when it is not one.
    qlonglong value() const;

    void setFootnote(const QString &text) { m_footnote = text; }
    QString footnote() const { return m_footnote; }

    // True while the text is not a whole number (shown with a red border).
    bool isInvalid() const { return m_invalid; }

    MyLineEdit *lineEdit() const { return m_edit; }

    static QString invalidToolTip();

signals:
    void footnoteChanged(const QString &value);
    void valueChanged(qlonglong value);

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
    void setInvalid(bool invalid);
    void restoreShownValue();

    QHBoxLayout *m_horizontalLayout_2 = nullptr;
    MyLineEdit *m_edit = nullptr;
    QFrame *m_frame = nullptr;
    QHBoxLayout *m_horizontalLayout = nullptr;
    SquareButton *m_footnoteButton = nullptr;
    SquareButton *m_calcButton = nullptr;

    QString m_footnote;
    double m_shownValue = 0.0;
    bool m_invalid = false;
};
