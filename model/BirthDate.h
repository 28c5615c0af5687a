#pragma once

#include <QDate>
#include <QString>

// A child's birth date field as the case reads it: a date (MM/DD/YYYY,
// M/D/YY, YYYY-MM-DD) or an age in whole years ("7", "7 years").
namespace BirthDate {

enum class Kind { Empty, Date, Age, Invalid };

struct Reading {
    Kind kind = Kind::Empty;
    int age = 0; // whole years on the day asked about; 0 unless Date or Age
};

// Reads `text`, the age counted on `on`. A two-digit year is the latest one
// not after `on`'s year ("3/4/15" in 2024 is 2015, "3/4/98" is 1998).
Reading read(const QString &text, const QDate &on);

// Whether `text` names a child at all: a date or an age, whatever the day.
bool isReadable(const QString &text);

// The day ages are counted on: the worksheet's date when it reads as a
// date, else `today`.
QDate worksheetDay(const QString &preparedDate, const QDate &today);

// Support past 18 only while in high school, and never past 19.
constexpr int AdultAge = 18;

} // namespace BirthDate
