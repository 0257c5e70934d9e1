#include "EntryRows.h"

#include "Formats.h"
#include "MonthListModel.h"
#include "Types.h"

#include <algorithm>

void removeEntryRow(MonthListModel& rows, int row)
{
    if (row + 1 < rows.count() && rows.row(row).showsDate && rows.row(row + 1).kind == MonthRow::EntryRow
        && !rows.row(row + 1).showsDate) {
        rows.editRow(row + 1).showsDate = true;
        rows.rowChanged(row + 1);
    }
    rows.removeRowAt(row);
}

void listTotals(const MonthListModel& rows, qint64& out, qint64& in, EntryId skip)
{
    out = in = 0;
    for (int r = 1; r < rows.count(); ++r) {
        if (skip != 0 && rows.row(r).entryId == skip)
            continue;
        out += rows.row(r).out;
        in += rows.row(r).in;
    }
}

bool removeSlotEntry(MonthSlot& slot, EntryId id)
{
    const auto it = std::find_if(slot.entries.begin(), slot.entries.end(), [id](const Entry& e) { return e.id == id; });
    if (it == slot.entries.end())
        return false;
    slot.totalOut -= it->out;
    slot.totalIn -= it->in;
    slot.entries.erase(it);
    return true;
}
