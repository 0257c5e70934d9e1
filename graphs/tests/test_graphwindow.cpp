// The monthly breakdown graph window: totals and no-data texts, legends and
// their scroll bars, the over-budget marking, month paging by menu and keys,
// the display targets and the hand-over to the sub-item graph.
#include "GraphSurface.h"
#include "GraphTestData.h"
#include "frmDGraph.h"
#include "frmGraph.h"
#include "frmGraphOption.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

namespace {
// Legend rows of a side as "name share" of the visible rows.
QStringList legend(const frmGraph& g, int side)
{
    QStringList rows;
    for (int r = side * 10; r < side * 10 + 10; ++r)
        if (!g.lblMain[r]->isHidden())
            rows << g.lblMain[r]->text() + QLatin1Char(' ') + g.lblPercent[r]->text();
    return rows;
}

bool isRed(const QLabel* l) { return l->palette().color(QPalette::WindowText) == QColor(255, 0, 0); }

// A ledger with n expense categories (amounts 1000, 2000, … so the last is
// the largest) and m income categories, all in April.
void fill(GraphLedger& l, int n, int m)
{
    for (int i = 1; i <= n + m; ++i) {
        const QString no = Fmt::zero2(i);
        l.category(no, QStringLiteral("費目%1").arg(i), i <= n ? 1 : 2, quint32(i * 0x010203));
        l.add("04/" + Fmt::zero2(1 + i % 28), no, i * 1000);
    }
}
}

class TestGraphWindow : public QObject {
    Q_OBJECT
private slots:
    void monthWithoutEntries();
    void incomeOnly();
    void allCategoriesHidden();
    void legendScrollsBeyondTenRows_data();
    void legendScrollsBeyondTenRows();
    void legendsStayAligned();
    void overBudgetMarking_data();
    void overBudgetMarking();
    void zeroAndNegativeSums();
    void monthMenuAndKeys_data();
    void monthMenuAndKeys();
    void tabsPageMonths();
    void displayTargets();
    void displayTargetsCancelled();
    void subGraphFromLegendRow();
    void closingEmptiesTheSums();
};

void TestGraphWindow::monthWithoutEntries()
{
    GraphLedger l;
    fill(l, 2, 1);
    l.model.curMonth = 5;
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(g.windowTitle(), QStringLiteral("5月度 収支内訳"));
    QCOMPARE(g.tbsMonth->currentIndex(), 4);
    QCOMPARE(g.lblMoneyOut->text(), QStringLiteral("NO Data..."));
    QCOMPARE(g.lblMoneyIn->text(), QStringLiteral("NO Data..."));
    QVERIFY(g.slices(0).empty() && g.slices(1).empty());
    for (QLabel* note : g.Label2)
        QVERIFY(note->isHidden());
    QVERIFY(!g.mnuShowItem[3]->isEnabled());
    QVERIFY(legend(g, 0).isEmpty() && legend(g, 1).isEmpty());
}

void TestGraphWindow::incomeOnly()
{
    GraphLedger l;
    l.category("01", "食費", 1, 0x0000FF);
    l.category("02", "給与", 2, 0x00FF00);
    l.add("04/25", "02", 250000);
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(g.lblMoneyOut->text(), QStringLiteral("No Data..."));
    QCOMPARE(g.lblMoneyIn->text(), QStringLiteral("250,000"));
    QVERIFY(g.slices(0).empty());
    QCOMPARE(g.slices(1).size(), size_t(1));
    QVERIFY(g.slices(1).front().full);
    QCOMPARE(legend(g, 1), QStringList{"給与 100.00%"});
    QVERIFY(!g.Label2[0]->isHidden());
    // The only row is an income row: the menu opens it.
    bool seen = false;
    whenShown<frmDGraph>([](frmDGraph* d) {
        QCOMPARE(d->cmbMain->currentText(), QStringLiteral("給与"));
        d->close();
    }, &seen);
    QVERIFY(g.mnuShowItem[3]->isEnabled());
    g.mnuShowItem[3]->trigger();
    QVERIFY(seen);
}

void TestGraphWindow::allCategoriesHidden()
{
    GraphLedger l;
    fill(l, 2, 1);
    for (GraphTargetRow& r : l.model.graphTargets)
        r.show = 0;
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(g.lblMoneyOut->text(), QStringLiteral("No Data..."));
    QCOMPARE(g.lblMoneyIn->text(), QStringLiteral("No Data..."));
    QCOMPARE(l.model.totalOut, qint64(0));
    QCOMPARE(l.model.totalIn, qint64(0));
    // No row to hand over to the sub-item graph.
    QVERIFY(!g.mnuShowItem[3]->isEnabled());
}

void TestGraphWindow::legendScrollsBeyondTenRows_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("ten rows, no scroll bar") << 10;
    QTest::newRow("eleven rows") << 11;
    QTest::newRow("twenty-five rows") << 25;
}

void TestGraphWindow::legendScrollsBeyondTenRows()
{
    QFETCH(int, n);
    GraphLedger l;
    fill(l, n, n);
    frmGraph g(l.model);
    g.Open();
    for (int side = 0; side < 2; ++side) {
        QScrollBar* bar = side == 0 ? g.vsrOut : g.vsrIn;
        QCOMPARE(!bar->isHidden(), n > 10);
        QCOMPARE(bar->maximum(), std::max(0, n - 10));
        const int base = side == 0 ? 0 : n; // income categories follow the expense ones
        const QStringList rows = legend(g, side);
        QCOMPARE(rows.size(), 10);
        // Largest first: category n (or 2n) heads the list.
        QCOMPARE(g.lblMain[side * 10]->text(), QStringLiteral("費目%1").arg(base + n));
        QCOMPARE(g.lblMain[side * 10]->property("key").toString(), Fmt::zero2(base + n));
        if (n <= 10)
            continue;
        bar->setValue(bar->maximum());
        // Items offset + 1 .. offset + 10: the smallest ten.
        QCOMPARE(g.lblMain[side * 10]->text(), QStringLiteral("費目%1").arg(base + 10));
        QCOMPARE(g.lblMain[side * 10 + 9]->text(), QStringLiteral("費目%1").arg(base + 1));
        QCOMPARE(g.shpMain[side * 10 + 9]->color(), quint32((base + 1) * 0x010203));
        const qint64 total = side == 0 ? l.model.totalOut : l.model.totalIn;
        QCOMPARE(g.lblPercent[side * 10 + 9]->text(), Graph::shareText((base + 1) * 1000, total));
        QCOMPARE(g.lblPercent[side * 10 + 9]->toolTip(),
                 QStringLiteral("費目%1 %2 円").arg(base + 1).arg(Fmt::hash((base + 1) * 1000)));
    }
    // A month with fewer rows hides the bar again and starts from the top.
    g.vsrOut->setValue(1);
    l.model.slot(5).entries.clear();
    l.add("05/01", "01", 100);
    g.showMonth(5);
    QVERIFY(g.vsrOut->isHidden());
    QCOMPARE(legend(g, 0), QStringList{"費目1 100.00%"});
}

// Rows of both sides line up, whether a side has one row or ten, and the
// pies take the same room.
void TestGraphWindow::legendsStayAligned()
{
    GraphLedger l;
    fill(l, 12, 1);
    frmGraph g(l.model);
    g.Open();
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    for (int r = 0; r < 10; ++r)
        QCOMPARE(g.lblMain[r]->mapTo(&g, QPoint()).y(), g.lblMain[10 + r]->mapTo(&g, QPoint()).y());
    QCOMPARE(g.picGraphOut->size(), g.picGraphIn->size());
    // Nothing of the last row is cut off by the window.
    QVERIFY(g.lblMain[9]->mapTo(&g, QPoint(0, g.lblMain[9]->height())).y() <= g.cmdOK->mapTo(&g, QPoint()).y());
    g.resize(g.minimumSizeHint());
    QTest::qWait(10);
    QVERIFY(g.lblMain[0]->width() >= g.lblMain[0]->sizeHint().width());
    QVERIFY(g.picGraphOut->height() > 50);
}

void TestGraphWindow::overBudgetMarking_data()
{
    QTest::addColumn<qint32>("limit");
    QTest::addColumn<qint32>("amount");
    QTest::addColumn<bool>("red");
    QTest::newRow("below") << 10000 << 9999 << false;
    QTest::newRow("exactly at the budget") << 10000 << 10000 << false;
    QTest::newRow("above") << 10000 << 10001 << true;
    QTest::newRow("no budget") << 0 << 10001 << false;
}

void TestGraphWindow::overBudgetMarking()
{
    QFETCH(qint32, limit);
    QFETCH(qint32, amount);
    QFETCH(bool, red);
    GraphLedger l;
    l.category("01", "食費", 1, 0x0000FF, limit);
    l.category("02", "日用品", 1, 0x00FF00, 1); // always over
    l.category("03", "賞与", 2, 0xFF0000, 1);   // income is marked the same way
    l.add("04/01", "01", amount);
    l.add("04/02", "02", 5);
    l.add("04/03", "03", 5);
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(g.lblMain[0]->text(), QStringLiteral("食費"));
    QCOMPARE(isRed(g.lblMain[0]), red);
    QCOMPARE(g.lblMain[0]->toolTip().endsWith(QStringLiteral(" [予算 %1 円]").arg(limit)), red);
    QVERIFY(!isRed(g.lblPercent[0]));
    QVERIFY(isRed(g.lblMain[1]));
    QVERIFY(isRed(g.lblMain[10]));
    // Rows of a later month start black again.
    l.add("05/01", "02", 0);
    g.showMonth(5);
    QVERIFY(!isRed(g.lblMain[0]));
}

void TestGraphWindow::zeroAndNegativeSums()
{
    GraphLedger l;
    l.category("01", "食費", 1, 0x0000FF);
    l.category("02", "返品", 1, 0x00FF00);
    l.category("03", "雑費", 1, 0xFF0000);
    l.add("04/01", "01", 9000);
    l.add("04/02", "02", -1000);
    l.add("04/03", "03", 500);
    l.add("04/04", "03", -500);
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(g.lblMoneyOut->text(), QStringLiteral("8,000"));
    QCOMPARE(legend(g, 0), (QStringList{"食費 112.50%", "雑費 0.00%", "返品 -12.50%"}));
    QCOMPARE(g.lblPercent[2]->toolTip(), QStringLiteral("返品 -1,000 円"));
    // Only the positive category is drawn: the whole disc.
    QCOMPARE(g.slices(0).size(), size_t(1));
    QVERIFY(g.slices(0).front().full);
}

void TestGraphWindow::monthMenuAndKeys_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("prev");
    QTest::addColumn<QString>("next");
    QTest::addColumn<int>("afterPrev"); // graphMonth after Ctrl+P, Ctrl+Left
    QTest::addColumn<int>("afterNext"); // after Ctrl+N, Ctrl+Right from the start month
    QTest::newRow("January") << 1 << "" << "翌月 [2月分]   Ctrl+N" << 1 << 3;
    QTest::newRow("June") << 6 << "前月 [5月分]   Ctrl+P" << "翌月 [7月分]   Ctrl+N" << 4 << 8;
    QTest::newRow("November") << 11 << "前月 [10月分]   Ctrl+P" << "翌月 [12月分]   Ctrl+N" << 9 << 12;
    QTest::newRow("December") << 12 << "前月 [11月分]   Ctrl+P" << "" << 10 << 12;
}

void TestGraphWindow::monthMenuAndKeys()
{
    QFETCH(int, month);
    QFETCH(QString, prev);
    QFETCH(QString, next);
    QFETCH(int, afterPrev);
    QFETCH(int, afterNext);
    GraphLedger l;
    fill(l, 1, 0);
    l.model.curMonth = month;
    frmGraph g(l.model);
    g.Open();
    g.show();
    QVERIFY(QTest::qWaitForWindowActive(&g));
    emit g.mnuShow->aboutToShow();
    QCOMPARE(g.mnuShowItem[0]->isEnabled(), !prev.isEmpty());
    QCOMPARE(g.mnuShowItem[1]->isEnabled(), !next.isEmpty());
    if (!prev.isEmpty())
        QCOMPARE(g.mnuShowItem[0]->text(), prev);
    if (!next.isEmpty())
        QCOMPARE(g.mnuShowItem[1]->text(), next);

    g.tbsMonth->setFocus(); // the keys work whatever has the focus
    QTest::keyClick(&g, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(g.tbsMonth, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(g.graphMonth, afterPrev);
    QCOMPARE(g.tbsMonth->currentIndex(), afterPrev - 1);
    QCOMPARE(g.windowTitle(), QStringLiteral("%1月度 収支内訳").arg(afterPrev));
    g.showMonth(month);
    QTest::keyClick(&g, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(g.tbsMonth, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(g.graphMonth, afterNext);
    // Other keys do nothing.
    QTest::keyClick(&g, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(g.graphMonth, afterNext);
    // The menu items do what the keys do.
    g.showMonth(month);
    if (g.mnuShowItem[1]->isEnabled()) {
        g.mnuShowItem[1]->trigger();
        QCOMPARE(g.graphMonth, month + 1);
    }
}

void TestGraphWindow::tabsPageMonths()
{
    GraphLedger l;
    fill(l, 2, 1);
    l.add("07/01", "01", 777);
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(g.graphMonth, 4);
    g.tbsMonth->setCurrentIndex(6);
    QCOMPARE(g.graphMonth, 7);
    QCOMPARE(g.windowTitle(), QStringLiteral("7月度 収支内訳"));
    QCOMPARE(g.lblMoneyOut->text(), QStringLiteral("777"));
    QCOMPARE(g.lblMoneyIn->text(), QStringLiteral("No Data..."));
    QCOMPARE(g.mnuShowItem[0]->text(), QStringLiteral("前月 [6月分]   Ctrl+P"));
    // The model's own month is not moved by the graph.
    QCOMPARE(l.model.curMonth, 4);
}

void TestGraphWindow::displayTargets()
{
    GraphLedger l;
    fill(l, 3, 1);
    l.model.graphTargets[0].show = 0; // already hidden before the dialog
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(legend(g, 0).size(), 2);
    whenShown<frmGraphOption>([](frmGraphOption* o) {
        QCOMPARE(o->windowTitle(), QStringLiteral("表示対象費目の指定"));
        QCOMPARE(o->lstMain->count(), 4);
        QCOMPARE(o->lstMain->item(0)->text(), QStringLiteral("費目1"));
        QVERIFY(!o->lstMain->item(0)->isSelected());
        QVERIFY(o->lstMain->item(1)->isSelected());
        // Space toggles the current line, as a keyboard user does it.
        o->lstMain->setFocus();
        o->lstMain->setCurrentRow(2, QItemSelectionModel::NoUpdate);
        QTest::keyClick(o->lstMain, Qt::Key_Space);
        QVERIFY(!o->lstMain->item(2)->isSelected());
        o->lstMain->item(0)->setSelected(true);
        o->cmdOK->click();
    });
    g.mnuEnvItem->trigger();
    QCOMPARE(l.model.graphTargets[0].show, 1);
    QCOMPARE(l.model.graphTargets[2].show, 0);
    QCOMPARE(legend(g, 0), (QStringList{"費目2 66.67%", "費目1 33.33%"}));
    QCOMPARE(g.lblMoneyOut->text(), QStringLiteral("3,000"));
}

void TestGraphWindow::displayTargetsCancelled()
{
    GraphLedger l;
    fill(l, 3, 1);
    frmGraph g(l.model);
    g.Open();
    whenShown<frmGraphOption>([](frmGraphOption* o) {
        o->lstMain->clearSelection();
        QTest::keyClick(o, Qt::Key_Escape);
    });
    g.mnuEnvItem->trigger();
    for (const GraphTargetRow& r : l.model.graphTargets)
        QCOMPARE(r.show, 1);
    QCOMPARE(legend(g, 0).size(), 3);
}

void TestGraphWindow::subGraphFromLegendRow()
{
    GraphLedger l;
    l.category("01", "食費", 1, 0x0000FF);
    l.category("02", "食費の外食", 1, 0x00FF00);
    l.add("04/01", "02", 5000);
    l.add("04/02", "01", 3000);
    frmGraph g(l.model);
    g.Open();
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QCOMPARE(g.lblMain[1]->text(), QStringLiteral("食費"));
    bool seen = false;
    whenShown<frmDGraph>([](frmDGraph* d) {
        // The category of exactly that name, though another begins with it.
        QCOMPARE(d->cmbMain->currentText(), QStringLiteral("食費"));
        QCOMPARE(d->windowTitle(), QStringLiteral("4月度 費目別内訳  -[食費]"));
        QCOMPARE(d->lblMoney->text(), QStringLiteral("3,000"));
        d->cmdOK->click();
    }, &seen);
    QTest::mouseDClick(g.lblMain[1], Qt::LeftButton);
    QVERIFY(seen);
    // The menu item opens row 0.
    whenShown<frmDGraph>([](frmDGraph* d) {
        QCOMPARE(d->cmbMain->currentText(), QStringLiteral("食費の外食"));
        d->close();
    }, &seen);
    g.mnuShowItem[3]->trigger();
    QVERIFY(seen);
}

void TestGraphWindow::closingEmptiesTheSums()
{
    GraphLedger l;
    fill(l, 2, 1);
    frmGraph g(l.model);
    g.Open();
    QVERIFY(!l.model.catSumOut.empty());
    g.cmdOK->click();
    QVERIFY(l.model.catSumOut.empty() && l.model.catSumIn.empty());
}

QTEST_MAIN(TestGraphWindow)
#include "test_graphwindow.moc"
