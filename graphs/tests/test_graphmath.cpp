// The figures behind the graphs: axis maximum, shares, shades and the order
// and angles of the pie slices.
#include "GraphMath.h"

#include <QTest>

class TestGraphMath : public QObject {
    Q_OBJECT
private slots:
    void axisMaximum_data();
    void axisMaximum();
    void share_data();
    void share();
    void shades_data();
    void shades();
    void slices_data();
    void slices();
};

void TestGraphMath::axisMaximum_data()
{
    QTest::addColumn<qint64>("largest");
    QTest::addColumn<qint64>("axis");
    QTest::newRow("34,567") << qint64(34567) << qint64(40000);
    QTest::newRow("9,000") << qint64(9000) << qint64(10000);
    QTest::newRow("1,000, a power of ten") << qint64(1000) << qint64(2000);
    QTest::newRow("100") << qint64(100) << qint64(200);
    QTest::newRow("7") << qint64(7) << qint64(8);
    QTest::newRow("1") << qint64(1) << qint64(2);
    QTest::newRow("99,999") << qint64(99999) << qint64(100000);
    QTest::newRow("beyond 32 bits") << qint64(98765432100) << qint64(100000000000);
    QTest::newRow("nothing above zero") << qint64(0) << qint64(0);
    QTest::newRow("no value at all") << qint64(-1) << qint64(-1);
}

void TestGraphMath::axisMaximum()
{
    QFETCH(qint64, largest);
    QFETCH(qint64, axis);
    QCOMPARE(Graph::axisMaximum(largest), axis);
}

void TestGraphMath::share_data()
{
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("one eighth") << qint64(1000) << qint64(8000) << "12.50%";
    QTest::newRow("the whole") << qint64(8000) << qint64(8000) << "100.00%";
    QTest::newRow("a third rounds") << qint64(1) << qint64(3) << "33.33%";
    QTest::newRow("two thirds rounds up") << qint64(2) << qint64(3) << "66.67%";
    QTest::newRow("zero amount") << qint64(0) << qint64(500) << "0.00%";
    QTest::newRow("negative amount") << qint64(-100) << qint64(2000) << "-5.00%";
    QTest::newRow("64-bit sums") << qint64(3000000000) << qint64(6000000000) << "50.00%";
    QTest::newRow("no total") << qint64(0) << qint64(0) << "";
}

void TestGraphMath::share()
{
    QFETCH(qint64, amount);
    QFETCH(qint64, total);
    QFETCH(QString, text);
    QCOMPARE(Graph::shareText(amount, total), text);
}

void TestGraphMath::shades_data()
{
    QTest::addColumn<quint32>("color"); // 0x00BBGGRR
    QTest::addColumn<int>("items");
    QTest::addColumn<QList<int>>("step"); // red, green, blue
    QTest::addColumn<QList<quint32>>("shades");
    // 255/4 = 63.75 → 64, 128/4 = 32, 64/4 = 16.
    QTest::newRow("four items") << quint32(0x4080FF) << 4 << QList<int>{64, 32, 16}
                                << QList<quint32>{0x102040, 0x204080, 0x3060C0, 0x4080FF};
    // Halves go to the even neighbour: 255/2 = 127.5 → 128, 85/2 = 42.5 → 42, 3/2 = 1.5 → 2.
    QTest::newRow("halves to even") << quint32(0x0355FF) << 2 << QList<int>{128, 42, 2}
                                    << QList<quint32>{0x022A80, 0x0454FF};
    // 191/3 = 63.67 → 64, so the third shade is 192, one above the colour.
    QTest::newRow("last shade may pass the colour") << quint32(0x4080BF) << 3 << QList<int>{64, 43, 21}
                                                    << QList<quint32>{0x152B40, 0x2A5680, 0x3F81C0};
    QTest::newRow("red only, 42.5 to even") << quint32(0x0000FF) << 6 << QList<int>{42, 0, 0}
                                   << QList<quint32>{0x2A, 0x54, 0x7E, 0xA8, 0xD2, 0xFC};
    QTest::newRow("one item is the colour") << quint32(0x123456) << 1 << QList<int>{0x56, 0x34, 0x12}
                                            << QList<quint32>{0x123456};
}

void TestGraphMath::shades()
{
    QFETCH(quint32, color);
    QFETCH(int, items);
    QFETCH(QList<int>, step);
    QFETCH(QList<quint32>, shades);
    const Graph::ColorStep s = Graph::colorStep(color, items);
    QCOMPARE((QList<int>{s.red, s.green, s.blue}), step);
    QList<quint32> got;
    for (int k = 1; k <= items; ++k)
        got << Graph::shade(s, k);
    QCOMPARE(got, shades);
    // Beyond 255 a channel stays at 255.
    QCOMPARE(Graph::shade({200, 10, 0}, 2), quint32(0x0014FF));
}

void TestGraphMath::slices_data()
{
    QTest::addColumn<QList<qint64>>("amounts"); // descending, as the sums are kept
    // Per drawn slice, in drawing order: item, start and span in degrees, full.
    QTest::addColumn<QStringList>("slices");
    QTest::newRow("smallest first at twelve o'clock, counterclockwise")
        << QList<qint64>{6000, 1000, 1000} << QStringList{"2 90 45", "1 135 45", "0 180 270"};
    QTest::newRow("one item is the whole disc") << QList<qint64>{5000} << QStringList{"0 90 360 full"};
    QTest::newRow("zero and negative items take no slice")
        << QList<qint64>{3000, 1000, 0, -500} << QStringList{"1 90 90", "0 180 270"};
    QTest::newRow("the only positive item is the whole disc") << QList<qint64>{2500, 0, -100} << QStringList{"0 90 360 full"};
    QTest::newRow("nothing to draw") << QList<qint64>{0, -100} << QStringList{};
    QTest::newRow("64-bit amounts") << QList<qint64>{6000000000, 2000000000} << QStringList{"1 90 90", "0 180 270"};
}

void TestGraphMath::slices()
{
    QFETCH(QList<qint64>, amounts);
    QFETCH(QStringList, slices);
    std::vector<quint32> colors;
    for (int i = 0; i < amounts.size(); ++i)
        colors.push_back(quint32(0x100 + i));
    const auto got = Graph::pieSlices(std::vector<qint64>(amounts.begin(), amounts.end()), colors);
    QStringList text;
    for (const Graph::Slice& s : got) {
        text << QStringLiteral("%1 %2 %3%4").arg(s.item).arg(qRound(s.startDeg)).arg(qRound(s.spanDeg)).arg(s.full ? " full" : "");
        QCOMPARE(s.color, colors[s.item]);
    }
    QCOMPARE(text, slices);
    // The slices close the circle exactly at twelve o'clock.
    if (!got.empty())
        QCOMPARE(got.back().startDeg + got.back().spanDeg, 450.0);
}

QTEST_GUILESS_MAIN(TestGraphMath)
#include "test_graphmath.moc"
