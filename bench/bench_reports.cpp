// Timings of the reports as users wait for them, from the click to the file
// in place: the sums, the data step, and the PDF or the workbook written.
// A month of 10,000 entries, and a year of 100,000, over 30 categories.

#include "bench/BenchMain.h"
#include "bench/BenchData.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "reports/ReportOutput.h"
#include "reports/ReportPages.h"
#include "reports/ReportWorkbook.h"
#include "ledger/tests/TestHome.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {
constexpr BenchData::Master kMaster{.categories = 30, .expense = 25, .subs = 8};
constexpr int kYear = 2026;

struct Ledger {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};

    explicit Ledger(const BenchData::PerMonth& perMonth)
    {
        Reports::setWorkbookModuleFolder(QStringLiteral(KANELO_WORKBOOK_FOLDER));
        BenchData::writeFolder(home, kYear, kMaster, {.perMonth = perMonth, .days = 31}, 100000);
        model.setYear(kYear);
        if (!model.ReadCategoryMaster(1) || !model.LoadYearFile() || !prompter.shown.isEmpty())
            throw std::runtime_error("load");
    }
};

// One program folder at a time: it owns KANELO_HOME.
Ledger& ledger(const BenchData::PerMonth& perMonth)
{
    static std::unique_ptr<Ledger> l;
    static BenchData::PerMonth loaded{};
    if (!l || loaded != perMonth) {
        l.reset();
        l = std::make_unique<Ledger>(perMonth);
        loaded = perMonth;
    }
    return *l;
}

void finish(benchmark::State& state, const TextFile::WriteResult& r, const QString& path)
{
    if (!r.ok)
        state.SkipWithError(r.error.toStdString().c_str());
    state.counters["bytes"] = double(QFileInfo(path).size());
}

void BM_MonthlyReportPdf(benchmark::State& state)
{
    Ledger& l = ledger(BenchData::oneMonth(3, int(state.range(0))));
    const QString path = l.home.path(QStringLiteral("month.pdf"));
    TextFile::WriteResult r;
    for (auto _ : state) {
        l.model.BuildMonthCatTotals();
        const Reports::MonthReport month = Reports::buildMonthReport(l.model, 3);
        r = Reports::savePdf(path, QStringLiteral("月間収支報告"), [&](Reports::ReportCanvas& c) { drawMonthReport(c, month); });
    }
    finish(state, r, path);
}
BENCHMARK(BM_MonthlyReportPdf)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_MonthlyWorkbook(benchmark::State& state)
{
    Ledger& l = ledger(BenchData::oneMonth(3, int(state.range(0))));
    const QString path = l.home.path(QStringLiteral("month.xlsx"));
    TextFile::WriteResult r;
    for (auto _ : state) {
        l.model.BuildMonthCatTotals();
        r = Reports::writeMonthWorkbook(path, {Reports::buildMonthReport(l.model, 3)});
    }
    finish(state, r, path);
}
BENCHMARK(BM_MonthlyWorkbook)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_YearlyReportPdf(benchmark::State& state)
{
    Ledger& l = ledger(BenchData::spread(int(state.range(0))));
    const QString path = l.home.path(QStringLiteral("year.pdf"));
    TextFile::WriteResult r;
    for (auto _ : state) {
        l.model.BuildMonthCatTotals();
        const Reports::YearReport year = Reports::buildYearReport(l.model);
        r = Reports::savePdf(path, QStringLiteral("年間収支報告"),
                             [&](Reports::ReportCanvas& c) { drawYearReport(c, year, true, true); });
    }
    finish(state, r, path);
}
BENCHMARK(BM_YearlyReportPdf)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_YearlyWorkbook(benchmark::State& state)
{
    Ledger& l = ledger(BenchData::spread(int(state.range(0))));
    const QString path = l.home.path(QStringLiteral("year.xlsx"));
    TextFile::WriteResult r;
    for (auto _ : state) {
        l.model.BuildMonthCatTotals();
        r = Reports::writeYearWorkbook(path, Reports::buildYearReport(l.model), true, true);
    }
    finish(state, r, path);
}
BENCHMARK(BM_YearlyWorkbook)->Arg(100000)->Unit(benchmark::kMillisecond);
}

KANELO_BENCHMARK_MAIN(QGuiApplication)
