// Timings of the main window as users wait for it: start-up to the window
// shown with a large year, a month tab click on a long month, the category
// summary and the CSV export. Runs on the offscreen platform with its own
// generated data in a temporary program folder.

#include "bench/BenchMain.h"
#include "bench/BenchData.h"
#include "ledger/tests/FakePrompter.h"
#include "app/KaneloApp.h"
#include "ledger/LedgerModel.h"
#include "month/MonthViews.h"
#include "ledger/tests/TestHome.h"
#include "app/frmKanelo.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTabBar>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {
// 20 categories (16 expense, 4 income) with 6 sub-items each.
constexpr BenchData::Master kMaster{.categories = 20, .expense = 16, .subs = 6};

// One month holding `entries`, the others a realistic 150 each.
BenchData::PerMonth longMarch(int entries) { return BenchData::oneMonth(3, entries, 150); }

struct Folder {
    TestHome home{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    FakePrompter prompter;

    explicit Folder(const BenchData::PerMonth& perMonth)
    {
        BenchData::writeFolder(home, 2026, kMaster, {.perMonth = perMonth, .amounts = 30000, .seed = 7}, 250000);
    }
};

// The program started on a folder, March shown.
struct Started : Folder {
    std::unique_ptr<KaneloApp> app;
    explicit Started(const BenchData::PerMonth& perMonth) : Folder(perMonth)
    {
        app = std::make_unique<KaneloApp>(prompter);
        if (!app->start({}))
            throw std::runtime_error("start");
        QCoreApplication::processEvents();
    }
    MonthViews& views() const { return *app->window->views; }
};

void BM_StartupToShown(benchmark::State& state)
{
    Folder folder(BenchData::spread(int(state.range(0))));
    for (auto _ : state) {
        auto app = std::make_unique<KaneloApp>(folder.prompter);
        if (!app->start({}))
            state.SkipWithError("start");
        QCoreApplication::processEvents(); // the first paint of the window
        state.PauseTiming();
        int loaded = 0;
        for (const MonthSlot& m : app->model.monthSlots())
            loaded += m.count();
        if (loaded != state.range(0) || !app->window->isVisible())
            state.SkipWithError("year not loaded");
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToShown)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SwitchMonth(benchmark::State& state)
{
    Started s(longMarch(int(state.range(0))));
    QTabBar* tabs = s.views().tabMonth;
    for (auto _ : state) {
        state.PauseTiming();
        tabs->setCurrentIndex(1);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        tabs->setCurrentIndex(2); // what a click on "3 月" does
        QCoreApplication::processEvents();
    }
    if (s.views().monthRows->count() != state.range(0) + 1)
        state.SkipWithError("March not shown");
}
BENCHMARK(BM_SwitchMonth)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CategorySummary(benchmark::State& state)
{
    Started s(longMarch(int(state.range(0))));
    QAction* toggle = s.app->window->tbrCategorySummary;
    for (auto _ : state) {
        state.PauseTiming();
        if (toggle->isChecked())
            toggle->trigger();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        toggle->trigger();
        QCoreApplication::processEvents();
    }
    if (s.views().summaryRows->count() < kMaster.categories)
        state.SkipWithError("summary not shown");
}
BENCHMARK(BM_CategorySummary)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state)
{
    Started s(BenchData::spread(int(state.range(0))));
    for (auto _ : state) {
        s.app->window->ExportCsv();
        state.PauseTiming();
        s.prompter.shown.clear();
        state.ResumeTiming();
    }
    state.counters["bytes"] = double(QFile(s.home.path(QStringLiteral("2026.csv"))).size());
}
BENCHMARK(BM_ExportCsv)->Arg(100000)->Unit(benchmark::kMillisecond);
}

KANELO_BENCHMARK_MAIN(QApplication)
