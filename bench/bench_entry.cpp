// Timings of entry editing in a long month: adding one entry through the
// entry dialog, closing the dialog (write-back and re-ranking), deleting
// an entry, and undoing and redoing steps. A month of N entries over 30 categories is generated in a
// temporary program folder; the month views are shown on the offscreen
// platform and every timed step includes the repaint it causes.

#include "bench/BenchMain.h"
#include "app/KaneloApp.h"
#include "bench/BenchData.h"
#include "month/EditCommands.h"
#include "month/EditHistory.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "month/MonthListModel.h"
#include "month/MonthViews.h"
#include "ledger/tests/TestHome.h"
#include "month/frmData.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {
constexpr BenchData::Master kMaster{.categories = 30, .expense = 25, .subs = 8};
constexpr int kYear = 2026;
constexpr int kMonth = 4;

// The main window's centre with a month of `entries` entries shown, and the
// edit commands over it.
struct Month {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};
    QWidget window;
    MonthViews* views = nullptr;
    EditCommands* edit = nullptr;

    explicit Month(int entries)
    {
        KaneloApp::useJapaneseFont(); // as the program draws
        BenchData::writeFolder(home, kYear, kMaster,
                               {.perMonth = BenchData::oneMonth(kMonth, entries), .days = 30}, 100000);
        // The ranking then counts the long month too.
        model.setStart(kYear, kMonth);
        if (!model.ReadCategoryMaster(1) || !model.LoadYearFile() || !prompter.shown.isEmpty())
            throw std::runtime_error("load");

        auto* layout = new QVBoxLayout(&window);
        views = new MonthViews(model, &window);
        layout->addWidget(views->centre);
        layout->addWidget(views->sbrStatus);
        edit = new EditCommands(model, *views, &window);
        window.resize(1000, 700);
        window.show();
        views->RefreshMonthView();
        QApplication::processEvents();
    }

    frmData& dialog() const { return *edit->dataDialog(); }

    // The dialog open in add mode, as a user leaves it between two entries.
    void openAdd()
    {
        dialog().prepareAdd(QStringLiteral("04/15"));
        dialog().show();
        QApplication::processEvents();
    }
    void typeEntry() const
    {
        frmData& d = dialog();
        d.cmbMain->setCurrentIndex(d.cmbMain->findText(BenchData::categoryName(3)));
        d.txtSub->setText(BenchData::subName(3, 2));
        d.txtMoney->setText(QStringLiteral("1280"));
    }
};

void BM_AddEntry(benchmark::State& state)
{
    Month m(int(state.range(0)));
    m.openAdd();
    for (auto _ : state) {
        state.PauseTiming();
        m.typeEntry();
        state.ResumeTiming();
        m.dialog().cmdOK->click();
        QApplication::processEvents();
        state.PauseTiming();
        m.dialog().cmdCancel->click(); // undo: the month keeps its length
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (m.views->monthRows->count() != state.range(0) + 1)
        state.SkipWithError("the month changed length");
}

void BM_DialogWriteBack(benchmark::State& state)
{
    Month m(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        m.openAdd();
        state.ResumeTiming();
        m.dialog().cmdExit->click();
        QApplication::processEvents();
    }
    if (m.model.slot(kMonth).count() != state.range(0))
        state.SkipWithError("the month changed length");
}

void BM_DeleteEntry(benchmark::State& state)
{
    Month m(int(state.range(0)));
    const int row = int(state.range(0)) / 2;
    for (auto _ : state) {
        state.PauseTiming();
        Entry kept = m.model.slot(kMonth).entries[row - 1];
        m.views->selectRow(row);
        m.prompter.answers.enqueue(Prompter::Answer::Yes);
        QApplication::processEvents();
        state.ResumeTiming();
        m.edit->mnuEditItem(2);
        QApplication::processEvents();
        state.PauseTiming();
        // Put the entry back so every round deletes from a full month.
        m.model.InsertEntry(kept);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// 100 steps of the undo stack (adds, changes and deletes over the month)
// undone and redone; the list follows every step and is repainted after the
// undos and after the redos.
void BM_UndoRedo(benchmark::State& state)
{
    Month m(int(state.range(0)));
    EditHistory& history = EditHistory::of(m.model);
    const auto& entries = m.model.slot(kMonth).entries;
    for (int i = 0; i < 100; ++i) {
        const Entry& at = entries[size_t(i) * entries.size() / 100];
        switch (i % 3) {
        case 0: {
            Entry e = at;
            e.id = 0;
            e.out += 1;
            history.addEntry(e, LedgerModel::DayPlace::Last);
            break;
        }
        case 1: {
            Entry e = at;
            e.out += 10;
            history.changeEntry(kMonth, at.id, e, LedgerModel::DayPlace::Last);
            break;
        }
        default:
            history.removeEntry(kMonth, at.id);
            break;
        }
    }
    QApplication::processEvents();
    QUndoStack& stack = history.stack();
    if (stack.count() != 100)
        state.SkipWithError("not 100 steps");
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i)
            stack.undo();
        QApplication::processEvents();
        for (int i = 0; i < 100; ++i)
            stack.redo();
        QApplication::processEvents();
    }
    if (m.views->monthRows->count() != m.model.slot(kMonth).count() + 1)
        state.SkipWithError("the list lost its month");
}
}

BENCHMARK(BM_AddEntry)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DialogWriteBack)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteEntry)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedo)->Arg(10000)->Unit(benchmark::kMillisecond);

KANELO_BENCHMARK_MAIN(QApplication)
