// Timings of the import: reading a source of 100,000 lines (categories
// registered, numbers resolved), the duplicate check against a year of
// 100,000 entries, writing the result, KaneloY's merge of 100,000 entries
// into a year of 100,000 (merge, save, reload), and the longest the Step1
// window waits for its event loop while a source of 1,000,000 lines is read.

#include "bench/BenchData.h"
#include "bench/BenchMain.h"
#include "ledger/tests/FakePrompter.h"
#include "import/ImportDuplicates.h"
#include "import/ImportSession.h"
#include "import/ImportTool.h"
#include "ledger/LedgerModel.h"
#include "import/frmHimoku.h"
#include "import/frmMain.h"
#include "ledger/tests/TestHome.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QRegularExpression>
#include <QStringList>
#include <memory>
#include <random>
#include <stdexcept>

namespace {
constexpr BenchData::Master kMaster{.categories = 30, .expense = 25, .subs = 8};
constexpr int kYear = 2025;

// A source as a user's spreadsheet would give it: the four date forms,
// categories and sub-items of the master's names, some without sub-item,
// household amounts (a year of them stays within what a year file holds).
QString sourceText(int lines)
{
    std::mt19937 rng(7);
    QString t;
    t.reserve(lines * 32);
    for (int i = 0; i < lines; ++i) {
        const int month = 1 + i * 12 / lines;
        const int day = 1 + int(rng() % 28);
        QString date;
        switch (i % 4) {
        case 0: date = Fmt::zero2(month) + Fmt::zero2(day); break;
        case 1: date = Fmt::zero2(month) + QLatin1Char('/') + Fmt::zero2(day); break;
        case 2: date = QStringLiteral("2025") + Fmt::zero2(month) + Fmt::zero2(day); break;
        default: date = QStringLiteral("2025/") + Fmt::zero2(month) + QLatin1Char('/') + Fmt::zero2(day); break;
        }
        const int category = 1 + int(rng() % unsigned(kMaster.categories));
        const int sub = int(rng() % unsigned(kMaster.subs + 1));
        t += date + QLatin1Char(',') + BenchData::categoryName(category) + QLatin1Char(',')
            + (sub ? BenchData::subName(category, sub) : QString()) + QLatin1Char(',') + QString::number(100 + rng() % 10000)
            + QLatin1Char('\n');
    }
    return t;
}

struct Source {
    TestHome home;
    FakePrompter prompter;
    Import::ImportSession session{prompter};
    explicit Source(int lines)
    {
        home.writeText(QStringLiteral("source.csv"), sourceText(lines), "\r\n");
        session.importYear = QString::number(kYear);
    }
    void read()
    {
        session.clear();
        if (!session.ReadSourceFile(home.path(QStringLiteral("source.csv"))))
            throw std::runtime_error("read");
    }
};

void BM_ReadImportSource(benchmark::State& state)
{
    Source s(int(state.range(0)));
    for (auto _ : state) {
        s.read();
        s.session.ResolveEntryNumbers(s.session.ledger);
        benchmark::DoNotOptimize(s.session.ledger.slot(12).count());
    }
    if (s.session.entryCount() != state.range(0) || !s.prompter.shown.isEmpty())
        state.SkipWithError("not every line was read");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The source's entries, as resolved, against a year of 100,000 entries of
// the same master: what the tool checks before it writes.
void BM_ImportDuplicates(benchmark::State& state)
{
    const int n = int(state.range(0));
    Source s(n);
    BenchData::writeFolder(s.home, kYear, kMaster, {.perMonth = BenchData::spread(100000), .amounts = 10000}, 100000);
    LedgerModel year(s.prompter);
    year.setYear(kYear);
    if (!year.ReadCategoryMaster(1) || !year.LoadYearFile())
        throw std::runtime_error("year");
    s.read();
    s.session.ResolveEntryNumbers(s.session.ledger);
    std::vector<Entry> incoming;
    for (const MonthSlot& m : s.session.ledger.monthSlots())
        incoming.insert(incoming.end(), m.entries.begin(), m.entries.end());
    int flagged = 0;
    for (auto _ : state) {
        const Import::Duplicates d = Import::findDuplicates(year.monthSlots(), incoming);
        flagged = d.inYear + d.repeated;
        benchmark::DoNotOptimize(flagged);
    }
    state.counters["flagged"] = flagged;
    state.SetItemsProcessed(state.iterations() * n);
}

// The master and the year file, written together into a folder without them.
void BM_WriteOutput(benchmark::State& state)
{
    Source s(int(state.range(0)));
    s.read();
    s.session.AssignGreenShades();
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& name : QDir(s.home.path(".")).entryList({"MainSub.zbt", "*.zbl"}, QDir::Files))
            QFile::remove(s.home.path(name));
        s.prompter.answers.clear();
        s.prompter.answers << Prompter::Answer::No; // random data repeats a few entries: all are written
        state.ResumeTiming();
        if (s.session.WriteOutput() != Import::ImportSession::Written::Yes) {
            state.SkipWithError(qPrintable(s.prompter.texts().value(0, QStringLiteral("write failed"))));
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_MergeAddFile(benchmark::State& state)
{
    const int n = int(state.range(0));
    TestHome home;
    FakePrompter prompter;
    LedgerModel model(prompter);
    BenchData::writeFolder(home, kYear, kMaster, {.perMonth = BenchData::spread(n), .amounts = 10000}, 100000);
    const QByteArray year = home.readBytes(QStringLiteral("2025.zbl"));
    // The merge file: the same form, other entries, no carry and no balance line.
    QString merge = BenchData::yearText(kMaster, {.perMonth = BenchData::spread(n), .amounts = 10000, .seed = 9}, 0);
    merge.remove(QRegularExpression(QStringLiteral("\n[&$][^\n]*")));
    home.writeText(QStringLiteral("2025_add.zbl"), merge);
    model.setYear(kYear);
    model.ReadCategoryMaster(1);
    for (auto _ : state) {
        state.PauseTiming();
        home.writeBytes(QStringLiteral("2025.zbl"), year);
        model.clearMonthSlots();
        model.LoadYearFile();
        state.ResumeTiming();
        if (!model.MergeAddFile(kYear) || !model.SaveYearFile(1))
            state.SkipWithError("merge failed");
        model.clearMonthSlots();
        model.LoadYearFile();
        benchmark::DoNotOptimize(model.slot(12).count());
    }
    int total = 0;
    for (int m = 1; m <= 12; ++m)
        total += model.slot(m).count();
    if (total != 2 * n || !prompter.shown.isEmpty())
        state.SkipWithError("entries lost");
    state.SetItemsProcessed(state.iterations() * n);
}
}

// Step1 with a source of n lines: 次へ, the reading on its thread, the
// categories taken in, up to the next page. The counter is the longest time
// between two turns of the window's event loop.
void BM_Step1LongestPause(benchmark::State& state)
{
    Source s(int(state.range(0)));
    const QString path = s.home.path(QStringLiteral("source.csv"));
    qint64 longest = 0;
    for (auto _ : state) {
        FakePrompter prompter;
        Import::ImportTool tool(prompter);
        tool.start(QString());
        tool.main->txtImport->setText(path);
        tool.main->cmbYear->setEditText(QString::number(kYear));
        QElapsedTimer sinceLast;
        qint64 worst = 0;
        QTimer turn;
        turn.setInterval(0);
        QObject::connect(&turn, &QTimer::timeout, [&] { worst = std::max(worst, sinceLast.restart()); });
        sinceLast.start();
        turn.start();
        tool.main->cmdNext->click();
        while (tool.isReading() || tool.main->isVisible())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!tool.himoku || !prompter.messages().isEmpty())
            state.SkipWithError("the source was not taken");
        longest = std::max(longest, worst);
    }
    state.counters["longest_pause_ms"] = double(longest);
}

BENCHMARK(BM_ReadImportSource)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1LongestPause)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportDuplicates)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOutput)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeAddFile)->Arg(100000)->Unit(benchmark::kMillisecond);

KANELO_BENCHMARK_MAIN(QApplication)
