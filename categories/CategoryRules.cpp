#include "CategoryRules.h"

#include "Formats.h"
#include "LedgerModel.h"

#include <algorithm>
#include <array>

namespace CategoryRules {

namespace {
// Whether the fraction of a number is exactly one half (".5", ".50", ...).
bool isExactHalf(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype point = t.lastIndexOf(QLatin1Char('.'));
    if (point < 0)
        point = t.lastIndexOf(QChar(0xFF0E)); // full-width full stop
    if (point < 0 || point + 1 >= t.size() || t[point + 1].digitValue() != 5)
        return false;
    for (qsizetype i = point + 2; i < t.size(); ++i)
        if (t[i].digitValue() != 0)
            return false;
    return true;
}
}

std::optional<qint32> budgetValue(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    auto v = Num::toInt32(text);
    // The reader rounds halves away from zero; a budget takes the even yen.
    if (v && *v % 2 != 0 && isExactHalf(text))
        *v += *v > 0 ? -1 : 1;
    return v;
}

int entriesOf(const LedgerModel& model, int categoryNo)
{
    int n = 0;
    for (const MonthSlot& s : model.monthSlots)
        n += int(std::count_if(s.entries.begin(), s.entries.end(),
                               [&](const Entry& e) { return e.categoryNo == categoryNo; }));
    return n;
}

void alignYear(LedgerModel& model, const QSet<int>& deleted)
{
    std::array<int, 100> kind{}; // ioflag by category number, 0 for none
    for (const auto& c : model.categoryList)
        if (const int n = c.key.toInt(); n >= 1 && n <= 99)
            kind[n] = c.item->ioflag;
    for (MonthSlot& s : model.monthSlots) {
        if (s.entries.empty())
            continue;
        // A number deleted and given again to a new category stays: its entries are the new category's.
        std::erase_if(s.entries, [&](const Entry& e) { return deleted.contains(e.categoryNo) && kind[e.categoryNo % 100] == 0; });
        s.totalOut = 0;
        s.totalIn = 0;
        for (Entry& e : s.entries) {
            if (const int k = kind[e.categoryNo % 100]; k != 0) {
                const qint32 amount = e.out != 0 ? e.out : e.in;
                e.out = k == 1 ? amount : 0;
                e.in = k == 1 ? 0 : amount;
            }
            s.totalOut += e.out;
            s.totalIn += e.in;
        }
    }
}

void alignCategoryUse(LedgerModel& model)
{
    std::erase_if(model.categoryUse,
                  [&](const CategoryUseRow& r) { return !model.categoryList.contains(Fmt::zero2(r.no)); });
    for (const auto& c : model.categoryList) {
        const int n = c.item->no.toInt();
        const bool held = std::any_of(model.categoryUse.begin(), model.categoryUse.end(),
                                      [&](const CategoryUseRow& r) { return r.no == n; });
        if (!held)
            model.categoryUse.push_back({n, 0});
    }
}

}
