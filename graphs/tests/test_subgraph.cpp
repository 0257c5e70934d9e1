// The sub-item breakdown graph: the choice of category, the legend with its
// shades and deleted sub-items, the budget line and the doughnut.
#include "GraphSurface.h"
#include "GraphTestData.h"
#include "frmDGraph.h"

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

// Categories whose names begin with one another, largest first in April:
// "Food court" 5000, "food" 3000, "給与" (income) 1000.
void names(GraphLedger& l)
{
    l.category("01", "food", 1, 0x0000FF, 0, {"lunch", "snack"});
    l.category("02", "Food court", 1, 0x00FF00);
    l.category("03", "給与", 2, 0xFF0000);
    l.add("04/01", "02", 5000);
    l.add("04/02", "01", 3000, "01");
    l.add("04/03", "03", 1000);
    l.model.MakeCategorySums(4);
}
}

class TestSubGraph : public QObject {
    Q_OBJECT
private slots:
    void chooseCategory_data();
    void chooseCategory();
    void switchCategory();
    void legendAndShades();
    void oneSubItemIsTheWholeDisc();
    void deletedSubItem();
    void budgetLine_data();
    void budgetLine();
    void moreThanTenSubItems();
    void placedAtTwoThirds();
};

void TestSubGraph::chooseCategory_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("exact name, though a longer one comes first") << "food" << "food";
    QTest::newRow("exact name of the first") << "Food court" << "Food court";
    QTest::newRow("prefix, any letter case") << "FOOD" << "Food court";
    QTest::newRow("prefix") << "Food c" << "Food court";
    QTest::newRow("income category") << "給与" << "給与";
    QTest::newRow("no such name: line 0") << "雑費" << "Food court";
    QTest::newRow("no name: line 0") << "" << "Food court";
}

void TestSubGraph::chooseCategory()
{
    QFETCH(QString, name);
    QFETCH(QString, chosen);
    GraphLedger l;
    names(l);
    frmDGraph d(l.model, 4);
    d.Open(name, "4月度 費目別内訳  -[" + name + "]", "255");
    QCOMPARE(d.cmbMain->count(), 3);
    QCOMPARE(d.cmbMain->itemText(2), QStringLiteral("給与")); // income after expense
    QCOMPARE(d.cmbMain->currentText(), chosen);
    QCOMPARE(d.windowTitle(), "4月度 費目別内訳  -[" + chosen + "]");
}

void TestSubGraph::switchCategory()
{
    GraphLedger l;
    names(l);
    frmDGraph d(l.model, 4);
    d.Open("Food court", "", "65280");
    QCOMPARE(d.lblMoney->text(), QStringLiteral("5,000"));
    QCOMPARE(legend(d), QStringList{"摘要項目なし 100.00%"});
    d.cmbMain->setCurrentIndex(1);
    QCOMPARE(d.windowTitle(), QStringLiteral("4月度 費目別内訳  -[food]"));
    QCOMPARE(d.lblMoney->text(), QStringLiteral("3,000"));
    QCOMPARE(legend(d), QStringList{"lunch 100.00%"});
    QCOMPARE(d.shpSub[0]->color(), quint32(0x0000FF));
}

void TestSubGraph::legendAndShades()
{
    GraphLedger l;
    l.category("01", "食費", 1, 0x4080FF, 0, {"外食", "食材", "お菓子"});
    l.add("04/01", "01", 1000, "03");
    l.add("04/02", "01", 4000, "02");
    l.add("04/03", "01", 2000, "00");
    l.add("04/04", "01", 1000, "01");
    l.model.MakeCategorySums(4);
    frmDGraph d(l.model, 4);
    d.Open("食費", "", "4227327");
    QCOMPARE(legend(d), (QStringList{"食材 50.00%", "摘要項目なし 25.00%", "お菓子 12.50%", "外食 12.50%"}));
    QCOMPARE(d.lblSub[0]->toolTip(), QStringLiteral("食材 4,000 円"));
    QCOMPARE(d.lblPercent[2]->toolTip(), QStringLiteral("お菓子 1,000 円"));
    QCOMPARE(d.lblTitle->text(), QStringLiteral("合計"));
    QCOMPARE(d.lblMoney->text(), QStringLiteral("8,000"));
    // Four shades of (255, 128, 64): the largest darkest, the last the colour itself.
    const quint32 shades[4] = {0x102040, 0x204080, 0x3060C0, 0x4080FF};
    for (int r = 0; r < 4; ++r)
        QCOMPARE(d.shpSub[r]->color(), shades[r]);
    // The doughnut draws the same shades, smallest first from twelve o'clock.
    QCOMPARE(d.slices().size(), size_t(4));
    QCOMPARE(d.slices().front().item, 3);
    QCOMPARE(d.slices().front().color, shades[3]);
    QVERIFY(d.lblLimit->text().isEmpty());
}

void TestSubGraph::oneSubItemIsTheWholeDisc()
{
    GraphLedger l;
    l.category("01", "食費", 1, 0x4080FF, 0, {"外食", "食材"});
    l.add("04/01", "01", 1500, "02");
    l.add("04/02", "01", 0, "01"); // a second sub-item of no amount
    l.model.MakeCategorySums(4);
    frmDGraph d(l.model, 4);
    d.Open("食費", "", "0");
    QCOMPARE(legend(d), (QStringList{"食材 100.00%", "外食 0.00%"}));
    QCOMPARE(d.slices().size(), size_t(1));
    QVERIFY(d.slices().front().full);
    QCOMPARE(d.slices().front().color, quint32(0x4080FF));
    QCOMPARE(d.shpSub[0]->color(), quint32(0x4080FF));
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
    QCOMPARE(d.lblSub[0]->toolTip(), QStringLiteral("摘要項目なし 700 円"));
    QCOMPARE(dumpMonth(l.model, 4), QStringLiteral("04/01 01 02 700/0; 04/02 01 01 300/0"));
}

void TestSubGraph::budgetLine_data()
{
    QTest::addColumn<qint32>("limit");
    QTest::addColumn<QString>("text");
    QTest::newRow("left") << 30000 << "予算： 30,000円／月   （あと 22,000円 使えます）";
    QTest::newRow("exactly met") << 8000 << "予算： 8,000円／月   ";
    QTest::newRow("over") << 7000 << "予算： 7,000円／月   （1,000円 オーバーです）";
    QTest::newRow("no budget") << 0 << "";
}

void TestSubGraph::budgetLine()
{
    QFETCH(qint32, limit);
    QFETCH(QString, text);
    GraphLedger l;
    l.category("01", "食費", 1, 0x0000FF, limit);
    l.add("04/01", "01", 5000);
    l.add("04/02", "01", 3000);
    l.model.MakeCategorySums(4);
    frmDGraph d(l.model, 4);
    d.Open("食費", "", "255");
    QCOMPARE(d.lblLimit->text(), text);
}

void TestSubGraph::moreThanTenSubItems()
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
    QCOMPARE(d.lblSub[0]->text(), QStringLiteral("項目13"));
    d.vsrSub->setValue(3);
    QCOMPARE(d.lblSub[0]->text(), QStringLiteral("項目10"));
    QCOMPARE(d.lblSub[9]->text(), QStringLiteral("項目1"));
    // The swatch keeps the shade of its item, not of its row.
    const Graph::ColorStep step = Graph::colorStep(0x0000FF, 13);
    QCOMPARE(d.shpSub[9]->color(), Graph::shade(step, 13));
}

void TestSubGraph::placedAtTwoThirds()
{
    GraphLedger l;
    names(l);
    frmDGraph d(l.model, 4);
    d.Open("food", "", "255");
    const QRect s = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect g = d.geometry();
    // Centred at two thirds of the screen, pushed back only where it would leave it.
    QVERIFY(s.contains(g));
    QVERIFY(std::abs(g.center().x() - (s.x() + s.width() * 2 / 3)) <= 1 || g.right() == s.right());
    QVERIFY(std::abs(g.center().y() - (s.y() + s.height() * 2 / 3)) <= 1 || g.bottom() == s.bottom());
    QVERIFY(g.center().x() > s.center().x() && g.center().y() > s.center().y());
}

QTEST_MAIN(TestSubGraph)
#include "test_subgraph.moc"
