#pragma once

// The sums and texts of the graphs' legends, computed from the ledger model
// without any window.

#include "ledger/Types.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

class LedgerModel;

namespace Graph {

// One legend row of the monthly breakdown: the category's name, the tooltip
// with its amount (and its budget when the amount is above it), the share.
struct LegendRow {
    QString name;
    QString key;      // category number text
    QString tip;      // name, amount, and the budget when over it
    QString plainTip; // name and amount
    QString share;
    bool overBudget = false;
    quint32 color = 0;
};
LegendRow legendRow(const clsHimoku& category, qint64 amount, qint64 total);

// The per-sub-item amounts of one category in one month, largest first,
// equal amounts in order of first occurrence; "00" is no sub-item.
struct SubSum {
    QString no;
    qint64 amount = 0;
};
struct SubSums {
    std::vector<SubSum> items;
    qint64 total = 0;
};
SubSums sumSubItems(const MonthSlot& month, int categoryNo);

// The legend text of a sub-item: "摘要項目なし" for none, the sub-item's name,
// or "摘要項目なし(削除済)" when the category no longer holds it, in which case
// the item's number becomes "00" (the entries keep theirs).
QString subItemName(const clsHimoku& category, SubSum& item);

// "予算： 30,000円／月   （あと 1,500円 使えます）" and its kinds; empty
// without a budget.
QString budgetText(qint32 limit, qint64 total);

// One series of the yearly trend graph: line 0 the monthly expense totals,
// line 1 the income totals, line 2 + j the j-th category of the master.
struct YearSeries {
    std::array<std::optional<qint64>, 12> values; // months without a value are empty
    qint64 axisMax = -1;
    qint64 yearTotal = 0;
    bool isCategory = false;
    qint32 limit = 0;          // the category's monthly budget
    quint32 barColor = 0;      // 0x00BBGGRR
    quint32 labelColor = 0;    // of the bar values
};
// The category series reads monthCatTotals.
YearSeries yearSeries(const LedgerModel& model, int line);

}
