#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The alimony formulas side by side: AAML, Virginia's statute for parties
// without minor children in common (Va. Code 16.1-278.17:1(C)), Maricopa
// County (Arizona) and the Texas maximum (Tex. Fam. Code 8.055), with the AAML
// and Texas (8.054) durations. Results exist only as the texts the dialog shows; every step
// that needs an earlier result reads its text back, so the figures are
// exactly what a user would get by copying the shown numbers.
namespace Alimony {

// The five numeric inputs as typed.
struct Inputs {
    QString years;         // Y, years of marriage
    QString payorGross;    // P, payor's gross annual income
    QString payeeGross;    // E, payee's gross annual income
    QString upward;        // U, deviation upward, dollars a month
    QString downward;      // D, deviation downward, dollars a month
};

// The value of the years or a result text in the C locale. Empty text, text
// that is no number (letters, "1,000", "$5") and infinities count as 0;
// `valid` says whether the text is empty or a finite number.
double numberValue(const QString &text, bool *valid = nullptr);

// The value of an amount input, read as every amount field reads it
// ("95,000" and "$95,000" are 95000); text that is no amount counts as 0.
double amountValue(const QString &text, bool *valid = nullptr);

// Whether a text is still being typed as a number ("-", "+", "."), so it is
// not yet worth a complaint.
bool isPartialNumber(const QString &text);

// Virginia's formula serves combined incomes up to $10,000 a month only.
constexpr double VirginiaCombinedLimit = 120000.0;
// Why the Virginia figure is no statutory amount for these inputs; empty
// while the statute's formula applies.
QString virginiaNote(const Inputs &inputs);

// Amounts: six significant digits, as printf's "%.6g" writes them (26000,
// -600, 1.41e+06). Durations: one decimal (7.5).
QString amountText(double value);
QString durationText(double value);

// R(x): negative amounts become 0, others are rounded half up to dollars.
double roundAnnual(double value);

// Names of the twenty result fields: the four formula rows (annual, monthly,
// payor's and payee's resulting income), then the two duration rows.
const QStringList &resultNames();

// The whole recalculation; returns the text of every result field by name.
QMap<QString, QString> recalculate(const Inputs &inputs);

} // namespace Alimony
