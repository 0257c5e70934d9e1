#pragma once

// The workbook writer is a module of its own (libkanelo_workbook.so), loaded
// when a workbook is first saved: the spreadsheet library and what it pulls
// in (zip, crypto) then cost nothing when the ledger starts.

#include "ReportData.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace Reports {

// The sheet of a month: "月間収支報告" when it is the only one, else
// "月間収支報告(3月)" and so on.
QString monthSheetName(const MonthReport& r, bool several);

// One sheet per month, the cells at the report's positions, a pie for each
// side that holds an amount. False with a sentence for the user in error.
bool buildMonthWorkbook(const std::vector<MonthReport>& months, QByteArray& bytes, QString& error);
// "金額データ", and "年間収支報告" and "年間推移グラフ" as asked for; the
// charts read their figures from "金額データ".
bool buildYearWorkbook(const YearReport& year, bool figures, bool charts, QByteArray& bytes, QString& error);

// The module's entry points, looked up by these names.
using BuildMonthWorkbookFn = bool (*)(const std::vector<MonthReport>&, QByteArray&, QString&);
using BuildYearWorkbookFn = bool (*)(const YearReport&, bool, bool, QByteArray&, QString&);
inline constexpr char kBuildMonthWorkbook[] = "kaneloBuildMonthWorkbook";
inline constexpr char kBuildYearWorkbook[] = "kaneloBuildYearWorkbook";

}
