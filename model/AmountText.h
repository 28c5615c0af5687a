#pragma once

#include <QString>

// How every window reads a typed amount of whole dollars: as people write
// them ("4500", "4,500", "$4,500", "-40"), always in base 10 ("0500" is 500).
namespace AmountText {

// Digits with an optional sign, a leading "$", commas between groups of
// three digits and blanks around it. Empty text is 0. False for anything
// else, `amount` then unchanged.
bool parseAmount(const QString &text, qlonglong *amount);

// A sign or a dollar sign alone: the start of an amount, not yet an error.
bool isPartialAmount(const QString &text);

// The tool tip of a field whose text is no amount.
QString invalidToolTip();
// The tool tip of an expense field given a negative amount.
QString negativeToolTip();

} // namespace AmountText
