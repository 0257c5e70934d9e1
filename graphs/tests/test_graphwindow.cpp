// The monthly breakdown graph window: totals and no-data texts, legends and
// their scroll bars, the over-budget marking, month paging by menu and keys,
// the display targets and the hand-over to the sub-item graph.
#include "graphs/GraphSurface.h"
#include "graphs/tests/GraphTestData.h"
#include "graphs/frmDGraph.h"
#include "graphs/frmGraph.h"
#include "graphs/frmGraphOption.h"

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
    void totals_data();
    void totals();
    void legendScrollsBeyondTenRows_data();
    void legendScrollsBeyondTenRows();
    void legendsStayAligned();
    void overBudgetMarking();
    void monthMenuAndKeys_data();
    void monthMenuAndKeys();
    void displayTargets();
    void subGraphFromLegendRow();
};

void TestGraphWindow::totals_data()
{
    QTest::addColumn<QStringList>("entries"); // "mm/dd category amount"; 01-03 expense, 04 給与
    QTest::addColumn<bool>("hidden");          // every category hidden in graphTargets
    QTest::addColumn<QStringList>("totals");   // lblMoneyOut, lblMoneyIn
    QTest::addColumn<QStringList>("legend");   // expense rows
    QTest::addColumn<QList<int>>("slices");    // per side
    QTest::newRow("month without entries") << QStringList{"05/01 01 100"} << false << QStringList{"NO Data...", "NO Data..."}
                                           << QStringList{} << QList<int>{0, 0};
    QTest::newRow("income only") << QStringList{"04/25 04 250000"} << false << QStringList{"No Data...", "250,000"}
                                 << QStringList{} << QList<int>{0, 1};
    QTest::newRow("both sides") << QStringList{"04/01 01 1200", "04/02 03 800", "04/25 04 250000"} << false
                                << QStringList{"2,000", "250,000"} << QStringList{"食費 60.00%", "雑費 40.00%"}
                                << QList<int>{2, 1};
    // Zero and negative sums are listed with their figure but take no slice.
    QTest::newRow("zero and negative sums") << QStringList{"04/01 01 9000", "04/02 02 -1000", "04/03 03 500", "04/04 03 -500"}
                                            << false << QStringList{"8,000", "No Data..."}
                                            << QStringList{"食費 112.50%", "雑費 0.00%", "返品 -12.50%"} << QList<int>{1, 0};
    QTest::newRow("every category hidden") << QStringList{"04/01 01 1200", "04/25 04 250000"} << true
                                           << QStringList{"No Data...", "No Data..."} << QStringList{} << QList<int>{0, 0};
}

void TestGraphWindow::totals()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, hidden);
    QFETCH(QStringList, totals);
    QFETCH(QStringList, legend);
    QFETCH(QList<int>, slices);
    GraphLedger l;
    l.category("01", "食費", 1, 0x0000FF);
    l.category("02", "返品", 1, 0x00FF00);
    l.category("03", "雑費", 1, 0xFF0000);
    l.category("04", "給与", 2, 0x00FFFF);
    for (const QString& e : entries)
        l.add(e.section(' ', 0, 0), e.section(' ', 1, 1), e.section(' ', 2).toInt());
    l.model.SetGraphTargetsShown(std::vector<bool>(l.model.graphTargets().size(), !hidden));
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(g.windowTitle(), QStringLiteral("4月度 収支内訳"));
    QCOMPARE(g.tbsMonth->currentIndex(), 3);
    QCOMPARE((QStringList{g.lblMoneyOut->text(), g.lblMoneyIn->text()}), totals);
    QCOMPARE(::legend(g, 0), legend);
    QCOMPARE((QList<int>{int(g.slices(0).size()), int(g.slices(1).size())}), slices);
    for (QLabel* n : g.Label2)
        QCOMPARE(n->isHidden(), l.model.slot(4).count() == 0); // the note goes with the month's entries
    // The sub-item graph opens on the first row shown, expense or income.
    QCOMPARE(g.mnuShowItem[3]->isEnabled(), !legend.isEmpty() || slices[1] > 0);
    if (g.mnuShowItem[3]->isEnabled()) {
        bool seen = false;
        whenShown<frmDGraph>([&](frmDGraph* d) {
            QCOMPARE(d->cmbMain->currentText(), legend.isEmpty() ? QStringLiteral("給与") : legend[0].section(' ', 0, 0));
            d->close();
        }, &seen);
        g.mnuShowItem[3]->trigger();
        QVERIFY(seen);
    }
    g.cmdOK->click();
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
        const int row = side * 10;
        const int base = side * n; // income categories follow the expense ones
        QCOMPARE(!bar->isHidden(), n > 10);
        QCOMPARE(bar->maximum(), std::max(0, n - 10));
        QCOMPARE(legend(g, side).size(), 10);
        QCOMPARE(g.lblMain[row]->text(), QStringLiteral("費目%1").arg(base + n)); // largest first
        QCOMPARE(g.lblMain[row]->property("key").toString(), Fmt::zero2(base + n));
        // Scrolled to the end: items offset + 1 .. offset + 10, the smallest last.
        bar->setValue(bar->maximum());
        QCOMPARE(g.lblMain[row]->text(), QStringLiteral("費目%1").arg(base + 10));
        QCOMPARE(g.lblMain[row + 9]->text(), QStringLiteral("費目%1").arg(base + 1));
        QCOMPARE(g.shpMain[row + 9]->color(), quint32((base + 1) * 0x010203));
    }
    // A month with fewer rows hides the bar again and starts from the top.
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

// Red exactly when a budget is set and the amount is above it.
void TestGraphWindow::overBudgetMarking()
{
    GraphLedger l;
    l.category("01", "超過", 1, 0, 10000);
    l.category("02", "予算どおり", 1, 0, 10000);
    l.category("03", "予算なし", 1, 0, 0);
    l.category("04", "賞与", 2, 0, 1);
    l.add("04/01", "01", 10001);
    l.add("04/02", "02", 10000);
    l.add("04/03", "03", 9000);
    l.add("04/04", "04", 5);
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(legend(g, 0), (QStringList{"超過 34.49%", "予算どおり 34.48%", "予算なし 31.03%"}));
    QCOMPARE((QList<bool>{isRed(g.lblMain[0]), isRed(g.lblMain[1]), isRed(g.lblMain[2]), isRed(g.lblMain[10])}),
             (QList<bool>{true, false, false, true}));
    QCOMPARE(g.lblMain[0]->toolTip(), QStringLiteral("超過 10,001 円 [予算 10000 円]"));
    QCOMPARE(g.lblMain[1]->toolTip(), QStringLiteral("予算どおり 10,000 円"));
    QCOMPARE(g.lblPercent[0]->toolTip(), QStringLiteral("超過 10,001 円"));
    QVERIFY(!isRed(g.lblPercent[0]));
    // Rows of a later month start black again.
    l.add("05/01", "03", 1);
    g.showMonth(5);
    QVERIFY(!isRed(g.lblMain[0]));
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
    l.model.setCurMonth(month);
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
    g.showMonth(month);
    QTest::keyClick(&g, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(g.tbsMonth, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(g.graphMonth, afterNext);
    // Other keys do nothing.
    QTest::keyClick(&g, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(g.graphMonth, afterNext);
}

void TestGraphWindow::displayTargets()
{
    GraphLedger l;
    fill(l, 3, 1);
    l.model.SetGraphTargetsShown({false, true, true, true}); // already hidden before the dialog
    frmGraph g(l.model);
    g.Open();
    QCOMPARE(legend(g, 0).size(), 2);
    // キャンセル (Esc) changes nothing.
    whenShown<frmGraphOption>([](frmGraphOption* o) {
        o->lstMain->selectAll();
        QTest::keyClick(o, Qt::Key_Escape);
    });
    g.mnuEnvItem->trigger();
    QCOMPARE(l.model.graphTargets()[0].show, 0);
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
    QCOMPARE(l.model.graphTargets()[0].show, 1);
    QCOMPARE(l.model.graphTargets()[2].show, 0);
    QCOMPARE(legend(g, 0), (QStringList{"費目2 66.67%", "費目1 33.33%"}));
    QCOMPARE(g.lblMoneyOut->text(), QStringLiteral("3,000"));
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
}

QTEST_MAIN(TestGraphWindow)
#include "test_graphwindow.moc"
