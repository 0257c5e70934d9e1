// Building the entry list and the two summaries from the month slot.
#include "MonthViews.h"

#include "Formats.h"
#include "LedgerModel.h"
#include "LineText.h"

#include <QAction>
#include <QHash>

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
    const int month = m.curMonth;
    const MonthSlot& slot = m.slot(month);

    std::vector<MonthRow> rows;
    rows.reserve(slot.count() + 1);

    MonthRow first;
    first.tag = QStringLiteral("01");
    first.cells[MonthListModel::Category] = month == 1 ? QStringLiteral("前年度繰越残高") : QStringLiteral("前月繰越残高");
    qint64 brought = m.carryOver;
    for (int earlier = 1; earlier < month; ++earlier) {
        const MonthSlot& s = m.slot(earlier);
        if (s.count() > 0)
            brought += s.totalIn - s.totalOut;
    }
    if (brought < 0)
        first.cells[MonthListModel::Out] = Fmt::hash(-brought);
    else
        first.cells[MonthListModel::In] = Fmt::hash(brought);
    first.cells[MonthListModel::Balance] = Fmt::hash(brought);
    rows.push_back(std::move(first));

    // One lookup per category rather than one search of the master per entry.
    std::array<clsHimoku*, 100> categories{};
    for (const auto& c : m.categoryList)
        if (isTwoDigits(c.key, 1, 99))
            categories[c.key.toInt()] = c.item.get();

    QString day = QStringLiteral("00");
    for (const Entry& e : slot.entries) {
        clsHimoku* cat = categories[e.categoryNo % 100];
        if (!cat) {
            m.prompter().message(QStringLiteral("費目番号[") + e.category() + QStringLiteral("]に該当する費目はすでに削除されています。"),
                                 Prompter::Icon::Information);
            // The day is not taken from a row that is left out, so the next
            // row of that day still shows the date.
            continue;
        }
        MonthRow row;
        const QString entryDay = Fmt::zero2(e.day());
        if (entryDay != day) {
            day = entryDay;
            row.cells[MonthListModel::Date] = e.date();
        }
        row.tag = day;
        row.entryId = e.id;
        row.cells[MonthListModel::Category] = cat->name;
        if (e.subNo != 0) {
            if (const auto sub = cat->nTekiyo.find(e.sub()))
                row.cells[MonthListModel::Sub] = sub->name;
        }
        row.cells[MonthListModel::Out] = Fmt::hash(e.out);
        row.cells[MonthListModel::In] = Fmt::hash(e.in);
        rows.push_back(std::move(row));
    }
    monthRows->setRows(std::move(rows));
    UpdateBalances(monthRows);
    ShowCompress();
}

void MonthViews::ShowCompress()
{
    summaryRows->clear();
    switch (model_->summaryMode) {
    case 1:
        tbrDaySummary->setChecked(true);
        tbrDaySummary->setText(QStringLiteral("日単位 -オン"));
        tbrCategorySummary->setChecked(false);
        tbrCategorySummary->setText(QStringLiteral("費目単位 -オフ"));
        summaryRows->setAmountColumns({MonthListModel::Out, MonthListModel::In, MonthListModel::Balance});
        summaryRows->setHeadings(kDayHeadings);
        ShowDaySummary();
        break;
    case 2:
        tbrDaySummary->setChecked(false);
        tbrDaySummary->setText(QStringLiteral("日単位 -オフ"));
        tbrCategorySummary->setChecked(true);
        tbrCategorySummary->setText(QStringLiteral("費目単位 -オン"));
        summaryRows->setAmountColumns({2, 3, 4, 5});
        summaryRows->setHeadings(kCategoryHeadings);
        ShowCategorySummary();
        break;
    default:
        break;
    }
}

void MonthViews::ShowDaySummary()
{
    std::vector<MonthRow> rows;
    const MonthRow& carry = monthRows->row(0);
    MonthRow first;
    for (int c : {1, 3, 4, 5})
        first.cells[c] = carry.cells[c];
    rows.push_back(std::move(first));
    if (monthRows->count() < 2) {
        summaryRows->setRows(std::move(rows));
        return;
    }

    const QString monthText = Fmt::zero2(model_->curMonth) + QLatin1Char('/');
    QString day = QStringLiteral("00");
    qint64 out = 0, in = 0;
    auto closeDay = [&] {
        MonthRow r;
        r.cells[MonthListModel::Date] = monthText + day;
        r.cells[MonthListModel::Out] = Fmt::hash(out);
        r.cells[MonthListModel::In] = Fmt::hash(in);
        r.tag = day;
        rows.push_back(std::move(r));
    };
    for (int i = 1; i < monthRows->count(); ++i) {
        const MonthRow& r = monthRows->row(i);
        const qint64 rowOut = Num::cellValue(r.cells[MonthListModel::Out]);
        const qint64 rowIn = Num::cellValue(r.cells[MonthListModel::In]);
        if (r.tag == day) {
            out += rowOut;
            in += rowIn;
            continue;
        }
        if (day != QLatin1String("00"))
            closeDay();
        out = rowOut;
        in = rowIn;
        day = r.tag;
    }
    closeDay();
    summaryRows->setRows(std::move(rows));
    UpdateBalances(summaryRows);
}

void MonthViews::ShowCategorySummary()
{
    LedgerModel& m = *model_;
    m.MakeCategorySums(m.curMonth);
    if (m.slot(m.curMonth).count() == 0)
        return;

    std::vector<MonthRow> rows;
    auto header = [&](const QString& caption, qint64 total) {
        MonthRow r;
        r.cells[1] = caption;
        r.cells[2] = Fmt::hash(total);
        rows.push_back(std::move(r));
    };
    auto categoryRows = [&](const std::vector<CategorySum>& sums) {
        for (const CategorySum& item : sums) {
            const auto cat = m.category(item.no);
            MonthRow r;
            r.cells[1] = cat ? cat->name : item.no;
            r.cells[2] = Fmt::hash(item.amount);
            const qint64 budget = cat ? cat->limit : 0;
            r.cells[3] = Fmt::hash(budget);
            if (!r.cells[3].isEmpty()) {
                const qint64 left = Num::cellValue(r.cells[3]) - Num::cellValue(r.cells[2]);
                r.cells[4] = markDeficit(Fmt::hash(left));
                r.cells[5] = markDeficit(Fmt::percentSp(left == 0 ? 0.0 : double(left) / double(budget)));
            }
            rows.push_back(std::move(r));
        }
    };

    header(QStringLiteral("[支出費目]"), m.totalOut);
    rows.emplace_back();
    categoryRows(m.catSumOut);
    rows.emplace_back();
    header(QStringLiteral("[収入費目]"), m.totalIn);
    rows.emplace_back();
    categoryRows(m.catSumIn);
    summaryRows->setRows(std::move(rows));
}
