// The drawing, checked at a few pixels of an image: slice colours at known
// angles, the doughnut's hole, a bar's height and the budget line.
#include "graphs/GraphPainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>

namespace {
constexpr quint32 kRed = 0x0000FF; // 0x00BBGGRR
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

// The colour at `radius` logical pixels from `centre` in the direction `deg`
// (0 = three o'clock, counterclockwise).
QColor at(const QImage& image, QPointF centre, double radius, double deg)
{
    const double a = deg * M_PI / 180.0;
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(qRound((centre.x() + radius * std::cos(a)) * dpr), qRound((centre.y() - radius * std::sin(a)) * dpr));
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
    void pie_data();
    void pie();
    void fullDiscAndDoughnut();
    void bars();
};

void TestGraphPaint::pie_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("square") << QSize(200, 200) << qreal(1.0);
    QTest::newRow("high-DPI screen") << QSize(200, 200) << qreal(2.0);
    QTest::newRow("wide area stays round") << QSize(400, 200) << qreal(1.0);
}

void TestGraphPaint::pie()
{
    QFETCH(QSize, size);
    QFETCH(qreal, dpr);
    // Blue holds a quarter and runs from twelve to nine o'clock, red the rest.
    const auto slices = Graph::pieSlices({3000, 1000}, {kRed, kBlue});
    const QImage image = render(size, [&](QPainter& p, const QRectF& r) { GraphPaint::pie(p, r, slices); }, dpr);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const double radius = 0.45 * std::min(size.width(), size.height()); // 5 % margin
    QCOMPARE(at(image, c, radius / 2, 135), rgb(kBlue));
    QCOMPARE(at(image, c, radius - 8, 95), rgb(kBlue)); // just left of twelve o'clock
    QCOMPARE(at(image, c, radius - 8, 85), rgb(kRed));  // just right: clockwise, the largest comes first
    QCOMPARE(at(image, c, radius - 8, 185), rgb(kRed)); // just below nine o'clock
    QCOMPARE(at(image, c, radius / 2, 315), rgb(kRed));
    QCOMPARE(at(image, c, radius - 4, 0), rgb(kRed));
    QCOMPARE(at(image, c, radius + 6, 0), QColor(Qt::white)); // a circle, whatever the area's shape
    QCOMPARE(at(image, c, radius + 6, 90), QColor(Qt::white));
}

void TestGraphPaint::fullDiscAndDoughnut()
{
    // One positive item: the whole disc, without a slice edge at twelve o'clock.
    const auto full = Graph::pieSlices({5000, 0}, {kGreen, kRed});
    const QImage disc = render(QSize(200, 200), [&](QPainter& p, const QRectF& r) { GraphPaint::pie(p, r, full); });
    for (double r = 5; r < 85; r += 10)
        QCOMPARE(at(disc, QPointF(100, 100), r, 90), rgb(kGreen));

    const auto slices = Graph::pieSlices({700, 300}, {kRed, kBlue});
    const QImage ring = render(QSize(300, 300), [&](QPainter& p, const QRectF& r) { GraphPaint::doughnut(p, r, slices); });
    const QPointF c(150, 150);
    const double outer = 150 * 0.94;
    QCOMPARE(at(ring, c, 0, 0), QColor(Qt::white));
    QCOMPARE(at(ring, c, outer * 0.35, 200), QColor(Qt::white)); // the hole: 40 % of the diameter
    QCOMPARE(at(ring, c, outer * 0.5, 135), rgb(kBlue));          // blue takes 90°..198°
    QCOMPARE(at(ring, c, outer * 0.9, 300), rgb(kRed));
}

void TestGraphPaint::bars()
{
    Graph::YearSeries s;
    s.values[1] = -5000; // February: below the axis, no bar
    s.values[2] = 30000; // March
    s.values[5] = 10000;
    s.axisMax = 40000;
    s.isCategory = true;
    s.limit = 36000;
    s.barColor = kGreen;
    const QSize size(740, 200); // one unit is 20 pixels
    const QImage image = render(size, [&](QPainter& p, const QRectF& r) { GraphPaint::yearBars(p, r, s); });
    // The height of the bar filled at column x, from the bottom up (the
    // bottom row is the bar's outline).
    const auto height = [&](int x) {
        int y = size.height() - 1;
        while (y > 0 && image.pixelColor(x, y - 1) == rgb(kGreen))
            --y;
        return size.height() - y;
    };
    // March's bar spans x 140..180 and is three quarters high, June's a quarter.
    QVERIFY2(std::abs(height(160) - 150) <= 2, qPrintable(QString::number(height(160))));
    QVERIFY2(std::abs(height(340) - 50) <= 2, qPrintable(QString::number(height(340))));
    QCOMPARE(height(100), 1);
    QCOMPARE(image.pixelColor(136, 190), GraphPaint::plotBackground()); // the unit between two bars
    QCOMPARE(image.pixelColor(100, 190), GraphPaint::plotBackground());
    QVERIFY(near(image.pixelColor(5, 20), QColor(220, 0, 0)));   // the budget line at 9/10 of the axis
    QVERIFY(near(image.pixelColor(160, 20), QColor(220, 0, 0))); // in front of the bars
    // Without an axis there is no budget line.
    s.axisMax = 0;
    const QImage none = render(size, [&](QPainter& p, const QRectF& r) { GraphPaint::yearBars(p, r, s); });
    QCOMPARE(none.pixelColor(5, 20), GraphPaint::plotBackground());
    QCOMPARE(none.pixelColor(160, 190), GraphPaint::plotBackground());
}

QTEST_MAIN(TestGraphPaint)
#include "test_graphpaint.moc"
