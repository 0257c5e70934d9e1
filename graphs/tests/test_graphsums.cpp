// The sums and texts behind the graphs' legends, from a ledger in memory.
#include "GraphMath.h"
#include "GraphSums.h"
#include "GraphTestData.h"

#include <QTest>

class TestGraphSums : public QObject {
    Q_OBJECT
private slots:
    void subSums_data();
    void subSums();
    void deletedSubItem();
    void budget_data();
    void budget();
    void legendRow_data();
    void legendRow();
    void monthSumsAgreeWithTheGraph();
    void yearSeries();
};

void TestGraphSums::subSums_data()
{
    QTest::addColumn<QStringList>("entries"); // "sub amount" of category 01 in April, in day order
    QTest::addColumn<QString>("sums");
    QTest::addColumn<qint64>("total");
    QTest::newRow("largest first") << QStringList{"01 500", "02 1500", "00 700"} << "02 1500, 00 700, 01 500" << qint64(2700);
    QTest::newRow("equal amounts keep the order of first occurrence")
        << QStringList{"03 400", "01 900", "02 400", "01 -500", "00 400"} << "03 400, 01 400, 02 400, 00 400" << qint64(1600);
    QTest::newRow("sums of several entries") << QStringList{"01 100", "02 250", "01 200"} << "01 300, 02 250" << qint64(550);
    QTest::newRow("zero and negative sums go last") << QStringList{"01 -300", "02 0", "03 10"} << "03 10, 02 0, 01 -300" << qint64(-290);
    QTest::newRow("sums beyond 32 bits") << QStringList{"01 2000000000", "01 2000000000", "02 1"} << "01 4000000000, 02 1"
                                         << qint64(4000000001);
    QTest::newRow("no entry of the category") << QStringList{} << "" << qint64(0);
}

void TestGraphSums::subSums()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, sums);
    QFETCH(qint64, total);
    GraphLedger l;
    l.category("01", "食費", 1, 0, 0, {"外食", "食材", "お菓子"});
    l.category("02", "日用品", 1);
    int day = 1;
    for (const QString& e : entries) {
        l.add(QStringLiteral("04/%1").arg(day, 2, 10, QLatin1Char('0')), "01", e.section(' ', 1).toInt(), e.section(' ', 0, 0));
        l.add(QStringLiteral("04/%1").arg(day++, 2, 10, QLatin1Char('0')), "02", 99999, "00"); // another category
    }
    l.add("05/01", "01", 77777, "01"); // another month
    const Graph::SubSums s = Graph::sumSubItems(l.model.slot(4), 1);
    QStringList got;
    for (const Graph::SubSum& item : s.items)
        got << item.no + QLatin1Char(' ') + QString::number(item.amount);
    QCOMPARE(got.join(", "), sums);
    QCOMPARE(s.total, total);
}

void TestGraphSums::deletedSubItem()
{
    GraphLedger l;
    const auto c = l.category("01", "食費", 1, 0, 0, {"外食", "食材"});
    l.add("04/01", "01", 500, "02");
    l.add("04/02", "01", 300, "00");
    c->deleachsub("02");
    Graph::SubSums s = Graph::sumSubItems(l.model.slot(4), 1);
    QCOMPARE(Graph::subItemName(*c, s.items[0]), QStringLiteral("摘要項目なし(削除済)"));
    QCOMPARE(Graph::subItemName(*c, s.items[0]), QStringLiteral("摘要項目なし"));
    QCOMPARE(Graph::subItemName(*c, s.items[1]), QStringLiteral("摘要項目なし"));
    // The year's entries keep their sub-item.
    QCOMPARE(dumpMonth(l.model, 4), QStringLiteral("04/01 01 02 500/0; 04/02 01 00 300/0"));
    c->addsub("01", "外食");
    Graph::SubSum named{"01", 1};
    QCOMPARE(Graph::subItemName(*c, named), QStringLiteral("外食"));
}

void TestGraphSums::budget_data()
{
    QTest::addColumn<qint32>("limit");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("left to spend") << 30000 << qint64(28500) << "予算： 30,000円／月   （あと 1,500円 使えます）";
    QTest::newRow("over") << 30000 << qint64(31234) << "予算： 30,000円／月   （1,234円 オーバーです）";
    QTest::newRow("exactly met") << 30000 << qint64(30000) << "予算： 30,000円／月   ";
    QTest::newRow("far over, 64-bit") << 2000000000 << qint64(6000000000) << "予算： 2,000,000,000円／月   （4,000,000,000円 オーバーです）";
    QTest::newRow("no budget") << 0 << qint64(500) << "";
}

void TestGraphSums::budget()
{
    QFETCH(qint32, limit);
    QFETCH(qint64, total);
    QFETCH(QString, text);
    QCOMPARE(Graph::budgetText(limit, total), text);
}

void TestGraphSums::legendRow_data()
{
    QTest::addColumn<qint32>("limit");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<bool>("over");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("plainTip");
    QTest::addColumn<QString>("share"); // of 80,000
    QTest::newRow("below the budget") << 10000 << qint64(9999) << false << "食費 9,999 円" << "食費 9,999 円" << "12.50%";
    QTest::newRow("exactly at the budget") << 10000 << qint64(10000) << false << "食費 10,000 円" << "食費 10,000 円" << "12.50%";
    QTest::newRow("one yen above") << 10000 << qint64(10001) << true << "食費 10,001 円 [予算 10000 円]" << "食費 10,001 円"
                                   << "12.50%";
    QTest::newRow("no budget is never over") << 0 << qint64(50000) << false << "食費 50,000 円" << "食費 50,000 円" << "62.50%";
    QTest::newRow("zero amount") << 10000 << qint64(0) << false << "食費  円" << "食費  円" << "0.00%";
}

void TestGraphSums::legendRow()
{
    QFETCH(qint32, limit);
    QFETCH(qint64, amount);
    QFETCH(bool, over);
    QFETCH(QString, tip);
    QFETCH(QString, plainTip);
    QFETCH(QString, share);
    clsHimoku c;
    c.no = "01";
    c.name = "食費";
    c.limit = limit;
    c.color = 0x123456;
    const Graph::LegendRow row = Graph::legendRow(c, amount, 80000);
    QCOMPARE(row.overBudget, over);
    QCOMPARE(row.tip, tip);
    QCOMPARE(row.plainTip, plainTip);
    QCOMPARE(row.share, share);
    QCOMPARE(row.key, QStringLiteral("01"));
    QCOMPARE(row.color, quint32(0x123456));
}

// The graph shows what the category summary shows: the sums of MakeCategorySums.
void TestGraphSums::monthSumsAgreeWithTheGraph()
{
    GraphLedger l;
    l.category("01", "食費", 1, 0, 0, {"外食"});
    l.category("02", "日用品", 1);
    l.category("03", "給与", 2);
    l.add("04/01", "01", 1200, "01");
    l.add("04/02", "02", 800);
    l.add("04/03", "01", 300);
    l.add("04/25", "03", 250000);
    l.model.MakeCategorySums(4);
    QCOMPARE(l.model.catSumOut.size(), size_t(2));
    QCOMPARE(l.model.catSumOut[0].amount, Graph::sumSubItems(l.model.slot(4), 1).total);
    QCOMPARE(l.model.totalOut, qint64(2300));
    QCOMPARE(Graph::shareText(l.model.catSumOut[0].amount, l.model.totalOut), QStringLiteral("65.22%"));
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
    l.add("07/01", "02", 0);
    l.model.BuildMonthCatTotals();

    const Graph::YearSeries out = Graph::yearSeries(l.model, 0);
    QCOMPARE(out.values[0], std::optional<qint64>(15000));
    QCOMPARE(out.values[2], std::optional<qint64>(34567));
    QVERIFY(!out.values[1]); // February has no entries
    QCOMPARE(out.axisMax, qint64(40000));
    QCOMPARE(out.yearTotal, qint64(49567));
    QVERIFY(!out.isCategory);
    QCOMPARE(out.barColor, quint32(0x000000));
    QCOMPARE(out.labelColor, quint32(0xFFFFFF));

    const Graph::YearSeries in = Graph::yearSeries(l.model, 1);
    QCOMPARE(in.values[0], std::optional<qint64>(0));
    QCOMPARE(in.axisMax, qint64(300000));
    QCOMPARE(in.barColor, quint32(0xFFFFFF));
    QCOMPARE(in.labelColor, quint32(0x000000));

    const Graph::YearSeries food = Graph::yearSeries(l.model, 2);
    QVERIFY(food.isCategory);
    QCOMPARE(food.limit, 20000);
    QCOMPARE(food.barColor, quint32(0x0000FF));
    QCOMPARE(food.values[0], std::optional<qint64>(12000));
    QCOMPARE(food.values[6], std::optional<qint64>(0)); // July has entries, none of food
    QVERIFY(!food.values[1]);
    QCOMPARE(food.axisMax, qint64(40000));
    QCOMPARE(food.yearTotal, qint64(46567));

    // A category with nothing above zero in any month: no axis, no total.
    l.add("08/01", "02", -3000);
    l.model.BuildMonthCatTotals();
    const Graph::YearSeries goods = Graph::yearSeries(l.model, 3);
    QCOMPARE(goods.values[0], std::optional<qint64>(3000));
    l.model.slot(1).entries.clear();
    l.model.BuildMonthCatTotals();
    const Graph::YearSeries none = Graph::yearSeries(l.model, 3);
    QCOMPARE(none.axisMax, qint64(0));
    QCOMPARE(none.yearTotal, qint64(0));

    // An empty year: nothing at all.
    GraphLedger empty;
    empty.category("01", "食費", 1);
    empty.model.BuildMonthCatTotals();
    QCOMPARE(Graph::yearSeries(empty.model, 0).axisMax, qint64(-1));
    QCOMPARE(Graph::yearSeries(empty.model, 2).axisMax, qint64(-1));
}

QTEST_GUILESS_MAIN(TestGraphSums)
#include "test_graphsums.moc"
