// The workbooks print as they look: each sheet's print area across the
// width of its page, the trend sheet's two columns of charts together on
// every page. Checked by a spreadsheet program that exports the saved
// workbooks to PDF (LibreOffice, run headless); skipped without it.
#include "reports/ReportData.h"
#include "reports/tests/ReportFiles.h"
#include "reports/tests/ReportTestData.h"
#include "reports/ReportWorkbook.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Reports;

namespace {
// Converts the workbooks to PDF beside them in one run, with a profile of
// its own so that runs side by side do not meet.
bool exportPdf(const QStringList& workbooks, const QString& folder)
{
    const QTemporaryDir profile;
    QStringList args{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                     QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                     QStringLiteral("--outdir"), folder};
    QProcess p;
    p.start(QStringLiteral("soffice"), args + workbooks);
    return p.waitForFinished(180000) && p.exitCode() == 0;
}

// "portrait" or "landscape" for each page.
QStringList orientations(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                               QStringLiteral("-l"), QStringLiteral("99"), pdf}));
    QStringList out;
    auto it = QRegularExpression(QStringLiteral("Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+)")).globalMatch(info);
    while (it.hasNext()) {
        const auto m = it.next();
        out << (m.captured(1).toDouble() > m.captured(2).toDouble() ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    }
    return out;
}

// The first page from `from` on whose text holds a chart's title, -1 for
// none. A chart's text may come with a space before a number; "費目3" is
// not "費目30".
int pageOf(const QStringList& pages, const QString& title, int from)
{
    QString pattern = QRegularExpression::escape(title);
    pattern.replace(QRegularExpression(QStringLiteral("(\\d+)$")), QStringLiteral("\\s*\\1(?!\\d)"));
    const QRegularExpression re(pattern);
    for (int i = from; i < pages.size(); ++i)
        if (pages[i].contains(re))
            return i;
    return -1;
}
}

class TestWorkbookPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printsAsItLooks();
};

void TestWorkbookPrint::initTestCase()
{
    setWorkbookModuleFolder(QStringLiteral(KANELO_WORKBOOK_FOLDER));
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (soffice) is not installed, e.g. Debian's libreoffice-calc-nogui: "
              "the workbooks' page setup is not checked.");
}

void TestWorkbookPrint::printsAsItLooks()
{
    // March: a few entries; May: two pages of them.
    ReportLedger month(householdCategories());
    QStringList may{"05/05 01 100", "05/05 05 300"};
    for (int i = 0; i < 90; ++i)
        may << QStringLiteral("05/%1 0%2 %3").arg(8 + i / 5, 2, 10, QLatin1Char('0')).arg(1 + i % 4).arg(1000 + i);
    month.add(may);
    month.add({"03/02 01 1000", "03/03 02 3000", "03/25 05 250000", "03/28 06 800"});
    // Twenty categories: 22 charts over three pages.
    ReportLedger year(numberedCategories(20));
    year.add({"04/01 01 1000", "04/02 03 200000", "05/03 12 777", "05/25 11 4321", "11/11 20 5555"});
    const YearReport yr = buildYearReport(year.model);
    QCOMPARE(yr.chartPages(), 3);

    const QTemporaryDir out;
    const QString monthBook = QDir(out.path()).filePath(QStringLiteral("month.xlsx"));
    const QString yearBook = QDir(out.path()).filePath(QStringLiteral("year.xlsx"));
    QVERIFY(writeMonthWorkbook(monthBook, {buildMonthReport(month.model, 3), buildMonthReport(month.model, 5)}).ok);
    QVERIFY(writeYearWorkbook(yearBook, yr, true, true).ok);
    QVERIFY(exportPdf({monthBook, yearBook}, out.path()));
    const QString monthPdf = QDir(out.path()).filePath(QStringLiteral("month.pdf"));
    const QString yearPdf = QDir(out.path()).filePath(QStringLiteral("year.pdf"));

    // A sheet too wide for its page would print its right-hand columns on
    // pages of their own.
    QCOMPARE(orientations(monthPdf), QStringList(3, QStringLiteral("portrait")));
    const QStringList monthPages = pdfPages(monthPdf);
    QCOMPARE(monthPages.size(), 3);
    QVERIFY(monthPages[0].contains(QStringLiteral("３月度")) && monthPages[0].contains(QStringLiteral("雑収入")));
    QVERIFY(monthPages[1].contains(QStringLiteral("５月度")) && monthPages[1].contains(QStringLiteral("給与")));
    QVERIFY(monthPages[2].contains(QStringLiteral("摘要項目"))); // the entries' header again
    QVERIFY(monthPages[2].contains(QStringLiteral("1,089")));    // the last entry

    // The data and the figures across the page, the charts down it.
    QCOMPARE(orientations(yearPdf), (QStringList{"landscape", "landscape", "portrait", "portrait", "portrait"}));
    const QStringList yearPages = pdfPages(yearPdf);
    QCOMPARE(yearPages.size(), 5);
    QVERIFY(yearPages[1].contains(QStringLiteral("年間合計")) && yearPages[1].contains(QStringLiteral("費目20")));
    // Each row of charts on one page: the right-hand chart beside the left.
    QCOMPARE(pageOf(yearPages, QStringLiteral("月別支出の推移"), 2), 2);
    QCOMPARE(pageOf(yearPages, QStringLiteral("月別収入の推移"), 2), 2);
    // Categories 1-6 on the first page of charts, 7-18 on the second, 19-20 on the third.
    for (int n = 1; n <= 20; n += 2) {
        const QString left = QStringLiteral("費目%1").arg(n), right = QStringLiteral("費目%1").arg(n + 1);
        const int page = n <= 6 ? 2 : n <= 18 ? 3 : 4;
        QCOMPARE(pageOf(yearPages, left, 2), page);
        QCOMPARE(pageOf(yearPages, right, 2), page);
    }
}

QTEST_MAIN(TestWorkbookPrint)
#include "test_workbookprint.moc"
