#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The alimony formulas side by side: AAML, Fairfax County (Virginia),
// Maricopa County (Arizona) and the Texas maximum, with the AAML and Texas
// durations. Results exist only as the texts the dialog shows; every step
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

// The value of an input or field text in the C locale. Empty text, text that
// is no number (letters, "1,000", "$5") and infinities count as 0; `valid`
// says whether the text is empty or a finite number.
double numberValue(const QString &text, bool *valid = nullptr);

// Whether a text is still being typed as a number ("-", "+", "."), so it is
// not yet worth a complaint.
bool isPartialNumber(const QString &text);

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
