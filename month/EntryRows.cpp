#include "EntryRows.h"

#include "Formats.h"
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

void listTotals(const MonthListModel& rows, qint64& out, qint64& in, EntryId skip)
{
    out = in = 0;
    for (int r = 1; r < rows.count(); ++r) {
        if (skip != 0 && rows.row(r).entryId == skip)
            continue;
        out += Num::cellValue(rows.cell(r, MonthListModel::Out));
        in += Num::cellValue(rows.cell(r, MonthListModel::In));
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
