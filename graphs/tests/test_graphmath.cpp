// The figures behind the graphs: axis maximum, shares, shades and the order
// and angles of the pie slices.
#include "graphs/GraphMath.h"

#include <QTest>

class TestGraphMath : public QObject {
    Q_OBJECT
private slots:
    void axisMaximum_data();
    void axisMaximum();
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
    QTest::newRow("7") << qint64(7) << qint64(8);
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

void TestGraphMath::share()
{
    QCOMPARE(Graph::shareText(1000, 8000), QStringLiteral("12.50%"));
    QCOMPARE(Graph::shareText(2, 3), QStringLiteral("66.67%"));
    QCOMPARE(Graph::shareText(-100, 2000), QStringLiteral("-5.00%"));
    QCOMPARE(Graph::shareText(3000000000, 6000000000), QStringLiteral("50.00%"));
    QCOMPARE(Graph::shareText(0, 0), QString()); // no total, no share
}

void TestGraphMath::shades_data()
{
    QTest::addColumn<quint32>("color"); // 0x00BBGGRR
    QTest::addColumn<QList<quint32>>("shades");
    // (255, 128, 64) in four: steps 64 (63.75), 32, 16; the fourth is capped at 255.
    QTest::newRow("four items") << quint32(0x4080FF) << QList<quint32>{0x102040, 0x204080, 0x3060C0, 0x4080FF};
    // Halves to even: 255/2 = 127.5 → 128, 85/2 = 42.5 → 42, 3/2 = 1.5 → 2.
    QTest::newRow("halves to even") << quint32(0x0355FF) << QList<quint32>{0x022A80, 0x0454FF};
    // 191/3 = 63.67 → 64: the third shade is 192, one above the colour.
    QTest::newRow("last shade passes the colour") << quint32(0x4080BF) << QList<quint32>{0x152B40, 0x2A5680, 0x3F81C0};
    QTest::newRow("one item is the colour") << quint32(0x123456) << QList<quint32>{0x123456};
}

void TestGraphMath::shades()
{
    QFETCH(quint32, color);
    QFETCH(QList<quint32>, shades);
    const Graph::ColorStep step = Graph::colorStep(color, int(shades.size()));
    QList<quint32> got;
    for (int k = 1; k <= shades.size(); ++k)
        got << Graph::shade(step, k);
    QCOMPARE(got, shades);
}

void TestGraphMath::slices_data()
{
    QTest::addColumn<QList<qint64>>("amounts"); // descending, as the sums are kept
    QTest::addColumn<QStringList>("slices");    // drawing order: item, start and span in degrees
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
    QStringList got;
    for (const Graph::Slice& s : Graph::pieSlices(std::vector<qint64>(amounts.begin(), amounts.end()), colors)) {
        got << QStringLiteral("%1 %2 %3%4").arg(s.item).arg(qRound(s.startDeg)).arg(qRound(s.spanDeg)).arg(s.full ? " full" : "");
        QCOMPARE(s.color, colors[s.item]);
    }
    QCOMPARE(got, slices);
}

QTEST_GUILESS_MAIN(TestGraphMath)
#include "test_graphmath.moc"
