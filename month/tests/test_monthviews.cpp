// The month views as the user sees them: the entry list, both summaries,
// the status bar, the carry-over commands and the result menu.
#include "ledger/Clock.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "month/MonthViews.h"
#include "ledger/tests/TestHome.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const char* kMaster = "C\n*\n\n"
                      "0100食費:1:255:10000\n0101外食\n0102食料品\n"
                      "0200日用品:1:0:0\n"
                      "0300給与:2:0:200000\n"
                      "0400雑費:1:0:0\n";

QString yearText(const QString& carryLine, const QStringList& entries)
{
    return QStringLiteral("C\n* test\n*\n\n") + carryLine + QLatin1Char('\n') + entries.join(QLatin1Char('\n'))
        + (entries.isEmpty() ? QString() : QStringLiteral("\n")) + QStringLiteral("$0\n");
}

QString rowText(const MonthListModel* list, int row)
{
    QStringList cells;
    for (int c = 0; c < 6; ++c)
        cells << list->cell(row, c);
    return cells.join(QLatin1Char('|'));
}

QStringList allRows(const MonthListModel* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << rowText(list, i);
    return rows;
}

// A ledger for 2026 with the test master, shown in a window.
struct Ledger {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};
    QWidget window;
    MonthViews* views = nullptr;

    explicit Ledger(const QString& year, const QString& previousYear = {})
    {
        home.writeText(QStringLiteral("MainSub.zbt"), QString::fromUtf8(kMaster));
        home.writeText(QStringLiteral("2026.zbl"), year);
        if (!previousYear.isEmpty())
            home.writeText(QStringLiteral("2025.zbl"), previousYear);
        model.setYear(2026);
        model.setCurMonth(1);
        if (!model.ReadCategoryMaster(1) || !model.LoadYearFile())
            qFatal("test ledger not loaded");
        views = new MonthViews(model, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(views->centre);
        layout->addWidget(views->sbrStatus);
        window.resize(900, 600);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not shown");
    }

    void clickTab(int month)
    {
        QTest::mouseClick(views->tabMonth, Qt::LeftButton, {}, views->tabMonth->tabRect(month - 1).center());
    }
    QString panel(int n) const { return views->statusPanel[n - 1]->text(); }
    QStringList panels() const { return {panel(1), panel(2), panel(3), panel(4), panel(5)}; }
    void pressRow(int row)
    {
        QTreeView* list = views->lvwMonth;
        const QPoint at = list->visualRect(views->monthRows->index(row, 4)).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }
};
}

class TestMonthViews : public QObject {
    Q_OBJECT
private slots:
    void entryList_data();
    void entryList();
    void deletedCategoryLeavesOtherRowsOnTheirEntries();
    void cellsAreDrawnAtTheListFontSize();
    void totalsRecordFollowsTheList();
    void sumsDoNotWrap();
    void rowsFromNumbers_data();
    void rowsFromNumbers();
    void daySummary_data();
    void daySummary();
    void categorySummary_data();
    void categorySummary();
    void categorySummaryOfHiddenCategories();
    void togglesSwitchTheFrontList();
    void tabClickSelectsMonth();
    void tabSelectionMarkedNotClickIsIgnored();
    void carryOverInput_data();
    void carryOverInput();
    void carryOverInputOnlyInJanuaryManual_data();
    void carryOverInputOnlyInJanuaryManual();
    void switchCarryOverMode_data();
    void switchCarryOverMode();
    void switchCarryOverModeOnlyInJanuary();
    void switchCarryOverModeUpdatesDaySummary_data();
    void switchCarryOverModeUpdatesDaySummary();
    void prevCarryOver_data();
    void prevCarryOver();
    void dateAndTimePanels();
};

void TestMonthViews::entryList_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("panels");

    QTest::newRow("january, carry-over 0, no entries")
        << yearText("&0", {}) << 1 << QStringList{"|前年度繰越残高||||"}
        << QStringList{"1 月度 収支状況   ", "繰越高 : 0 (M)", "支出 : 0", "収入 : 0", "残高 : 0"};
    QTest::newRow("january, automatic carry-over without previous year")
        << yearText("#0", {"01/050100001200"}) << 1
        << QStringList{"|前年度繰越残高||||", "01/05|食費||1,200||-1,200"}
        << QStringList{"1 月度 収支状況   ", "繰越高 : 0 (A)", "支出 : 1,200", "収入 : 0", "残高 : -1,200"};
    QTest::newRow("days: three on the 3rd, one on the 7th")
        << yearText("&10000", {"04/03010100500", "04/03020000300", "04/03030000250000", "04/070400001000"}) << 4
        << QStringList{"|前月繰越残高|||10,000|10,000", "04/03|食費|外食|500||9,500", "|日用品||300||9,200",
                       "|給与|||250,000|259,200", "04/07|雑費||1,000||258,200"}
        << QStringList{"4 月度 収支状況   ", "繰越高 : 10,000", "支出 : 1,800", "収入 : 250,000", "残高 : 258,200"};
    QTest::newRow("negative balance brought forward")
        << yearText("&-5000", {"03/010100000100"}) << 3
        << QStringList{"|前月繰越残高||5,000||-5,000", "03/01|食費||100||-5,100"}
        << QStringList{"3 月度 収支状況   ", "繰越高 : -5,000", "支出 : 100", "収入 : 0", "残高 : -5,100"};
    QTest::newRow("earlier months add their net")
        << yearText("&1000", {"01/100300003000", "02/280100000500", "03/020100000100"}) << 3
        << QStringList{"|前月繰越残高|||3,500|3,500", "03/02|食費||100||3,400"}
        << QStringList{"3 月度 収支状況   ", "繰越高 : 3,500", "支出 : 100", "収入 : 0", "残高 : 3,400"};
}

void TestMonthViews::entryList()
{
    QFETCH(QString, year);
    QFETCH(int, month);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, panels);
    Ledger l(year);
    if (month == 1)
        l.views->selectMonth(1);
    else
        l.clickTab(month);
    QCOMPARE(l.model.curMonth(), month);
    QCOMPARE(allRows(l.views->monthRows), rows);
    QCOMPARE(l.panels(), panels);
    QCOMPARE(l.views->listStack->currentWidget(), l.views->lvwMonth);
    QVERIFY(l.prompter.shown.isEmpty());
}

// The cells' laid-out text is kept between paints; a new font size must
// draw every cell anew at that size, not from what was kept.
void TestMonthViews::cellsAreDrawnAtTheListFontSize()
{
    Ledger l(yearText("&0", {"01/050100001280"}));
    l.views->selectMonth(1);
    QTreeView* list = l.views->lvwMonth;
    list->selectionModel()->clear();
    const QModelIndex amount = l.views->monthRows->index(1, MonthListModel::Out);
    for (const int points : {11, 18, 8}) {
        l.views->setListFontSize(points, false);
        const QImage shown = list->viewport()->grab().toImage();
        const QRect cell = list->visualRect(amount);
        int left = cell.right(), right = cell.left(), top = cell.bottom(), bottom = cell.top();
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (qGray(shown.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        const QRect ink = QFontMetrics(list->font()).tightBoundingRect(QStringLiteral("1,280"));
        QVERIFY2(std::abs((right - left + 1) - ink.width()) <= 2, qPrintable(QString::number(points)));
        QVERIFY2(std::abs((bottom - top + 1) - ink.height()) <= 2, qPrintable(QString::number(points)));
        QVERIFY2(right >= cell.right() - 8, "amounts stay right-aligned");
    }
}

void TestMonthViews::deletedCategoryLeavesOtherRowsOnTheirEntries()
{
    Ledger l(yearText("&0", {"05/020400000700", "05/020100000100", "05/090200000200"}));
    // The category editor removed 雑費 after the year was loaded.
    l.model.RemoveCategory(QStringLiteral("04"));
    l.clickTab(5);

    QCOMPARE(l.prompter.messages(), QStringList{"費目番号[04]に該当する費目はすでに削除されています。"});
    QCOMPARE(allRows(l.views->monthRows),
             (QStringList{"|前月繰越残高||||", "05/02|食費||100||-100", "05/09|日用品||200||-300"}));
    const auto& entries = l.model.slot(5).entries;
    QCOMPARE(l.views->monthRows->row(1).entryId, entries[1].id);
    QCOMPARE(l.views->monthRows->row(2).entryId, entries[2].id);
    QCOMPARE(l.views->monthRows->findEntry(entries[0].id), -1);
}

void TestMonthViews::totalsRecordFollowsTheList()
{
    Ledger l(yearText("&0", {"06/010100000100", "06/020300002000"}));
    // Stale totals of a month without entries stay untouched and count nothing.
    LedgerInternals::slot(l.model, 7).totalOut = 999;
    LedgerInternals::slot(l.model, 7).totalIn = 5;
    l.clickTab(6);
    QCOMPARE(l.model.slot(6).totalOut, 100);
    QCOMPARE(l.model.slot(6).totalIn, 2000);
    l.clickTab(7);
    QCOMPARE(l.model.slot(7).totalOut, 999);
    QCOMPARE(l.model.slot(7).totalIn, 5);
    l.clickTab(8);
    QCOMPARE(rowText(l.views->monthRows, 0), QStringLiteral("|前月繰越残高|||1,900|1,900"));
}

void TestMonthViews::sumsDoNotWrap()
{
    Ledger l(yearText("&0", {"02/01030000" "2000000000", "02/02030000" "2000000000"}));
    l.clickTab(2);
    QCOMPARE(rowText(l.views->monthRows, 2), QStringLiteral("02/02|給与|||2,000,000,000|4,000,000,000"));
    QCOMPARE(l.panel(4), QStringLiteral("収入 : 4,000,000,000"));
    QCOMPARE(l.model.slot(2).totalIn, Q_INT64_C(4000000000));
    l.clickTab(3);
    QCOMPARE(l.panel(2), QStringLiteral("繰越高 : 4,000,000,000"));
}

// The rows hold numbers and format them when shown: the edges of the 32-bit
// amounts, zero, and balances that pass over a row left out for its deleted
// category, in both lists and in the next month's balance brought forward.
void TestMonthViews::rowsFromNumbers_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("days");
    QTest::addColumn<QString>("nextCarry");

    QTest::newRow("32-bit edges")
        << yearText("&-2147483648", {"01/01010000" "2147483647", "01/01030000" "2147483647", "01/02020000" "1"})
        << QStringList{"|前年度繰越残高||2,147,483,648||-2,147,483,648", "01/01|食費||2,147,483,647||-4,294,967,295",
                       "|給与|||2,147,483,647|-2,147,483,648", "01/02|日用品||1||-2,147,483,649"}
        << QStringList{"|前年度繰越残高||2,147,483,648||-2,147,483,648", "01/01|||2,147,483,647|2,147,483,647|-2,147,483,648",
                       "01/02|||1||-2,147,483,649"}
        << "|前月繰越残高||2,147,483,649||-2,147,483,649";
    QTest::newRow("zero amounts and balances show empty")
        << yearText("&0", {"01/030100000", "01/04030000500", "01/05010000500"})
        << QStringList{"|前年度繰越残高||||", "01/03|食費||||", "01/04|給与|||500|500", "01/05|食費||500||"}
        << QStringList{"|前年度繰越残高||||", "01/03|||||", "01/04||||500|500", "01/05|||500||"}
        << "|前月繰越残高||||";
    QTest::newRow("over a deleted category")
        << yearText("&1000", {"01/070100000100", "01/070400000700", "01/070200000200", "01/080400000900"})
        << QStringList{"|前年度繰越残高|||1,000|1,000", "01/07|食費||100||900", "|日用品||200||700"}
        << QStringList{"|前年度繰越残高|||1,000|1,000", "01/07|||300||700"}
        << "|前月繰越残高|||700|700";
    QTest::newRow("deleted category opens its day")
        << yearText("&0", {"01/090400000700", "01/090100000100"})
        << QStringList{"|前年度繰越残高||||", "01/09|食費||100||-100"}
        << QStringList{"|前年度繰越残高||||", "01/09|||100||-100"}
        << "|前月繰越残高||100||-100";
}

void TestMonthViews::rowsFromNumbers()
{
    QFETCH(QString, year);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, days);
    QFETCH(QString, nextCarry);
    Ledger l(year);
    // 雑費 (04) was removed by the category editor after the year was loaded.
    l.model.RemoveCategory(QStringLiteral("04"));
    l.model.AlignYearToMaster({4});
    l.views->selectMonth(1);
    QCOMPARE(allRows(l.views->monthRows), rows);
    l.views->toggleSummary(1, true);
    QCOMPARE(allRows(l.views->summaryRows), days);
    l.views->toggleSummary(1, false);
    l.clickTab(2);
    QCOMPARE(rowText(l.views->monthRows, 0), nextCarry);
}

void TestMonthViews::daySummary_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("only the carry-over row") << yearText("&-300", {}) << QStringList{"|前月繰越残高||300||-300"};
    QTest::newRow("two days") << yearText("&10000", {"04/03010100500", "04/03020000300", "04/03030000250000",
                                                     "04/070400001000"})
                              << QStringList{"|前月繰越残高|||10,000|10,000", "04/03|||800|250,000|259,200",
                                             "04/07|||1,000||258,200"};
    QTest::newRow("one entry") << yearText("&0", {"04/300100000100"})
                               << QStringList{"|前月繰越残高||||", "04/30|||100||-100"};
}

void TestMonthViews::daySummary()
{
    QFETCH(QString, year);
    QFETCH(QStringList, rows);
    Ledger l(year);
    l.clickTab(4);
    l.views->toggleSummary(1, true);
    QCOMPARE(l.views->summaryMode(), 1);
    QCOMPARE(l.views->listStack->currentWidget(), l.views->lvwMonthC);
    QCOMPARE(l.views->summaryRows->headings(),
             (QStringList{"日付", " ", " ", "出金", "入金", "残高"}));
    QCOMPARE(allRows(l.views->summaryRows), rows);
    // The entry list stays intact behind it.
    QCOMPARE(rowText(l.views->monthRows, 0), rows.first());
}

void TestMonthViews::categorySummary_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("rows");

    const QString out = QStringLiteral("|[支出費目]|%1|||");
    const QString in = QStringLiteral("|[収入費目]|%1|||");
    QTest::newRow("no entries") << QStringList{} << QStringList{};
    QTest::newRow("overspent budget")
        << QStringList{"04/010100002500", "04/020100010000", "04/030200000800"}
        << QStringList{out.arg("13,300"), "|||||", "|食費|12,500|10,000|▲2,500|▲25.00 %", "|日用品|800|||", "|||||",
                       in.arg(""), "|||||"};
    QTest::newRow("budget met exactly, income above budget")
        << QStringList{"04/010100010000", "04/250300250000"}
        << QStringList{out.arg("10,000"), "|||||", "|食費|10,000|10,000||0.00 %", "|||||", in.arg("250,000"), "|||||",
                       "|給与|250,000|200,000|▲50,000|▲25.00 %"};
    QTest::newRow("within budget, descending amounts")
        << QStringList{"04/010400000100", "04/020100007500", "04/050300150000"}
        << QStringList{out.arg("7,600"), "|||||", "|食費|7,500|10,000|2,500|25.00 %", "|雑費|100|||", "|||||",
                       in.arg("150,000"), "|||||", "|給与|150,000|200,000|50,000|25.00 %"};
}

void TestMonthViews::categorySummary()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, rows);
    Ledger l(yearText("&0", entries));
    l.clickTab(4);
    l.views->toggleSummary(2, true);
    QCOMPARE(l.views->summaryMode(), 2);
    QCOMPARE(l.views->summaryRows->headings(),
             (QStringList{" ", "費目", "金額", "予算", "予算達成状況", "余裕度 (%)"}));
    QCOMPARE(allRows(l.views->summaryRows), rows);
}

void TestMonthViews::categorySummaryOfHiddenCategories()
{
    Ledger l(yearText("&0", {"04/010100002500", "04/250300250000"}));
    l.model.SetGraphTargetsShown(std::vector<bool>(l.model.graphTargets().size(), false));
    l.clickTab(4);
    l.views->toggleSummary(2, true);
    QCOMPARE(allRows(l.views->summaryRows),
             (QStringList{"|[支出費目]||||", "|||||", "|||||", "|[収入費目]||||", "|||||"}));
    // The month's own totals are not replaced by the shown categories' sums.
    QCOMPARE(l.model.slot(4).totalOut, 2500);
    l.clickTab(5);
    QCOMPARE(rowText(l.views->monthRows, 0), QStringLiteral("|前月繰越残高|||247,500|247,500"));
}

void TestMonthViews::togglesSwitchTheFrontList()
{
    Ledger l(yearText("&0", {"04/010100002500"}));
    l.clickTab(4);
    QSignalSpy announced(l.views, &MonthViews::summaryModeChanged);

    l.views->toggleSummary(1, true);
    l.views->toggleSummary(2, true);
    QCOMPARE(l.views->summaryMode(), 2);
    QCOMPARE(l.views->listStack->currentWidget(), l.views->lvwMonthC);
    // Off brings the entry list back.
    l.views->toggleSummary(2, false);
    QCOMPARE(l.views->summaryMode(), 0);
    QCOMPARE(l.views->listStack->currentWidget(), l.views->lvwMonth);
    QCOMPARE(announced.size(), 3);
    QCOMPARE(announced.last().first().toInt(), 0);

    // A month change keeps the summary in front and rebuilds it.
    l.views->toggleSummary(1, true);
    l.clickTab(5);
    QCOMPARE(l.views->listStack->currentWidget(), l.views->lvwMonthC);
    QCOMPARE(allRows(l.views->summaryRows), QStringList{"|前月繰越残高||2,500||-2,500"});
}

void TestMonthViews::tabClickSelectsMonth()
{
    Ledger l(yearText("&0", {"11/300100000100"}));
    QSignalSpy clicked(l.views, &MonthViews::monthTabClicked);
    l.views->loaded = true;
    l.clickTab(11);
    QCOMPARE(l.model.curMonth(), 11);
    QCOMPARE(l.views->monthRows->count(), 2);
    QCOMPARE(l.panel(1), QStringLiteral("11 月度 収支状況   "));
    // Whether the calendar follows is the main window's option.
    l.clickTab(10);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.last().first().toInt(), 10);
}

void TestMonthViews::tabSelectionMarkedNotClickIsIgnored()
{
    Ledger l(yearText("&0", {"03/020100000100"}));
    l.views->tabTag = QStringLiteral("NOT CLICK");
    l.views->tabMonth->setCurrentIndex(2);
    QCOMPARE(l.views->monthRows->count(), 0);
    QVERIFY(l.views->tabTag.isEmpty());
    l.clickTab(2);
    l.clickTab(3);
    QCOMPARE(l.views->monthRows->count(), 2);
}

void TestMonthViews::carryOverInput_data()
{
    QTest::addColumn<QStringList>("answers"); // of the input box, asked again after a message
    QTest::addColumn<QString>("row1");
    QTest::addColumn<QString>("panel2");
    QTest::addColumn<qint32>("carryOver");
    QTest::addColumn<QStringList>("messages");

    const QString unchanged = QStringLiteral("|前年度繰越残高|||1,000|1,000");
    const QString tooLarge =
        QStringLiteral("入力された金額が大きすぎます。\r\n\r\n-2,147,483,648 から 2,147,483,647 までの金額を入力して下さい。");
    auto notAmount = [](const QString& typed) {
        return QStringLiteral("入力された繰越高 [%1] は金額として読み取れません。\r\n\r\n"
                              "数字で入力して下さい。(例: 120000、12万、1.5万、-5000)")
            .arg(typed);
    };
    QTest::newRow("deficit") << QStringList{"-12000"} << "|前年度繰越残高||12,000||-12,000" << "繰越高 : -12,000 (M)"
                             << -12000 << QStringList{};
    QTest::newRow("surplus with separators") << QStringList{"25,000"} << "|前年度繰越残高|||25,000|25,000"
                                             << "繰越高 : 25,000 (M)" << 25000 << QStringList{};
    QTest::newRow("zero") << QStringList{"0"} << "|前年度繰越残高||||" << "繰越高 : 0 (M)" << 0 << QStringList{};
    QTest::newRow("12万") << QStringList{"12万"} << "|前年度繰越残高|||120,000|120,000" << "繰越高 : 120,000 (M)"
                          << 120000 << QStringList{};
    QTest::newRow("-1.5万") << QStringList{"-1.5万"} << "|前年度繰越残高||15,000||-15,000" << "繰越高 : -15,000 (M)"
                            << -15000 << QStringList{};
    QTest::newRow("not a number, then cancelled")
        << QStringList{"abc", ""} << unchanged << "繰越高 : 1,000 (M)" << 1000 << QStringList{notAmount("abc")};
    QTest::newRow("not a number, then corrected") << QStringList{"12万円", "12万"} << "|前年度繰越残高|||120,000|120,000"
                                                  << "繰越高 : 120,000 (M)" << 120000 << QStringList{notAmount("12万円")};
    QTest::newRow("cancelled") << QStringList{""} << unchanged << "繰越高 : 1,000 (M)" << 1000 << QStringList{};
    QTest::newRow("beyond 32 bits, then cancelled")
        << QStringList{"-3000000000", ""} << unchanged << "繰越高 : 1,000 (M)" << 1000 << QStringList{tooLarge};
}

void TestMonthViews::carryOverInput()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, row1);
    QFETCH(QString, panel2);
    QFETCH(qint32, carryOver);
    QFETCH(QStringList, messages);

    Ledger l(yearText("&1000", {"01/050100000100"}));
    l.views->selectMonth(1);
    for (const QString& a : answers)
        l.prompter.inputs.enqueue(a);
    l.pressRow(0);

    QCOMPARE(l.prompter.shown.size(), answers.size() + messages.size());
    QCOMPARE(l.prompter.unexpected, 0);
    const FakePrompter::Shown& box = l.prompter.shown.first();
    QCOMPARE(box.kind, FakePrompter::Shown::Input);
    QCOMPARE(box.text, QStringLiteral("前年度の繰越残高を入力して下さい。\r\n\r\n(赤字の場合は、先頭に\"-(マイナス)\"をつけて下さい。)"));
    QCOMPARE(box.title, QStringLiteral("前年度繰越残高の設定"));
    QCOMPARE(box.defaultText, QStringLiteral("1000"));
    // Asked again with the refused answer, to be corrected.
    if (answers.size() > 1)
        QCOMPARE(l.prompter.shown.at(2).defaultText, answers.first());
    QCOMPARE(l.prompter.messages(), messages);
    QCOMPARE(l.views->selectedRow(), 0);
    QCOMPARE(rowText(l.views->monthRows, 0), row1);
    QCOMPARE(l.panel(2), panel2);
    QCOMPARE(l.model.carryOver(), carryOver);
    QCOMPARE(l.views->monthRows->cell(1, MonthListModel::Balance), Fmt::hash(qint64(carryOver) - 100));
}

void TestMonthViews::carryOverInputOnlyInJanuaryManual_data()
{
    QTest::addColumn<QString>("carryLine");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("row");

    QTest::newRow("automatic carry-over") << "#0" << 1 << 0;
    QTest::newRow("february") << "&0" << 2 << 0;
    QTest::newRow("entry row") << "&0" << 1 << 1;
}

void TestMonthViews::carryOverInputOnlyInJanuaryManual()
{
    QFETCH(QString, carryLine);
    QFETCH(int, month);
    QFETCH(int, row);
    Ledger l(yearText(carryLine, {"01/050100000100", "02/050100000100"}));
    l.views->selectMonth(month);
    l.prompter.inputs.enqueue(QStringLiteral("500"));
    l.pressRow(row);
    QVERIFY(l.prompter.shown.isEmpty());
    QCOMPARE(l.views->selectedRow(), row);
    QCOMPARE(l.model.carryOver(), 0);
}

void TestMonthViews::switchCarryOverMode_data()
{
    QTest::addColumn<QString>("carryLine");
    QTest::addColumn<QString>("previousYear");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("carryAuto");
    QTest::addColumn<QString>("panel2");

    const QString toAuto = QStringLiteral("前年度繰越高を [自動] 算出に変更しますか。\r\n\r\n前年度データファイルから算出します。\r\n"
                                          "(存在しない場合、[0円] が設定されます)");
    const QString toManual = QStringLiteral("前年度繰越高を [手動] 算出に変更しますか。");
    QTest::newRow("to automatic without previous year") << "&7000" << "" << "" << toAuto << true << "繰越高 : 0 (A)";
    QTest::newRow("to automatic from previous year")
        << "&7000" << "C\n&0\n$12345\n" << "" << toAuto << true << "繰越高 : 12,345 (A)";
    QTest::newRow("to manual, amount typed") << "#0" << "" << "-800" << toManual << false << "繰越高 : -800 (M)";
    QTest::newRow("to manual, input cancelled") << "#0" << "" << "" << toManual << false << "繰越高 : 0 (M)";
}

void TestMonthViews::switchCarryOverMode()
{
    QFETCH(QString, carryLine);
    QFETCH(QString, previousYear);
    QFETCH(QString, input);
    QFETCH(QString, question);
    QFETCH(bool, carryAuto);
    QFETCH(QString, panel2);

    Ledger l(yearText(carryLine, {"01/050100000100"}), previousYear);
    l.views->selectMonth(1);
    l.prompter.answers.enqueue(Prompter::Answer::Yes);
    if (!carryAuto)
        l.prompter.inputs.enqueue(input);
    QTest::mouseDClick(l.views->statusPanel[1], Qt::LeftButton);

    QCOMPARE(l.prompter.shown.first().kind, FakePrompter::Shown::Question);
    QCOMPARE(l.prompter.shown.first().text, question);
    QCOMPARE(l.prompter.unexpected, 0);
    QCOMPARE(l.model.carryAuto(), carryAuto);
    QCOMPARE(l.panel(2), panel2);
    QCOMPARE(l.views->statusPanel[1]->toolTip(),
             carryAuto ? QStringLiteral("前年度繰越高は [自動] 算出です。") : QStringLiteral("前年度繰越高は [手動] 算出です。"));
}

void TestMonthViews::switchCarryOverModeOnlyInJanuary()
{
    Ledger l(yearText("&700", {"01/050100000100"}));
    l.clickTab(2);
    l.prompter.answers.enqueue(Prompter::Answer::Yes);
    QTest::mouseDClick(l.views->statusPanel[1], Qt::LeftButton);
    QTest::mouseDClick(l.views->statusPanel[2], Qt::LeftButton);
    QVERIFY(l.prompter.shown.isEmpty());
    QVERIFY(!l.model.carryAuto());
    QCOMPARE(l.panel(2), QStringLiteral("繰越高 : 600"));
    QCOMPARE(l.views->statusPanel[1]->toolTip(), QString());
}

// The status bar stays in view with a summary in front, so the switch can be
// made while the day summary shows the carry-over and the balances.
void TestMonthViews::switchCarryOverModeUpdatesDaySummary_data()
{
    QTest::addColumn<QString>("carryLine");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("to manual, amount typed")
        << "#0" << "5000" << QStringList{"|前年度繰越残高|||5,000|5,000", "01/05|||100||4,900"};
    QTest::newRow("to manual, deficit typed")
        << "#0" << "-800" << QStringList{"|前年度繰越残高||800||-800", "01/05|||100||-900"};
    QTest::newRow("to automatic") << "&7000" << "" << QStringList{"|前年度繰越残高||||", "01/05|||100||-100"};
}

void TestMonthViews::switchCarryOverModeUpdatesDaySummary()
{
    QFETCH(QString, carryLine);
    QFETCH(QString, input);
    QFETCH(QStringList, rows);

    Ledger l(yearText(carryLine, {"01/050100000100"}));
    l.views->selectMonth(1);
    l.views->toggleSummary(1, true);
    l.prompter.answers.enqueue(Prompter::Answer::Yes);
    if (!input.isEmpty())
        l.prompter.inputs.enqueue(input);
    QTest::mouseDClick(l.views->statusPanel[1], Qt::LeftButton);

    QCOMPARE(l.prompter.unexpected, 0);
    QCOMPARE(l.views->summaryMode(), 1);
    QCOMPARE(l.views->listStack->currentWidget(), l.views->lvwMonthC);
    QCOMPARE(allRows(l.views->summaryRows), rows);
}

void TestMonthViews::prevCarryOver_data()
{
    QTest::addColumn<QString>("previousYear");
    QTest::addColumn<QString>("message");

    QTest::newRow("previous year") << "C\n&0\n0101010100100\n$-45678\n" << "2025年度の繰越高は [ -45,678 円 ] です。";
    QTest::newRow("previous year ending at 0") << "C\n&0\n$0\n" << "2025年度の繰越高は [  円 ] です。";
}

void TestMonthViews::prevCarryOver()
{
    QFETCH(QString, previousYear);
    QFETCH(QString, message);
    Ledger l(yearText("&0", {}), previousYear);
    l.views->showPrevCarryOver();
    QCOMPARE(l.prompter.messages(), QStringList{message});
    QCOMPARE(l.prompter.shown.first().icon, Prompter::Icon::Information);
}

void TestMonthViews::dateAndTimePanels()
{
    Ledger l(yearText("&0", {}));
    QCOMPARE(l.panel(6), QStringLiteral("2026/03/15"));
    QCOMPARE(l.panel(7), QStringLiteral("10:00"));
    Clock::setFixed(QDateTime(QDate(2026, 3, 16), QTime(0, 1)));
    QTRY_COMPARE(l.panel(6), QStringLiteral("2026/03/16"));
    QCOMPARE(l.panel(7), QStringLiteral("00:01"));
}

QTEST_MAIN(TestMonthViews)
#include "test_monthviews.moc"
