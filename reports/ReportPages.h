#pragma once

#include "reports/ReportData.h"

namespace Reports {

class ReportCanvas;

// One month: title, totals, the two pies, the category tables and the
// entries, continued over as many pages as they need.
void drawMonthReport(ReportCanvas& c, const MonthReport& r);

// The year: the figures (monthly totals and the category × month table)
// and the trend charts, each when asked for.
void drawYearReport(ReportCanvas& c, const YearReport& r, bool figures, bool charts);

}
