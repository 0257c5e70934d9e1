// Timings of the category editor on the largest master it can hold, 99
// categories of 99 sub-items each, with a year of entries loaded: opening
// the window until it is painted, and OK (write the master, read it back,
// bring the use ranking in line and rank the categories).

#include "bench/BenchMain.h"
#include "bench/BenchData.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "categories/NumberedNames.h"
#include "ledger/tests/TestHome.h"
#include "categories/frmMainSub.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {
constexpr BenchData::Master kMaster{.categories = 99, .expense = 90, .subs = 99};

struct Folder {
    TestHome home{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    FakePrompter prompter;
    LedgerModel model{prompter};

    Folder()
    {
        BenchData::writeFolder(home, 2026, kMaster, {.perMonth = BenchData::spread(12000)}, 0);
        model.setStart(2026, 3);
        if (!model.ReadCategoryMaster(1) || !model.LoadYearFile() || !prompter.shown.isEmpty())
            throw std::runtime_error("load");
    }
};

void BM_OpenCategoryEditor(benchmark::State& state)
{
    Folder f;
    for (auto _ : state) {
        auto editor = std::make_unique<frmMainSub>(f.model);
        if (!editor->Form_Load())
            state.SkipWithError("not opened");
        editor->show();
        QCoreApplication::processEvents(); // the first paint
        state.PauseTiming();
        if (editor->mainRows->count() != 99 || editor->subRows->count() != 99)
            state.SkipWithError("lists not filled");
        editor->cmdCancel_Click();
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCategoryEditor)->Unit(benchmark::kMillisecond);

void BM_CategoryEditorOK(benchmark::State& state)
{
    Folder f;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<frmMainSub>(f.model);
        editor->Form_Load();
        state.ResumeTiming();
        editor->cmdOK_Click();
        state.PauseTiming();
        if (f.model.categoryList().count() != 99 || f.model.categoryUse().size() != 99 || !f.prompter.shown.isEmpty())
            state.SkipWithError("master not read back");
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CategoryEditorOK)->Unit(benchmark::kMillisecond);
}

KANELO_BENCHMARK_MAIN(QApplication)
