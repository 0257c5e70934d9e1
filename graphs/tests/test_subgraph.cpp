// The sub-item breakdown graph: the choice of category, the legend with its
// shades and deleted sub-items, the budget line and the doughnut.
#include "graphs/GraphSurface.h"
#include "graphs/tests/GraphTestData.h"
#include "graphs/frmDGraph.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace {
QStringList legend(const frmDGraph& d)
{
    QStringList rows;
    for (int r = 0; r < 10; ++r)
        if (!d.lblSub[r]->isHidden())
            rows << d.lblSub[r]->text() + QLatin1Char(' ') + d.lblPercent[r]->text();
    return rows;
}
}

class TestSubGraph : public QObject {
    Q_OBJECT
private slots:
    void chooseCategory_data();
    void chooseCategory();
    void legendShadesAndBudget_data();
    void legendShadesAndBudget();
    void deletedSubItem();
    void moreThanTenSubItemsAndPlace();
};

void TestSubGraph::chooseCategory_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("exact name, though a longer one comes first") << "food" << "food";
    QTest::newRow("prefix, any letter case") << "FOOD" << "Food court";
    QTest::newRow("income category") << "給与" << "給与";
    QTest::newRow("no such name: line 0") << "雑費" << "Food court";
    QTest::newRow("no name: line 0") << "" << "Food court";
}

void TestSubGraph::chooseCategory()
{
    QFETCH(QString, name);
    QFETCH(QString, chosen);
    GraphLedger l;
    l.category("01", "food", 1, 0x0000FF, 0, {"lunch"});
    l.category("02", "Food court", 1, 0x00FF00);
    l.category("03", "給与", 2, 0xFF0000);
    l.add("04/01", "02", 5000);
    l.add("04/02", "01", 3000, "01");
    l.add("04/03", "03", 1000);
    l.model.MakeCategorySums(4);
    frmDGraph d(l.model, 4);
    d.Open(name, "4月度 費目別内訳  -[" + name + "]", "255");
    QCOMPARE(d.cmbMain->count(), 3); // expense then income, largest first
    QCOMPARE(d.cmbMain->itemText(2), QStringLiteral("給与"));
    QCOMPARE(d.cmbMain->currentText(), chosen);
    QCOMPARE(d.windowTitle(), "4月度 費目別内訳  -[" + chosen + "]");
    // Choosing another line shows that category.
    d.cmbMain->setCurrentIndex(1);
    QCOMPARE(d.windowTitle(), QStringLiteral("4月度 費目別内訳  -[food]"));
    QCOMPARE(legend(d), QStringList{"lunch 100.00%"});
    QCOMPARE(d.lblMoney->text(), QStringLiteral("3,000"));
}

void TestSubGraph::legendShadesAndBudget_data()
{
    QTest::addColumn<QStringList>("entries"); // "sub amount", April 1st on
    QTest::addColumn<qint32>("limit");
    QTest::addColumn<QStringList>("legend");
    QTest::addColumn<QList<quint32>>("swatches");
    QTest::addColumn<QString>("budget");
    // Four shades of (255, 128, 64), the largest darkest; the doughnut starts with the smallest.
    QTest::newRow("four sub-items, budget left")
        << QStringList{"03 1000", "02 4000", "00 2000", "01 1000"} << 30000
        << QStringList{"食材 50.00%", "摘要項目なし 25.00%", "お菓子 12.50%", "外食 12.50%"}
        << QList<quint32>{0x102040, 0x204080, 0x3060C0, 0x4080FF} << "予算： 30,000円／月   （あと 22,000円 使えます）";
    // The one sub-item with an amount is the whole disc, in the category colour.
    QTest::newRow("one sub-item holds it all, budget met")
        << QStringList{"02 1500", "01 0"} << 1500 << QStringList{"食材 100.00%", "外食 0.00%"}
        << QList<quint32>{0x4080FF, 0x4080FF} << "予算： 1,500円／月   ";
    QTest::newRow("over budget") << QStringList{"00 7500"} << 7000 << QStringList{"摘要項目なし 100.00%"}
                                 << QList<quint32>{0x4080FF} << "予算： 7,000円／月   （500円 オーバーです）";
    QTest::newRow("no budget") << QStringList{"01 10"} << 0 << QStringList{"外食 100.00%"} << QList<quint32>{0x4080FF} << "";
}

void TestSubGraph::legendShadesAndBudget()
{
    QFETCH(QStringList, entries);
    QFETCH(qint32, limit);
    QFETCH(QStringList, legend);
    QFETCH(QList<quint32>, swatches);
    QFETCH(QString, budget);
    GraphLedger l;
    l.category("01", "食費", 1, 0x4080FF, limit, {"外食", "食材", "お菓子"});
    int day = 0;
    for (const QString& e : entries)
        l.add("04/" + Fmt::zero2(++day), "01", e.section(' ', 1).toInt(), e.section(' ', 0, 0));
    l.model.MakeCategorySums(4);
    frmDGraph d(l.model, 4);
    d.Open("食費", "", "4227327");
    QCOMPARE(::legend(d), legend);
    QList<quint32> colors;
    for (int r = 0; r < swatches.size(); ++r)
        colors << d.shpSub[r]->color();
    QCOMPARE(colors, swatches);
    QCOMPARE(d.lblLimit->text(), budget);
    QCOMPARE(d.lblTitle->text(), QStringLiteral("合計"));
    QCOMPARE(d.lblMoney->text(), Fmt::hash(d.subSums().total));
    QCOMPARE(d.lblSub[0]->toolTip(), legend[0].section(' ', 0, 0) + " " + Fmt::hash(d.subSums().items[0].amount) + " 円");
    // The doughnut draws each item in its swatch's colour.
    for (const Graph::Slice& s : d.slices())
        QCOMPARE(s.color, swatches[s.item]);
}

void TestSubGraph::deletedSubItem()
{
    GraphLedger l;
    const auto c = l.category("01", "食費", 1, 0x0000FF, 0, {"外食", "食材"});
    l.add("04/01", "01", 700, "02");
    l.add("04/02", "01", 300, "01");
    c->deleachsub("02");
    l.model.MakeCategorySums(4);
    frmDGraph d(l.model, 4);
    d.Open("食費", "", "255");
    QCOMPARE(legend(d), (QStringList{"摘要項目なし(削除済) 70.00%", "外食 30.00%"}));
    d.ShowSubLegend(0); // a refresh of the legend, as scrolling does
    QCOMPARE(d.lblSub[0]->text(), QStringLiteral("摘要項目なし"));
    // The year's entries keep their sub-item.
    QCOMPARE(dumpMonth(l.model, 4), QStringLiteral("04/01 01 02 700/0; 04/02 01 01 300/0"));
}

void TestSubGraph::moreThanTenSubItemsAndPlace()
{
    GraphLedger l;
    QStringList subs;
    for (int s = 1; s <= 13; ++s)
        subs << QStringLiteral("項目%1").arg(s);
    l.category("01", "食費", 1, 0x0000FF, 0, subs);
    for (int s = 1; s <= 13; ++s)
        l.add("04/01", "01", s * 100, Fmt::zero2(s));
    l.model.MakeCategorySums(4);
    frmDGraph d(l.model, 4);
    d.Open("食費", "", "255");
    QVERIFY(!d.vsrSub->isHidden());
    QCOMPARE(d.vsrSub->maximum(), 3);
    QCOMPARE(legend(d).size(), 10);
    d.vsrSub->setValue(3);
    QCOMPARE(d.lblSub[0]->text(), QStringLiteral("項目10"));
    QCOMPARE(d.lblSub[9]->text(), QStringLiteral("項目1"));
    QCOMPARE(d.shpSub[9]->color(), Graph::shade(Graph::colorStep(0x0000FF, 13), 13)); // the item's shade, not the row's

    // Centred at two thirds of the screen, pushed back only where it would leave it.
    const QRect s = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect g = d.geometry();
    QVERIFY(s.contains(g));
    QVERIFY(std::abs(g.center().x() - (s.x() + s.width() * 2 / 3)) <= 1 || g.right() == s.right());
    QVERIFY(std::abs(g.center().y() - (s.y() + s.height() * 2 / 3)) <= 1 || g.bottom() == s.bottom());
}

QTEST_MAIN(TestSubGraph)
#include "test_subgraph.moc"
