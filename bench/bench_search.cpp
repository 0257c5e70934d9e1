// Finding entries by the name of their category or sub-item: in ten year
// files of 100,000 entries each (read on the search's own thread, the time
// until the last year's hits have reached the window's thread), and in the
// open year of 100,000 entries held in memory.

#include "bench/BenchData.h"
#include "bench/BenchMain.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "search/SearchRun.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {
const BenchData::Master kMaster;
constexpr int kOpenYear = 2030;

// A text that names one sub-item of one category: about one entry in 270.
SearchQuery textQuery()
{
    SearchQuery q;
    q.text = QStringLiteral("摘要項目３-４"); // typed in full width, stored in half
    return q;
}

struct Folder {
    TestHome home;
    FakePrompter p;
    LedgerModel model{p};
    Folder(int years, int entries)
    {
        home.writeText(QStringLiteral("MainSub.zbt"), BenchData::masterText(kMaster));
        for (int i = 0; i < years; ++i)
            home.writeText(QStringLiteral("%1.zbl").arg(kOpenYear - 1 - i),
                           BenchData::yearText(kMaster, {.perMonth = BenchData::spread(entries), .seed = 42u + unsigned(i)}, 0));
        model.ReadCategoryMaster(1);
        model.setYear(kOpenYear);
    }
};

void searchAllYears(benchmark::State& state, int years, int entries)
{
    Folder f(years, entries);
    f.home.writeText(QStringLiteral("%1.zbl").arg(kOpenYear), QStringLiteral("&0\n$0\n"));
    f.model.LoadYearFile();
    size_t found = 0;
    for (auto _ : state) {
        SearchRun run;
        QEventLoop loop;
        found = 0;
        QObject::connect(&run, &SearchRun::found, [&](const std::vector<SearchHit>& hits) { found += hits.size(); });
        QObject::connect(&run, &SearchRun::finished, &loop, &QEventLoop::quit);
        run.start(textQuery(), f.model);
        loop.exec();
    }
    state.counters["hits"] = double(found);
    state.SetItemsProcessed(state.iterations() * years * entries);
}

void BM_SearchOpenYear(benchmark::State& state)
{
    Folder f(0, 0);
    f.home.writeText(QStringLiteral("%1.zbl").arg(kOpenYear),
                     BenchData::yearText(kMaster, {.perMonth = BenchData::spread(int(state.range(0)))}, 0));
    f.model.LoadYearFile();
    size_t found = 0;
    for (auto _ : state) {
        // What a search does on the window's thread before the files.
        const SearchMatcher matcher(textQuery(), MasterNames::of(f.model));
        found = searchOpenYear(f.model, matcher).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["hits"] = double(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
}

// Wall time: the files are read on another thread.
const auto* allYears = benchmark::RegisterBenchmark("BM_SearchAllYears/10x100000", [](benchmark::State& s) { searchAllYears(s, 10, 100000); })
                           ->Unit(benchmark::kMillisecond)
                           ->UseRealTime();
BENCHMARK(BM_SearchOpenYear)->Arg(100000)->Unit(benchmark::kMillisecond);

KANELO_BENCHMARK_MAIN(QCoreApplication)
