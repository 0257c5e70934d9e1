// Changes of the categories in memory: the category editor's edits, a new
// sub-item from the entry dialog, the graphs' display targets, and the open
// year and the use ranking brought in line with a changed master.
#include "ledger/LedgerModel.h"

#include "ledger/Formats.h"
#include "ledger/LedgerRules.h"

#include <algorithm>
#include <array>

bool LedgerModel::AddCategory(std::shared_ptr<clsHimoku> c)
{
    if (!c || categoryList_.contains(c->no) || categoryByName_.contains(c->name))
        return false;
    sumsChanged();
    categoryList_.add(c->no, c);
    categoryByName_.add(c->name, c);
    // Shown in the graphs and last in the entry dialog's order, as after a read.
    const int n = c->no.toInt();
    graphTargets_.push_back({n, 1});
    if (std::none_of(categoryUse_.begin(), categoryUse_.end(), [n](const CategoryUseRow& r) { return r.no == n; }))
        categoryUse_.push_back({n, 0});
    return true;
}

void LedgerModel::RemoveCategory(const QString& no)
{
    const auto c = category(no);
    if (!c)
        return;
    sumsChanged();
    categoryList_.remove(no);
    categoryByName_.remove(c->name);
}

void LedgerModel::ReplaceCategory(const QString& no, std::shared_ptr<clsHimoku> c)
{
    const auto old = category(no);
    if (!old || !c)
        return;
    sumsChanged();
    const int at = categoryList_.indexOf(no);
    // The number keeps its place in the master's order.
    KeyedCollection<clsHimoku> list;
    for (int i = 0; i < categoryList_.count(); ++i)
        list.add(categoryList_.keyAt(i), i == at ? c : categoryList_.at(i));
    categoryList_ = std::move(list);
    categoryByName_.remove(old->name);
    categoryByName_.add(c->name, c);
}

void LedgerModel::SetCategories(const std::vector<std::shared_ptr<clsHimoku>>& categories)
{
    categoryList_.clear();
    categoryByName_.clear();
    graphTargets_.clear();
    for (const auto& c : categories) {
        categoryList_.add(c->no, c);
        categoryByName_.add(c->name, c);
        graphTargets_.push_back({c->no.toInt(), 1});
    }
    sumsChanged();
    emit masterChanged();
}

QString LedgerModel::AddSubItem(const QString& categoryNo, const QString& name)
{
    const auto c = category(categoryNo);
    if (!c)
        return {};
    const QString no = LedgerRules::smallestFreeNumber(c->nTekiyo);
    if (no.isEmpty() || !c->addsub(no, name))
        return {};
    // A failed save has been reported; the sub-item stays in memory and is
    // saved with the next write of the master.
    WriteCategoryMaster();
    emit subItemAdded(categoryNo, no);
    return no;
}

void LedgerModel::SetGraphTargetsShown(const std::vector<bool>& shown)
{
    for (size_t j = 0; j < shown.size() && j < graphTargets_.size(); ++j)
        graphTargets_[j].show = shown[j] ? 1 : 0;
    emit graphTargetsChanged();
}

int LedgerModel::entriesOf(int categoryNo) const
{
    int n = 0;
    for (const MonthSlot& s : monthSlots_)
        n += int(std::count_if(s.entries.begin(), s.entries.end(), [&](const Entry& e) { return e.categoryNo == categoryNo; }));
    return n;
}

void LedgerModel::AlignYearToMaster(const QSet<int>& deleted)
{
    std::array<int, 100> kind{}; // ioflag by category number, 0 for none
    for (const auto& c : categoryList_)
        if (const int n = c.key.toInt(); n >= 1 && n <= 99)
            kind[n] = c.item->ioflag;
    for (int month = 1; month <= 12; ++month) {
        if (slot(month).entries.empty())
            continue;
        std::vector<Entry> entries = slot(month).entries;
        // A number deleted and given again to a new category stays: its entries are the new category's.
        std::erase_if(entries, [&](const Entry& e) { return deleted.contains(e.categoryNo) && kind[e.categoryNo % 100] == 0; });
        for (Entry& e : entries) {
            if (const int k = kind[e.categoryNo % 100]; k != 0) {
                const qint32 amount = e.out != 0 ? e.out : e.in;
                e.out = k == 1 ? amount : 0;
                e.in = k == 1 ? 0 : amount;
            }
        }
        const auto same = [](const Entry& a, const Entry& b) { return a.id == b.id && a.sameContent(b); };
        if (!std::equal(entries.begin(), entries.end(), slot(month).entries.begin(), slot(month).entries.end(), same))
            SetMonthEntries(month, std::move(entries));
    }
    sumsChanged();
}

void LedgerModel::AlignCategoryUse()
{
    std::erase_if(categoryUse_, [&](const CategoryUseRow& r) { return !categoryList_.contains(Fmt::zero2(r.no)); });
    for (const auto& c : categoryList_) {
        const int n = c.item->no.toInt();
        const bool held = std::any_of(categoryUse_.begin(), categoryUse_.end(), [&](const CategoryUseRow& r) { return r.no == n; });
        if (!held)
            categoryUse_.push_back({n, 0});
    }
}
