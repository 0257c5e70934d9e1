// Timings of the ledger operations users wait for: loading and saving a
// year, and the sums built from it, on a generated year of entries over 30
// categories, each with sub-items, in a temporary program folder.

#include "BenchData.h"
#include "FakePrompter.h"
#include "LedgerModel.h"
#include "TestHome.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {
constexpr BenchData::Master kMaster{.categories = 30, .expense = 25, .subs = 8};
constexpr int kYear = 2025;

// A program folder holding a master and the year file of `entries` entries,
// the year loaded.
struct Year {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};

    explicit Year(int entries)
    {
        BenchData::writeFolder(home, kYear, kMaster, {.perMonth = BenchData::spread(entries)}, 100000);
        model.curYear = model.startYear = kYear;
        model.startMonth = 7;
        if (!model.ReadCategoryMaster(1) || !model.LoadYearFile() || !prompter.shown.isEmpty())
            throw std::runtime_error("load");
    }
};

Year& year(int entries)
{
    static std::unique_ptr<Year> y;
    if (!y || y->model.slot(1).count() != BenchData::spread(entries)[0]) {
        y.reset(); // one program folder at a time: it owns KANELO_HOME
        y = std::make_unique<Year>(entries);
    }
    return *y;
}

void BM_LoadYearFile(benchmark::State& state)
{
    Year& y = year(int(state.range(0)));
    for (auto _ : state) {
        y.model.clearMonthSlots();
        if (!y.model.LoadYearFile())
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(y.model.slot(12).count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveYearFile(benchmark::State& state)
{
    Year& y = year(int(state.range(0)));
    for (auto _ : state)
        if (!y.model.SaveYearFile(1))
            state.SkipWithError("save failed");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_BuildMonthCatTotals(benchmark::State& state)
{
    Year& y = year(int(state.range(0)));
    for (auto _ : state) {
        y.model.BuildMonthCatTotals();
        benchmark::DoNotOptimize(y.model.yearOut);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RankCategoriesByUse(benchmark::State& state)
{
    Year& y = year(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(y.model.RankCategoriesByUse());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
}

BENCHMARK(BM_LoadYearFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveYearFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildMonthCatTotals)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RankCategoriesByUse)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
