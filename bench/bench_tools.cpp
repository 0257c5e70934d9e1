// Timings of the calendar window with a memo on every day of a leap year:
// refilling a month (paging) and reading and writing the year's memo file.
// Runs on the offscreen platform in a temporary program folder.

#include "bench/BenchMain.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/TestHome.h"
#include "calendar/frmCalender.h"

#include <QApplication>
#include <QLabel>
#include <benchmark/benchmark.h>

namespace {
constexpr int kYear = 2024; // 366 days

// The memo file with one memo a day, as the calendar writes it.
QString memoText()
{
    QString t = QStringLiteral("*  Last modified: 2024/12/31\n*\n*  メモデータ管理ファイル  [2024年度]\n*\n\n");
    int n = 0;
    for (QDate d(kYear, 1, 1); d.year() == kYear; d = d.addDays(1))
        t += Fmt::zero2(d.month()) + QLatin1Char('/') + Fmt::zero2(d.day()) + QStringLiteral("買い物メモ その%1 牛乳・卵・パン").arg(++n)
            + QLatin1Char('\n');
    return t;
}

struct Folder {
    TestHome home{QDateTime(QDate(kYear, 6, 15), QTime(10, 0))};
    FakePrompter prompter;
    LedgerModel model{prompter};
    Folder()
    {
        home.writeText(QStringLiteral("2024.zbm"), memoText());
        model.setYear(kYear);
        model.setCurMonth(6);
    }
};

// Argument 0: the refill alone; 1: the refill and the paint that follows it.
void BM_RemakeCalender(benchmark::State& state)
{
    const bool paint = state.range(0) != 0;
    Folder f;
    frmCalender c(f.model);
    c.show();
    QCoreApplication::processEvents();
    if (f.model.memoList().count() != 366)
        state.SkipWithError("memos not loaded");
    int month = 0;
    for (auto _ : state) {
        c.month = month % 12 + 1;
        ++month;
        c.RemakeCalender();
        if (!paint)
            state.PauseTiming();
        QCoreApplication::processEvents();
        if (!paint)
            state.ResumeTiming();
    }
    if (c.lblYearMonth->text() != QStringLiteral("%1年%2月").arg(kYear).arg((month - 1) % 12 + 1))
        state.SkipWithError("not filled");
}
BENCHMARK(BM_RemakeCalender)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MemoYearRoundTrip(benchmark::State& state)
{
    Folder f;
    for (auto _ : state) {
        f.model.ClearMemos();
        f.model.ReadMemoFile(kYear);
        if (f.model.memoList().count() != 366 || !f.model.WriteMemoFile(kYear))
            state.SkipWithError("round trip");
    }
    state.counters["bytes"] = double(f.home.readBytes(QStringLiteral("2024.zbm")).size());
}
BENCHMARK(BM_MemoYearRoundTrip)->Unit(benchmark::kMillisecond);
}

KANELO_BENCHMARK_MAIN(QApplication)
