#pragma once

// The workbook writer is a module of its own (libkanelo_workbook.so), a Qt
// plugin loaded when a workbook is first saved: the spreadsheet library and
// what it pulls in (zip, crypto) then cost nothing when the ledger starts.

#include "reports/ReportData.h"

#include <QByteArray>
#include <QString>
#include <QtPlugin>
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

// What the module offers the program. The report structures cross the
// module's border as they are, so the interface id's version changes with
// MonthReport or YearReport: a module of another build is then refused
// instead of misreading them.
class WorkbookWriter {
public:
    virtual ~WorkbookWriter() = default;
    virtual bool monthWorkbook(const std::vector<MonthReport>& months, QByteArray& bytes, QString& error) const = 0;
    virtual bool yearWorkbook(const YearReport& year, bool figures, bool charts, QByteArray& bytes,
                              QString& error) const = 0;
};

}

#define KaneloWorkbookWriter_iid "jp.kaneloy.WorkbookWriter/1"
Q_DECLARE_INTERFACE(Reports::WorkbookWriter, KaneloWorkbookWriter_iid)
