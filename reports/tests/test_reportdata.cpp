// What the monthly and yearly reports show, computed from fixed ledgers.
#include "reports/ReportData.h"
#include "reports/tests/ReportTestData.h"

#include <QTest>
#include <limits>

using namespace Reports;

namespace {
QString rowsText(const std::vector<CategoryRow>& rows)
{
    QStringList out;
    for (const CategoryRow& r : rows)
        out << QStringLiteral("%1=%2").arg(r.name).arg(r.amount);
    return out.join(QLatin1Char(' '));
}

// "day|separator|category|sub|out|in" per entry row.
QStringList entriesText(const MonthReport& r)
{
    QStringList out;
    for (const EntryRow& e : r.entries)
        out << QStringLiteral("%1|%2|%3|%4|%5|%6").arg(e.day).arg(e.separator ? "-" : "").arg(e.category, e.sub).arg(e.out).arg(e.in);
    return out;
}

QString monthsText(const YearRow& row)
{
    QStringList out;
    for (const auto& m : row.months)
        out << (m ? QString::number(*m) : QStringLiteral("."));
    return out.join(QLatin1Char(','));
}
}

class TestReportData : public QObject {
    Q_OBJECT
private slots:
    void monthTitles_data();
    void monthTitles();
    void categoryRows_data();
    void categoryRows();
    void entryRows_data();
    void entryRows();
    void monthWithoutEntries();
    void yearRows();
    void yearCategoriesFirstMet();
    void chartPages_data();
    void chartPages();
    void totalsBeyond32Bits();
};

void TestReportData::monthTitles_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("monthTitle");
    QTest::addColumn<QString>("yearTitle");
    QTest::newRow("March") << 2026 << 3 << QStringLiteral("３月度") << QStringLiteral("[２０２６年度]");
    QTest::newRow("December") << 2005 << 12 << QStringLiteral("１２月度") << QStringLiteral("[２００５年度]");
}

void TestReportData::monthTitles()
{
    QFETCH(int, year);
    QFETCH(int, month);
    ReportLedger l(householdCategories(), year);
    l.add({QStringLiteral("%1/10 01 1200").arg(month, 2, 10, QLatin1Char('0')),
           QStringLiteral("%1/25 05 250000").arg(month, 2, 10, QLatin1Char('0'))});
    const MonthReport r = buildMonthReport(l.model, month);
    QTEST(r.monthTitle, "monthTitle");
    QTEST(r.yearTitle, "yearTitle");
    QCOMPARE(r.income, 250000);
    QCOMPARE(r.expense, 1200);
}

void TestReportData::categoryRows_data()
{
    QTest::addColumn<QStringList>("categories");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("outRows");
    QTest::addColumn<QString>("inRows");
    QTest::addColumn<bool>("inPie");

    QTest::newRow("largest first, unused categories too")
        << householdCategories()
        << QStringList{"03/02 01 1000", "03/03 02 3000", "03/09 01 500", "03/25 05 200000", "03/28 06 800"}
        << "日用品=3000 食費=1500 交際費=0 医療費=0" << "給与=200000 雑収入=800" << true;
    QTest::newRow("ties keep category order")
        << householdCategories() << QStringList{"03/02 04 700", "03/03 02 700", "03/04 01 100"}
        << "日用品=700 医療費=700 食費=100 交際費=0" << "給与=0 雑収入=0" << false;
    QTest::newRow("one-category month")
        << QStringList{"01:食費:1:255", "02:給与:2:0"} << QStringList{"03/02 01 1000", "03/20 01 2500"}
        << "食費=3500" << "給与=0" << false;
}

void TestReportData::categoryRows()
{
    QFETCH(QStringList, categories);
    QFETCH(QStringList, entries);
    ReportLedger l(categories);
    l.add(entries);
    const MonthReport r = buildMonthReport(l.model, 3);
    QTEST(rowsText(r.outRows), "outRows");
    QTEST(rowsText(r.inRows), "inRows");
    QTEST(MonthReport::sum(r.inRows) > 0, "inPie");
    // Colours follow the category, not the position.
    for (const CategoryRow& row : r.outRows)
        QCOMPARE(row.color, categoryColor(l.model.categoryNamed(row.name)->color));
}

void TestReportData::entryRows_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("rows");

    // Filing puts a new entry before the day's earlier ones; the report
    // keeps the month's order.
    QTest::newRow("days 05 05 05 07")
        << QStringList{"05/05 01 100", "05/05 02 200 01", "05/05 05 300", "05/07 01 400"}
        << QStringList{"05||給与||0|300", "||日用品|消耗品|200|0", "||食費||100|0", "07|-|食費||400|0"};
    QTest::newRow("one entry")
        << QStringList{"05/31 06 5000"} << QStringList{"31||雑収入||0|5000"};
    QTest::newRow("a sub-item the master lost")
        << QStringList{"05/01 02 100 07", "05/02 02 100 01"}
        << QStringList{"01||日用品|摘要項目番号: 07 (削除されています)|100|0", "02|-|日用品|消耗品|100|0"};
}

void TestReportData::entryRows()
{
    QFETCH(QStringList, entries);
    ReportLedger l(householdCategories());
    l.model.category(QStringLiteral("02"))->addsub(QStringLiteral("01"), QStringLiteral("消耗品"));
    l.add(entries);
    const MonthReport r = buildMonthReport(l.model, 5);
    QTEST(entriesText(r), "rows");
}

void TestReportData::monthWithoutEntries()
{
    ReportLedger l(householdCategories());
    l.add({QStringLiteral("03/02 01 1000")});
    const MonthReport r = buildMonthReport(l.model, 4);
    QVERIFY(!r.hasEntries());
    QVERIFY(r.outRows.empty() && r.inRows.empty());
    QCOMPARE(r.monthTitle, QStringLiteral("４月度"));
}

void TestReportData::yearRows()
{
    ReportLedger l(householdCategories());
    l.model.SetCarryOver(-15000, l.model.carryAuto());
    l.add({"04/01 01 1000", "04/02 05 200000", "04/20 01 2000", "05/03 02 450", "05/25 05 210000", "05/26 06 99"});
    const YearReport r = buildYearReport(l.model);
    QCOMPARE(r.title, QStringLiteral("２０２６年度"));
    QCOMPARE(r.yearOut, 3450);
    QCOMPARE(r.yearIn, 410099);
    QCOMPARE(r.carryOver, -15000);
    QVERIFY(!r.isEmpty());
    // Only April and May carry figures; the other months stay empty.
    QCOMPARE(monthsText(r.outTotals), QStringLiteral(".,.,.,3000,450,.,.,.,.,.,.,."));
    QCOMPARE(monthsText(r.inTotals), QStringLiteral(".,.,.,200000,210099,.,.,.,.,.,.,."));
    QStringList cats;
    for (const YearRow& row : r.categories)
        cats << row.name + QLatin1Char('=') + monthsText(row);
    QCOMPARE(cats, (QStringList{"食費=.,.,.,3000,0,.,.,.,.,.,.,.", "日用品=.,.,.,0,450,.,.,.,.,.,.,.",
                                "交際費=.,.,.,0,0,.,.,.,.,.,.,.", "医療費=.,.,.,0,0,.,.,.,.,.,.,.",
                                "給与=.,.,.,200000,210000,.,.,.,.,.,.,.", "雑収入=.,.,.,0,99,.,.,.,.,.,.,."}));
    QCOMPARE(r.categories[0].total(), 3000);
    QCOMPARE(r.categories[0].color, QColor(255, 0, 0));

    ReportLedger empty(householdCategories());
    empty.add({});
    QVERIFY(buildYearReport(empty.model).isEmpty());
}

void TestReportData::yearCategoriesFirstMet()
{
    // A category that a later month's totals hold and earlier ones do not
    // is appended, not slotted in by number, and stays empty before.
    ReportLedger l({QStringLiteral("02:日用品:1"), QStringLiteral("05:給与:2")});
    l.add({"01/05 02 100", "01/25 05 1000"});
    addCategory(l.model, QStringLiteral("01"), QStringLiteral("食費"), 1);
    l.model.InsertEntry(entry(QStringLiteral("02/05"), QStringLiteral("01"), 300));
    
    const YearReport r = buildYearReport(l.model);
    QStringList names;
    for (const YearRow& row : r.categories)
        names << row.name + QLatin1Char('=') + monthsText(row);
    QCOMPARE(names, (QStringList{"日用品=100,0,.,.,.,.,.,.,.,.,.,.", "給与=1000,0,.,.,.,.,.,.,.,.,.,.",
                                 "食費=0,300,.,.,.,.,.,.,.,.,.,."}));
}

void TestReportData::chartPages_data()
{
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lastRow");
    QTest::newRow("5") << 5 << 1 << 52;
    QTest::newRow("6") << 6 << 1 << 52;
    QTest::newRow("7") << 7 << 2 << 107;
    QTest::newRow("12") << 12 << 2 << 107;
    QTest::newRow("18") << 18 << 2 << 107;
    QTest::newRow("19") << 19 << 3 << 163;
    QTest::newRow("31") << 31 << 4 << 219;
}

void TestReportData::chartPages()
{
    QFETCH(int, categories);
    ReportLedger l(numberedCategories(categories));
    l.add({"06/01 01 500"});
    const YearReport r = buildYearReport(l.model);
    QCOMPARE(int(r.categories.size()), categories);
    QTEST(r.chartPages(), "pages");
    QTEST(r.chartPrintLastRow(), "lastRow");
    // Every category has its chart, after the two charts of the year.
    const std::vector<YearChart> charts = r.charts();
    QCOMPARE(int(charts.size()), categories + 2);
    QCOMPARE(charts[1].dataRow, 2);
    QCOMPARE(charts.back().title, QStringLiteral("費目%1").arg(categories));
    QCOMPARE(charts.back().dataRow, categories + 2);
}

void TestReportData::totalsBeyond32Bits()
{
    const qint32 big = std::numeric_limits<qint32>::max();
    ReportLedger l(householdCategories());
    QStringList entries;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 3; ++day)
            entries << QStringLiteral("%1/0%2 01 %3").arg(month, 2, 10, QLatin1Char('0')).arg(day).arg(big);
    l.add(entries);
    const MonthReport m = buildMonthReport(l.model, 7);
    QCOMPARE(m.expense, 3 * qint64(big));
    QCOMPARE(m.outRows.front().amount, 3 * qint64(big));
    const YearReport y = buildYearReport(l.model);
    QCOMPARE(y.yearOut, 36 * qint64(big));
    QCOMPARE(*y.outTotals.months[11], 3 * qint64(big));
    QCOMPARE(y.categories.front().total(), 36 * qint64(big));
}

QTEST_MAIN(TestReportData)
#include "test_reportdata.moc"
