#pragma once
// Case documents for the worksheet tests.
#include "OrvaDocument.h"

#include <QString>

#include <memory>

namespace WorksheetCases {

// Every field filled, amounts as wide as a worksheet will ever have to show,
// every footnote present, long names.
inline std::unique_ptr<OrvaDocument> widest(OrvaDocument::Mode mode, int custody)
{
    auto d = std::make_unique<OrvaDocument>(mode);
    d->setCustodyType(custody);
    d->setCourtType(OrvaDocument::District);
    d->setCounty(OrvaDocument::Prince_Georges_County);
    d->setCaseNumber("C-16-FM-24-012345-XYZ");
    d->setPlaintiffName("Alexandra Catherine Montgomery-Whitfield");
    d->setDefendantName("Jonathan Bartholomew Featherstonehaugh");
    d->setPreparer("Maximiliana Rosalind Quartermaine, Esq.");
    d->setPreparedDate("12/31/2024");
    for (int i = 1; i <= 6; ++i) {
        d->setChildName(i, QStringLiteral("Maximilian Alexander Whitfield %1").arg(i));
        d->setChildBirthDate(i, QStringLiteral("12/31/201%1").arg(i));
    }
    d->setMotherMonthlyIncome(9999999);
    d->setFatherMonthlyIncome(8888888);
    d->setMotherExistingChildSupportPayment(999999);
    d->setFatherExistingChildSupportPayment(888888);
    d->setMotherAlimonyPaid(777777);
    d->setFatherAlimonyPaid(666666);
    d->setFatherAlimonyAwarded(-999999);
    d->setMotherWorkRelatedExpenses(999999);
    d->setFatherWorkRelatedExpenses(88888);
    d->setMotherHealthInsurance(77777);
    d->setFatherHealthInsurance(999999);
    d->setMotherExtraMedicalExpenses(999999);
    d->setFatherExtraMedicalExpenses(5555);
    d->setMotherCashMedicalPercent(5.0);
    d->setFatherCashMedicalPercent(4.5);
    d->setMotherAdditionalExpenses(123456);
    d->setFatherAdditionalExpenses(999999);
    if (OrvaDocument::isSharedCustody(custody))
        d->setFatherOvernights(mode == OrvaDocument::PreOct2020 ? 130 : 95);
    // Line 1d at its widest; the versions without it keep 0.
    d->setMotherMultifamilyChildren(6);
    d->setFatherMultifamilyChildren(6);
    for (int slot = 1; slot <= OrvaDocument::FootnoteCount; ++slot)
        d->setFootnote(slot, QStringLiteral("Note on amount %1.").arg(slot));
    d->setComments("Comments of the preparer.");
    return d;
}

// An ordinary case with distinct amounts, so that each printed value can be
// told apart from the others.
inline std::unique_ptr<OrvaDocument> ordinary(OrvaDocument::Mode mode, int custody)
{
    auto d = std::make_unique<OrvaDocument>(mode);
    d->setCustodyType(custody);
    d->setCounty(OrvaDocument::Howard_County);
    d->setCaseNumber("C-13-FM-24-000777");
    d->setPlaintiffName("Jane Sample");
    d->setDefendantName("John Sample");
    d->setPreparer("A. Preparer");
    d->setPreparedDate("12/9/24");
    d->setChildName(1, "Ava Sample");
    d->setChildBirthDate(1, "03/14/2012");
    d->setChildName(2, "Ben Sample");
    d->setChildBirthDate(2, "07/02/2015");
    d->setMotherMonthlyIncome(4213);
    d->setFatherMonthlyIncome(6917);
    d->setMotherExistingChildSupportPayment(151);
    d->setFatherAlimonyAwarded(-263);
    d->setMotherWorkRelatedExpenses(641);
    d->setFatherHealthInsurance(227);
    d->setMotherExtraMedicalExpenses(83);
    d->setFatherCashMedicalPercent(1.5);
    d->setFatherAdditionalExpenses(119);
    if (OrvaDocument::isSharedCustody(custody))
        d->setFatherOvernights(mode == OrvaDocument::PreOct2020 ? 140 : 101);
    d->setFootnote(1, "Salary from the 2023 W-2.");
    d->setFootnote(12, "Family coverage; the children's portion.");
    d->setComments("Holiday schedule agreed.");
    return d;
}

// The ordinary case with other children in both homes: one with the
// mother, two with the father (line 1d under the July 2022 guidelines).
inline std::unique_ptr<OrvaDocument> blended(OrvaDocument::Mode mode, int custody)
{
    auto d = ordinary(mode, custody);
    d->setMotherMultifamilyChildren(1);
    d->setFatherMultifamilyChildren(2);
    return d;
}

// Everything at its longest: party names of about 90 characters, children's
// names of 41, a case number of 40, 12-digit amounts with their signs, all
// 18 footnotes and 15 lines of comments.
inline QString longFootnote(int slot)
{
    return QStringLiteral("Footnote text %1: the amount is taken from the statement filed on 3/%1/2024.")
        .arg(slot, 2, 10, QLatin1Char('0'));
}

inline QString longCommentLine(int line)
{
    return QStringLiteral("Comment line %1: the parties agreed to this paragraph at the settlement conference.")
        .arg(line, 2, 10, QLatin1Char('0'));
}

inline std::unique_ptr<OrvaDocument> longest(OrvaDocument::Mode mode, int custody)
{
    auto d = std::make_unique<OrvaDocument>(mode);
    d->setCustodyType(custody);
    d->setCourtType(OrvaDocument::Circuit);
    d->setCounty(OrvaDocument::Prince_Georges_County);
    d->setCaseNumber("C-16-FM-24-012345-XYZ/ABC-2024-0000001-R");
    d->setPlaintiffName("Alexandra Catherine Elisabeth Montgomery-Whitfield-Featherstonehaugh of Upper Marlboro MD");
    d->setDefendantName("Jonathan Bartholomew Featherstonehaugh-Montgomery Whitfield-Lancaster of Chevy Chase, MD");
    d->setPreparer("Maximiliana Rosalind Quartermaine-Featherstonehaugh, Esq., Family Law Associates of Maryland");
    d->setPreparedDate("Tuesday, December 31, 2024, at the courthouse");
    const char *names[] = {"Maximilian Alexander Montgomery-Whitfield", "Anastasia Genevieve Montgomery-Whitfield",
                           "Bartholomew Christopher Featherstonehaugh", "Wilhelmina Josephine Montgomery-Whitfield",
                           "Constantine Frederick Featherstonehaughs", "Evangeline Marguerite Montgomery-Whitfield"};
    for (int i = 1; i <= 6; ++i) {
        d->setChildName(i, QString::fromLatin1(names[i - 1]));
        d->setChildBirthDate(i, QStringLiteral("September 1%1, 201%1").arg(i));
    }
    d->setMotherMonthlyIncome(999999999999);
    d->setFatherMonthlyIncome(888888888888);
    d->setMotherExistingChildSupportPayment(999999999999);
    d->setFatherExistingChildSupportPayment(777777777777);
    d->setMotherAlimonyPaid(666666666666);
    d->setFatherAlimonyPaid(999999999999);
    d->setMotherAlimonyAwarded(-999999999999);
    d->setFatherAlimonyAwarded(999999999999);
    d->setMotherWorkRelatedExpenses(999999999999);
    d->setFatherWorkRelatedExpenses(888888888888);
    d->setMotherHealthInsurance(777777777777);
    d->setFatherHealthInsurance(999999999999);
    d->setMotherExtraMedicalExpenses(999999999999);
    d->setFatherExtraMedicalExpenses(555555555555);
    d->setMotherCashMedicalPercent(5.0);
    d->setFatherCashMedicalPercent(4.5);
    d->setMotherAdditionalExpenses(123456789012);
    d->setFatherAdditionalExpenses(999999999999);
    if (OrvaDocument::isSharedCustody(custody))
        d->setFatherOvernights(mode == OrvaDocument::PreOct2020 ? 130 : 95);
    d->setMotherMultifamilyChildren(6); // line 1d, July 2022 only
    d->setFatherMultifamilyChildren(6);
    for (int slot = 1; slot <= OrvaDocument::FootnoteCount; ++slot)
        d->setFootnote(slot, longFootnote(slot));
    QStringList comments;
    for (int line = 1; line <= 15; ++line)
        comments << longCommentLine(line);
    d->setComments(comments.join(QLatin1Char('\n')));
    return d;
}

} // namespace WorksheetCases
