#pragma once

#include "WorksheetLines.h"

#include <QList>

// How the recommended order of a case moves with the split of the overnights
// and with one parent's income. Every point is the case itself with that one
// input changed, computed by computeWorksheetLines as the program computes
// such a case; the explorer window and the command line read the same points.
// Parents go by index: 0 the first (mother's) column, 1 the second.
namespace SupportCurves {

struct OvernightsPoint {
    int nights = 0;             // the second parent's overnights; the first has the rest of 365
    bool shared = false;        // Worksheet B; false: Worksheet A
    qint64 recommended[2] = {}; // monthly orders of the first and the second parent
    // Worksheet B only: the parent whose shared amount lies above what that
    // parent would owe under Worksheet A (-1: none), and that sole amount.
    int aboveSole = -1;
    qint64 soleAmount = 0;
};

struct IncomePoint {
    qint64 income = 0; // the chosen parent's monthly income
    qint64 recommended[2] = {};
};

struct IncomeCurve {
    QList<IncomePoint> points;
    // The lowest income of the range from which the combined adjusted income
    // lies above the schedule's top; -1 when the whole range is on one side.
    qint64 scheduleTop = -1;
};

// Overnights from which a parent's time makes the custody shared: 92 from
// October 2020, 128 before.
int sharedThreshold(int mode);
// Where the computation changes, as the second parent's overnights: where
// either parent reaches the shared threshold and, from October 2020, where
// either parent's overnights adjustment ends (110 nights).
QList<int> thresholdNights(int mode);

// The case as the program computes it when the second parent has `nights`
// overnights: below the shared threshold sole custody with the parent who
// has more nights as custodian, shared custody from there on.
WorksheetInput withOvernights(const WorksheetInput &input, int nights);
WorksheetInput withIncome(const WorksheetInput &input, int parent, qint64 income);

// 366 points: the second parent's overnights from 0 to 365.
QList<OvernightsPoint> overnightsCurve(const WorksheetInput &input);
// `parent`'s monthly income from 0 to twice the larger income or 35,000,
// whichever is more, in some 200 even steps, with the case's own income
// among them.
IncomeCurve incomeCurve(const WorksheetInput &input, int parent);

} // namespace SupportCurves
