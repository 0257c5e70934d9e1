#include "month/EntryRows.h"

#include "month/MonthListModel.h"


void removeEntryRow(MonthListModel& rows, int row)
{
    if (row + 1 < rows.count() && rows.row(row).showsDate && rows.row(row + 1).kind == MonthRow::EntryRow
        && !rows.row(row + 1).showsDate) {
        rows.editRow(row + 1).showsDate = true;
        rows.rowChanged(row + 1);
    }
    rows.removeRowAt(row);
}
