// Timings of the main window as users wait for it: start-up to the window
// shown with a large year, a month tab click on a long month, the category
// summary and the CSV export. Runs on the offscreen platform with its own
// generated data in a temporary program folder.

#include "FakePrompter.h"
#include "KaneloApp.h"
#include "LedgerModel.h"
#include "MonthViews.h"
#include "TestHome.h"
#include "frmKanelo.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTabBar>
#include <benchmark/benchmark.h>

#include <random>

namespace {
constexpr int kCategories = 20;

QString two(int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); }

// A master of 20 categories (16 expense, 4 income) with 6 sub-items each,
// budgets on half of them.
QString masterText()
{
    QString t = QStringLiteral("C\n*  Last modified: 01-01-2026\n*\n\n");
    for (int n = 1; n <= kCategories; ++n) {
        t += two(n) + QStringLiteral("00費目%1:%2:%3:%4\n")
                          .arg(n)
                          .arg(n <= 16 ? 1 : 2)
                          .arg(n * 123457 % 16777216)
                          .arg(n % 2 ? 30000 : 0);
        for (int m = 1; m <= 6; ++m)
            t += two(n) + two(m) + QStringLiteral("摘要項目%1-%2\n").arg(n).arg(m);
    }
    return t;
}

// A year file: `perMonth[m-1]` entries in month m, in day order.
QString yearText(const std::array<int, 12>& perMonth)
{
    std::mt19937 rng(7);
    QString t = QStringLiteral("C\n* Last modified: 01-01-2026\n*\n\n&250000\n");
    for (int month = 1; month <= 12; ++month) {
        const int count = perMonth[month - 1];
        for (int i = 0; i < count; ++i) {
            const int cat = 1 + int(rng() % kCategories);
            t += two(month) + QLatin1Char('/') + two(1 + int(qint64(i) * 28 / count)) + two(cat) + two(int(rng() % 7))
                + QString::number(100 + int(rng() % 30000)) + QLatin1Char('\n');
        }
    }
    return t + QStringLiteral("$0\n");
}

std::array<int, 12> spread(int entries)
{
    std::array<int, 12> per{};
    for (int m = 0; m < 12; ++m)
        per[m] = entries / 12 + (m < entries % 12 ? 1 : 0);
    return per;
}

// One month holding `entries`, the others a realistic 150 each.
std::array<int, 12> longMarch(int entries)
{
    std::array<int, 12> per;
    per.fill(150);
    per[2] = entries;
    return per;
}

struct Folder {
    TestHome home{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    FakePrompter prompter;

    explicit Folder(const std::array<int, 12>& perMonth)
    {
        home.writeText(QStringLiteral("MainSub.zbt"), masterText());
        home.writeText(QStringLiteral("2026.zbl"), yearText(perMonth));
    }
};

// The program started on a folder, March shown.
struct Started : Folder {
    std::unique_ptr<KaneloApp> app;
    explicit Started(const std::array<int, 12>& perMonth) : Folder(perMonth)
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
    Folder folder(spread(int(state.range(0))));
    for (auto _ : state) {
        auto app = std::make_unique<KaneloApp>(folder.prompter);
        if (!app->start({}))
            state.SkipWithError("start");
        QCoreApplication::processEvents(); // the first paint of the window
        state.PauseTiming();
        int loaded = 0;
        for (const MonthSlot& m : app->model.monthSlots)
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
    QAction* toggle = s.views().tbrCategorySummary;
    for (auto _ : state) {
        state.PauseTiming();
        if (toggle->isChecked())
            toggle->trigger();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        toggle->trigger();
        QCoreApplication::processEvents();
    }
    if (s.views().summaryRows->count() < kCategories)
        state.SkipWithError("summary not shown");
}
BENCHMARK(BM_CategorySummary)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state)
{
    Started s(spread(int(state.range(0))));
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
