#include "graphs/GraphSums.h"

#include "ledger/Formats.h"
#include "graphs/GraphMath.h"
#include "ledger/LedgerModel.h"

#include <algorithm>

namespace Graph {

LegendRow legendRow(const clsHimoku& category, qint64 amount, qint64 total)
{
    LegendRow row;
    row.name = category.name;
    row.key = category.no;
    row.color = category.color;
    row.plainTip = category.name + QLatin1Char(' ') + Fmt::hash(amount) + QStringLiteral(" 円");
    row.tip = row.plainTip;
    row.overBudget = category.limit > 0 && amount > category.limit;
    if (row.overBudget)
        row.tip += QStringLiteral(" [予算 ") + QString::number(category.limit) + QStringLiteral(" 円]");
    row.share = shareText(amount, total);
    return row;
}

SubSums sumSubItems(const MonthSlot& month, int categoryNo)
{
    SubSums sums;
    std::array<int, 100> at;
    at.fill(-1);
    std::vector<std::pair<int, qint64>> found;
    for (const Entry& e : month.entries) {
        if (e.categoryNo != categoryNo)
            continue;
        const qint64 amount = qint64(e.out) + e.in;
        int& i = at[e.subNo % 100];
        if (i < 0) {
            i = int(found.size());
            found.push_back({e.subNo, amount});
        } else {
            found[i].second += amount;
        }
        sums.total += amount;
    }
    // Stable: equal amounts keep the order of their first entry.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    sums.items.reserve(found.size());
    for (const auto& [no, amount] : found)
        sums.items.push_back({Fmt::zero2(no), amount});
    return sums;
}

QString subItemName(const clsHimoku& category, SubSum& item)
{
    if (item.no == QLatin1String("00"))
        return QStringLiteral("摘要項目なし");
    if (const auto sub = category.nTekiyo.find(item.no))
        return sub->name;
    item.no = QStringLiteral("00");
    return QStringLiteral("摘要項目なし(削除済)");
}

QString budgetText(qint32 limit, qint64 total)
{
    if (limit <= 0)
        return {};
    const qint64 left = qint64(limit) - total;
    QString extra;
    if (left > 0)
        extra = QStringLiteral("（あと ") + Fmt::hash(left) + QStringLiteral("円 使えます）");
    else if (left < 0)
        extra = QStringLiteral("（") + Fmt::hash(-left) + QStringLiteral("円 オーバーです）");
    return QStringLiteral("予算： ") + Fmt::hash(limit) + QStringLiteral("円／月   ") + extra;
}

YearSeries yearSeries(const LedgerModel& model, int line)
{
    YearSeries s;
    if (line == 0 || line == 1) {
        s.barColor = line == 0 ? 0x000000 : 0xFFFFFF;
        s.labelColor = line == 0 ? 0xFFFFFF : 0x000000;
        for (int m = 1; m <= 12; ++m) {
            const MonthSlot& slot = model.slot(m);
            if (slot.count() > 0)
                s.values[m - 1] = line == 0 ? slot.totalOut : slot.totalIn;
        }
    } else if (line >= 2 && line - 2 < model.categoryList().count()) {
        const clsHimoku& c = *model.categoryList().at(line - 2);
        s.isCategory = true;
        s.limit = c.limit;
        s.barColor = c.color;
        for (int m = 1; m <= 12; ++m) {
            const auto& totals = model.monthCatTotals()[m - 1];
            if (!totals)
                continue;
            for (const clsMoney& money : *totals) {
                if (money.no == c.no) {
                    s.values[m - 1] = money.money;
                    break;
                }
            }
        }
    }
    qint64 largest = -1;
    for (const auto& v : s.values)
        if (v && *v > largest)
            largest = *v;
    s.axisMax = axisMaximum(largest);
    if (s.axisMax >= 1)
        for (const auto& v : s.values)
            s.yearTotal += v.value_or(0);
    return s;
}

}
