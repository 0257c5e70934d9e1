#include "EntryRows.h"

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
