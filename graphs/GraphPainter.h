#pragma once

// Drawing of the three graphs with QPainter, into any paint device: the
// windows paint their surfaces with it, saving renders into an image.

#include "graphs/GraphMath.h"
#include "graphs/GraphSums.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace GraphPaint {

// A category colour (0x00BBGGRR) as a QColor.
QColor colorOf(quint32 bgr);

// The square the pie or doughnut takes in an area: centred, with a margin of
// `margin` (a fraction) on each side, so slices keep their true proportions
// whatever the area's shape.
QRectF discBox(const QRectF& area, double margin);

// A pie: each slice filled with its colour and outlined.
void pie(QPainter& p, const QRectF& area, const std::vector<Graph::Slice>& slices);
// A doughnut: the pie with a white hole of 40 % of its diameter.
void doughnut(QPainter& p, const QRectF& area, const std::vector<Graph::Slice>& slices);

// The trend graph's plot area: twelve bars two units wide with one unit
// between them (37 units across), their value labels, the guide lines and
// the budget line.
struct BarGeometry {
    double unit = 0;
    QRectF bar(int month, double top, double height) const; // month 1..12
    double centre(int month) const;                          // x of the bar's middle
};
BarGeometry barGeometry(const QRectF& area);
// The top of a month's bar; the area's bottom when it has no height.
double barTop(const Graph::YearSeries& s, int month, const QRectF& area);
// The background of the plot area.
QColor plotBackground();
void yearBars(QPainter& p, const QRectF& area, const Graph::YearSeries& s);

}
