#include "OrvaEnums.h"

namespace {

struct ScheduleRow {
    qint64 key;
    qint32 amounts[6];
};

// Rows 1250..15000 of the 2010 statute followed by the program's continuation
// 15050..30000 (never consulted: above 15000 the extrapolation formula applies).
constexpr ScheduleRow firstRows[] = {
#include "schedule_first.inc"
};

constexpr ScheduleRow secondRows[] = {
#include "schedule_second.inc"
};

struct Table {
    const ScheduleRow *rows;
    int count;
};

constexpr Table tables[2] = {
    {firstRows, int(sizeof(firstRows) / sizeof(firstRows[0]))},
    {secondRows, int(sizeof(secondRows) / sizeof(secondRows[0]))},
};

// The keys are contiguous multiples of 50, so a key maps straight to its index.
constexpr bool keysContiguous(const Table &table)
{
    for (int i = 0; i < table.count; ++i) {
        if (table.rows[i].key != table.rows[0].key + i * OrvaEnums::KeyStep)
            return false;
    }
    return true;
}
static_assert(keysContiguous(tables[0]), "first schedule keys must step by 50 without gaps");
static_assert(keysContiguous(tables[1]), "second schedule keys must step by 50 without gaps");

} // namespace

const OrvaEnums &OrvaEnums::instance()
{
    static const OrvaEnums enums; // thread-safe initialisation of a local static
    return enums;
}

OrvaEnums::Row OrvaEnums::row(Schedule schedule, qint64 key) const
{
    const Table &table = tables[schedule == Second ? 1 : 0];
    const qint64 first = table.rows[0].key;
    const qint64 last = table.rows[table.count - 1].key;
    if (key < first || key > last || (key - first) % KeyStep != 0)
        return Row{0, 0, 0, 0, 0, 0};
    const qint64 offset = key - first;
    const ScheduleRow &found = table.rows[offset / KeyStep];
    return Row{found.amounts[0], found.amounts[1], found.amounts[2],
               found.amounts[3], found.amounts[4], found.amounts[5]};
}

qint64 OrvaEnums::firstKey(Schedule schedule) const
{
    return tables[schedule == Second ? 1 : 0].rows[0].key;
}

qint64 OrvaEnums::lastKey(Schedule schedule) const
{
    const Table &table = tables[schedule == Second ? 1 : 0];
    return table.rows[table.count - 1].key;
}

int OrvaEnums::rowCount(Schedule schedule) const
{
    return tables[schedule == Second ? 1 : 0].count;
}

qint64 OrvaEnums::keyAt(Schedule schedule, int index) const
{
    const Table &table = tables[schedule == Second ? 1 : 0];
    return (index >= 0 && index < table.count) ? table.rows[index].key : -1;
}
