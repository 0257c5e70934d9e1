// The yearly report as a workbook: the data sheet "金額データ", the figures
// sheet "年間収支報告" and the trend sheet "年間推移グラフ" whose charts read
// the data sheet.
#include "reports/workbook/Workbook.h"
#include "reports/workbook/WorkbookModule.h"

namespace Reports {

namespace {
const QString kData = QStringLiteral("金額データ");
const QString kFigures = QStringLiteral("年間収支報告");
const QString kCharts = QStringLiteral("年間推移グラフ");

enum Col { A = 0, B, C, D, E, F, G, H, I, J, K, L, M, N, O };

lxw_color_t rgb(const QColor& c) { return lxw_color_t((c.red() << 16) | (c.green() << 8) | c.blue()); }

// A row of the data sheet from column `first`: name, then each month with entries.
void putRow(Workbook& wb, lxw_worksheet* s, int row, int first, const YearRow& r, lxw_format* text, lxw_format* amount)
{
    wb.text(s, row, first, r.name, text);
    for (int m = 0; m < 12; ++m) {
        if (r.months[m])
            wb.number(s, row, first + 1 + m, *r.months[m], amount);
        else if (text)
            wb.text(s, row, first + 1 + m, {}, text);
    }
}

void dataSheet(Workbook& wb, const YearReport& r)
{
    lxw_worksheet* s = wb.addSheet(kData);
    if (!s)
        return;
    worksheet_set_column(s, A, A, 18, nullptr);
    worksheet_set_column(s, B, M, 12, nullptr);
    putRow(wb, s, 0, A, r.outTotals, nullptr, wb.amount);
    putRow(wb, s, 1, A, r.inTotals, nullptr, wb.amount);
    for (size_t i = 0; i < r.categories.size(); ++i)
        putRow(wb, s, 2 + int(i), A, r.categories[i], nullptr, wb.amount);
    wb.fitToWidth(s, true);
}

// B2, C5, C6, F6 and their labels, shared by both report sheets.
void yearFigures(Workbook& wb, lxw_worksheet* s, const YearReport& r, const QString& name)
{
    wb.text(s, 1, B, r.title, wb.title);
    wb.text(s, 1, D, name, wb.title);
    wb.text(s, 4, B, QStringLiteral("支出合計"), wb.bold);
    wb.number(s, 4, C, r.yearOut, wb.amountBold);
    wb.text(s, 5, B, QStringLiteral("収入合計"), wb.bold);
    wb.number(s, 5, C, r.yearIn, wb.amountBold);
    wb.text(s, 5, E, QStringLiteral("前年繰越"), wb.bold);
    wb.number(s, 5, F, r.carryOver, wb.amountBold);
}

void figuresSheet(Workbook& wb, const YearReport& r)
{
    lxw_worksheet* s = wb.addSheet(kFigures);
    if (!s)
        return;
    worksheet_set_column(s, A, A, 2, nullptr);
    worksheet_set_column(s, B, B, 18, nullptr);
    worksheet_set_column(s, C, N, 12, nullptr);
    worksheet_set_column(s, O, O, 14, nullptr);
    yearFigures(wb, s, r, kFigures);
    wb.text(s, 4, E, QStringLiteral("年間収支"), wb.bold);
    wb.formula(s, 4, F, QStringLiteral("=C6-C5"), r.yearIn - r.yearOut, wb.amountBold);
    wb.text(s, 6, E, QStringLiteral("年末残高"), wb.bold);
    wb.formula(s, 6, F, QStringLiteral("=F6+F5"), r.carryOver + r.yearIn - r.yearOut, wb.amountBold);

    lxw_format* text = workbook_add_format(wb.book());
    format_set_bottom(text, LXW_BORDER_THIN);
    lxw_format* amount = workbook_add_format(wb.book());
    format_set_bottom(amount, LXW_BORDER_THIN);
    format_set_num_format(amount, "#,##0");

    const auto headerRow = [&](int row, const QString& first) {
        wb.text(s, row, B, first, wb.header);
        for (int m = 1; m <= 12; ++m)
            wb.text(s, row, B + m, QString::number(m) + QStringLiteral("月"), wb.header);
        wb.text(s, row, O, QStringLiteral("年間合計"), wb.header);
    };
    // The row's year total beside its months, as a formula over them.
    const auto totalCell = [&](int row, const YearRow& y) {
        const QString n = QString::number(row + 1);
        wb.formula(s, row, O, QStringLiteral("=SUM(C%1:N%1)").arg(n), y.total(), amount);
    };
    // Rows 1-2 of the data sheet go to B12, its category rows to B15.
    headerRow(10, QStringLiteral("区分"));
    putRow(wb, s, 11, B, r.outTotals, text, amount);
    totalCell(11, r.outTotals);
    putRow(wb, s, 12, B, r.inTotals, text, amount);
    totalCell(12, r.inTotals);
    headerRow(13, QStringLiteral("費目"));
    for (size_t i = 0; i < r.categories.size(); ++i) {
        putRow(wb, s, 14 + int(i), B, r.categories[i], text, amount);
        totalCell(14 + int(i), r.categories[i]);
    }

    const int n = int(r.categories.size());
    // Fourteen columns of amounts read best across the page.
    wb.fitToWidth(s, true);
    wb.note(worksheet_print_area(s, 0, B, lxw_row_t(n + 14), O)); // $B$1:$O$(n + 15)
}

// Where chart i goes: the first page holds eight (the two year charts and
// six categories) in rows of two, each further page twelve.
struct Place {
    int row; // 0-based
    int col;
    int height; // pixels
};

Place placeOf(int i)
{
    if (i < 8)
        return {7 + 11 * (i / 2), i % 2 ? K : B, 212};
    const int j = i - 8, page = 2 + j / 12, k = j % 12;
    // A row clear of the page break above, which a chart touching it crosses.
    return {YearReport::chartPrintLastRow(page - 1) + 1 + 9 * (k / 2), k % 2 ? K : B, 172};
}

void chartsSheet(Workbook& wb, const YearReport& r)
{
    lxw_worksheet* s = wb.addSheet(kCharts);
    if (!s)
        return;
    worksheet_set_column(s, A, A, 2, nullptr);
    worksheet_set_column(s, C, C, 14, nullptr);
    worksheet_set_column(s, F, F, 14, nullptr);
    yearFigures(wb, s, r, kCharts);

    const QByteArray data = Workbook::utf8(kData);
    const std::vector<YearChart> charts = r.charts();
    for (size_t i = 0; i < charts.size(); ++i) {
        const YearChart& yc = charts[i];
        lxw_chart* chart = workbook_add_chart(wb.book(), LXW_CHART_COLUMN);
        const QByteArray title = Workbook::utf8(yc.title);
        chart_title_set_name(chart, title.constData());
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        chart_series_set_values(series, data.constData(), lxw_row_t(yc.dataRow - 1), B, lxw_row_t(yc.dataRow - 1), M);
        lxw_chart_fill fill{};
        fill.color = rgb(yc.color);
        chart_series_set_fill(series, &fill);
        chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
        chart_axis_set_name(chart->x_axis, "月");
        chart_axis_set_num_format(chart->y_axis, "#,##0");
        const Place at = placeOf(int(i));
        lxw_chart_options opt{};
        opt.x_scale = 560.0 / 480.0;
        opt.y_scale = at.height / 288.0;
        wb.note(worksheet_insert_chart_opt(s, lxw_row_t(at.row), lxw_col_t(at.col), chart, &opt));
    }

    const int pages = r.chartPages();
    std::vector<lxw_row_t> breaks;
    for (int p = 1; p < pages; ++p)
        breaks.push_back(lxw_row_t(YearReport::chartPrintLastRow(p)));
    breaks.push_back(0);
    if (pages > 1)
        wb.note(worksheet_set_h_pagebreaks(s, breaks.data()));
    // Both columns of charts on each page, the pages broken between rows of charts.
    wb.fitToWidth(s, false);
    wb.note(worksheet_print_area(s, 0, B, lxw_row_t(r.chartPrintLastRow() - 1), 18)); // $B$1:$S$(last)
}
}

bool buildYearWorkbook(const YearReport& year, bool figures, bool charts, QByteArray& bytes, QString& error)
{
    Workbook wb;
    dataSheet(wb, year);
    if (figures)
        figuresSheet(wb, year);
    if (charts)
        chartsSheet(wb, year);
    return wb.finish(bytes, error);
}

}
