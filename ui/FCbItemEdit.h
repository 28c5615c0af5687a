#pragma once

#include <QFrame>

class QHBoxLayout;
class MyComboBox;
class MyLineEdit;
class SquareButton;

// A computed amount with a percentage picker (0.0 % to 5.0 %) and a footnote
// button, both shown only while the field has focus.
class FCbItemEdit : public QFrame
{
    Q_OBJECT

public:
    explicit FCbItemEdit(QWidget *parent = nullptr);

    // Selects the item whose data equals `percent`; no item when none does.
    void setPercent(double percent);
    void setAmountText(const QString &text);

    void setFootnote(const QString &text) { m_footnote = text; }
    QString footnote() const { return m_footnote; }

    MyLineEdit *lineEdit() const { return m_lineEdit; }
    // The percentage list, built on first use.
    MyComboBox *comboBox();

signals:
    void percentChanged(double percent);
    void footnoteChanged(const QString &value);

private slots:
    void focusChanged(bool focused);
    void comboActivated(int index);
    void on_fButton_clicked();

private:
    void setupUi();

    QHBoxLayout *m_horizontalLayout_2 = nullptr;
    MyLineEdit *m_lineEdit = nullptr;
    QFrame *m_frame = nullptr;
    QHBoxLayout *m_horizontalLayout = nullptr;
    SquareButton *m_fButton = nullptr;
    MyComboBox *m_comboBox = nullptr;

    QString m_footnote;
    double m_percent = 0.0; // shown by the list once it exists
};
