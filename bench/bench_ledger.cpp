// Timings of the ledger operations users wait for: loading and saving a
// year, and the sums built from it, on a generated year of entries over 30
// categories, each with sub-items, in a temporary program folder.

#include "bench/BenchData.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/TestHome.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
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
        model.setStart(kYear, 7);
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
        benchmark::DoNotOptimize(y.model.yearOut());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Filing entries one by one into one month, in the day order a merge file
// brings them (how an import adds a year's worth of lines).
void BM_InsertEntries(benchmark::State& state)
{
    const int n = int(state.range(0));
    std::mt19937 rng(7);
    std::vector<Entry> entries(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        Entry& e = entries[size_t(i)];
        e.monthNo = 3;
        e.dayNo = quint8(1 + qint64(i) * 28 / n);
        e.categoryNo = quint8(1 + rng() % unsigned(kMaster.categories));
        e.out = qint32(100 + rng() % 50000);
    }
    FakePrompter p;
    LedgerModel m(p);
    for (auto _ : state) {
        state.PauseTiming();
        m.clearMonthSlots();
        state.ResumeTiming();
        for (const Entry& e : entries)
            m.InsertEntry(e);
        benchmark::DoNotOptimize(m.slot(3).count());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// Loading a year whose file holds many automatic carry lines next to a
// large previous year: the previous year is read once per load.
void BM_LoadCarryLines(benchmark::State& state)
{
    // A program folder of its own; the shared year's folder comes back after.
    const QByteArray outer = qgetenv("KANELO_HOME");
    struct Restore {
        QByteArray home;
        ~Restore()
        {
            if (!home.isEmpty())
                qputenv("KANELO_HOME", home);
        }
    } restore{outer};
    TestHome home;
    BenchData::writeFolder(home, kYear - 1, kMaster, {.perMonth = BenchData::spread(100000)}, 0);
    QString text = QStringLiteral("C\n");
    for (int i = 0; i < state.range(0); ++i)
        text += QStringLiteral("#0\n");
    home.writeText(QString::number(kYear) + QStringLiteral(".zbl"), text + QStringLiteral("$0\n"));
    FakePrompter p;
    LedgerModel m(p);
    m.setYear(kYear);
    if (!m.ReadCategoryMaster(1))
        state.SkipWithError("master");
    for (auto _ : state) {
        if (!m.LoadYearFile())
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(m.carryOver());
    }
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
BENCHMARK(BM_InsertEntries)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCarryLines)->Arg(3000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
