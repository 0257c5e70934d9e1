#include "GraphSurface.h"

#include "GraphPainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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

void sizeWithinScreen(QWidget* window, QSize preferred)
{
    const QWidget* parent = window->parentWidget();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preferred = preferred.boundedTo(screen->availableGeometry().size() * 9 / 10);
    window->resize(preferred.expandedTo(window->minimumSizeHint()));
}
