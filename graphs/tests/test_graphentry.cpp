// The graphs as the user reaches them from the main window: result menu
// items 0 and 1, toolbar buttons 17 and 18; the figures agree with the month
// list and the category summary, whose categories follow the display targets.
#include "app/tests/AppFixture.h"
#include "graphs/tests/GraphTestData.h"
#include "graphs/frmGraph.h"
#include "graphs/frmGraphOption.h"
#include "graphs/frmYGraph.h"

#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace {
// March: 食費 1,200 and 800 (budget 10,000), 日用品 3,000, 給与 200,000.
const QStringList kMarch{"03/0201011200", "03/050200003000", "03/100102000800", "03/200300200000"};

// Category summary rows as "name amount".
QStringList summary(const AppFixture& f)
{
    QStringList rows;
    const MonthListModel* list = f.views()->summaryRows;
    for (int r = 0; r < list->count(); ++r)
        if (!list->cell(r, MonthListModel::Category).isEmpty())
            rows << list->cell(r, 1) + QLatin1Char(' ') + list->cell(r, 2);
    return rows;
}
}

class TestGraphEntry : public QObject {
    Q_OBJECT
private slots:
    void resultMenuAndToolbar();
    void monthGraphAgreesWithTheMonth();
    void displayTargetsFilterTheCategorySummary();
};

void TestGraphEntry::resultMenuAndToolbar()
{
    AppFixture f;
    f.home.writeText("2026.zbl", AppFixture::yearText("&0", kMarch + QStringList{"01/050100034567"}));
    QVERIFY(f.start());
    // Item 0 names the month shown (the order of the menus and buttons: test_menus).
    emit f.window()->mnuResult->aboutToShow();
    QCOMPARE(f.window()->mnuResultItem[0]->text(), QStringLiteral("3月度支出内訳(&M)"));

    // Button 18: the trend of the loaded year, its totals rebuilt at opening.
    bool seen = false;
    whenShown<frmYGraph>([](frmYGraph* y) {
        QCOMPARE(y->cmbMain->count(), 5);
        QCOMPARE(y->series().values[0], std::optional<qint64>(34567));
        QCOMPARE(y->series().values[2], std::optional<qint64>(5000));
        y->cmbMain->setCurrentIndex(2); // 食費: budget 10,000
        QCOMPARE(y->lblLimitm->text(), QStringLiteral("10,000"));
        QCOMPARE(y->lblTmoney->text(), QStringLiteral("36,567"));
        y->cmdOK->click();
    }, &seen);
    f.window()->tbrGraphYear->trigger();
    QVERIFY(seen);
}

void TestGraphEntry::monthGraphAgreesWithTheMonth()
{
    AppFixture f;
    f.home.writeText("2026.zbl", AppFixture::yearText("&0", kMarch + QStringList{"04/010100000500"}));
    QVERIFY(f.start()); // March shown
    f.window()->tbrCategorySummary->trigger();
    const QStringList categories = summary(f);
    QCOMPARE(categories, (QStringList{"[支出費目] 5,000", "日用品 3,000", "食費 2,000", "[収入費目] 200,000", "給与 200,000"}));
    bool seen = false;
    whenShown<frmGraph>([&](frmGraph* g) {
        QCOMPARE(g->graphMonth, 3);
        // The totals of the status bar and of the summary.
        QCOMPARE("支出 : " + g->lblMoneyOut->text(), f.panel(3));
        QCOMPARE("収入 : " + g->lblMoneyIn->text(), f.panel(4));
        QStringList rows{"[支出費目] " + g->lblMoneyOut->text()};
        for (int r : {0, 1})
            rows << g->lblMain[r]->text() + g->lblMain[r]->toolTip().section(' ', 1, 1).prepend(' ');
        rows << "[収入費目] " + g->lblMoneyIn->text() << g->lblMain[10]->text() + " " + g->lblMain[10]->toolTip().section(' ', 1, 1);
        QCOMPARE(rows, categories);
        QVERIFY(g->lblMain[2]->isHidden());
        g->cmdOK->click();
    }, &seen);
    f.window()->tbrGraphMonth->trigger();
    QVERIFY(seen);
}

void TestGraphEntry::displayTargetsFilterTheCategorySummary()
{
    AppFixture f;
    f.home.writeText("2026.zbl", AppFixture::yearText("&0", kMarch));
    QVERIFY(f.start());
    f.window()->tbrCategorySummary->trigger();
    const auto hideFood = [](frmGraph* g) {
        whenShown<frmGraphOption>([](frmGraphOption* o) {
            QCOMPARE(o->lstMain->item(0)->text(), QStringLiteral("食費"));
            o->lstMain->item(0)->setSelected(false);
            o->cmdOK->click();
        });
        g->mnuEnvItem->trigger();
        QCOMPARE(g->lblMoneyOut->text(), QStringLiteral("3,000"));
        g->cmdOK->click();
    };
    whenShown<frmGraph>(hideFood);
    f.window()->mnuResultItem[0]->trigger();
    // The summary in front follows at once, and the month list keeps every entry.
    QCOMPARE(summary(f), (QStringList{"[支出費目] 3,000", "日用品 3,000", "[収入費目] 200,000", "給与 200,000"}));
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 5,000"));

    // The choice lasts: the next opening and another month still leave food out.
    bool seen = false;
    whenShown<frmGraph>([](frmGraph* g) {
        QCOMPARE(g->lblMoneyOut->text(), QStringLiteral("3,000"));
        g->close();
    }, &seen);
    f.window()->mnuResultItem[0]->trigger();
    QVERIFY(seen);
    f.views()->selectMonth(3);
    QCOMPARE(summary(f).size(), 4);

    // Until the master is read again.
    QVERIFY(f.model().ReadCategoryMaster(1));
    f.views()->ShowCompress();
    QCOMPARE(summary(f).size(), 5);
}

QTEST_MAIN(TestGraphEntry)
#include "test_graphentry.moc"
