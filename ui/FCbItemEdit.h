#pragma once

#include <QFrame>

class QHBoxLayout;
class QKeyEvent;
class QLabel;
class MyComboBox;
class MyLineEdit;
class SquareButton;

// A computed amount with a percentage picker (0.0 % to 5.0 %) and a footnote
// button, both shown only while the field has focus; the owner edits the
// footnote the button asks for. From the keyboard the
// arrows step the percentage, typing "2.5" picks 2.5 %, Alt+Down or F4 opens
// the list.
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

    // The owner's answer to the footnote button: the edited text, reported
    // as footnoteChanged (the owner hands it back with setFootnote).
    void reportFootnote(const QString &text);

    MyLineEdit *lineEdit() const { return m_lineEdit; }
    // The percentage list, built on first use.
    MyComboBox *comboBox();
    // The chosen percentage, shown while the field has no focus.
    QLabel *percentLabel() const { return m_percentLabel; }
    // "2.5%" for 2.5; empty for a value the list has no item for.
    static QString percentText(double percent);

signals:
    void percentChanged(double percent);
    void footnoteChanged(const QString &value);
    // The F button: the footnote is to be edited.
    void footnoteRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void focusChanged(bool focused);
    void comboActivated(int index);
    void on_fButton_clicked();

private:
    void setupUi();
    bool handleKey(QKeyEvent *event);
    void choose(int index);

    QHBoxLayout *m_horizontalLayout_2 = nullptr;
    MyLineEdit *m_lineEdit = nullptr;
    QFrame *m_frame = nullptr;
    QHBoxLayout *m_horizontalLayout = nullptr;
    SquareButton *m_fButton = nullptr;
    MyComboBox *m_comboBox = nullptr;
    QLabel *m_percentLabel = nullptr;

    QString m_footnote;
    double m_percent = 0.0; // shown by the list once it exists
    QString m_typed;         // what has been typed to pick a percentage
    qint64 m_typedAt = 0;    // when, in ms; a pause starts a new search
    int m_typedFrom = -1;    // the item chosen before that typing
};
