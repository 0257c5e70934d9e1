// The sums behind the sub-item and trend graphs, from a ledger in memory.
#include "graphs/GraphSums.h"
#include "graphs/tests/GraphTestData.h"

#include <QTest>

class TestGraphSums : public QObject {
    Q_OBJECT
private slots:
    void subSums_data();
    void subSums();
    void yearSeries();
};

void TestGraphSums::subSums_data()
{
    QTest::addColumn<QStringList>("entries"); // "sub amount" of category 01 in April, in day order
    QTest::addColumn<QString>("sums");
    QTest::newRow("largest first") << QStringList{"01 500", "02 1500", "00 700"} << "02 1500, 00 700, 01 500 = 2700";
    QTest::newRow("equal amounts keep the order of first occurrence")
        << QStringList{"03 400", "01 900", "02 400", "01 -500", "00 400"} << "03 400, 01 400, 02 400, 00 400 = 1600";
    QTest::newRow("zero and negative sums last") << QStringList{"01 -300", "02 0", "03 10"} << "03 10, 02 0, 01 -300 = -290";
    QTest::newRow("sums beyond 32 bits") << QStringList{"01 2000000000", "01 2000000000", "02 1"}
                                         << "01 4000000000, 02 1 = 4000000001";
    QTest::newRow("no entry of the category") << QStringList{} << " = 0";
}

void TestGraphSums::subSums()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, sums);
    GraphLedger l;
    l.category("01", "食費", 1, 0, 0, {"外食", "食材", "お菓子"});
    l.category("02", "日用品", 1);
    int day = 0;
    for (const QString& e : entries) {
        l.add("04/" + Fmt::zero2(++day), "01", e.section(' ', 1).toInt(), e.section(' ', 0, 0));
        l.add("04/" + Fmt::zero2(day), "02", 99999, "01"); // another category
    }
    l.add("05/01", "01", 77777, "01"); // another month
    const Graph::SubSums s = Graph::sumSubItems(l.model.slot(4), 1);
    QStringList got;
    for (const Graph::SubSum& item : s.items)
        got << item.no + QLatin1Char(' ') + QString::number(item.amount);
    QCOMPARE(got.join(", ") + " = " + QString::number(s.total), sums);
}

void TestGraphSums::yearSeries()
{
    GraphLedger l;
    l.category("01", "食費", 1, 0x0000FF, 20000);
    l.category("02", "日用品", 1, 0x00FF00);
    l.category("03", "給与", 2, 0xFF0000);
    l.add("01/10", "01", 12000);
    l.add("01/11", "02", 3000);
    l.add("03/05", "01", 34567);
    l.add("03/25", "03", 250000);
    l.add("07/01", "02", -3000);
    l.model.BuildMonthCatTotals();
    // Per line: the monthly values ("-" without one), axis maximum, year total, bar and label colours.
    const auto text = [&](int line) {
        const Graph::YearSeries s = Graph::yearSeries(l.model, line);
        QStringList values;
        for (const auto& v : s.values)
            values << (v ? QString::number(*v) : QStringLiteral("-"));
        return QStringLiteral("%1 | %2 %3 | %4 %5 %6").arg(values.join(' ')).arg(s.axisMax).arg(s.yearTotal)
            .arg(s.barColor, 6, 16, QLatin1Char('0')).arg(s.labelColor, 6, 16, QLatin1Char('0')).arg(s.limit);
    };
    QCOMPARE(text(0), QStringLiteral("15000 - 34567 - - - -3000 - - - - - | 40000 46567 | 000000 ffffff 0"));
    QCOMPARE(text(1), QStringLiteral("0 - 250000 - - - 0 - - - - - | 300000 250000 | ffffff 000000 0"));
    QCOMPARE(text(2), QStringLiteral("12000 - 34567 - - - 0 - - - - - | 40000 46567 | 0000ff 000000 20000"));
    // Nothing above zero: no axis and no year total.
    QCOMPARE(text(3), QStringLiteral("3000 - 0 - - - -3000 - - - - - | 4000 0 | 00ff00 000000 0"));
    l.model.SetMonthEntries(1, {});
    l.model.BuildMonthCatTotals();
    QCOMPARE(text(3), QStringLiteral("- - 0 - - - -3000 - - - - - | 0 0 | 00ff00 000000 0"));
}

QTEST_GUILESS_MAIN(TestGraphSums)
#include "test_graphsums.moc"
