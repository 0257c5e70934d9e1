#pragma once

#include "Types.h"

class MonthListModel;
struct MonthSlot;

// Removing entries from the entry list and from a month slot, shared by the
// entry dialog (undo, change of date) and the delete command.

// Removes a row of the entry list; when it shows its day's date and the next
// row is of the same day, the next row takes the date over.
void removeEntryRow(MonthListModel& rows, int row);

// Sums of the 出金 and 入金 cells of the entry rows (row 0, the balance
// brought forward, is not an entry), leaving out the row of entry `skip`.
void listTotals(const MonthListModel& rows, qint64& out, qint64& in, EntryId skip = 0);

// Removes the entry with that id from the slot and lowers the slot's totals
// by its amounts. False when the slot holds no such entry.
bool removeSlotEntry(MonthSlot& slot, EntryId id);
