// The monthly report as a workbook sheet: the cells a spreadsheet user's
// own formulas and macros read (B2, F2, E5, E6, L10.., N10.., rows 30..).
#include "reports/workbook/Workbook.h"
#include "reports/workbook/WorkbookModule.h"

namespace Reports {

namespace {
enum Col { B = 1, C, D, E, F, G, H, I, J, K, L, M, N, O };

lxw_color_t rgb(const QColor& c) { return lxw_color_t((c.red() << 16) | (c.green() << 8) | c.blue()); }

// A pie over the name and amount columns, its slices in the categories' colours.
void addPie(Workbook& wb, lxw_worksheet* s, const QByteArray& sheet, const std::vector<CategoryRow>& rows, int nameCol,
            const char* title, int anchorCol, double width)
{
    if (MonthReport::sum(rows) <= 0)
        return;
    lxw_chart* chart = workbook_add_chart(wb.book(), LXW_CHART_PIE);
    chart_title_set_name(chart, title);
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    const int first = MonthReport::kFirstCategoryRow - 1, last = first + int(rows.size()) - 1;
    chart_series_set_categories(series, sheet.constData(), lxw_row_t(first), lxw_col_t(nameCol), lxw_row_t(last),
                                lxw_col_t(nameCol));
    chart_series_set_values(series, sheet.constData(), lxw_row_t(first), lxw_col_t(nameCol + 1), lxw_row_t(last),
                            lxw_col_t(nameCol + 1));
    std::vector<lxw_chart_fill> fills(rows.size());
    std::vector<lxw_chart_point> points(rows.size());
    std::vector<lxw_chart_point*> list;
    for (size_t i = 0; i < rows.size(); ++i) {
        fills[i].color = rgb(rows[i].color);
        points[i].fill = &fills[i];
        list.push_back(&points[i]);
    }
    list.push_back(nullptr);
    wb.note(chart_series_set_points(series, list.data()));
    chart_legend_set_position(chart, LXW_CHART_LEGEND_RIGHT);
    lxw_chart_options opt{};
    opt.x_scale = width / 480.0;
    opt.y_scale = 380.0 / 288.0;
    wb.note(worksheet_insert_chart_opt(s, 7, lxw_col_t(anchorCol), chart, &opt));
}

void writeSheet(Workbook& wb, const MonthReport& r, const QString& name)
{
    lxw_worksheet* s = wb.addSheet(name);
    if (!s)
        return;
    const QByteArray sheet = Workbook::utf8(name);
    const double widths[] = {2, 10, 3, 6, 18, 18, 12, 12, 3, 2, 2, 18, 12, 18, 12};
    for (int c = 0; c < 15; ++c)
        worksheet_set_column(s, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);

    wb.text(s, 1, B, r.monthTitle, wb.title);
    wb.text(s, 1, C, QStringLiteral("月間収支報告"), wb.title);
    wb.text(s, 1, F, r.yearTitle, wb.bold);
    wb.text(s, 4, B, QStringLiteral("収入合計"), wb.bold);
    wb.number(s, 4, E, r.income, wb.amountBold);
    wb.text(s, 5, B, QStringLiteral("支出合計"), wb.bold);
    wb.number(s, 5, E, r.expense, wb.amountBold);
    wb.text(s, 4, G, QStringLiteral("収支"), wb.bold);
    wb.formula(s, 4, H, QStringLiteral("=E5-E6"), r.income - r.expense, wb.amountBold);

    // Category tables, largest first, as the pies read them.
    const int head = MonthReport::kFirstCategoryRow - 2;
    wb.text(s, head, L, QStringLiteral("支出費目"), wb.header);
    wb.text(s, head, M, QStringLiteral("金額"), wb.header);
    wb.text(s, head, N, QStringLiteral("収入費目"), wb.header);
    wb.text(s, head, O, QStringLiteral("金額"), wb.header);
    for (size_t i = 0; i < r.outRows.size(); ++i) {
        wb.text(s, head + 1 + int(i), L, r.outRows[i].name);
        wb.number(s, head + 1 + int(i), M, r.outRows[i].amount, wb.amount);
    }
    for (size_t i = 0; i < r.inRows.size(); ++i) {
        wb.text(s, head + 1 + int(i), N, r.inRows[i].name);
        wb.number(s, head + 1 + int(i), O, r.inRows[i].amount, wb.amount);
    }
    addPie(wb, s, sheet, r.outRows, L, "支出の内訳", B, 275);
    addPie(wb, s, sheet, r.inRows, N, "収入の内訳", F, 300);

    // Entries from row 30: the day on a day's first row, a line above each later day.
    const int top = MonthReport::kFirstEntryRow - 1;
    const QString titles[] = {QStringLiteral("日"), QStringLiteral("費目"), QStringLiteral("摘要項目"),
                              QStringLiteral("出金"), QStringLiteral("入金")};
    for (int c = 0; c < 5; ++c)
        wb.text(s, top - 1, D + c, titles[c], wb.header);
    for (size_t i = 0; i < r.entries.size(); ++i) {
        const EntryRow& e = r.entries[i];
        const int row = top + int(i);
        lxw_format* textFormat = e.separator ? wb.dayRule : nullptr;
        lxw_format* amountFormat = e.separator ? wb.dayRuleAmount : wb.amount;
        if (e.separator) {
            wb.text(s, row, C, {}, wb.dayRule);
            wb.text(s, row, I, {}, wb.dayRule);
        }
        wb.text(s, row, D, e.day, textFormat);
        wb.text(s, row, E, e.category, textFormat);
        wb.text(s, row, F, e.sub, textFormat);
        if (e.out != 0)
            wb.number(s, row, G, e.out, amountFormat);
        else
            wb.text(s, row, G, {}, textFormat);
        if (e.in != 0)
            wb.number(s, row, H, e.in, amountFormat);
        else
            wb.text(s, row, H, {}, textFormat);
    }

    const int last = qMax(top + int(r.entries.size()) - 1, head + int(qMax(r.outRows.size(), r.inRows.size())));
    wb.fitToWidth(s, false);
    wb.note(worksheet_repeat_rows(s, lxw_row_t(top - 1), lxw_row_t(top - 1)));
    wb.note(worksheet_print_area(s, 0, B, lxw_row_t(last), O));
}
}

QString monthSheetName(const MonthReport& r, bool several)
{
    const QString base = QStringLiteral("月間収支報告");
    return several ? base + QStringLiteral("(%1月)").arg(r.month) : base;
}

bool buildMonthWorkbook(const std::vector<MonthReport>& months, QByteArray& bytes, QString& error)
{
    Workbook wb;
    for (const MonthReport& r : months)
        writeSheet(wb, r, monthSheetName(r, months.size() > 1));
    return wb.finish(bytes, error);
}

}
