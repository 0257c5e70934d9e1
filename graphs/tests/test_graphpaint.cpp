// The drawing, checked at a few pixels of an image: slice colours at known
// angles, the doughnut's hole, a bar's height and the budget line.
#include "GraphPainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>

namespace {
constexpr quint32 kRed = 0x0000FF;   // 0x00BBGGRR
constexpr quint32 kBlue = 0xFF0000;
constexpr quint32 kGreen = 0x00FF00;

template <typename Draw>
QImage render(QSize size, Draw draw, qreal dpr = 1.0)
{
    QImage image(size * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The colour at `radius` from the centre of the disc in `area`, in the
// direction `deg` (0 = three o'clock, counterclockwise), in logical pixels.
QColor at(const QImage& image, QPointF centre, double radius, double deg)
{
    const double a = deg * M_PI / 180.0;
    const qreal dpr = image.devicePixelRatio();
    const QPoint px(qRound((centre.x() + radius * std::cos(a)) * dpr), qRound((centre.y() - radius * std::sin(a)) * dpr));
    return image.pixelColor(px);
}

QColor rgb(quint32 bgr) { return GraphPaint::colorOf(bgr); }

// Equal but for the rounding of antialiased edges.
bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) <= 4 && std::abs(a.green() - b.green()) <= 4 && std::abs(a.blue() - b.blue()) <= 4;
}
}

class TestGraphPaint : public QObject {
    Q_OBJECT
private slots:
    void pieSlicesAtTheirAngles_data();
    void pieSlicesAtTheirAngles();
    void pieStaysRoundInAWideArea();
    void fullDiscHasNoRadial();
    void doughnutHole();
    void barHeightAndBudgetLine();
    void barsOfNothing();
};

void TestGraphPaint::pieSlicesAtTheirAngles_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("normal screen") << qreal(1.0);
    QTest::newRow("high-DPI screen") << qreal(2.0);
}

void TestGraphPaint::pieSlicesAtTheirAngles()
{
    QFETCH(qreal, dpr);
    // Red holds three quarters, blue one quarter: blue runs from twelve to
    // nine o'clock, red from nine round to twelve.
    const auto slices = Graph::pieSlices({3000, 1000}, {kRed, kBlue});
    const QImage image = render(QSize(200, 200), [&](QPainter& p, const QRectF& r) { GraphPaint::pie(p, r, slices); }, dpr);
    const QPointF c(100, 100);
    QCOMPARE(at(image, c, 50, 135), rgb(kBlue));  // upper left
    QCOMPARE(at(image, c, 80, 95), rgb(kBlue));   // just left of twelve o'clock
    QCOMPARE(at(image, c, 80, 85), rgb(kRed));    // just right of it: the largest comes first clockwise
    QCOMPARE(at(image, c, 50, 315), rgb(kRed));   // lower right
    QCOMPARE(at(image, c, 50, 185), rgb(kRed));   // just below nine o'clock
    QCOMPARE(at(image, c, 99, 45), QColor(Qt::white)); // outside the disc (5 % margin)
    QCOMPARE(image.pixelColor(QPoint(3, 3) * dpr), QColor(Qt::white));
}

void TestGraphPaint::pieStaysRoundInAWideArea()
{
    const auto slices = Graph::pieSlices({1000, 1000}, {kRed, kBlue});
    const QImage image = render(QSize(400, 200), [&](QPainter& p, const QRectF& r) { GraphPaint::pie(p, r, slices); });
    const QPointF c(200, 100);
    // A circle of radius 90, so equal amounts split it at twelve and six o'clock.
    QCOMPARE(at(image, c, 85, 180), rgb(kBlue));
    QCOMPARE(at(image, c, 95, 180), QColor(Qt::white));
    QCOMPARE(at(image, c, 85, 0), rgb(kRed));
    QCOMPARE(at(image, c, 95, 0), QColor(Qt::white));
    QCOMPARE(at(image, c, 85, 93), rgb(kBlue));
    QCOMPARE(at(image, c, 85, 87), rgb(kRed));
    QCOMPARE(at(image, c, 85, 267), rgb(kBlue));
    QCOMPARE(at(image, c, 85, 273), rgb(kRed));
}

void TestGraphPaint::fullDiscHasNoRadial()
{
    const auto slices = Graph::pieSlices({5000, 0}, {kGreen, kRed});
    const QImage image = render(QSize(200, 200), [&](QPainter& p, const QRectF& r) { GraphPaint::pie(p, r, slices); });
    // No slice edge from the centre to twelve o'clock, no red sliver.
    for (double r = 5; r < 85; r += 10)
        QCOMPARE(at(image, QPointF(100, 100), r, 90), rgb(kGreen));
}

void TestGraphPaint::doughnutHole()
{
    const auto slices = Graph::pieSlices({700, 300}, {kRed, kBlue});
    const QImage image = render(QSize(300, 300), [&](QPainter& p, const QRectF& r) { GraphPaint::doughnut(p, r, slices); });
    const QPointF c(150, 150);
    const double outer = 150 * 0.94; // the disc's radius
    QCOMPARE(at(image, c, 0, 0), QColor(Qt::white));
    QCOMPARE(at(image, c, outer * 0.35, 200), QColor(Qt::white)); // inside the hole (40 % of the diameter)
    QCOMPARE(at(image, c, outer * 0.5, 135), rgb(kBlue));          // the ring: blue takes 90°..198°
    QCOMPARE(at(image, c, outer * 0.9, 300), rgb(kRed));
}

void TestGraphPaint::barHeightAndBudgetLine()
{
    Graph::YearSeries s;
    s.values[2] = 30000; // March
    s.values[5] = 10000;
    s.axisMax = 40000;
    s.isCategory = true;
    s.limit = 36000;
    s.barColor = kGreen;
    const QSize size(740, 200); // one unit is 20 pixels
    const QImage image = render(size, [&](QPainter& p, const QRectF& r) { GraphPaint::yearBars(p, r, s); });
    // The height of the bar filled at column x, from the bottom up.
    const auto height = [&](int x) {
        int y = size.height() - 1;
        while (y > 0 && image.pixelColor(x, y - 1) == rgb(kGreen))
            --y;
        return size.height() - y;
    };
    // March's bar spans x 140..180 and is three quarters high, June's a quarter.
    QVERIFY2(std::abs(height(160) - 150) <= 2, qPrintable(QString::number(height(160))));
    QVERIFY2(std::abs(height(340) - 50) <= 2, qPrintable(QString::number(height(340))));
    QCOMPARE(image.pixelColor(136, 190), GraphPaint::plotBackground()); // the unit between the bars
    QCOMPARE(image.pixelColor(184, 190), GraphPaint::plotBackground());
    QCOMPARE(image.pixelColor(100, 190), GraphPaint::plotBackground()); // February: no bar
    QVERIFY(near(image.pixelColor(5, 20), QColor(220, 0, 0)));   // the budget line at 9/10 of the axis
    QVERIFY(near(image.pixelColor(160, 20), QColor(220, 0, 0))); // in front of the bars
}

void TestGraphPaint::barsOfNothing()
{
    Graph::YearSeries s;
    s.values[0] = 0;
    s.values[1] = -5000;
    s.axisMax = 0;
    s.isCategory = true;
    s.limit = 20000;
    const QImage image = render(QSize(370, 200), [&](QPainter& p, const QRectF& r) { GraphPaint::yearBars(p, r, s); });
    for (int x = 0; x < 370; x += 3)
        for (int y = 7; y < 200; y += 7) // the guide lines at 0 and 100 aside
            if (image.pixelColor(x, y) != GraphPaint::plotBackground() && std::abs(y - 100) > 1)
                QFAIL(qPrintable(QStringLiteral("drawn at %1,%2").arg(x).arg(y)));
}

QTEST_MAIN(TestGraphPaint)
#include "test_graphpaint.moc"
