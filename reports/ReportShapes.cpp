// The parts of the report data that the workbook writer needs as well; they
// know nothing of the ledger, so the workbook module compiles them too.
#include "reports/ReportData.h"

#include <algorithm>

namespace Reports {

qint64 MonthReport::sum(const std::vector<CategoryRow>& rows)
{
    qint64 s = 0;
    for (const CategoryRow& r : rows)
        s += r.amount;
    return s;
}

qint64 YearRow::total() const
{
    qint64 s = 0;
    for (const auto& m : months)
        s += m.value_or(0);
    return s;
}

bool YearRow::hasAmount() const
{
    return std::any_of(months.begin(), months.end(), [](const std::optional<qint64>& m) { return m.value_or(0) != 0; });
}

std::vector<YearChart> YearReport::charts() const
{
    std::vector<YearChart> list;
    list.reserve(categories.size() + 2);
    list.push_back({QStringLiteral("月別支出の推移"), 1, QColor(0xC0, 0x50, 0x4D)});
    list.push_back({QStringLiteral("月別収入の推移"), 2, QColor(0x4F, 0x81, 0xBD)});
    for (size_t i = 0; i < categories.size(); ++i)
        list.push_back({categories[i].name, int(i) + 3, categories[i].color});
    return list;
}

int YearReport::chartPages() const
{
    const int n = int(categories.size());
    return n <= 6 ? 1 : 2 + (n - 7) / 12;
}

int YearReport::chartPrintLastRow(int pages)
{
    if (pages <= 1)
        return 52;
    if (pages == 2)
        return 107;
    return 163 + 56 * (pages - 3);
}

int YearReport::chartPrintLastRow() const { return chartPrintLastRow(chartPages()); }

}
