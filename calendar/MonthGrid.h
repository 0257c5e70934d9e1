#pragma once

#include <QDate>
#include <QString>
#include <array>

// The 42-cell month grid shared by the calendar window and the date picker:
// six weeks of seven days, Sunday first, always led by at least one day of
// the previous month. Cells 0..pmonth belong to the previous month,
// pmonth+1..nmonth-1 to the shown month, nmonth..41 to the next month.
// Dates are proleptic Gregorian; the ledger covers the years 100 to 9999.
struct MonthGrid {
    static constexpr int CellCount = 42;
    static constexpr int FirstYear = 100;
    static constexpr int LastYear = 9999;

    struct Cell {
        QString text;         // the day number, or empty before January 100 and after December 9999
        bool inMonth = false; // a day of the shown month
        QString holiday;      // the national holiday's name, for days of the shown month
    };

    int year = 0;
    int month = 0;
    int pmonth = -1; // last cell before day 1 (0..6)
    int nmonth = 42; // first cell after the last day
    QString caption; // "2001年4月"
    std::array<Cell, CellCount> cells;

    // Fills the grid of a month; a year or month out of range is pulled to
    // the nearest month the ledger can show.
    static MonthGrid compute(int year, int month);

    // Day number shown in cell i, 0 for an empty cell.
    int dayOf(int i) const;
    // The date cell i stands for, invalid for an empty cell.
    QDate dateOf(int i) const;
};
