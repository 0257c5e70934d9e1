#include "GraphSurface.h"

#include "GraphPainter.h"

#include <QPainter>

GraphSurface::GraphSurface(const QString& name, Paint paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint))
{
    setObjectName(name);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GraphSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint_(p, QRectF(rect()));
}

Swatch::Swatch(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Swatch::setColor(quint32 bgr)
{
    color_ = bgr;
    update();
}

QSize Swatch::sizeHint() const
{
    const int side = fontMetrics().height() - 2;
    return {side + 6, side};
}

void Swatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(GraphPaint::colorOf(color_));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
