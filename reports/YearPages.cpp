// The drawn yearly report: figures pages and trend chart pages.
#include "ledger/Formats.h"
#include "reports/ReportCanvas.h"
#include "reports/ReportCharts.h"
#include "reports/ReportPages.h"

#include <QFontMetricsF>

namespace Reports {

namespace {
QString yen(qint64 v) { return Fmt::hash0(v) + QStringLiteral(" 円"); }

void title(ReportCanvas& c, const QString& text)
{
    c.text(QRectF(0, 0, c.width(), 110), Qt::AlignLeft | Qt::AlignVCenter, text, ReportCanvas::font(18, true));
    c.line(0, 118, c.width(), 118, 5, QColor(0x2F, 0x4F, 0x7F));
    c.y = 150;
}

void figures(ReportCanvas& c, const YearReport& r)
{
    const struct {
        QString label;
        qint64 amount;
    } items[] = {{QStringLiteral("支出合計"), r.yearOut},
                 {QStringLiteral("収入合計"), r.yearIn},
                 {QStringLiteral("年間収支"), r.yearIn - r.yearOut},
                 {QStringLiteral("前年繰越"), r.carryOver},
                 {QStringLiteral("年末残高"), r.carryOver + r.yearIn - r.yearOut}};
    const double gap = 30, w = (c.width() - 4 * gap) / 5;
    double x = 0;
    for (const auto& it : items) {
        const QRectF box(x, c.y, w, 120);
        c.fill(box, QColor(0xF3, 0xF5, 0xF8));
        c.frame(box, 2, QColor(0xA0, 0xA8, 0xB4));
        c.text(QRectF(x + 20, c.y + 5, w - 40, 48), Qt::AlignLeft | Qt::AlignVCenter, it.label, ReportCanvas::font(8));
        c.text(QRectF(x + 20, c.y + 53, w - 40, 60), Qt::AlignRight | Qt::AlignVCenter, yen(it.amount),
               ReportCanvas::font(10.5, true));
        x += w + gap;
    }
    c.y += 160;
}

// A table's heading stays with the table's header and first rows.
void heading(ReportCanvas& c, const QString& text, double tableStart)
{
    c.ensure(75 + tableStart);
    c.text(QRectF(0, c.y, c.width(), 70), Qt::AlignLeft | Qt::AlignVCenter, text, ReportCanvas::font(10.5, true));
    c.y += 75;
}

std::vector<QString> cellsOf(const YearRow& row)
{
    std::vector<QString> cells;
    cells.reserve(14);
    cells.push_back(row.name);
    for (const auto& m : row.months)
        cells.push_back(m ? Fmt::hash0(*m) : QString());
    cells.push_back(Fmt::hash0(row.total()));
    return cells;
}

// The month tables: name, twelve months and the year, in a type size at
// which the widest amount fits its column.
struct MonthTable {
    std::vector<TableFlow::Column> columns;
    double points = 8;

    MonthTable(double width, const QString& first, const std::vector<const YearRow*>& rows)
    {
        const double nameWidth = width * 0.13, amountWidth = (width - nameWidth) / 13;
        columns.push_back({first, nameWidth, Qt::AlignLeft});
        for (int m = 1; m <= 12; ++m)
            columns.push_back({QString::number(m) + QStringLiteral("月"), amountWidth, Qt::AlignRight});
        columns.push_back({QStringLiteral("年間合計"), amountWidth, Qt::AlignRight});
        const QFontMetricsF fm(ReportCanvas::font(points));
        double widest = 0;
        for (const YearRow* row : rows) {
            for (const auto& m : row->months)
                if (m)
                    widest = qMax(widest, fm.horizontalAdvance(Fmt::hash0(*m)));
            widest = qMax(widest, fm.horizontalAdvance(Fmt::hash0(row->total())));
        }
        const double room = amountWidth - 24;
        if (widest > room)
            points = qMax(4.0, points * room / widest);
    }
};
}

void drawYearReport(ReportCanvas& c, const YearReport& r, bool withFigures, bool withCharts)
{
    const double w = c.width();
    if (withFigures) {
        c.beginSection(r.title + QStringLiteral(" 年間収支報告"));
        title(c, r.title + QStringLiteral(" 年間収支報告"));
        figures(c, r);

        std::vector<const YearRow*> all{&r.outTotals, &r.inTotals};
        for (const YearRow& row : r.categories)
            all.push_back(&row);
        const MonthTable layout(w, QStringLiteral("区分"), all);
        const double rowHeight = qMax(40.0, layout.points * 5.3);

        TableFlow totals(c, layout.columns, 0, layout.points, rowHeight);
        heading(c, QStringLiteral("月別収支"), totals.startHeight(2));
        totals.begin(2);
        totals.row(cellsOf(r.outTotals));
        totals.row(cellsOf(r.inTotals));
        totals.end();

        auto columns = layout.columns;
        columns[0].title = QStringLiteral("費目");
        TableFlow cats(c, columns, 0, layout.points, rowHeight);
        heading(c, QStringLiteral("費目別 月別内訳"), cats.startHeight(int(r.categories.size())));
        cats.begin(int(r.categories.size()));
        for (const YearRow& row : r.categories)
            cats.row(cellsOf(row));
        cats.end();
    }

    if (withCharts) {
        c.beginSection(r.title + QStringLiteral(" 年間推移グラフ"));
        title(c, r.title + QStringLiteral(" 年間推移グラフ"));
        c.text(QRectF(0, c.y, w, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("支出合計 %1     収入合計 %2     前年繰越 %3").arg(yen(r.yearOut), yen(r.yearIn), yen(r.carryOver)),
               ReportCanvas::font(9.5));
        c.y += 100;

        const double gap = 40, cellWidth = (w - gap) / 2, cellHeight = 610;
        const auto rowOf = [&](int dataRow) -> const YearRow& {
            return dataRow == 1 ? r.outTotals : dataRow == 2 ? r.inTotals : r.categories[size_t(dataRow - 3)];
        };
        // A category without any amount in the year gets no panel; the two
        // year charts are always drawn.
        std::vector<YearChart> charts = r.charts();
        std::erase_if(charts, [&](const YearChart& yc) { return yc.dataRow > 2 && !rowOf(yc.dataRow).hasAmount(); });
        for (size_t i = 0; i < charts.size(); i += 2) {
            c.ensure(cellHeight);
            for (size_t j = i; j < i + 2 && j < charts.size(); ++j) {
                const QRectF area((j - i) * (cellWidth + gap), c.y, cellWidth, cellHeight - gap);
                drawBars(c, area, charts[j].title, rowOf(charts[j].dataRow), charts[j].color);
            }
            c.y += cellHeight;
        }
    }
}

}
