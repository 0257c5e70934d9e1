#include "reports/ReportData.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/LedgerRules.h"

#include <QHash>
#include <algorithm>

namespace Reports {

QString fullWidth(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QChar(0xFF10 + (c.unicode() - '0'));
    return out;
}

QColor categoryColor(quint32 bgr) { return QColor::fromRgb(LedgerRules::rgbOfColour(bgr)); }

namespace {
// Names of an entry's category and sub-item; numbers the master no longer
// holds are named the way the CSV export names them.

LedgerRules::EntryNames namesOf(const LedgerModel& model, const Entry& e)
{
    return LedgerRules::namesOf(model.category(e.category()).get(), e.category(), e.sub());
}
}

MonthReport buildMonthReport(const LedgerModel& model, int month)
{
    MonthReport r;
    r.month = month;
    r.monthTitle = fullWidth(QString::number(month)) + QStringLiteral("月度");
    r.yearTitle = QStringLiteral("[") + fullWidth(QString::number(model.startYear())) + QStringLiteral("年度]");
    const MonthSlot& slot = model.slot(month);
    if (slot.count() == 0)
        return r;
    r.income = slot.totalIn;
    r.expense = slot.totalOut;

    if (const auto& totals = model.monthCatTotals()[month - 1]) {
        for (const clsMoney& m : *totals) {
            const auto cat = model.category(m.no);
            if (!cat)
                continue;
            (cat->ioflag == 1 ? r.outRows : r.inRows).push_back({cat->name, m.money, categoryColor(cat->color)});
        }
        const auto larger = [](const CategoryRow& a, const CategoryRow& b) { return a.amount > b.amount; };
        std::stable_sort(r.outRows.begin(), r.outRows.end(), larger);
        std::stable_sort(r.inRows.begin(), r.inRows.end(), larger);
    }

    // Names are looked up once per category and sub-item, not per entry.
    QHash<int, LedgerRules::EntryNames> names;
    r.entries.reserve(slot.entries.size());
    int previousDay = -1;
    for (const Entry& e : slot.entries) {
        const int key = e.categoryNo * 100 + e.subNo;
        auto it = names.find(key);
        if (it == names.end())
            it = names.insert(key, namesOf(model, e));
        EntryRow row;
        if (e.day() != previousDay) {
            row.day = Fmt::zero2(e.day());
            row.separator = previousDay >= 0;
            previousDay = e.day();
        }
        row.category = it->category;
        row.sub = it->sub;
        row.out = e.out;
        row.in = e.in;
        r.entries.push_back(std::move(row));
    }
    return r;
}

YearReport buildYearReport(const LedgerModel& model)
{
    YearReport r;
    r.title = fullWidth(QString::number(model.startYear())) + QStringLiteral("年度");
    r.yearOut = model.yearOut();
    r.yearIn = model.yearIn();
    r.carryOver = model.carryOver();
    r.outTotals.name = QStringLiteral("支出合計");
    r.inTotals.name = QStringLiteral("収入合計");
    if (r.isEmpty())
        return r;

    QHash<QString, int> rowOf; // category name -> index in categories
    for (int month = 1; month <= 12; ++month) {
        const auto& totals = model.monthCatTotals()[month - 1];
        if (model.slot(month).count() == 0 || !totals)
            continue;
        r.outTotals.months[month - 1] = model.slot(month).totalOut;
        r.inTotals.months[month - 1] = model.slot(month).totalIn;
        for (const clsMoney& m : *totals) {
            const auto cat = model.category(m.no);
            const QString name = cat ? cat->name : m.no;
            auto it = rowOf.find(name);
            if (it == rowOf.end()) {
                it = rowOf.insert(name, int(r.categories.size()));
                r.categories.push_back({name, cat ? categoryColor(cat->color) : QColor(Qt::gray), {}});
            }
            r.categories[*it].months[month - 1] = m.money;
        }
    }
    return r;
}

}
