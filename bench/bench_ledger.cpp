// Timings of the ledger operations users wait for: loading and saving a
// year, and the sums built from it. The data is generated here: a year of
// entries over 30 categories, each with sub-items, in a temporary program
// folder.

#include "FakePrompter.h"
#include "LedgerModel.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <stdexcept>

namespace {
constexpr int kCategories = 30;
constexpr int kYear = 2025;

QString two(int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); }

// A program folder holding a master and the year file of `entries` entries.
struct Year {
    QTemporaryDir dir;
    FakePrompter prompter;
    LedgerModel model{prompter};

    explicit Year(int entries)
    {
        qputenv("KANELO_HOME", dir.path().toLocal8Bit());
        for (int n = 1; n <= kCategories; ++n) {
            auto c = std::make_shared<clsHimoku>();
            c->no = two(n);
            c->name = QStringLiteral("費目%1").arg(n);
            c->ioflag = n <= 25 ? 1 : 2;
            c->color = quint32(n * 40000);
            c->limit = 30000;
            for (int m = 1; m <= 8; ++m)
                c->addsub(two(m), QStringLiteral("摘要%1-%2").arg(n).arg(m));
            model.categoryList.add(c->no, c);
            model.categoryByName.add(c->name, c);
        }
        if (!model.WriteCategoryMaster() || !model.ReadCategoryMaster(1))
            throw std::runtime_error("master");

        std::mt19937 rng(42);
        model.curYear = model.startYear = kYear;
        model.startMonth = 7;
        model.carryOver = 100000;
        for (int month = 1; month <= 12; ++month) {
            const int count = entries / 12 + (month <= entries % 12 ? 1 : 0);
            auto& list = model.slot(month).entries;
            for (int i = 0; i < count; ++i) {
                Entry e;
                e.date = two(month) + QLatin1Char('/') + two(1 + i * 28 / count);
                const int cat = 1 + int(rng() % kCategories);
                e.category = two(cat);
                e.sub = two(int(rng() % 9)); // "00" now and then
                (cat <= 25 ? e.out : e.in) = 100 + int(rng() % 50000);
                list.push_back(e);
            }
        }
        if (!model.SaveYearFile(1))
            throw std::runtime_error("year");
        model.clearMonthSlots();
        if (!model.LoadYearFile() || !prompter.shown.isEmpty())
            throw std::runtime_error("load");
    }
};

Year& year(int entries)
{
    static std::unique_ptr<Year> y;
    if (!y || y->model.slot(1).count() != entries / 12 + (entries % 12 ? 1 : 0))
        y = std::make_unique<Year>(entries);
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
