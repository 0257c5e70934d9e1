#pragma once

#include <QWidget>
#include <functional>

class QPainter;

// A drawing surface (pic…): repaints itself through a painter function on
// every paint, so the graph is drawn anew at any size and pixel density.
class GraphSurface : public QWidget {
public:
    using Paint = std::function<void(QPainter&, const QRectF&)>;

    GraphSurface(const QString& name, Paint paint, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {240, 200}; }
    QSize minimumSizeHint() const override { return {120, 100}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Paint paint_;
};

// A legend swatch (shp…): a small rectangle filled with a colour.
class Swatch : public QWidget {
public:
    explicit Swatch(const QString& name, QWidget* parent = nullptr);

    quint32 color() const { return color_; } // 0x00BBGGRR
    void setColor(quint32 bgr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 color_ = 0;
};

// Gives a window its preferred size, or less where the screen is smaller
// (never below what its layout needs).
void sizeWithinScreen(QWidget* window, QSize preferred);
