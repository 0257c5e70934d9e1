// The written reports as their readers see them: the PDF's pages and text,
// the workbook's sheets, cells, borders, print areas and chart ranges.
#include "reports/ReportData.h"
#include "reports/tests/ReportFiles.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPages.h"
#include "reports/tests/ReportTestData.h"
#include "reports/ReportWorkbook.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Reports;

namespace {
// March: a few entries; May: days 05, 05, 05, 07 and then enough entries to
// run the entry table over several pages.
struct TwoMonths : ReportLedger {
    TwoMonths() : ReportLedger(householdCategories())
    {
        add({"03/02 01 1000", "03/03 02 3000", "03/25 05 250000", "03/28 06 800"});
        QStringList may{"05/05 01 100", "05/05 02 200", "05/05 05 300", "05/07 01 400"};
        for (int i = 0; i < 150; ++i)
            may << QStringLiteral("05/%1 0%2 %3").arg(8 + i / 7, 2, 10, QLatin1Char('0')).arg(1 + i % 4).arg(1000 + i);
        add(may);
    }
    std::vector<MonthReport> reports() const { return {buildMonthReport(model, 3), buildMonthReport(model, 5)}; }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
}

class TestReportFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setWorkbookModuleFolder(QStringLiteral(KANELO_WORKBOOK_FOLDER)); }
    void missingModuleIsTold();
    void monthPdf();
    void monthPdfKeepsTableTail();
    void yearPdf_data();
    void yearPdf();
    void monthWorkbook();
    void oneCategoryWorkbook();
    void yearWorkbook_data();
    void yearWorkbook();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
};

void TestReportFiles::monthPdf()
{
    TwoMonths l;
    const std::vector<MonthReport> reports = l.reports();
    const QString path = l.home.path(QStringLiteral("month.pdf"));
    const auto r = savePdf(path, QStringLiteral("月間収支報告"), [&](ReportCanvas& c) {
        for (const MonthReport& m : reports)
            drawMonthReport(c, m);
    });
    QVERIFY2(r.ok, qPrintable(r.error));

    const QStringList pages = pdfPages(path);
    QCOMPARE(pdfPageCount(path), pages.size());
    QVERIFY(pages.size() >= 4);
    // March first, on one page, with its title and totals; May after it.
    QVERIFY(pages[0].contains(QStringLiteral("３月度")));
    QVERIFY(pages[0].contains(QStringLiteral("[２０２６年度]")));
    QVERIFY(pages[0].contains(QStringLiteral("250,800 円")));
    QVERIFY(pages[0].contains(QStringLiteral("4,000 円")));
    QVERIFY(pages[0].contains(QStringLiteral("食費")));
    QVERIFY(pages[1].contains(QStringLiteral("５月度")));
    // Each month numbers its own pages; the entry table repeats its header.
    QCOMPARE(pageNumber(pages[0]), std::make_pair(1, 1));
    const int mayPages = pages.size() - 1;
    for (int i = 1; i < pages.size(); ++i) {
        QCOMPARE(pageNumber(pages[i]), std::make_pair(i, mayPages));
        QVERIFY2(pages[i].contains(QStringLiteral("摘要項目")), qPrintable(QString::number(i)));
    }
    // The month's last entry (1,147 yen on day 29) closes the last page.
    QVERIFY(pages.last().contains(QStringLiteral("1,147")));
    QVERIFY(!pages[pages.size() - 2].contains(QStringLiteral("1,147")));

    // The legend beside a pie gives each category's amount and share.
    const QStringList lines = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-l"),
                                                                                      QStringLiteral("1"), path, QStringLiteral("-")}))
                                  .split(QLatin1Char('\n'));
    const auto legend = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.contains(QStringLiteral("75.0%")); });
    QVERIFY(legend != lines.end());
    QVERIFY2(legend->contains(QRegularExpression(QStringLiteral("日用品\\s+3,000\\s+75.0%"))), qPrintable(*legend));
    QVERIFY2(legend->contains(QRegularExpression(QStringLiteral("給与\\s+250,000\\s+99.7%"))), qPrintable(*legend));
}

// However many entries a month has, a page never begins with fewer than
// three rows of the entry table: its last rows go over together, under the
// header, and the heading stays with the table.
void TestReportFiles::monthPdfKeepsTableTail()
{
    for (int n = 130; n <= 150; n += 1) {
        ReportLedger l(householdCategories());
        QStringList entries;
        for (int i = 0; i < n; ++i)
            entries << QStringLiteral("05/%1 0%2 %3").arg(1 + i / 5, 2, 10, QLatin1Char('0')).arg(1 + i % 4).arg(10000 + i);
        l.add(entries);
        const QString path = l.home.path(QStringLiteral("tail.pdf"));
        const MonthReport may = buildMonthReport(l.model, 5);
        QVERIFY(savePdf(path, QStringLiteral("月間収支報告"), [&](ReportCanvas& c) { drawMonthReport(c, may); }).ok);
        const QStringList pages = pdfPages(path);
        const QString what = QStringLiteral("%1 entries, %2 pages").arg(n).arg(pages.size());
        QVERIFY2(pages.size() >= 3, qPrintable(what));
        QVERIFY2(pages[0].contains(QStringLiteral("明細")), qPrintable(what));
        // The amounts of a page's entries: 10,000 and up; none lost.
        const QRegularExpression entryAmount(QStringLiteral("\\b1\\d,\\d{3}\\b"));
        int rows = int(pages[0].count(entryAmount));
        for (int p = 1; p < pages.size(); ++p) {
            const int onPage = int(pages[p].count(entryAmount));
            QVERIFY2(onPage >= TableFlow::kKeepRows && pages[p].contains(QStringLiteral("摘要項目")), qPrintable(what));
            rows += onPage;
        }
        QCOMPARE(rows, n);
    }
}

void TestReportFiles::yearPdf_data()
{
    QTest::addColumn<bool>("figures");
    QTest::addColumn<bool>("charts");
    QTest::newRow("both") << true << true;
    QTest::newRow("figures only") << true << false;
    QTest::newRow("charts only") << false << true;
}

void TestReportFiles::yearPdf()
{
    QFETCH(bool, figures);
    QFETCH(bool, charts);
    ReportLedger l(numberedCategories(12));
    l.add({"04/01 01 1000", "04/02 03 200000", "05/03 12 777", "05/25 11 4321"});
    const YearReport year = buildYearReport(l.model);
    const QString path = l.home.path(QStringLiteral("year.pdf"));
    QVERIFY(savePdf(path, QStringLiteral("年間収支報告"), [&](ReportCanvas& c) { drawYearReport(c, year, figures, charts); }).ok);

    const QStringList pages = pdfPages(path);
    const QString all = pages.join(QLatin1Char('\f'));
    QCOMPARE(all.contains(QStringLiteral("年度 年間収支報告")), figures);
    QCOMPARE(all.contains(QStringLiteral("年度 年間推移グラフ")), charts);
    QVERIFY(pages[0].contains(QStringLiteral("２０２６年度")));
    QVERIFY(pages[0].contains(QStringLiteral("200,777 円"))); // the year's income
    QVERIFY(all.contains(QStringLiteral("費目12")));
    // The two year charts and a panel for each of the four categories with
    // amounts: one page; the eight others are left out.
    QStringList chartPages;
    for (const QString& p : pages)
        if (p.contains(QStringLiteral("年間推移グラフ")))
            chartPages << p;
    QCOMPARE(chartPages.size(), charts ? 1 : 0);
    if (charts) {
        const QStringList panels = chartPages.first().split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^費目\\d+$")));
        QCOMPARE(panels, (QStringList{"費目1", "費目3", "費目11", "費目12"}));
    }
    QCOMPARE(pdfPageCount(path), pages.size());
}

void TestReportFiles::missingModuleIsTold()
{
    TwoMonths l;
    const QTemporaryDir elsewhere;
    setWorkbookModuleFolder(elsewhere.path());
    const QString path = l.home.path(QStringLiteral("month.xlsx"));
    const auto written = writeMonthWorkbook(path, l.reports());
    setWorkbookModuleFolder(QStringLiteral(KANELO_WORKBOOK_FOLDER));
    QVERIFY(!written.ok);
    QVERIFY2(written.error.contains(QDir::toNativeSeparators(elsewhere.path())), qPrintable(written.error));
    QVERIFY(!QFile::exists(path));
    // Found again once it is there.
    QVERIFY(writeMonthWorkbook(path, l.reports()).ok);
}

void TestReportFiles::monthWorkbook()
{
    TwoMonths l;
    const QString path = l.home.path(QStringLiteral("month.xlsx"));
    const auto written = writeMonthWorkbook(path, l.reports());
    QVERIFY2(written.ok, qPrintable(written.error));
    const XlsxReader wb(path);
    const QString march = QStringLiteral("月間収支報告(3月)"), may = QStringLiteral("月間収支報告(5月)");
    QCOMPARE(wb.sheetNames(), (QStringList{march, may}));

    QCOMPARE(wb.show(march, "B2"), QStringLiteral("３月度"));
    QCOMPARE(wb.show(march, "F2"), QStringLiteral("[２０２６年度]"));
    QCOMPARE(wb.show(march, "E5"), QStringLiteral("250800 #,##0"));
    QCOMPARE(wb.show(march, "E6"), QStringLiteral("4000 #,##0"));
    const QStringList marchCats{wb.show(march, "L10") + wb.show(march, "M10"), wb.show(march, "L11") + wb.show(march, "M11"),
                                wb.show(march, "L13") + wb.show(march, "M13"), wb.show(march, "N10") + wb.show(march, "O10"),
                                wb.show(march, "N11") + wb.show(march, "O11"), wb.show(march, "L14") + wb.show(march, "N12")};
    QCOMPARE(marchCats, (QStringList{"日用品3000 #,##0", "食費1000 #,##0", "医療費0 #,##0", "給与250000 #,##0",
                                     "雑収入800 #,##0", ""}));
    // The pies read the category tables, slices in the categories' colours.
    QCOMPARE(wb.charts(march),
             (QStringList{QStringLiteral("pieChart@B8 '%1'!$L$10:$L$13|'%1'!$M$10:$M$13").arg(march),
                          QStringLiteral("pieChart@F8 '%1'!$N$10:$N$11|'%1'!$O$10:$O$11").arg(march)}));
    QCOMPARE(wb.pointColors(march, 0).mid(0, 2), (QStringList{"00FF00", "FF0000"}));

    // Entries from row 30: the day on a day's first row, a line above row 33.
    QStringList rows;
    for (int row = 30; row <= 34; ++row) {
        const QString n = QString::number(row);
        rows << QStringList{wb.show(may, "D" + n), wb.show(may, "E" + n), wb.show(may, "G" + n), wb.show(may, "H" + n)}.join('|');
    }
    QCOMPARE(rows, (QStringList{"05|給与||300 #,##0", "|日用品|200 #,##0|", "|食費|100 #,##0|", "07|食費|400 #,##0|",
                                "08|交際費|1006 #,##0|"}));
    for (const char* ref : {"C33", "D33", "F33", "H33", "I33", "D34"})
        QVERIFY2(wb.topBorder(may, ref), ref);
    for (const char* ref : {"D30", "D31", "D32", "E32"})
        QVERIFY2(!wb.topBorder(may, ref), ref);
    QCOMPARE(wb.show(may, "E183"), QStringLiteral("医療費"));
    QCOMPARE(wb.show(may, "G183"), QStringLiteral("1147 #,##0"));
    QCOMPARE(wb.printArea(may), QStringLiteral("'%1'!$B$1:$O$183").arg(may));
}

void TestReportFiles::oneCategoryWorkbook()
{
    ReportLedger l({QStringLiteral("01:食費:1:255"), QStringLiteral("02:給与:2:0")});
    l.add({"03/02 01 1000", "03/20 01 2500"});
    const QString path = l.home.path(QStringLiteral("one.xlsx"));
    QVERIFY(writeMonthWorkbook(path, {buildMonthReport(l.model, 3)}).ok);
    const XlsxReader wb(path);
    const QString sheet = QStringLiteral("月間収支報告");
    QCOMPARE(wb.sheetNames(), QStringList{sheet});
    QCOMPARE(wb.show(sheet, "L10") + wb.show(sheet, "M10"), QStringLiteral("食費3500 #,##0"));
    QCOMPARE(wb.show(sheet, "L11"), QString());
    // Income holds no amount: no pie for it.
    QCOMPARE(wb.charts(sheet), QStringList{QStringLiteral("pieChart@B8 '%1'!$L$10|'%1'!$M$10").arg(sheet)});
}

void TestReportFiles::yearWorkbook_data()
{
    QTest::addColumn<int>("categories");
    QTest::addColumn<bool>("figures");
    QTest::addColumn<bool>("charts");
    QTest::addColumn<QString>("chartArea");
    QTest::newRow("five categories") << 5 << true << true << "$B$1:$S$52";
    QTest::newRow("twelve categories") << 12 << true << true << "$B$1:$S$107";
    QTest::newRow("twenty categories, charts only") << 20 << false << true << "$B$1:$S$163";
    QTest::newRow("figures only") << 5 << true << false << "";
}

void TestReportFiles::yearWorkbook()
{
    QFETCH(int, categories);
    QFETCH(bool, figures);
    QFETCH(bool, charts);
    ReportLedger l(numberedCategories(categories));
    l.model.SetCarryOver(123456, l.model.carryAuto());
    l.add({"04/01 01 1000", "04/02 03 200000", "05/03 02 777", "05/25 03 4321"});
    const QString path = l.home.path(QStringLiteral("year.xlsx"));
    QVERIFY(writeYearWorkbook(path, buildYearReport(l.model), figures, charts).ok);
    const XlsxReader wb(path);
    const QString data = QStringLiteral("金額データ"), sums = QStringLiteral("年間収支報告"), trend = QStringLiteral("年間推移グラフ");
    QStringList sheets{data};
    if (figures)
        sheets << sums;
    if (charts)
        sheets << trend;
    QCOMPARE(wb.sheetNames(), sheets);

    // April and May only: columns E and F of rows 1-2.
    QStringList monthly;
    for (const char* col : {"B", "D", "E", "F", "G", "M"})
        monthly << wb.show(data, QString(col) + "1") + "/" + wb.show(data, QString(col) + "2");
    QCOMPARE(monthly, (QStringList{"/", "/", "1000 #,##0/200000 #,##0", "777 #,##0/4321 #,##0", "/", "/"}));
    QCOMPARE(wb.show(data, "A3"), QStringLiteral("費目1"));
    QCOMPARE(wb.show(data, "E3"), QStringLiteral("1000 #,##0"));
    QCOMPARE(wb.show(data, "F5"), QStringLiteral("4321 #,##0"));
    QCOMPARE(wb.show(data, QStringLiteral("A%1").arg(categories + 2)), QStringLiteral("費目%1").arg(categories));
    QCOMPARE(wb.show(data, QStringLiteral("A%1").arg(categories + 3)), QString());

    for (const QString& sheet : sheets.mid(1)) {
        QCOMPARE(wb.show(sheet, "B2"), QStringLiteral("２０２６年度"));
        QCOMPARE(wb.show(sheet, "C5"), QStringLiteral("1777 #,##0"));
        QCOMPARE(wb.show(sheet, "C6"), QStringLiteral("204321 #,##0"));
        QCOMPARE(wb.show(sheet, "F6"), QStringLiteral("123456 #,##0"));
    }
    if (figures) {
        // A1:M2 at B12, A3:M(n + 2) at B15; a line under each table row.
        QCOMPARE(wb.show(sums, "B12") + "|" + wb.show(sums, "F12") + "|" + wb.show(sums, "G13"),
                 QStringLiteral("支出合計|1000 #,##0|4321 #,##0"));
        QCOMPARE(wb.show(sums, "B15") + "|" + wb.show(sums, "F15"), QStringLiteral("費目1|1000 #,##0"));
        const QString last = QString::number(categories + 14);
        QCOMPARE(wb.show(sums, "B" + last), QStringLiteral("費目%1").arg(categories));
        QCOMPARE(wb.show(sums, "O17"), QStringLiteral("204321 #,##0"));
        for (const QString& ref : {QStringLiteral("B12"), QStringLiteral("D13"), "O" + last, "C" + last})
            QVERIFY2(wb.bottomBorder(sums, ref), qPrintable(ref));
        QVERIFY(!wb.bottomBorder(sums, "B" + QString::number(categories + 15)));
        QCOMPARE(wb.printArea(sums), QStringLiteral("'%1'!$B$1:$O$%2").arg(sums).arg(categories + 15));
    }
    if (charts) {
        // One chart per data row, every category included, bound to the data sheet.
        const QStringList list = wb.charts(trend);
        QCOMPARE(list.size(), categories + 2);
        for (int row = 1; row <= categories + 2; ++row)
            QVERIFY2(list.join('\n').contains(QStringLiteral("|'%1'!$B$%2:$M$%2").arg(data).arg(row)), qPrintable(QString::number(row)));
        QVERIFY(list[0].startsWith(QStringLiteral("barChart@B8 ")));
        QFETCH(QString, chartArea);
        QCOMPARE(wb.printArea(trend), QStringLiteral("'%1'!").arg(trend) + chartArea);
    }
}

void TestReportFiles::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::newRow("pdf") << true;
    QTest::newRow("workbook") << false;
}

void TestReportFiles::failedWriteKeepsOldFile()
{
    QFETCH(bool, pdf);
    TwoMonths l;
    const std::vector<MonthReport> reports = l.reports();
    const auto write = [&](const QString& path) {
        return pdf ? savePdf(path, QStringLiteral("月間収支報告"),
                             [&](ReportCanvas& c) {
                                 for (const MonthReport& m : reports)
                                     drawMonthReport(c, m);
                             })
                   : writeMonthWorkbook(path, reports);
    };
    const QString path = l.home.path(QStringLiteral("report.out"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the report of last month");
    old.close();
    {
        // A disk that fills up after a few kilobytes.
        FileSizeLimit full(4096);
        const auto r = write(path);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
    }
    QCOMPARE(fileBytes(path), QByteArray("the report of last month"));
    // A folder that does not exist is refused with a reason too.
    const auto r = write(l.home.path(QStringLiteral("no such folder/report.out")));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    // And the same report goes out whole once there is room.
    QVERIFY(write(path).ok);
    QVERIFY(fileBytes(path).size() > 4096);
}

QTEST_MAIN(TestReportFiles)
#include "test_reportfiles.moc"
