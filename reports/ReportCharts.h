#pragma once

#include "reports/ReportData.h"

#include <QRectF>

namespace Reports {

class ReportCanvas;

// A pie of the rows' shares, largest from twelve o'clock clockwise, with a
// legend in the categories' colours. Rows without an amount take no slice.
void drawPie(ReportCanvas& c, const QRectF& area, const QString& title, const std::vector<CategoryRow>& rows);

// Twelve monthly columns in one colour; months without entries stay empty.
void drawBars(ReportCanvas& c, const QRectF& area, const QString& title, const YearRow& row, const QColor& color);

// The step of an axis with about `steps` gridlines up to `top`: 1, 2 or 5 times a power of ten.
qint64 axisStep(qint64 top, int steps);

}
