#include "GraphPainter.h"

#include "Formats.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace GraphPaint {

QColor colorOf(quint32 bgr) { return QColor(int(bgr & 255), int((bgr >> 8) & 255), int((bgr >> 16) & 255)); }

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
    // Value labels fit above their bar: the font shrinks with the unit.
    QFont font = p.font();
    QFontMetricsF fm(font);
    const double room = 3 * g.unit - 2;
    for (int m = 1; m <= 12; ++m) {
        const auto& v = s.values[m - 1];
        if (!v || s.axisMax < 1)
            continue;
        while (fm.horizontalAdvance(Fmt::hash(*v)) > room && font.pointSizeF() > 6) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            fm = QFontMetricsF(font);
        }
    }
    p.setFont(font);

    for (int m = 1; m <= 12; ++m) {
        const double top = barTop(s, m, local);
        const QRectF bar = g.bar(m, top, local.height());
        if (bar.height() > 0) {
            p.setPen(QPen(Qt::black, 1.0));
            p.setBrush(colorOf(s.barColor));
            p.drawRect(bar);
        }
        const auto& v = s.values[m - 1];
        if (!v || s.axisMax < 1)
            continue;
        const QString text = Fmt::hash(*v);
        if (text.isEmpty())
            continue;
        // Just above the bar, or inside the top of a bar that nearly fills the area.
        const double h = fm.height();
        const double labelTop = top > h + 2 ? top - h - 1 : 5;
        const QRectF label(g.centre(m) - room / 2, labelTop, room, h);
        p.setPen(colorOf(s.labelColor));
        p.drawText(label, Qt::AlignHCenter | Qt::AlignVCenter, text);
    }

    if (s.isCategory && s.limit > 0 && s.axisMax >= 1) {
        const double y = local.height() * (1.0 - double(s.limit) / double(s.axisMax));
        p.setPen(QPen(QColor(220, 0, 0), 2.0));
        p.drawLine(QPointF(0, y), QPointF(local.width(), y));
    }
    p.restore();
}

}
