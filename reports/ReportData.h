#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

class LedgerModel;

// What the monthly and yearly reports show, computed once from the ledger
// and then drawn on pages or written into a workbook. Both builders read
// monthCatTotals: the caller runs BuildMonthCatTotals first.
namespace Reports {

// Digits 0-9 as their full-width forms, the way the report titles read.
QString fullWidth(const QString& text);
// 0x00BBGGRR as the ledger keeps category colours.
QColor categoryColor(quint32 bgr);

struct CategoryRow {
    QString name;
    qint64 amount = 0;
    QColor color;
};

struct EntryRow {
    QString day;            // "05" on the first row of a day, else empty
    bool separator = false; // a line above: a later day of the month begins
    QString category;
    QString sub;            // empty for no sub-item
    qint64 out = 0;         // shown when not 0
    qint64 in = 0;
};

// One month's report. The workbook keeps these cells: B2 monthTitle,
// F2 yearTitle, E5 income, E6 expense, L10:M.. outRows, N10:O.. inRows,
// entry k on row k + 29 (D day, E category, F sub-item, G out, H in).
struct MonthReport {
    static constexpr int kFirstCategoryRow = 10;
    static constexpr int kFirstEntryRow = 30;

    int month = 0;
    QString monthTitle; // "３月度"
    QString yearTitle;  // "[２０２６年度]"
    qint64 income = 0;
    qint64 expense = 0;
    std::vector<CategoryRow> outRows; // largest amount first, ties in category order
    std::vector<CategoryRow> inRows;
    std::vector<EntryRow> entries;

    bool hasEntries() const { return !entries.empty(); }
    // A pie has something to show only when its side holds an amount.
    static qint64 sum(const std::vector<CategoryRow>& rows);
};

MonthReport buildMonthReport(const LedgerModel& model, int month);

// A row of the year's data sheet: one amount per month that has entries.
struct YearRow {
    QString name;
    QColor color;
    std::array<std::optional<qint64>, 12> months;
    qint64 total() const;
    // Some month holds an amount other than 0.
    bool hasAmount() const;
};

// One chart of the trend sheet, drawn from one row of the data sheet.
struct YearChart {
    QString title;
    int dataRow = 0; // 1-based row of "金額データ"
    QColor color;
};

// The year's report. "金額データ": row 1 outTotals, row 2 inTotals, rows
// 3.. categories in the order first met. "年間収支報告": B2 title, C5 yearOut,
// C6 yearIn, F6 carryOver, rows 1-2 of the data copied to B12, the category
// rows to B15. "年間推移グラフ": the same figures and one chart per data row.
struct YearReport {
    QString title; // "２０２６年度"
    qint64 yearOut = 0;
    qint64 yearIn = 0;
    qint64 carryOver = 0;
    YearRow outTotals;
    YearRow inTotals;
    std::vector<YearRow> categories;

    // Nothing to report when the year holds no amount at all.
    bool isEmpty() const { return yearOut == 0 && yearIn == 0; }
    std::vector<YearChart> charts() const;
    // Pages of the trend sheet: the first holds the two year charts and six
    // categories, each further page twelve.
    int chartPages() const;
    // Last row of the trend sheet's print area: 52, 107, 163, then 56 rows a page.
    int chartPrintLastRow() const;
    static int chartPrintLastRow(int pages);
};

YearReport buildYearReport(const LedgerModel& model);

}
