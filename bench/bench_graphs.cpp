// Timings of the graphs as users wait for them: the monthly breakdown of a
// month of 10,000 entries over 30 categories (sums and legends, the two
// pies drawn into an 800×600 image, one category's sub-items) and the
// yearly trend graph opened on a year of 100,000 entries.

#include "bench/BenchMain.h"
#include "bench/BenchData.h"
#include "ledger/tests/FakePrompter.h"
#include "graphs/GraphPainter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/TestHome.h"
#include "graphs/frmDGraph.h"
#include "graphs/frmGraph.h"
#include "graphs/frmYGraph.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {
constexpr BenchData::Master kMaster{.categories = 30, .expense = 25, .subs = 8};

struct Ledger {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};

    explicit Ledger(const BenchData::PerMonth& perMonth)
    {
        BenchData::writeFolder(home, 2026, kMaster, {.perMonth = perMonth, .seed = 11}, 500000);
        model.setYear(2026);
        model.setCurMonth(4);
        if (!model.ReadCategoryMaster(1) || !model.LoadYearFile() || !prompter.shown.isEmpty())
            throw std::runtime_error("load");
    }
};

// April holds 10,000 entries.
BenchData::PerMonth longApril() { return BenchData::oneMonth(4, 10000, 0); }

void BM_InitGraph(benchmark::State& state)
{
    Ledger l(longApril());
    frmGraph g(l.model);
    g.Open();
    for (auto _ : state) {
        g.InitGraph();
        benchmark::DoNotOptimize(g.lblMoneyOut->text());
    }
    if (l.model.MakeCategorySums(4).catSumOut.size() != size_t(kMaster.expense))
        state.SkipWithError("sums incomplete");
}
BENCHMARK(BM_InitGraph)->Unit(benchmark::kMillisecond);

void BM_DrawPies(benchmark::State& state)
{
    Ledger l(longApril());
    frmGraph g(l.model);
    g.Open();
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    const QRectF out(0, 0, 400, 600);
    const QRectF in(400, 0, 400, 600);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        GraphPaint::pie(p, out, g.slices(0));
        GraphPaint::pie(p, in, g.slices(1));
    }
    if (g.slices(0).size() != size_t(kMaster.expense))
        state.SkipWithError("slices missing");
}
BENCHMARK(BM_DrawPies)->Unit(benchmark::kMillisecond);

void BM_SumSubItems(benchmark::State& state)
{
    Ledger l(longApril());
    frmDGraph d(l.model, 4);
    d.Open(l.model.category(l.model.MakeCategorySums(4).catSumOut.front().no)->name, {}, {});
    for (auto _ : state) {
        d.SumSubItems();
        benchmark::DoNotOptimize(d.subSums().total);
    }
    if (d.subSums().items.size() != size_t(kMaster.subs + 1))
        state.SkipWithError("sub-items missing");
}
BENCHMARK(BM_SumSubItems)->Unit(benchmark::kMillisecond);

// From the menu click to the first series drawn: the month totals per
// category, the window with its list of series, the bars.
void BM_OpenYearGraph(benchmark::State& state)
{
    Ledger l(BenchData::spread(100000));
    QImage image(740, 400, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        frmYGraph y(l.model);
        y.Open();
        QPainter p(&image);
        GraphPaint::yearBars(p, QRectF(image.rect()), y.series());
        benchmark::DoNotOptimize(y.series().axisMax);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_OpenYearGraph)->Unit(benchmark::kMillisecond);
}

KANELO_BENCHMARK_MAIN(QApplication)
