// The drawn monthly report.
#include "ledger/Formats.h"
#include "reports/ReportCanvas.h"
#include "reports/ReportCharts.h"
#include "reports/ReportPages.h"

namespace Reports {

namespace {
QString yen(qint64 v) { return Fmt::hash0(v) + QStringLiteral(" 円"); }

QString share(qint64 part, qint64 whole)
{
    return whole > 0 ? QString::number(100.0 * double(part) / double(whole), 'f', 1) + QLatin1Char('%') : QString();
}

// A table's heading stays with the table's header and first rows.
void heading(ReportCanvas& c, const QString& text, double tableStart)
{
    c.ensure(75 + tableStart);
    c.text(QRectF(0, c.y, c.width(), 70), Qt::AlignLeft | Qt::AlignVCenter, text, ReportCanvas::font(10.5, true));
    c.y += 75;
}

// Label above, amount below, in a light box.
void figure(ReportCanvas& c, const QRectF& r, const QString& label, qint64 amount)
{
    c.fill(r, QColor(0xF3, 0xF5, 0xF8));
    c.frame(r, 2, QColor(0xA0, 0xA8, 0xB4));
    const QRectF top(r.left() + 25, r.top() + 8, r.width() - 50, r.height() * 0.4);
    const QRectF bottom(r.left() + 25, top.bottom(), r.width() - 50, r.height() * 0.55);
    c.text(top, Qt::AlignLeft | Qt::AlignVCenter, label, ReportCanvas::font(8.5));
    c.text(bottom, Qt::AlignRight | Qt::AlignVCenter, yen(amount), ReportCanvas::font(13, true));
}

void title(ReportCanvas& c, const QString& left, const QString& right)
{
    c.text(QRectF(0, 0, c.width() * 0.7, 110), Qt::AlignLeft | Qt::AlignVCenter, left, ReportCanvas::font(18, true));
    c.text(QRectF(c.width() * 0.6, 0, c.width() * 0.4, 110), Qt::AlignRight | Qt::AlignVCenter, right,
           ReportCanvas::font(11));
    c.line(0, 118, c.width(), 118, 5, QColor(0x2F, 0x4F, 0x7F));
    c.y = 150;
}
}

void drawMonthReport(ReportCanvas& c, const MonthReport& r)
{
    const double w = c.width();
    const QString name = r.monthTitle + QStringLiteral(" 月間収支報告");
    c.beginSection(r.yearTitle + QLatin1Char(' ') + name);
    title(c, r.monthTitle + QStringLiteral(" 月間収支報告"), r.yearTitle);

    const double gap = 40, third = (w - 2 * gap) / 3;
    figure(c, QRectF(0, c.y, third, 130), QStringLiteral("収入合計"), r.income);
    figure(c, QRectF(third + gap, c.y, third, 130), QStringLiteral("支出合計"), r.expense);
    figure(c, QRectF(2 * (third + gap), c.y, third, 130), QStringLiteral("収支 (収入合計 − 支出合計)"), r.income - r.expense);
    c.y += 170;

    const double half = (w - gap) / 2;
    drawPie(c, QRectF(0, c.y, half, 680), QStringLiteral("支出の内訳"), r.outRows);
    drawPie(c, QRectF(half + gap, c.y, half, 680), QStringLiteral("収入の内訳"), r.inRows);
    c.y += 720;

    const qint64 outSum = MonthReport::sum(r.outRows), inSum = MonthReport::sum(r.inRows);
    TableFlow cats(c,
                   {{QStringLiteral("支出費目"), w * 0.22, Qt::AlignLeft},
                    {QStringLiteral("金額"), w * 0.15, Qt::AlignRight},
                    {QStringLiteral("割合"), w * 0.09, Qt::AlignRight},
                    {QString(), w * 0.08, Qt::AlignLeft},
                    {QStringLiteral("収入費目"), w * 0.22, Qt::AlignLeft},
                    {QStringLiteral("金額"), w * 0.15, Qt::AlignRight},
                    {QStringLiteral("割合"), w * 0.09, Qt::AlignRight}},
                   0, 8.5, 46);
    cats.setGroups({{0, 2}, {4, 6}});
    const size_t rows = qMax(r.outRows.size(), r.inRows.size());
    heading(c, QStringLiteral("費目別集計"), cats.startHeight(int(rows) + 1));
    cats.begin(int(rows) + 1);
    for (size_t i = 0; i < rows; ++i) {
        std::vector<QString> cells(7);
        if (i < r.outRows.size()) {
            cells[0] = r.outRows[i].name;
            cells[1] = Fmt::hash0(r.outRows[i].amount);
            cells[2] = share(r.outRows[i].amount, outSum);
        }
        if (i < r.inRows.size()) {
            cells[4] = r.inRows[i].name;
            cells[5] = Fmt::hash0(r.inRows[i].amount);
            cells[6] = share(r.inRows[i].amount, inSum);
        }
        cats.row(cells);
    }
    cats.row({QStringLiteral("合計"), Fmt::hash0(outSum), QString(), QString(), QStringLiteral("合計"), Fmt::hash0(inSum)},
             true, true);
    cats.end();

    TableFlow entries(c,
                      {{QStringLiteral("日"), w * 0.07, Qt::AlignHCenter},
                       {QStringLiteral("費目"), w * 0.23, Qt::AlignLeft},
                       {QStringLiteral("摘要項目"), w * 0.34, Qt::AlignLeft},
                       {QStringLiteral("出金"), w * 0.18, Qt::AlignRight},
                       {QStringLiteral("入金"), w * 0.18, Qt::AlignRight}},
                      0, 8.5, 44);
    const int count = int(r.entries.size());
    heading(c, QStringLiteral("明細"), entries.startHeight(count));
    entries.begin(count);
    std::vector<QString> cells(5);
    for (const EntryRow& e : r.entries) {
        cells[0] = e.day;
        cells[1] = e.category;
        cells[2] = e.sub;
        cells[3] = Fmt::hash(e.out);
        cells[4] = Fmt::hash(e.in);
        entries.row(cells, e.separator);
    }
    entries.end();
}

}
