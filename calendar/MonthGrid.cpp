#include "calendar/MonthGrid.h"

#include "calendar/Holidays.h"

#include <algorithm>

MonthGrid MonthGrid::compute(int year, int month)
{
    MonthGrid g;
    g.year = std::clamp(year, FirstYear, LastYear);
    g.month = std::clamp(month, 1, 12);
    g.caption = QStringLiteral("%1年%2月").arg(g.year).arg(g.month);

    const QDate first(g.year, g.month, 1);
    // Qt counts Monday 1 .. Sunday 7; a month beginning on Sunday gets a
    // whole week of the previous month in front.
    int lead = first.dayOfWeek() % 7;
    if (lead == 0)
        lead = 7;
    g.pmonth = lead - 1;

    const bool veryFirst = g.year == FirstYear && g.month == 1;
    const bool veryLast = g.year == LastYear && g.month == 12;

    QDate d = first;
    for (int i = lead - 1; i >= 0; --i) {
        if (veryFirst) {
            g.cells[i] = {};
        } else {
            d = d.addDays(-1);
            g.cells[i] = {QString::number(d.day()), false, {}};
        }
    }

    for (int n = 1; n <= 28; ++n)
        g.cells[lead + n - 1] = {QString::number(n), true, {}};

    // Month lengths come from the date arithmetic: the month ends where the
    // day number falls back.
    d = QDate(g.year, g.month, 28);
    int previous = 28;
    for (int i = lead + 28; i < CellCount; ++i) {
        d = d.addDays(1);
        if (d.day() < previous) {
            g.nmonth = i;
            break;
        }
        g.cells[i] = {QString::number(d.day()), true, {}};
        previous = d.day();
        if (veryLast && previous == 31) {
            g.nmonth = i + 1;
            break;
        }
    }

    for (int i = g.nmonth; i < CellCount; ++i)
        g.cells[i] = veryLast ? Cell{} : Cell{QString::number(i - g.nmonth + 1), false, {}};

    for (const Holidays::Holiday& h : Holidays::ofYear(g.year))
        if (h.date.month() == g.month)
            g.cells[g.pmonth + h.date.day()].holiday = h.name;
    return g;
}

int MonthGrid::dayOf(int i) const
{
    if (i < 0 || i >= CellCount)
        return 0;
    return cells[i].text.toInt();
}

QDate MonthGrid::dateOf(int i) const
{
    if (dayOf(i) == 0)
        return {};
    return QDate(year, month, 1).addDays(i - (pmonth + 1));
}
