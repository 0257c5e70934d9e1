#include "graphs/GraphPainter.h"

#include "ledger/Formats.h"
#include "ledger/LedgerRules.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace GraphPaint {

QColor colorOf(quint32 bgr) { return QColor::fromRgb(LedgerRules::rgbOfColour(bgr)); }

QRectF discBox(const QRectF& area, double margin)
{
    const double side = std::min(area.width(), area.height()) * (1.0 - 2.0 * margin);
    if (side <= 0)
        return {};
    QRectF box(0, 0, side, side);
    box.moveCenter(area.center());
    return box;
}

namespace {
void slicesIn(QPainter& p, const QRectF& box, const std::vector<Graph::Slice>& slices)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.0));
    for (const Graph::Slice& s : slices) {
        p.setBrush(colorOf(s.color));
        if (s.full) {
            p.drawEllipse(box);
            continue;
        }
        // Boundaries in sixteenths of a degree, rounded once, so that
        // neighbouring slices meet without a gap.
        const int from = int(std::lround(s.startDeg * 16));
        const int to = int(std::lround((s.startDeg + s.spanDeg) * 16));
        if (to > from)
            p.drawPie(box, from, to - from);
    }
    p.restore();
}
}

void pie(QPainter& p, const QRectF& area, const std::vector<Graph::Slice>& slices)
{
    const QRectF box = discBox(area, 0.05);
    if (!box.isEmpty())
        slicesIn(p, box, slices);
}

void doughnut(QPainter& p, const QRectF& area, const std::vector<Graph::Slice>& slices)
{
    const QRectF box = discBox(area, 0.03);
    if (box.isEmpty() || slices.empty())
        return;
    slicesIn(p, box, slices);
    QRectF hole(0, 0, box.width() * 0.4, box.height() * 0.4);
    hole.moveCenter(box.center());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::white);
    p.drawEllipse(hole);
    p.restore();
}

QRectF BarGeometry::bar(int month, double top, double height) const
{
    return QRectF((3 * month - 2) * unit, top, 2 * unit, std::max(0.0, height - top));
}

double BarGeometry::centre(int month) const { return (3 * month - 1) * unit; }

BarGeometry barGeometry(const QRectF& area) { return {area.width() / 37.0}; }

double barTop(const Graph::YearSeries& s, int month, const QRectF& area)
{
    const auto& v = s.values[month - 1];
    if (!v || s.axisMax < 1 || *v <= 0)
        return area.height();
    return (1.0 - double(*v) / double(s.axisMax)) * area.height();
}

QColor plotBackground() { return QColor(0x8a, 0x97, 0xa6); }

void yearBars(QPainter& p, const QRectF& area, const Graph::YearSeries& s)
{
    p.save();
    p.translate(area.topLeft());
    const QRectF local(0, 0, area.width(), area.height());
    p.setClipRect(local);
    p.fillRect(local, plotBackground());
    p.setRenderHint(QPainter::Antialiasing);

    // Guide lines at the axis maximum, at half of it and at zero.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.0, Qt::DashLine));
    p.drawLine(QPointF(0, 0.5), QPointF(local.width(), 0.5));
    p.drawLine(QPointF(0, local.height() / 2), QPointF(local.width(), local.height() / 2));

    const BarGeometry g = barGeometry(local);
    // Value labels fit over their bar: the font shrinks with the unit, and
    // where even the smallest readable size is too wide they stand upright.
    const double room = 3 * g.unit - 2;
    double widest = 0;
    QFont font = p.font();
    int px = QFontInfo(font).pixelSize();
    const auto widestAt = [&](int size) {
        font.setPixelSize(size);
        const QFontMetricsF fm(font);
        double w = 0;
        for (const auto& v : s.values)
            if (v && s.axisMax >= 1)
                w = std::max(w, fm.horizontalAdvance(Fmt::hash(*v)));
        return w;
    };
    constexpr int kSmallest = 9;
    while ((widest = widestAt(px)) > room && px > kSmallest)
        --px;
    const bool upright = widest > room;
    p.setFont(font);
    const QFontMetricsF fm(font);
    const double h = fm.height();

    for (int m = 1; m <= 12; ++m) {
        const QRectF bar = g.bar(m, barTop(s, m, local), local.height());
        if (bar.height() > 0) {
            p.setPen(QPen(Qt::black, 1.0));
            p.setBrush(colorOf(s.barColor));
            p.drawRect(bar);
        }
    }

    if (s.isCategory && s.limit > 0 && s.axisMax >= 1) {
        const double y = local.height() * (1.0 - double(s.limit) / double(s.axisMax));
        // A light edge keeps the line apart from bars of the same colour.
        p.setPen(QPen(QColor(255, 255, 255, 200), 4.0));
        p.drawLine(QPointF(0, y), QPointF(local.width(), y));
        p.setPen(QPen(QColor(220, 0, 0), 2.0));
        p.drawLine(QPointF(0, y), QPointF(local.width(), y));
    }

    // The values in front of the budget line.
    for (int m = 1; m <= 12; ++m) {
        const double top = barTop(s, m, local);
        const auto& v = s.values[m - 1];
        if (!v || s.axisMax < 1)
            continue;
        const QString text = Fmt::hash(*v);
        if (text.isEmpty())
            continue;
        p.setPen(colorOf(s.labelColor));
        if (upright) {
            // Reading upwards, above the bar or from just inside its top.
            const double length = fm.horizontalAdvance(text);
            const double foot = top - 2 - length >= 0 ? top - 2 : std::min(local.height(), 5 + length);
            p.save();
            p.translate(g.centre(m), foot);
            p.rotate(-90);
            p.drawText(QRectF(0, -h / 2, length + 2, h), Qt::AlignLeft | Qt::AlignVCenter, text);
            p.restore();
            continue;
        }
        // Just above the bar, or inside the top of a bar that nearly fills the area.
        const double labelTop = top > h + 2 ? top - h - 1 : 5;
        p.drawText(QRectF(g.centre(m) - room / 2, labelTop, room, h), Qt::AlignHCenter | Qt::AlignVCenter, text);
    }
    p.restore();
}

}
