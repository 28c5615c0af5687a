#pragma once

#include <QtGlobal>

// What the worksheet figures of a case are computed from: the amounts,
// overnights and choices of the case, with the children already counted.
struct WorksheetInput {
    struct Parent {
        qint64 monthlyIncome = 0;
        qint64 existingChildSupportPayment = 0;
        qint64 alimonyPaid = 0;
        qint64 alimonyAwarded = 0;
        int overnights = 0;
        qint64 workRelatedExpenses = 0;
        qint64 healthInsurance = 0;
        qint64 extraMedicalExpenses = 0;
        double cashMedicalPercent = 0.0;
        qint64 additionalExpenses = 0;
        int multifamilyChildren = 0; // other children in the parent's home, 0..6
    };

    int mode = 0;        // OrvaDocument::Mode
    int custodyType = 0; // OrvaDocument::CustodyType
    int childCount = 1;  // 1..6
    Parent mother;
    Parent father;
};

// Every line of Worksheets A and B and what both warnings decide on, from one
// pass over the inputs. Amounts are whole dollars; shares are fractions.
struct WorksheetLines {
    // The five expense kinds in worksheet order (OrvaDocument::ExpenseKind).
    static constexpr int ExpenseKinds = 5;

    struct Parent {
        qint64 multifamilyBasic = 0;      // line 1d: the schedule amount for the other children
        qint64 multifamilyAdjustment = 0; // line 1d: 75 % of it
        qint64 adjustedActualIncome = 0; // line 2
        float incomeShare = 0;           // line 3
        qint64 cashMedicalSupport = 0;   // the parent's part of line 4d (A) / 11d or 13d (B)
        // Expenses the parent pays: July 2022 all five kinds (line 7 of its
        // Worksheet A), the older versions all but cash medical support.
        qint64 directPayments = 0;

        // Worksheet A
        qint64 obligation = 0;              // line 6
        qint64 obligationLessDirectPay = 0; // July 2022 line 8: line 6 minus line 7

        // Sole custody: the paying parent's amount due and each parent's
        // recommended amount (Worksheet A lines 7 and 8; the July 2022 form
        // has line 9, whose negative amount the custodial parent owes).
        // Shared custody: net basic obligation and recommended order
        // (Worksheet B lines 10 and 14; July 2022: 12 and 16).
        qint64 basicSupportDue = 0;
        qint64 recommendedChildSupport = 0;

        // Worksheet B
        float timeShare = 0;                 // line 7
        qint64 sharedObligation = 0;         // line 8
        qint64 sharedAdjustment = 0;         // line 8 addition (0 under July 2022)
        qint64 adjustedSharedObligation = 0; // line 8 sum (line 8 under July 2022)
        // July 2022 form: line 9, and lines 10 and 11 for a parent with 92 to
        // 109 overnights (`sharedCustodyBand`).
        qint64 theoreticalObligation = 0;
        bool sharedCustodyBand = false;
        qint64 theoreticalAdjustment = 0;
        qint64 adjustedTheoreticalObligation = 0;
        // What the net basic obligation sets off: line 9 of the older forms,
        // line 11 (or 9 without a band) of July 2022.
        qint64 amountOwed = 0;
        qint64 expensePortion[ExpenseKinds] = {}; // A, C, E, G, I
        qint64 expenseExcess[ExpenseKinds] = {};  // B, D, F, J (and the cash medical excess)
        qint64 cashMedicalCredit = 0;        // H: July 2022 the cash medical excess
        qint64 expenseCredits = 0;           // K
        qint64 expenseBalanceDue = 0;        // L and 12 (July 2022: 14)

        // Shared-above-sole warning: whether the check reached the sole
        // figure, that figure, and the outcome.
        bool soleValueChecked = false;
        qint64 soleValue = 0;
        bool sharedAboveSole = false;
    };

    qint64 combinedIncome = 0;         // line 1
    qint64 adjustedCombinedIncome = 0; // line 2
    qint64 basicObligation = 0;        // line 4
    qint64 expenseTotal[ExpenseKinds] = {}; // 4a..4e (A) / 11a..11e (B; July 2022: 13a..13e)
    qint64 totalChildSupportObligation = 0; // line 5 (A)
    qint64 sharedBasicObligation = 0;       // line 5 (B)
    Parent mother;
    Parent father;

    // 0 is the mother, anything else the father (OrvaDocument::Parent).
    const Parent &parent(int which) const { return which == 0 ? mother : father; }
};

// The worksheet arithmetic: a plain function of the inputs.
WorksheetLines computeWorksheetLines(const WorksheetInput &input);
