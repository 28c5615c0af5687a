#pragma once

#include <QtGlobal>

#include <array>

// The two statutory schedules of basic child support obligations. One
// instance per process, built on first use and never modified afterwards.
class OrvaEnums
{
public:
    enum Schedule {
        First = 0,  // 2010 schedule (guidelines before and from October 2020), keys 1250..30000
        Second = 1  // July 2022 schedule, keys 1200..30000
    };

    using Row = std::array<qint32, 6>; // obligation for 1..6 children

    static const OrvaEnums &instance();

    // The row of `key` (a multiple of 50 within the schedule); six zeros when
    // the schedule has no such key.
    Row row(Schedule schedule, qint64 key) const;

    qint64 firstKey(Schedule schedule) const;
    qint64 lastKey(Schedule schedule) const;
    int rowCount(Schedule schedule) const;
    // Key of the row at `index` (0-based), for checks of the whole table.
    qint64 keyAt(Schedule schedule, int index) const;

    static constexpr qint64 KeyStep = 50;

private:
    OrvaEnums() = default;
};
