#pragma once

class MonthListModel;

// Removes a row of the entry list; when it shows its day's date and the next
// row is of the same day, the next row takes the date over.
void removeEntryRow(MonthListModel& rows, int row);
