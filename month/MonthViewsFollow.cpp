// The month views follow the model: every change of the entries, the
// carry-over or the master shows here whoever made it.
#include "month/MonthViews.h"

#include "month/EntryRows.h"
#include "ledger/LedgerModel.h"

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

int MonthViews::rowOfEntry(EntryId id, int likely) const
{
    // Row i + 1 shows entry i unless rows of deleted categories were left out.
    if (likely > 0 && likely < monthRows->count() && monthRows->row(likely).entryId == id)
        return likely;
    return monthRows->findEntry(id, 1);
}

int MonthViews::rowOfEntry(EntryId id) const
{
    return rowOfEntry(id, int(model_->entryIndex(model_->curMonth(), id)) + 1);
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
    const qsizetype i = model_->entryIndex(month, id);
    if (i < 0)
        return;
    // The row goes right after the row of the entry before it.
    int at = 1;
    if (i > 0) {
        at = rowOfEntry(entries[size_t(i - 1)].id, int(i)) + 1;
        if (at <= 0) {
            RefreshMonthView();
            return;
        }
    }
    MonthRow row = entryRowOf(entries[size_t(i)]);
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
    const qsizetype i = model_->entryIndex(month, id);
    const int r = i >= 0 && month == model_->curMonth() ? rowOfEntry(id, int(i) + 1) : -1;
    if (r <= 0)
        return;
    MonthRow row = entryRowOf(model_->slot(month).entries[size_t(i)]);
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
