#pragma once

// CaseFormBinding: what is typed or chosen in the case form goes into the
// case document, which is then marked modified and shown again. Entries that
// reach the case only when their field is left (overnights, a county or
// custody typed into its box) are committed before a command works on it.

#include <QList>
#include <QObject>

class CaseHolder;
class FCItemEdit;
class LItemEdit;
class OrvaDocument;
class QComboBox;
class QWidget;

namespace Ui {
class MainWindow;
}

class CaseFormBinding : public QObject
{
    Q_OBJECT

public:
    // Connects every input field of `form` (the widgets of `window`) and
    // fills the county and custody lists.
    CaseFormBinding(QWidget *window, Ui::MainWindow *form, CaseHolder *holder);

    void commitTypedEntry();

    // An amount field, the case member it writes and its footnote number.
    struct AmountField {
        FCItemEdit *edit;
        void (OrvaDocument::*setter)(qint64);
        qint64 (OrvaDocument::*getter)() const;
        int footnote;
    };
    static QList<AmountField> amountFields(Ui::MainWindow *form);

signals:
    // The case changed, or a field must show it again: the window refreshes.
    void refreshNeeded();

private slots:
    void basicFieldsChanged(const QString &value);
    void courtTypeChanged();
    void formsClientChanged();
    void countyChanged(int index);
    void custodyChanged(int index);
    void fieldValueChanged(qulonglong value);
    void fieldFootnoteChanged(const QString &value);
    void childDetailChanged(const QString &value);
    void overnightsChanged(const QString &value);
    void overnightsTyped(const QString &value);
    void multifamilyChildrenChanged(const QString &value);
    void cashMedicalPercentChanged(double value);
    void additionalFieldChanged(const QString &value);

private:
    void bindInputs();
    void fillLists();
    void finishEdit();
    void restoreComboText(QComboBox *combo);
    void applyOvernights(LItemEdit *field, const QString &value);
    // Why the overnights shown differ from the number typed.
    QString overnightsNote(int typed, int stored) const;
    OrvaDocument *document() const;

    QWidget *m_window;
    Ui::MainWindow *m_ui;
    CaseHolder *m_case;
    QList<AmountField> m_amountFields;
};
