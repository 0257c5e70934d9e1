// Building the entry list and the two summaries from the month slot.
#include "month/MonthViews.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/LineText.h"


namespace {
const QStringList kDayHeadings{QStringLiteral("日付"), QStringLiteral(" "), QStringLiteral(" "),
                               QStringLiteral("出金"), QStringLiteral("入金"), QStringLiteral("残高")};
const QStringList kCategoryHeadings{QStringLiteral(" "), QStringLiteral("費目"), QStringLiteral("金額"),
                                    QStringLiteral("予算"), QStringLiteral("予算達成状況"), QStringLiteral("余裕度 (%)")};

// An overspent budget reads "▲1,500" rather than "-1,500".
QString markDeficit(QString text)
{
    if (text.startsWith(QLatin1Char('-')))
        text.replace(0, 1, QStringLiteral("▲"));
    return text;
}
}

void MonthViews::RefreshMonthView()
{
    LedgerModel& m = *model_;
    const int month = m.curMonth();
    const MonthSlot& slot = m.slot(month);

    std::vector<MonthRow> rows;
    rows.reserve(slot.count() + 1);

    rows.push_back(MonthRow::carryOver(month, broughtForward()));

    // One lookup per category rather than one search of the master per entry.
    std::array<bool, 100> known{};
    for (const auto& c : m.categoryList())
        if (isTwoDigits(c.key, 1, 99))
            known[c.key.toInt()] = true;

    int day = 0;
    for (const Entry& e : slot.entries) {
        if (!known[e.categoryNo % 100]) {
            m.prompter().message(QStringLiteral("費目番号[") + e.category() + QStringLiteral("]に該当する費目はすでに削除されています。"),
                                 Prompter::Icon::Information);
            // The day is not taken from a row that is left out, so the next
            // row of that day still shows the date.
            continue;
        }
        MonthRow row;
        row.showsDate = e.day() != day;
        day = e.day();
        row.month = quint8(month);
        row.day = quint8(day);
        row.entryId = e.id;
        row.categoryNo = e.categoryNo;
        row.subNo = e.subNo;
        row.out = e.out;
        row.in = e.in;
        rows.push_back(row);
    }
    monthRows->setRows(std::move(rows));
    UpdateBalances(monthRows);
    ShowCompress();
}

void MonthViews::ShowCompress()
{
    summaryRows->clear();
    switch (summaryMode_) {
    case 1:
        summaryRows->setAmountColumns({MonthListModel::Out, MonthListModel::In, MonthListModel::Balance});
        summaryRows->setHeadings(kDayHeadings);
        lvwMonthC->setTextColumns({1, 2});
        ShowDaySummary();
        break;
    case 2:
        summaryRows->setAmountColumns({2, 3, 4, 5});
        summaryRows->setHeadings(kCategoryHeadings);
        lvwMonthC->setTextColumns({1});
        ShowCategorySummary();
        break;
    default:
        break;
    }
}

void MonthViews::ShowDaySummary()
{
    std::vector<MonthRow> rows;
    rows.push_back(monthRows->row(0));
    if (monthRows->count() < 2) {
        summaryRows->setRows(std::move(rows));
        return;
    }

    MonthRow day;
    day.kind = MonthRow::DayRow;
    day.month = quint8(model_->curMonth());
    for (int i = 1; i < monthRows->count(); ++i) {
        const MonthRow& r = monthRows->row(i);
        if (r.day == day.day) {
            day.out += r.out;
            day.in += r.in;
            continue;
        }
        if (day.day != 0)
            rows.push_back(day);
        day.out = r.out;
        day.in = r.in;
        day.day = r.day;
    }
    rows.push_back(day);
    summaryRows->setRows(std::move(rows));
    UpdateBalances(summaryRows);
}

void MonthViews::ShowCategorySummary()
{
    const LedgerModel& m = *model_;
    if (m.slot(m.curMonth()).count() == 0)
        return;
    const CategorySums sums = m.MakeCategorySums(m.curMonth());

    std::vector<MonthRow> rows;
    auto header = [&](const QString& caption, qint64 total) {
        rows.push_back(MonthRow::textRow({QString(), caption, Fmt::hash(total)}));
    };
    auto categoryRows = [&](const std::vector<CategorySum>& sums) {
        for (const CategorySum& item : sums) {
            const auto cat = m.category(item.no);
            const qint64 budget = cat ? cat->limit : 0;
            MonthRow::Texts cells{QString(), cat ? cat->name : item.no, Fmt::hash(item.amount), Fmt::hash(budget)};
            if (budget != 0) {
                const qint64 left = budget - item.amount;
                cells[4] = markDeficit(Fmt::hash(left));
                cells[5] = markDeficit(Fmt::percentSp(left == 0 ? 0.0 : double(left) / double(budget)));
            }
            rows.push_back(MonthRow::textRow(std::move(cells)));
        }
    };
    const MonthRow empty = MonthRow::textRow({});

    header(QStringLiteral("[支出費目]"), sums.totalOut);
    rows.push_back(empty);
    categoryRows(sums.catSumOut);
    rows.push_back(empty);
    header(QStringLiteral("[収入費目]"), sums.totalIn);
    rows.push_back(empty);
    categoryRows(sums.catSumIn);
    summaryRows->setRows(std::move(rows));
}
