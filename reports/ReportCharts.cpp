#include "reports/ReportCharts.h"
#include "ledger/LedgerRules.h"

#include "ledger/Formats.h"
#include "reports/ReportCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace Reports {

namespace {
const QColor kFrame(0xA0, 0xA8, 0xB4);
const QColor kGrid(0xD0, 0xD4, 0xDA);

QString share(qint64 part, qint64 whole)
{
    return QString::number(100.0 * double(part) / double(whole), 'f', 1) + QLatin1Char('%');
}
}

qint64 axisStep(qint64 top, int steps)
{
    if (top <= 0)
        return 1;
    const double raw = double(top) / steps;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw)
            return qMax<qint64>(1, qint64(std::llround(m * power)));
    return qint64(std::llround(10 * power));
}

void drawPie(ReportCanvas& c, const QRectF& area, const QString& title, const std::vector<CategoryRow>& rows)
{
    c.frame(area, 2, kFrame);
    const QRectF head(area.left() + 30, area.top() + 10, area.width() - 60, 60);
    c.text(head, Qt::AlignLeft | Qt::AlignVCenter, title, ReportCanvas::font(10, true));

    std::vector<const CategoryRow*> slices;
    qint64 total = 0;
    for (const CategoryRow& r : rows) {
        if (r.amount > 0) {
            slices.push_back(&r);
            total += r.amount;
        }
    }
    if (total <= 0) {
        c.text(area, Qt::AlignCenter, QStringLiteral("該当なし"), ReportCanvas::font(9), Qt::darkGray);
        return;
    }

    const double top = head.bottom() + 20;
    const double d = qMin(area.width() * 0.40, area.bottom() - top - 30);
    const QRectF pie(area.left() + 40, top + (area.bottom() - top - 30 - d) / 2, d, d);
    if (QPainter* p = c.painter()) {
        // White edges part the slices; a lone slice needs none.
        p->setPen(slices.size() > 1 ? QPen(Qt::white, 3) : QPen(Qt::NoPen));
        const int start = 90 * 16;
        int done = 0;
        std::vector<qint64> amounts;
        for (const CategoryRow* r : slices)
            amounts.push_back(r->amount);
        const std::vector<double> ends = LedgerRules::pieEnds(amounts);
        for (size_t i = 0; i < slices.size(); ++i) {
            const int end = int(std::llround(ends[i] * 360 * 16));
            p->setBrush(slices[i]->color);
            p->drawPie(pie, start - done, -(end - done));
            done = end;
        }
    }

    // The legend beside the pie, its type shrunk to hold every slice as far as it can.
    const QRectF legend(pie.right() + 40, top, area.right() - pie.right() - 70, area.bottom() - top - 20);
    double points = 8;
    const auto lineHeight = [](double pt) { return pt * 254.0 / 72.0 * 1.45; };
    while (points > 6 && lineHeight(points) * double(slices.size()) > legend.height())
        points -= 0.5;
    const double lh = lineHeight(points);
    const int room = qMax(1, int(legend.height() / lh));
    const bool cut = int(slices.size()) > room;
    const int listed = cut ? room - 1 : int(slices.size());
    const QFont f = ReportCanvas::font(points);
    // Each line: colour, name, amount and share; the amounts take the width
    // of the widest one.
    const QFontMetricsF fm(f);
    double amountWidth = 0;
    for (int i = 0; i < listed; ++i)
        amountWidth = qMax(amountWidth, fm.horizontalAdvance(Fmt::hash0(slices[i]->amount)));
    amountWidth += lh * 0.5;
    const double shareWidth = fm.horizontalAdvance(QStringLiteral("100.0%")) + lh * 0.5;
    double y = legend.top() + (legend.height() - lh * (cut ? room : listed)) / 2;
    for (int i = 0; i < listed; ++i) {
        const CategoryRow& r = *slices[i];
        const double box = lh * 0.6;
        c.fill(QRectF(legend.left(), y + (lh - box) / 2, box, box), r.color);
        c.frame(QRectF(legend.left(), y + (lh - box) / 2, box, box), 1, Qt::darkGray);
        const QRectF nameRect(legend.left() + box + 20, y, legend.width() - box - 20 - amountWidth - shareWidth, lh);
        c.text(nameRect, Qt::AlignLeft | Qt::AlignVCenter, c.fitted(r.name, f, nameRect.width()), f);
        c.text(QRectF(nameRect.right(), y, amountWidth, lh), Qt::AlignRight | Qt::AlignVCenter, Fmt::hash0(r.amount), f);
        c.text(QRectF(legend.right() - shareWidth, y, shareWidth, lh), Qt::AlignRight | Qt::AlignVCenter,
               share(r.amount, total), f);
        y += lh;
    }
    if (cut)
        c.text(QRectF(legend.left(), y, legend.width(), lh), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ほか %1 費目").arg(int(slices.size()) - listed), f, Qt::darkGray);
}

void drawBars(ReportCanvas& c, const QRectF& area, const QString& title, const YearRow& row, const QColor& color)
{
    c.frame(area, 2, kFrame);
    const QFont small = ReportCanvas::font(6.5);
    const QRectF head(area.left() + 30, area.top() + 10, area.width() - 60, 55);
    c.text(head, Qt::AlignLeft | Qt::AlignVCenter, c.fitted(title, ReportCanvas::font(9, true), head.width() * 0.6),
           ReportCanvas::font(9, true));
    c.text(head, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("年間 ") + Fmt::hash0(row.total()) + QStringLiteral(" 円"),
           ReportCanvas::font(8));

    qint64 high = 0, low = 0;
    for (const auto& m : row.months) {
        high = qMax(high, m.value_or(0));
        low = qMin(low, m.value_or(0));
    }
    const qint64 step = axisStep(qMax<qint64>(high - low, 1), 4);
    const qint64 top = qMax<qint64>(step, (high + step - 1) / step * step);
    const qint64 bottom = low < 0 ? -((-low + step - 1) / step * step) : 0;

    const QRectF plot(area.left() + 190, head.bottom() + 25, area.width() - 230, area.bottom() - head.bottom() - 95);
    const auto yOf = [&](qint64 v) { return plot.bottom() - double(v - bottom) / double(top - bottom) * plot.height(); };
    for (qint64 v = bottom; v <= top; v += step) {
        const double y = yOf(v);
        c.line(plot.left(), y, plot.right(), y, v == 0 ? 2.5 : 1.2, v == 0 ? Qt::darkGray : kGrid);
        c.text(QRectF(area.left() + 10, y - 30, plot.left() - area.left() - 25, 60), Qt::AlignRight | Qt::AlignVCenter,
               Fmt::hash0(v), small, Qt::darkGray);
    }
    const double slot = plot.width() / 12;
    for (int m = 0; m < 12; ++m) {
        const double x = plot.left() + slot * m;
        c.text(QRectF(x, plot.bottom() + 5, slot, 45), Qt::AlignHCenter | Qt::AlignTop,
               QString::number(m + 1) + QStringLiteral("月"), small);
        if (!row.months[m] || *row.months[m] == 0)
            continue;
        const double y0 = yOf(0), y1 = yOf(*row.months[m]);
        c.fill(QRectF(x + slot * 0.2, qMin(y0, y1), slot * 0.6, qAbs(y1 - y0)), color);
    }
}

}
