#include "EntryRows.h"

#include "MonthListModel.h"
#include "Types.h"

#include <algorithm>

void removeEntryRow(MonthListModel& rows, int row)
{
    const QString date = rows.cell(row, MonthListModel::Date);
    if (row + 1 < rows.count() && !date.isEmpty() && rows.cell(row + 1, MonthListModel::Date).isEmpty())
        rows.setCell(row + 1, MonthListModel::Date, date);
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
