#pragma once

#include <QWidget>
#include <functional>

class QBoxLayout;
class QDialog;
class QGridLayout;
class QLabel;
class QPainter;
class QPushButton;

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

// Keeps `w`'s place in its layout while it is hidden, so the graph beside a
// legend does not move as rows come and go.
template <typename W>
W* keepsPlace(W* w)
{
    QSizePolicy sp = w->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    w->setSizePolicy(sp);
    return w;
}

// One legend row in columns 0 to 2 of `grid`: the swatch, the name and the
// share ("12.34%", right-aligned), each named `<prefix>N` for the row number.
struct LegendRow {
    Swatch* swatch = nullptr;
    QLabel* name = nullptr;
    QLabel* percent = nullptr;
};
LegendRow addLegendRow(QGridLayout& grid, int gridRow, QWidget* parent, const QString& swatchName,
                       const QString& labelName, const QString& percentName);

// The window's OK button (cmdOK): the default button, closing the window,
// at the end of `row`.
QPushButton* addOkButton(QDialog& window, QBoxLayout& row);
