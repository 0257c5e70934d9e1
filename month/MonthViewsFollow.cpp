// The month views follow the model: every change of the entries, the
// carry-over or the master shows here whoever made it.
#include "MonthViews.h"

#include "EntryRows.h"
#include "LedgerModel.h"

#include <algorithm>

void MonthViews::followModel()
{
    LedgerModel* m = model_;
    connect(m, &LedgerModel::entryInserted, this, &MonthViews::onEntryInserted);
    connect(m, &LedgerModel::entryRemoved, this, &MonthViews::onEntryRemoved);
    connect(m, &LedgerModel::entryReplaced, this, &MonthViews::onEntryReplaced);
    connect(m, &LedgerModel::entriesChanged, this, &MonthViews::onEntriesChanged);
    connect(m, &LedgerModel::yearLoaded, this, &MonthViews::RefreshMonthView);
    connect(m, &LedgerModel::masterChanged, this, &MonthViews::RefreshMonthView);
    connect(m, &LedgerModel::carryOverChanged, this, &MonthViews::ShowBroughtForward);
    connect(m, &LedgerModel::graphTargetsChanged, this, [this] {
        // The category summary lists the categories the graphs show.
        if (summaryMode_ == 2)
            ShowCompress();
    });
}

qint64 MonthViews::broughtForward() const
{
    const LedgerModel& m = *model_;
    qint64 brought = m.carryOver();
    for (int earlier = 1; earlier < m.curMonth(); ++earlier) {
        const MonthSlot& s = m.slot(earlier);
        if (s.count() > 0)
            brought += s.totalIn - s.totalOut;
    }
    return brought;
}

MonthRow MonthViews::entryRowOf(const Entry& e) const
{
    MonthRow row;
    row.month = quint8(model_->curMonth());
    row.day = quint8(e.day());
    row.entryId = e.id;
    row.categoryNo = e.categoryNo;
    row.subNo = e.subNo;
    row.out = e.out;
    row.in = e.in;
    return row;
}

void MonthViews::monthRowsChanged()
{
    UpdateBalances(monthRows);
    if (summaryMode_ > 0)
        ShowCompress();
}

void MonthViews::ShowBroughtForward()
{
    if (monthRows->count() == 0)
        return;
    MonthRow& first = monthRows->editRow(0);
    first = MonthRow::carryOver(model_->curMonth(), broughtForward());
    monthRows->rowChanged(0);
    monthRowsChanged();
}

void MonthViews::onEntryInserted(int month, EntryId id)
{
    const int shown = model_->curMonth();
    if (month < shown) {
        ShowBroughtForward();
        return;
    }
    if (month != shown)
        return;
    const auto& entries = model_->slot(month).entries;
    const auto it = std::find_if(entries.begin(), entries.end(), [id](const Entry& e) { return e.id == id; });
    // The row goes right after the row of the entry before it.
    int at = 1;
    if (it != entries.begin()) {
        at = monthRows->findEntry(std::prev(it)->id, 1) + 1;
        if (at <= 0) {
            RefreshMonthView();
            return;
        }
    }
    MonthRow row = entryRowOf(*it);
    const MonthRow& before = monthRows->row(at - 1);
    // The carry-over row counts as day 1 too; the first entry of day 01 shows its date.
    row.showsDate = at == 1 || before.day != row.day;
    monthRows->insertRow(at, row);
    // The entry that opened this day before now follows it.
    if (at + 1 < monthRows->count() && monthRows->row(at + 1).day == row.day && monthRows->row(at + 1).showsDate) {
        monthRows->editRow(at + 1).showsDate = false;
        monthRows->rowChanged(at + 1);
    }
    monthRowsChanged();
}

void MonthViews::onEntryRemoved(int month, EntryId id)
{
    if (month < model_->curMonth()) {
        ShowBroughtForward();
        return;
    }
    if (month != model_->curMonth())
        return;
    if (const int r = monthRows->findEntry(id, 1); r > 0)
        removeEntryRow(*monthRows, r);
    monthRowsChanged();
}

void MonthViews::onEntryReplaced(int month, EntryId id)
{
    if (month < model_->curMonth()) {
        ShowBroughtForward();
        return;
    }
    const Entry* e = model_->findEntry(month, id);
    const int r = e && month == model_->curMonth() ? monthRows->findEntry(id, 1) : -1;
    if (r <= 0)
        return;
    MonthRow row = entryRowOf(*e);
    row.showsDate = monthRows->row(r).showsDate;
    monthRows->setRow(r, row);
    monthRowsChanged();
}

void MonthViews::onEntriesChanged(int month)
{
    if (month == model_->curMonth())
        RefreshMonthView();
    else if (month < model_->curMonth())
        ShowBroughtForward();
}
