#pragma once

// CaseFormView: the case shown in the case form. Each refresh writes every
// field from the case document and the figures computed from it, the
// captions that follow the custody type and the footnotes the F buttons
// open; text being typed that already stands for its value is left alone.

#include "CaseFormBinding.h"

#include <QCoreApplication>
#include <QList>

class CaseHolder;
class LItemEdit;
class QComboBox;
class QLineEdit;
namespace BirthDate {
struct Reading;
}
struct WorksheetLines;

namespace Ui {
class MainWindow;
}

class CaseFormView
{
    Q_DECLARE_TR_FUNCTIONS(CaseFormView)

public:
    CaseFormView(Ui::MainWindow *form, CaseHolder *holder);

    void showCase(const WorksheetLines &lines);

    // Text of a ratio as the window shows it: "37.5 %".
    static QString percentText(float ratio);
    // The combo box shows its current entry, whatever was typed into it.
    static void showCurrentItem(QComboBox *combo, int index);

private:
    void showParties();
    void showAmounts(const WorksheetLines &lines);
    void showMultifamily(LItemEdit *field, int children, qint64 allowance, bool shown);
    static void markBirthDate(QLineEdit *field, const BirthDate::Reading &reading);

    Ui::MainWindow *m_ui;
    CaseHolder *m_case;
    QList<CaseFormBinding::AmountField> m_amountFields;
};
