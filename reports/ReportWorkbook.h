#pragma once

#include "reports/ReportData.h"
#include "ledger/TextFile.h"

#include <vector>

namespace Reports {

// The folder the workbook module is loaded from: the program's module
// folder unless a test names the build's.
void setWorkbookModuleFolder(const QString& folder);

// One sheet per month, the cells at the report's positions, a pie for each
// side that holds an amount. The file is replaced only once complete.
TextFile::WriteResult writeMonthWorkbook(const QString& path, const std::vector<MonthReport>& months);

// "金額データ", and "年間収支報告" and "年間推移グラフ" as asked for; the
// charts read their figures from "金額データ".
TextFile::WriteResult writeYearWorkbook(const QString& path, const YearReport& year, bool figures, bool charts);

}
