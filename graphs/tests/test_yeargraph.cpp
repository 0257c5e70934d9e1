// The yearly trend graph window and keeping a graph as a picture.
#include "graphs/GraphKeeper.h"
#include "graphs/GraphPainter.h"
#include "graphs/GraphSurface.h"
#include "graphs/tests/GraphTestData.h"
#include "graphs/frmYGraph.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

namespace {
// 食費 (budget 20,000) in January and March, 給与 in March, 日用品 with no
// amount; nothing in the other months.
void year(GraphLedger& l)
{
    l.category("01", "食費", 1, 0x0000FF, 20000);
    l.category("02", "日用品", 1, 0x00FF00, 5000);
    l.category("03", "給与", 2, 0xFF0000);
    l.add("01/10", "01", 12000);
    l.add("03/05", "01", 34567);
    l.add("03/06", "02", 0);
    l.add("03/25", "03", 250000);
}

QStringList visible(const QList<QLabel*>& labels)
{
    QStringList out;
    for (QLabel* l : labels)
        out << (l->isHidden() ? QStringLiteral("-") : l->text());
    return out;
}
}

class TestYearGraph : public QObject {
    Q_OBJECT
private slots:
    void series_data();
    void series();
    void monthCaptionsUnderTheirBars();
    void keepPicture();
};

void TestYearGraph::series_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("axis");   // lblHigh, lblLow
    QTest::addColumn<QStringList>("budget"); // lblLimit, lblLimitm, lblYen ("-" hidden)
    QTest::addColumn<QStringList>("total");  // lblTotal, lblTmoney, lblYen2
    QTest::newRow("monthly expense") << 0 << QStringList{"40,000", "20,000"} << QStringList{"-", "-", "-"}
                                     << QStringList{"年間合計 :", "46,567", "円"};
    QTest::newRow("monthly income") << 1 << QStringList{"300,000", "150,000"} << QStringList{"-", "-", "-"}
                                    << QStringList{"年間合計 :", "250,000", "円"};
    QTest::newRow("category with a budget") << 2 << QStringList{"40,000", "20,000"}
                                            << QStringList{"(1月あたりの予算 :", "20,000", "円)"}
                                            << QStringList{"年間合計 :", "46,567", "円"};
    // The budget caption stays; the budget line is not drawn without an axis.
    QTest::newRow("category of no amount") << 3 << QStringList{"", ""} << QStringList{"(1月あたりの予算 :", "5,000", "円)"}
                                           << QStringList{"-", "-", "-"};
    QTest::newRow("category without entries") << 5 << QStringList{"", ""} << QStringList{"(1月あたりの予算 :", "100", "円)"}
                                              << QStringList{"-", "-", "-"};
    QTest::newRow("category without a budget") << 4 << QStringList{"300,000", "150,000"} << QStringList{"-", "-", "-"}
                                               << QStringList{"年間合計 :", "250,000", "円"};
}

void TestYearGraph::series()
{
    QFETCH(int, line);
    QFETCH(QStringList, axis);
    QFETCH(QStringList, budget);
    QFETCH(QStringList, total);
    GraphLedger l;
    year(l);
    l.category("04", "雑費", 1, 0, 100);
    frmYGraph y(l.model);
    y.Open();
    QCOMPARE(y.windowTitle(), QStringLiteral("[費目別] 年間収支推移状況"));
    QCOMPARE(y.cmbMain->count(), 6);
    QCOMPARE((QStringList{y.cmbMain->itemText(0), y.cmbMain->itemText(1), y.cmbMain->itemText(4)}),
             (QStringList{"月単位支出", "月単位収入", "給与"}));
    QCOMPARE(y.cmbMain->currentIndex(), 0);
    y.cmbMain->setCurrentIndex(line);
    QCOMPARE(visible({y.lblHigh, y.lblLow}), axis);
    QCOMPARE(visible({y.lblLimit, y.lblLimitm, y.lblYen}), budget);
    QCOMPARE(visible({y.lblTotal, y.lblTmoney, y.lblYen2}), total);
}

void TestYearGraph::monthCaptionsUnderTheirBars()
{
    GraphLedger l;
    year(l);
    frmYGraph y(l.model);
    y.Open();
    y.show();
    QVERIFY(QTest::qWaitForWindowExposed(&y));
    for (QSize size : {QSize(1200, 700), QSize(560, 360)}) {
        y.resize(size);
        QTest::qWait(10);
        const GraphPaint::BarGeometry g = GraphPaint::barGeometry(QRectF(y.picYGraph->rect()));
        for (int m = 1; m <= 12; ++m) {
            const int barCentre = y.picYGraph->mapTo(&y, QPoint(int(g.centre(m)), 0)).x();
            QVERIFY(std::abs(y.lblMonth[m - 1]->mapTo(&y, y.lblMonth[m - 1]->rect().center()).x() - barCentre) <= 1);
            QVERIFY(y.lblMonth[m - 1]->mapTo(&y, QPoint()).y() >= y.picYGraph->mapTo(&y, QPoint(0, y.picYGraph->height())).y());
        }
        // The axis captions stand at the top and the middle of the plot.
        QVERIFY(std::abs(y.lblHigh->mapTo(&y, y.lblHigh->rect().center()).y() - y.picYGraph->mapTo(&y, QPoint()).y()) <= 1);
        QVERIFY(y.lblHigh->width() >= y.lblHigh->sizeHint().width());
    }
}

// Saving (Ctrl+S or the context menu) and copying (Ctrl+C) the graph.
void TestYearGraph::keepPicture()
{
    GraphLedger l;
    year(l);
    l.home.writeBytes("old.PNG", "not a picture");
    frmYGraph y(l.model);
    y.Open();
    y.show();
    QVERIFY(QTest::qWaitForWindowExposed(&y));
    const QWidget* area = y.findChild<QWidget*>("graphArea");
    for (const QString& answer : {QStringLiteral("graph"), QStringLiteral("old.PNG")}) {
        l.prompter.files.enqueue(l.home.path(answer));
        QTest::keyClick(y.cmbMain, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(l.prompter.shown.last().kind, FakePrompter::Shown::SaveFile);
        QVERIFY(l.prompter.shown.last().text.endsWith(QStringLiteral("2026年 年間推移 月単位支出.png")));
        // A PNG of the graph as shown, under a caption naming it; a missing suffix is added.
        const QImage saved(l.home.path(answer.contains('.') ? answer : answer + ".png"));
        QCOMPARE(saved.width(), area->width());
        QVERIFY(saved.height() > area->height());
        bool plot = false;
        for (int x = 0; x < saved.width() && !plot; ++x)
            plot = saved.pixelColor(x, saved.height() / 2) == GraphPaint::plotBackground();
        QVERIFY(plot);
    }
    QCOMPARE(l.prompter.messages(), QStringList{});
    // Cancel writes nothing; a folder that does not exist is reported, nothing left behind.
    l.prompter.files.enqueue(QString());
    QVERIFY(!y.keeper->save());
    const QString path = l.home.path("missing/graph.png");
    l.prompter.files.enqueue(path);
    y.keeper->actSave->trigger();
    QCOMPARE(l.prompter.messages().size(), 1);
    QVERIFY(l.prompter.messages()[0].startsWith("画像を保存できませんでした。\r\n\r\n  [" + QDir::toNativeSeparators(path) + "]"));
    QCOMPARE(l.prompter.shown.last().icon, Prompter::Icon::Warning);
    QVERIFY(!QFile::exists(path));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(y.cmbMain, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->image().size(), y.keeper->picture().size());
}

QTEST_MAIN(TestYearGraph)
#include "test_yeargraph.moc"
